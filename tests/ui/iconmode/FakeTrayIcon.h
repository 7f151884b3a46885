// A notification-area icon that only notes what is done to it, in order, and
// lets a test click it. Icons are named through `names` (cache key to name);
// `probe`, when set, adds what the test wants to know at the moment of each
// picture change (for example whether a recording runs yet).
#pragma once

#include "ui/TrayIcon.h"

#include <QStringList>
#include <functional>
#include <map>

namespace quillotap::test {

class FakeTrayIcon : public TrayIcon {
public:
    bool isAvailable() const override { return available; }
    void show() override {
        visible = true;
        log << QStringLiteral("show");
    }
    void hide() override {
        if (visible)
            log << QStringLiteral("hide");
        visible = false;
    }
    bool isVisible() const override { return visible; }
    void setIcon(const QIcon& i) override {
        icon = i;
        QString entry = QStringLiteral("icon ") + nameOf(i);
        if (probe)
            entry += QStringLiteral(" (") + probe() + QStringLiteral(")");
        log << entry;
    }
    void setToolTip(const QString& text) override {
        toolTip = text;
        log << QStringLiteral("tip ") + text;
    }
    void showMessage(const QString& title, const QString& text) override {
        messages << title + QStringLiteral("|") + text;
        log << QStringLiteral("balloon");
    }

    void leftClick() { leftClicked(); }
    void rightClick() { rightClicked(); }

    QString nameOf(const QIcon& i) const {
        auto found = names.find(i.cacheKey());
        return found == names.end() ? QStringLiteral("other") : found->second;
    }
    QString iconName() const { return nameOf(icon); }

    bool available = true;
    bool visible = false;
    QIcon icon;
    QString toolTip;
    QStringList messages;
    QStringList log;
    std::map<qint64, QString> names;
    std::function<QString()> probe;
};

} // namespace quillotap::test
