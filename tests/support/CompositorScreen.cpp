#include "support/CompositorScreen.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace quillotap::test {

bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

std::optional<QImage> CompositorScreenshot(QString* error) {
    const auto fail = [error](const QString& why) -> std::optional<QImage> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QTemporaryDir dir;
    if (!dir.isValid())
        return fail(QStringLiteral("no temporary folder"));
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000) || shooter.exitStatus() != QProcess::NormalExit ||
        shooter.exitCode() != 0)
        return fail(QStringLiteral("weston-screenshooter failed: ") +
                    QString::fromUtf8(shooter.readAllStandardError()) + shooter.errorString());
    const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.png")}, QDir::Files);
    if (shots.isEmpty())
        return fail(QStringLiteral("weston-screenshooter wrote no picture"));
    QImage screen(dir.filePath(shots.first()));
    if (screen.isNull())
        return fail(QStringLiteral("unreadable screenshot"));
    return screen.convertToFormat(QImage::Format_RGB32);
}

bool ScreenShows(const QImage& screenImage, const QImage& pictureImage) {
    const QImage screen = screenImage.convertToFormat(QImage::Format_RGB32);
    const QImage picture = pictureImage.convertToFormat(QImage::Format_RGB32);
    if (picture.isNull() || picture.width() > screen.width() || picture.height() > screen.height())
        return false;
    // A grid of points over the picture; a place on the screen matches when
    // nearly all of them agree.
    struct Point {
        int x, y;
        QRgb colour;
    };
    std::vector<Point> points;
    constexpr int Grid = 24;
    for (int i = 0; i < Grid; ++i)
        for (int j = 0; j < Grid; ++j) {
            const int x = (2 * i + 1) * picture.width() / (2 * Grid);
            const int y = (2 * j + 1) * picture.height() / (2 * Grid);
            points.push_back({x, y, picture.pixel(x, y) & 0xffffff});
        }
    const int allowed = int(points.size()) / 20;
    for (int top = 0; top + picture.height() <= screen.height(); ++top) {
        for (int left = 0; left + picture.width() <= screen.width(); ++left) {
            int misses = 0;
            for (const Point& p : points) {
                if ((screen.pixel(left + p.x, top + p.y) & 0xffffff) != p.colour &&
                    ++misses > allowed)
                    break;
            }
            if (misses <= allowed)
                return true;
        }
    }
    return false;
}

bool WaitUntilOnScreen(QWidget& widget, bool shown, int ms) {
    QDeadlineTimer deadline(ms);
    // A window that is being shown is off the screen until its first frame:
    // that proves nothing, so wait for the frame first.
    while (widget.isVisible() && !(widget.windowHandle() && widget.windowHandle()->isExposed()) &&
           !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    // Being off the screen must hold for several screenshots in a row, each
    // a round trip to the compositor, so that a frame on its way is seen.
    const int needed = shown ? 1 : 3;
    int agreeing = 0;
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        const QImage picture = widget.grab().toImage();
        const std::optional<QImage> screen = CompositorScreenshot();
        if (screen && ScreenShows(*screen, picture) == shown) {
            if (++agreeing >= needed)
                return true;
        } else {
            agreeing = 0;
        }
    } while (!deadline.hasExpired());
    return false;
}

} // namespace quillotap::test
