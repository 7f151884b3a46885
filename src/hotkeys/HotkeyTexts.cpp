#include "hotkeys/HotkeyTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillotap {

QString NoKeyboardReason() {
    return QCoreApplication::translate(
        "Hotkeys", "There is no X11 display to read the keyboard from, and no desktop shortcut "
                   "service is in use.");
}

QString OwnWindowOnlyReason() {
    return QCoreApplication::translate(
        "Hotkeys", "In a Wayland session, keys pressed while another window has the focus do not "
                   "reach this program.");
}

QString SwitchedOffReason() {
    return QCoreApplication::translate(
        "Hotkeys", "System-wide hotkeys are switched off (QUILLOTAP_HOTKEYS=none).");
}

QString ProgramCommand() {
    const QString name = QStringLiteral("quillotap");
    const QFileInfo self(QCoreApplication::applicationFilePath());
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == self.canonicalFilePath())
        return name;
    if (self.fileName() != name)
        return name; // not the program itself (a test, a tool)
    const QString path = self.absoluteFilePath();
    return path.contains(QLatin1Char(' ')) ? QLatin1Char('"') + path + QLatin1Char('"') : path;
}

QStringList RemoteCommandLines(const QString& program) {
    QStringList lines;
    for (const char* option : {"--start", "--stop", "--toggle", "--play-last", "--icon"})
        lines << program + QLatin1Char(' ') + QLatin1String(option);
    return lines;
}

QString HotkeyNoticeText(const HotkeyReach& reach, const QString& program) {
    switch (reach.state) {
    case HotkeyReach::Global:
        return {};
    case HotkeyReach::Starting:
        return QCoreApplication::translate(
            "Hotkeys", "Waiting for the desktop to set up the system-wide hotkeys...");
    case HotkeyReach::Local:
    case HotkeyReach::Off:
        break;
    }
    QString text =
        reach.state == HotkeyReach::Off
            ? reach.reason
            : QCoreApplication::translate("Hotkeys", "System-wide hotkeys do not work here. ") +
                  reach.reason;
    text +=
        QLatin1Char('\n') +
        QCoreApplication::translate(
            "Hotkeys", "Bind these commands to keys in the desktop's keyboard settings instead:");
    for (const QString& line : RemoteCommandLines(program))
        text += QLatin1Char('\n') + line;
    return text;
}

QString HotkeyStatusLineText() {
    return QCoreApplication::translate(
        "Hotkeys", "System-wide hotkeys do not work here: see the Hotkey page.");
}

} // namespace quillotap
