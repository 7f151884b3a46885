// The settings save at close, on the file system of the folder it is given:
// the main window's SaveSettings storing every option into a settings file
// that holds none of them yet (as at the first close, where every value is
// new), against one atomic write of the same file.
//   bench_settings_save --dir <config folder> [--repeat R]
// Prints the medians of R runs in milliseconds, "save_ms" and "write_ms",
// and "rewrites", how often one save replaced the settings file.
#include "app/FormMain.h"
#include "settings/AtomicFile.h"
#include "settings/ConfigPaths.h"
#include "settings/Registry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

using namespace quillotap;

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Renames onto the settings file since the last call. Temporary files are
// watched too, so that the kernel does not merge consecutive renames.
int TakeRenames(int watch) {
    int renames = 0;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        if (n <= 0)
            return renames;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if ((event->mask & IN_MOVED_TO) && event->len > 0 &&
                std::strcmp(event->name, "user.reg") == 0)
                ++renames;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUILLOTAP_AUDIO", "synthetic");
    QApplication app(argc, argv);

    QString folder;
    int repeat = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--dir"))
            folder = QString::fromLocal8Bit(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--repeat"))
            repeat = std::max(1, std::atoi(argv[i + 1]));
    }
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: %s --dir <config folder> [--repeat R]\n", argv[0]);
        return 2;
    }
    QDir().mkpath(folder + QStringLiteral("/quillotap"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(QFileInfo(folder).absoluteFilePath()));
    Registry::instance().reload();
    const QString hive = hiveFilePath();

    FormMain window;
    if (!window.StartUp({QStringLiteral("quillotap")})) {
        std::fprintf(stderr, "the window did not start\n");
        return 1;
    }
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(watch, QFile::encodeName(QFileInfo(hive).path()).constData(),
                        IN_CREATE | IN_MOVED_TO);

    std::vector<double> saves;
    int rewrites = 0;
    for (int run = 0; run < repeat; ++run) {
        QFile::remove(hive);
        Registry::instance().reload();
        TakeRenames(watch);
        QElapsedTimer timer;
        timer.start();
        window.SaveSettings();
        saves.push_back(double(timer.nsecsElapsed()) / 1e6);
        rewrites = std::max(rewrites, TakeRenames(watch));
    }

    QFile saved(hive);
    if (!saved.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no settings file was written\n");
        return 1;
    }
    const QByteArray content = saved.readAll();
    std::vector<double> writes;
    for (int run = 0; run < repeat; ++run) {
        QElapsedTimer timer;
        timer.start();
        writeFileAtomically(hive, content, 0600);
        writes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    ::close(watch);

    std::printf("save_ms %.2f\n", Median(saves));
    std::printf("write_ms %.2f\n", Median(writes));
    std::printf("rewrites %d\n", rewrites);
    return 0;
}
