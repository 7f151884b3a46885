// Time to build the recordings list of a folder holding many recordings.
//   bench_recordings_list --dir <folder> [--files N] [--repeat R]
// Fills the folder with N small sparse recordings when it holds none, then
// prints the best wall time in milliseconds of R builds of the list
// ("list_build_ms"), and of one size sort of the full list ("size_sort_ms").
#include "files/RecordingsList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

using namespace quillotap;

namespace {

bool Fill(const QString& folder, int count) {
    const char* const extensions[] = {"mp3", "wav", "ogg", "wma", "vox"};
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("20261207-%1.%2")
                                 .arg(i, 6, 10, QLatin1Char('0'))
                                 .arg(QLatin1String(extensions[i % 5]));
        QFile file(folder + name);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(i % 997) * 4099))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QString folder;
    int files = 10000;
    int repeat = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--dir"))
            folder = QString::fromLocal8Bit(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--files"))
            files = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--repeat"))
            repeat = std::max(1, std::atoi(argv[i + 1]));
    }
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: %s --dir <folder> [--files N] [--repeat R]\n", argv[0]);
        return 2;
    }
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QDir().mkpath(folder);
    if (QDir(folder).isEmpty() && !Fill(folder, files)) {
        std::fprintf(stderr, "cannot create the recordings in %s\n", qPrintable(folder));
        return 1;
    }

    QTreeWidget view;
    view.setColumnCount(4);
    view.resize(600, 400);
    view.show();
    RecordingsList list(&view);
    list.setFolder(folder);

    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < repeat; ++run) {
        QElapsedTimer timer;
        timer.start();
        list.Refresh();
        QApplication::processEvents();
        best = std::min(best, timer.elapsed());
    }
    QElapsedTimer sortTimer;
    sortTimer.start();
    list.ColumnClick(RecordingsList::SizeColumn);
    QApplication::processEvents();
    const qint64 sortMs = sortTimer.elapsed();

    std::printf("rows %d\n", view.topLevelItemCount());
    std::printf("list_build_ms %lld\n", static_cast<long long>(best));
    std::printf("size_sort_ms %lld\n", static_cast<long long>(sortMs));
    return view.topLevelItemCount() == files ? 0 : 1;
}
