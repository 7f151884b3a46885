#pragma once

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <memory>

namespace quillotap {

// A file being written by an encoder. It is created exclusively (an existing
// path is never replaced) and every write goes straight to the descriptor, so
// what an encoder hands over is on disk at once. The first failure (disk
// full, size limit, I/O error, file deleted) is remembered with a readable
// text; later writes are refused.
class OutputFile {
public:
    // Creates `path` for writing; nullptr with *error set when it exists or
    // cannot be created.
    static std::unique_ptr<OutputFile> create(const QString& path, QString* error);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Appends at the current position; false after any failure.
    bool write(const void* data, size_t size);
    // Writes at an absolute offset without moving the current position.
    bool writeAt(qint64 offset, const void* data, size_t size);
    // lseek; -1 on failure.
    qint64 seek(qint64 offset, int whence);
    qint64 size() const;
    // False (and failed) when the file has been deleted, for example with
    // its folder, while it was being written.
    bool checkStillLinked();

    int fd() const { return fd_; }
    const QString& path() const { return path_; }
    bool failed() const { return !error_.isEmpty(); }
    const QString& errorText() const { return error_; }
    // Records a failure reported by a library that wrote through fd().
    void setError(const QString& text);
    void setErrorFromErrno(int err);
    // Closes the descriptor; false when the close reports an error.
    bool close();

private:
    bool writeAll(qint64 offset, const void* data, size_t size);
    OutputFile(int fd, const QString& path) : fd_(fd), path_(path) {}
    int fd_ = -1;
    QString path_;
    QString error_;
};

// A readable text for a write failure with this errno value.
QString writeErrorText(int err);

} // namespace quillotap
