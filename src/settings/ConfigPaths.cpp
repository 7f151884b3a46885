#include "settings/ConfigPaths.h"

#include <QDir>

namespace quillotap {

QString xdgConfigHome() {
    // Relative values are invalid by the base-directory rules and are ignored.
    const QString env = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!env.isEmpty() && QDir::isAbsolutePath(env))
        return QDir::cleanPath(env);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString hiveFilePath() {
    return xdgConfigHome() + QStringLiteral("/quillotap/user.reg");
}

QString autostartEntryPath() {
    return xdgConfigHome() + QStringLiteral("/autostart/quillotap.desktop");
}

} // namespace quillotap
