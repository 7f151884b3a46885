#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace quillotap {

namespace {

constexpr auto kLockName = "/quillotap.lock";
constexpr auto kSocketName = "/quillotap.socket";

// A folder only this user can use: created 0700, or already there as a real
// folder (not a link) owned by this user, tightened to 0700. In a folder that
// others can write to, another user could hold or replace the lock.
bool isPrivateFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    ::mkdir(native.constData(), 0700);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 0777) == 0700 || ::chmod(native.constData(), 0700) == 0;
}

// The folder of the lock and the socket.
QString runtimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime))
        return runtime;
    const QString fallback = QStringLiteral("/tmp/quillotap-%1").arg(::getuid());
    if (isPrivateFolder(fallback))
        return fallback;
    // /tmp/quillotap-<uid> is taken by someone else: use the user's cache.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    return cache;
}

} // namespace

SingleInstance::SingleInstance(const QString& lockFilePath) : lock_(lockFilePath) {
    // Age alone never makes the lock stale (a program may run for weeks);
    // it is stale only when the process that wrote it is gone.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::tryLock() {
    return lock_.isLocked() || lock_.tryLock(0);
}

void SingleInstance::release() {
    lock_.unlock();
}

QString SingleInstance::defaultLockFilePath() {
    return runtimeFolder() + QLatin1String(kLockName);
}

QString SingleInstance::defaultSocketPath() {
    return runtimeFolder() + QLatin1String(kSocketName);
}

} // namespace quillotap
