// The one icon the program puts in the desktop's notification area while the
// window is hidden. The interface is what icon mode needs from it; the real
// one sits on QSystemTrayIcon, tests put in one that records the calls.
#pragma once

#include <QIcon>
#include <QString>
#include <functional>
#include <utility>

namespace quillotap {

class TrayIcon {
public:
    using Handler = std::function<void()>;

    virtual ~TrayIcon() = default;

    // Whether the desktop has a notification area to show the icon in now.
    virtual bool isAvailable() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    virtual void setToolTip(const QString& text) = 0;
    // A short information balloon pointing at the icon.
    virtual void showMessage(const QString& title, const QString& text) = 0;

    // What a left and a right click on the icon run.
    void onLeftClick(Handler handler) { leftClick_ = std::move(handler); }
    void onRightClick(Handler handler) { rightClick_ = std::move(handler); }

protected:
    void leftClicked() {
        if (leftClick_)
            leftClick_();
    }
    void rightClicked() {
        if (rightClick_)
            rightClick_();
    }

private:
    Handler leftClick_;
    Handler rightClick_;
};

} // namespace quillotap
