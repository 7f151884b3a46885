#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/inotify.h>
#include <unistd.h>

namespace quillotap::test {

// Counts how often a file of the folder is replaced by a rename onto it, as
// every atomic save of the hive does. The kernel merges an event into an
// identical one still unread, so the creations of the temporary files are
// watched too: they come between two renames and keep each one apart.
class FileReplacements {
public:
    FileReplacements(const QString& folder, const QString& name) : name_(QFile::encodeName(name)) {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0)
            ::inotify_add_watch(fd_, QFile::encodeName(folder).constData(),
                                IN_CREATE | IN_MOVED_TO);
    }
    ~FileReplacements() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    // The replacements since the last call.
    int take() {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                return count;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if ((event->mask & IN_MOVED_TO) && event->len > 0 && name_ == event->name)
                    ++count;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    QByteArray name_;
    int fd_ = -1;
};

} // namespace quillotap::test
