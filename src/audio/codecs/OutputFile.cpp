#include "audio/codecs/OutputFile.h"

#include <QFile>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillotap {

QString writeErrorText(int err) {
    switch (err) {
    case ENOSPC:
        return QCoreApplication::translate("quillotap::OutputFile", "The disk is full.");
    case EDQUOT:
        return QCoreApplication::translate("quillotap::OutputFile", "The disk quota is exhausted.");
    case EFBIG:
        return QCoreApplication::translate("quillotap::OutputFile",
                                           "The file has reached the largest size allowed.");
    case EIO:
        return QCoreApplication::translate(
            "quillotap::OutputFile", "An input/output error occurred while writing the file.");
    case EROFS:
        return QCoreApplication::translate("quillotap::OutputFile", "The disk is read-only.");
    default:
        return QCoreApplication::translate("quillotap::OutputFile",
                                           "The file could not be written: %1.")
            .arg(QString::fromLocal8Bit(std::strerror(err)));
    }
}

std::unique_ptr<OutputFile> OutputFile::create(const QString& path, QString* error) {
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty()) {
        *error = QCoreApplication::translate("quillotap::OutputFile", "No file name was given.");
        return nullptr;
    }
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int err = errno;
        if (err == EEXIST)
            *error = QCoreApplication::translate("quillotap::OutputFile",
                                                 "The file \"%1\" already exists.")
                         .arg(path);
        else if (err == ENOENT)
            *error = QCoreApplication::translate("quillotap::OutputFile",
                                                 "The folder of \"%1\" does not exist.")
                         .arg(path);
        else if (err == EACCES || err == EPERM)
            *error = QCoreApplication::translate("quillotap::OutputFile",
                                                 "Permission denied to create \"%1\".")
                         .arg(path);
        else
            *error = QCoreApplication::translate("quillotap::OutputFile",
                                                 "The file \"%1\" could not be created: %2.")
                         .arg(path, QString::fromLocal8Bit(std::strerror(err)));
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(fd, path));
}

OutputFile::~OutputFile() {
    close();
}

void OutputFile::setError(const QString& text) {
    if (error_.isEmpty())
        error_ = text.isEmpty() ? QCoreApplication::translate("quillotap::OutputFile",
                                                              "The file could not be written.")
                                : text;
}

void OutputFile::setErrorFromErrno(int err) {
    setError(writeErrorText(err));
}

bool OutputFile::write(const void* data, size_t size) {
    return writeAll(-1, data, size);
}

bool OutputFile::writeAt(qint64 offset, const void* data, size_t size) {
    return writeAll(offset, data, size);
}

// Writes everything, at the current position (offset < 0) or at `offset`,
// retrying interrupted and partial writes; a write that makes no progress
// counts as a full disk.
bool OutputFile::writeAll(qint64 offset, const void* data, size_t size) {
    if (failed() || fd_ < 0)
        return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n =
            offset < 0 ? ::write(fd_, p, size) : ::pwrite(fd_, p, size, off_t(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setErrorFromErrno(errno);
            return false;
        }
        if (n == 0) {
            setErrorFromErrno(ENOSPC);
            return false;
        }
        p += n;
        if (offset >= 0)
            offset += n;
        size -= size_t(n);
    }
    return true;
}

qint64 OutputFile::seek(qint64 offset, int whence) {
    if (fd_ < 0)
        return -1;
    return qint64(::lseek(fd_, off_t(offset), whence));
}

qint64 OutputFile::size() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return -1;
    return qint64(st.st_size);
}

bool OutputFile::checkStillLinked() {
    if (failed())
        return false;
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        setError(QCoreApplication::translate("quillotap::OutputFile",
                                             "The file is no longer accessible."));
        return false;
    }
    if (st.st_nlink == 0) {
        setError(QCoreApplication::translate(
            "quillotap::OutputFile",
            "The file or its folder was deleted while it was being written."));
        return false;
    }
    return true;
}

bool OutputFile::close() {
    if (fd_ < 0)
        return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0 && errno != EINTR) {
        setErrorFromErrno(errno);
        return false;
    }
    return true;
}

} // namespace quillotap
