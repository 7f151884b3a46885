// Something that notices when the keys of a hotkey row go down and up: the
// X11 keyboard poller, the desktop's GlobalShortcuts portal. A source only
// reports presses and releases of rows 1..7; what a row does, its repeat
// while held and the suspension around dialogs are the dispatcher's
// (HotkeyDispatcher), the same for every source.
//
// A source also says whether it reaches keys pressed anywhere on the desktop
// (its reach), so that a desktop where no hotkey can work is told plainly.
#pragma once

#include <QObject>
#include <QString>

namespace quillotap {

// Who drives the timers of the hotkey objects: real time, or a test that
// calls their tick and pause functions by hand.
enum class HotkeyClock { Timers, Manual };

struct HotkeyReach {
    enum State {
        Starting, // still asking the desktop; nothing is known yet
        Global,   // keys pressed in any window reach the program
        Local,    // they do not (only the program's own window, or nothing)
        Off,      // hotkeys were switched off on purpose
    };
    State state = Starting;
    // Why the reach is Local or Off, as a sentence for the user.
    QString reason;

    bool operator==(const HotkeyReach&) const = default;
};

class HotkeySource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Begins noticing presses; called once, when the settings are loaded.
    virtual void start() = 0;
    // While suspended no row acts. A source that reads the keyboard itself
    // may stop reading and report every held row released; it reads the
    // keys afresh when the suspension ends.
    virtual void setSuspended(bool suspended) { (void)suspended; }
    // The hotkey table changed (the editor's "Change"): a source that
    // registers the rows somewhere registers them again.
    virtual void rowsChanged() {}
    virtual HotkeyReach reach() const = 0;

signals:
    void pressed(int row);
    void released(int row);
    void reachChanged(const quillotap::HotkeyReach& reach);
    // The key combination the desktop assigned to a row, as the desktop
    // describes it; empty when the desktop assigned none to a row that was
    // asked for. Only sources that ask the desktop for shortcuts send it.
    void triggerAssigned(int row, const QString& description);
};

} // namespace quillotap
