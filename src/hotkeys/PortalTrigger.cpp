#include "hotkeys/PortalTrigger.h"

#include "hotkeys/HotkeyCode.h"
#include "hotkeys/KeyNames.h"

#include <array>

namespace quillotap {

namespace {

constexpr std::array<const char*, 7> kIds = {
    "start-recording",     "stop-recording", "volume-up", "volume-down", "mute",
    "play-last-recording", "icon-mode",
};

// The XKB key name for a key of the key-name table.
QString xkbKeyName(const QString& key) {
    if (key.size() == 1) {
        // A one-character name stands for its character code, which only
        // the upper-case letters and the digits give a key for.
        const QChar c = key.front();
        return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ? key : QString();
    }
    if (VirtualKeyForName(key) == 0)
        return {};
    if (key == QLatin1String("Page Up"))
        return QStringLiteral("Page_Up");
    if (key == QLatin1String("Page Down"))
        return QStringLiteral("Page_Down");
    return key; // "Up", "Home", "F5" ... are XKB names as they stand
}

} // namespace

QString PortalShortcutId(int row) {
    if (row < 1 || row > int(kIds.size()))
        return {};
    return QString::fromLatin1(kIds[std::size_t(row - 1)]);
}

int PortalShortcutRow(const QString& id) {
    for (std::size_t i = 0; i < kIds.size(); ++i) {
        if (id == QLatin1String(kIds[i]))
            return int(i) + 1;
    }
    return 0;
}

QString PortalTrigger(const QString& code) {
    if (!code.contains(QLatin1Char('+')))
        return {};
    const HotkeyParts parts = SplitHotkeyCode(code);
    const QString key = xkbKeyName(parts.key);
    if (key.isEmpty())
        return {};
    QString trigger;
    if (parts.ctrl())
        trigger += QLatin1String("CTRL+");
    if (parts.alt())
        trigger += QLatin1String("ALT+");
    if (parts.shift())
        trigger += QLatin1String("SHIFT+");
    return trigger + key;
}

} // namespace quillotap
