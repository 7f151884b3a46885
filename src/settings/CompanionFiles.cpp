#include "settings/CompanionFiles.h"

#include <QDir>
#include <QFileInfo>

namespace quillotap {

QString CompanionFilePath(const QString& appFolder, const QString& name) {
    const QString beside = appFolder + name;
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed =
        QDir::cleanPath(appFolder + QLatin1String(InstalledCompanionFolder) + name);
    if (QFileInfo(installed).isFile())
        return installed;
    return beside;
}

} // namespace quillotap
