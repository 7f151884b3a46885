#include "settings/OutputFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>

namespace quillotap {

QString AppFolderPath() {
    return WithTrailingSlash(QCoreApplication::applicationDirPath());
}

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QString() : WithTrailingSlash(documents);
}

QString WithTrailingSlash(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString InitOutputFolder(const QString& storedFilePath, const QString& documentsFolder) {
    const QString fallback = documentsFolder + QStringLiteral("Quillotap/");
    const QString folder = storedFilePath.size() < 3 ? fallback : WithTrailingSlash(storedFilePath);
    if (QFileInfo(folder).isDir())
        return folder;
    // QDir::mkdir makes one level only and fails when the parent is missing,
    // or when a file of that name is in the way.
    if (QDir().mkdir(folder))
        return folder;
    return fallback;
}

bool CreateOutputFolder(const QString& folder, QString* reason) {
    // mkdir(2) rather than QDir::mkdir, for the reason of a failure.
    const QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
    if (::mkdir(path.constData(), 0777) == 0)
        return true;
    const int error = errno;
    if (error == EEXIST || QFileInfo(folder).isDir())
        return true;
    if (reason)
        *reason = qt_error_string(error);
    return false;
}

QString ChooserStartFolder(const QString& pathText) {
    if (pathText.size() >= 4 && pathText.endsWith(QLatin1Char('/')))
        return pathText.chopped(1);
    return pathText;
}

} // namespace quillotap
