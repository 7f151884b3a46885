// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in a terminal, a closed
// terminal) end the program the normal way, so that a running recording is
// finished and the settings are saved. The signal handler only writes the
// signal number into a pipe; the UI thread reads it and announces it.
//
// Nobody may be there to answer a message box or a dialog when such a
// signal comes, so ending the program first ends whatever modal state the
// UI thread waits in (see LeaveModalStates).
#pragma once

#include <QObject>

class QSocketNotifier;

namespace quillotap {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one object per process.
    explicit TerminationSignals(QObject* parent = nullptr);
    // Restores the default handling.
    ~TerminationSignals() override;

    bool isActive() const { return notifier_ != nullptr; }

    // Whether a signal has been received.
    bool requested() const { return requested_; }

signals:
    // On the UI thread, once per signal received.
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    bool requested_ = false;
};

// Lets the UI thread leave every modal state so that the program can end:
// each open modal window (message box, dialog, folder chooser) closes as if
// cancelled, and every running event loop returns `exitCode`, the
// application's own included. Until the application's loop is entered anew,
// an event loop started meanwhile returns at once, so the code that runs on
// as the modal windows unwind cannot stop to wait for an answer either.
void LeaveModalStates(int exitCode = 0);

} // namespace quillotap
