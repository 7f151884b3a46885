#pragma once

#include <QLockFile>
#include <QString>

namespace quillotap {

// The per-user lock that keeps a second copy of the program from starting.
// Take it before any window exists; it is released when the object goes
// away or the process ends. A lock file left by a process that no longer
// runs is recognised by its process id and taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockFilePath = defaultLockFilePath());

    // True when this object now holds the lock; false while another live
    // process (or another SingleInstance in this one) holds it.
    bool tryLock();
    void release();
    bool isLocked() const { return lock_.isLocked(); }

    // $XDG_RUNTIME_DIR/quillotap.lock; without XDG_RUNTIME_DIR a private
    // folder /tmp/quillotap-<uid> (mode 0700, owned by the user) holds it.
    static QString defaultLockFilePath();
    // The remote-control socket the lock's holder listens on, beside the lock.
    static QString defaultSocketPath();

private:
    QLockFile lock_;
};

} // namespace quillotap
