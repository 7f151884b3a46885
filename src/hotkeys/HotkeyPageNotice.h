// What the hotkey page shows about the hotkey source: a note above the table
// while the hotkeys do not reach the whole desktop (why, and the command
// lines to bind in the desktop's keyboard settings instead), hidden while
// they do; the keys the desktop really assigned to each row in the
// "Hotkeys" column; and, once per run, a short line in the status line when
// the hotkeys turn out not to work.
#pragma once

#include "hotkeys/HotkeySource.h"

#include <QObject>
#include <functional>

class QLabel;
class QTreeWidget;

namespace quillotap {

class Hotkeys;

class HotkeyPageNotice : public QObject {
    Q_OBJECT
public:
    // Writes the status line; the caller decides whether it may (a running
    // recording owns it).
    using StatusLine = std::function<void(const QString& text)>;

    // `program` is how the command lines name the program (ProgramCommand).
    HotkeyPageNotice(Hotkeys& hotkeys, QTreeWidget* list, QLabel* note, StatusLine statusLine,
                     const QString& program, QObject* parent = nullptr);

    // The "Hotkeys" column text for a row whose trigger the desktop
    // described as `trigger` (empty: the desktop assigned no keys).
    static QString AssignedKeysText(const QString& code, const QString& trigger);

private:
    void show(const HotkeyReach& reach);
    void showTrigger(int row, const QString& trigger);

    QTreeWidget* list_;
    QLabel* note_;
    StatusLine statusLine_;
    QString program_;
    bool told_ = false;
};

} // namespace quillotap
