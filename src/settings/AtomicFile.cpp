#include "settings/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillotap {

namespace {

QString systemError(const QString& what, const QString& path) {
    return QStringLiteral("%1 %2: %3")
        .arg(what, path, QString::fromLocal8Bit(std::strerror(errno)));
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

// Makes a finished rename durable; failure here does not undo the rename.
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool makePrivateFolderPath(const QString& path, QString* error) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current;
    for (const QString& part : parts) {
        current += QLatin1Char('/') + part;
        const QByteArray native = QFile::encodeName(current);
        if (::mkdir(native.constData(), 0700) == 0 || errno == EEXIST)
            continue;
        setError(error, systemError(QCoreApplication::translate("quillotap::AtomicFile",
                                                                "Cannot create the folder"),
                                    current));
        return false;
    }
    if (!QFileInfo(clean).isDir()) {
        setError(
            error,
            QCoreApplication::translate("quillotap::AtomicFile", "%1 is not a folder").arg(clean));
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data, unsigned mode,
                         QString* error) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    QByteArray temp = target + ".XXXXXX";

    // mkstemp creates the file with mode 0600, so no one else can read the
    // data before the final mode is set.
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        setError(error,
                 systemError(QCoreApplication::translate("quillotap::AtomicFile", "Cannot write"),
                             path));
        return false;
    }
    const auto fail = [&](const QString& what) {
        setError(error, systemError(what, path));
        ::close(fd);
        ::unlink(temp.constData());
        return false;
    };

    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(QCoreApplication::translate("quillotap::AtomicFile", "Cannot write"));
        p += n;
        left -= n;
    }
    if (::fchmod(fd, static_cast<mode_t>(mode)) != 0)
        return fail(
            QCoreApplication::translate("quillotap::AtomicFile", "Cannot set the permissions of"));
    if (::fsync(fd) != 0)
        return fail(QCoreApplication::translate("quillotap::AtomicFile", "Cannot flush"));
    if (::close(fd) != 0) {
        setError(error,
                 systemError(QCoreApplication::translate("quillotap::AtomicFile", "Cannot write"),
                             path));
        ::unlink(temp.constData());
        return false;
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        setError(error,
                 systemError(QCoreApplication::translate("quillotap::AtomicFile", "Cannot replace"),
                             path));
        ::unlink(temp.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace quillotap
