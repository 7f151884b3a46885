// What a Wayland compositor puts on its screen, for tests that run on Qt's
// "wayland" platform under weston (started with --debug, which lets
// weston-screenshooter take pictures; see tests/e2e/test_wayland_window.sh).
// Only the compositor knows whether it shows a window: a Wayland client is
// never told that its window was minimised.
#pragma once

#include <QImage>
#include <QString>

#include <optional>

class QWidget;

namespace quillotap::test {

// Whether the tests run on Qt's Wayland platform.
bool OnWayland();

// The compositor's whole screen; nothing (and `error` says why) when no
// screenshot could be taken.
std::optional<QImage> CompositorScreenshot(QString* error = nullptr);

// Whether `picture` (a widget's own rendering, see QWidget::grab) appears
// anywhere on `screen`. A few differing points (a blinking cursor, a meter)
// are tolerated.
bool ScreenShows(const QImage& screen, const QImage& picture);

// Takes screenshots until the widget is on the screen (`shown`) or off it,
// for up to `ms`; returns whether that came true. The widget is rendered
// anew for each comparison.
bool WaitUntilOnScreen(QWidget& widget, bool shown, int ms = 10000);

} // namespace quillotap::test
