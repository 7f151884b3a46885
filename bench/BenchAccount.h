// A private account for a benchmark that runs the whole window: its own home,
// settings and runtime folders in a temporary folder, so that the benchmark
// neither reads nor changes the user's settings and recordings.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace quillotap::bench {

// Points HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR into `home` (which must
// outlive the run); false when the temporary folder could not be made.
inline bool UsePrivateAccount(const QTemporaryDir& home) {
    if (!home.isValid())
        return false;
    for (const char* sub : {"config", "run", "Documents"})
        QDir().mkpath(home.path() + QLatin1Char('/') + QLatin1String(sub));
    QFile::setPermissions(home.path() + QStringLiteral("/run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path() + QStringLiteral("/run")));
    return true;
}

} // namespace quillotap::bench
