// Icon mode: the main window steps aside for one icon in the notification
// area. A left click on the icon starts or stops a recording, a right click
// brings the window back; while a recording runs the icon blinks once a
// second between the recording picture and the window's own icon.
//
// A desktop without a notification area gets a minimised window instead of
// a hidden one (the user is told once per run), so the window can always be
// brought back from the taskbar; should a notification area appear while the
// window is still minimised, the icon takes over. An icon whose area goes
// away while the window is hidden likewise gives way to the minimised window.
//
// A Wayland compositor never tells a program whether its window is
// minimised (Qt takes a minimise request back at once), ignores a minimise
// request for a window it has not mapped yet, and offers no request that
// brings a minimised window back. There the standing-in window is minimised
// only once it is on the screen, its state changes are not taken for the
// user restoring it, and leaving icon mode maps it anew.
#pragma once

#include "ui/TrayIcon.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QWidget;

class QLabel;

namespace quillotap {

class IconMode : public QObject {
    Q_OBJECT
public:
    // What icon mode runs elsewhere.
    struct Operations {
        std::function<void()> record;               // the Record button
        std::function<void()> stop;                 // the Stop button
        std::function<void(const QString&)> notice; // one line on the status line
        std::function<bool()> isRecording;          // a file is being written
        std::function<bool()> isArmed;              // sound activation waits for sound
    };

    static constexpr int BlinkIntervalMs = 1000;
    static QString ReadyTip();     // "Quillotap - Ready to record", in the UI language
    static QString RecordingTip(); // "Quillotap - Recording"
    static QString BalloonTitle(); // "Quillotap"
    static QString BalloonText();  // how to use the icon, two lines
    static QString NoTrayNotice(); // why the window was only minimised

    // `window` is the window the icon stands in for.
    IconMode(QWidget& window, std::unique_ptr<TrayIcon> tray, Operations operations,
             QObject* parent = nullptr);
    ~IconMode() override;

    // Shows the icon (ready or recording picture as the recorder stands),
    // hides the window and, the first time in a run, shows the balloon.
    // Entering again while in icon mode changes nothing visible.
    void EnterIconMode();
    // The icon-mode button and hotkey: minimises the window, then enters
    // icon mode; where the minimised window stands in for a missing icon,
    // leaves it instead.
    void EnterFromWindow();
    // Shows the window normally, brings it to the front, removes the icon.
    void LeaveIconMode();
    // A balloon on the icon with the information sign.
    void ShowTrayBalloon(const QString& text, const QString& title);

    // In icon mode, shows the recording picture and tip (true) or the ready
    // ones (false). The icon never claims a recording that is not running:
    // asked for the recording picture while none runs, it shows ready.
    void showRecording(bool recording);
    // Shows the icon's ready and recording pictures on the icon-mode page.
    void showPicturesOn(QLabel* ready, QLabel* recording) const;

    // Clicks on the icon.
    void TrayLeftClick();
    void TrayRightClick();

    // The blink tick (TimerIcon, every second from creation to exit).
    void onBlinkTick();

    // The window's state changed: a window that stands in for the icon and
    // is restored by the user ends icon mode.
    void windowStateChanged();
    // The window's state changed; a window the user minimised enters icon
    // mode when `whenMinimised` (the option) says so.
    void windowStateChangedTo(bool minimised, const std::function<bool()>& whenMinimised);

    // In icon mode with a minimised window instead of an icon. Where the
    // window system does not report minimising, a window that has the focus
    // is on the screen whatever the program asked for, so it no longer
    // stands in.
    bool isStandingIn() const;

    // Whether the window system reports the window's minimised state: all
    // but Wayland do. Decided from the platform at construction; tests set it.
    static bool WindowSystemReportsMinimised();
    void setWindowSystemReportsMinimised(bool reports) { reportsMinimised_ = reports; }

    // In icon mode (with the icon, or the minimised window standing in).
    bool isActive() const { return active_; }
    // The balloon that explains the icon has been shown in this run.
    bool balloonShown() const { return balloonShown_; }

    TrayIcon& tray() const { return *tray_; }
    QTimer& blinkTimer() { return timerIcon_; }
    const QIcon& readyIcon() const { return readyIcon_; }
    const QIcon& recordingIcon() const { return recordingIcon_; }

private:
    void showPicture(bool recording);
    void standInForIcon();
    void minimiseOnceMapped();
    void tellOnceAboutMissingTray();
    bool isRecording() const;
    bool isArmed() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget& window_;
    std::unique_ptr<TrayIcon> tray_;
    Operations operations_;
    QIcon readyIcon_;
    QIcon recordingIcon_;
    QTimer timerIcon_;
    bool active_ = false;
    bool balloonShown_ = false; // the balloon has been shown once in this run
    bool blinkPhase_ = false;   // which picture the next blink tick shows
    bool standingIn_ = false;
    bool noticeGiven_ = false;
    bool entering_ = false;
    bool reportsMinimised_ = true;
    QPointer<QObject> awaitedExposure_; // the window handle whose first frame is awaited
};

} // namespace quillotap
