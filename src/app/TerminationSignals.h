// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in a terminal, a closed
// terminal) end the program the normal way, so that a running recording is
// finished and the settings are saved. The signal handler only writes the
// signal number into a pipe; the UI thread reads it and announces it.
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

signals:
    // On the UI thread, once per signal received.
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace quillotap
