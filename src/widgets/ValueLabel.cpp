#include "widgets/ValueLabel.h"

#include "widgets/ChromeAccessibility.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace quillotap {

ValueLabel::ValueLabel(QWidget* parent) : QLabel(parent) {
    InstallChromeAccessibility();
}

ValueLabel::ValueLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    InstallChromeAccessibility();
    setText(text);
}

void ValueLabel::setValueCaption(const QString& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    // QLabel announces its own text changes (its accessible name stays
    // empty for that reason); a new caption is announced here.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void ValueLabel::setElideMode(Qt::TextElideMode mode) {
    if (elide_ == mode)
        return;
    elide_ = mode;
    updateGeometry();
    update();
}

QString ValueLabel::spokenName() const {
    if (caption_.isEmpty())
        return text();
    if (text().isEmpty())
        return caption_;
    return caption_ + QLatin1Char(' ') + text();
}

int ValueLabel::availableWidth() const {
    int width = contentsRect().width() - 2 * margin();
    if (indent() > 0)
        width -= indent();
    return width;
}

QString ValueLabel::shownText() const {
    const QString whole = text();
    if (elide_ == Qt::ElideNone || wordWrap() || whole.isEmpty() || textFormat() == Qt::RichText ||
        whole.contains(QLatin1Char('\n')))
        return whole;
    const QFontMetrics metrics = fontMetrics();
    const int width = availableWidth();
    if (metrics.horizontalAdvance(whole) <= width)
        return whole;
    if (elide_ == Qt::ElideMiddle) {
        // A path keeps its last part (the file name) whole while there is
        // room, and its folders are shortened in the middle.
        const int slash = int(whole.lastIndexOf(QLatin1Char('/')));
        if (slash > 0) {
            const QString tail = whole.mid(slash);
            const int room = width - metrics.horizontalAdvance(tail);
            if (room >= metrics.horizontalAdvance(QStringLiteral("/ab…")))
                return metrics.elidedText(whole.left(slash), Qt::ElideMiddle, room) + tail;
        }
    }
    return metrics.elidedText(whole, elide_, width);
}

QSize ValueLabel::minimumSizeHint() const {
    QSize hint = QLabel::minimumSizeHint();
    if (elide_ != Qt::ElideNone && !wordWrap())
        hint.setWidth(std::min(
            hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("MMM…")) + 2 * margin()));
    return hint;
}

bool ValueLabel::event(QEvent* event) {
    // A shortened value shows itself whole as the tooltip.
    if (event->type() == QEvent::ToolTip && isShortened()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

void ValueLabel::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (indent() > 0)
        area.adjust(indent(), 0, 0, 0);
    const int align = int(QStyle::visualAlignment(layoutDirection(), alignment()));
    style()->drawItemText(&painter, area, align, palette(), isEnabled(), shown, foregroundRole());
}

} // namespace quillotap
