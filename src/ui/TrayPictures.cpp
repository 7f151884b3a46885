#include "ui/TrayPictures.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quillotap {

namespace {

const QColor Rim(0x14, 0x1c, 0x26);
const QColor Ring(0xff, 0xff, 0xff);
const QColor ReadyTop(0x5a, 0x9c, 0xe2);
const QColor ReadyBottom(0x1f, 0x58, 0x9c);
const QColor RecordingTop(0xf2, 0x4b, 0x4b);
const QColor RecordingBottom(0xb3, 0x12, 0x12);
const QColor Glyph(0xff, 0xff, 0xff);

// The disc every picture stands on: dark rim, white ring, coloured face.
// `u` is one sixteenth of the picture; returns the face's rectangle.
QRectF drawDisc(QPainter& p, qreal u, const QColor& top, const QColor& bottom) {
    const QRectF outer(0, 0, 16 * u, 16 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(Rim);
    p.drawEllipse(outer.adjusted(0.1 * u, 0.1 * u, -0.1 * u, -0.1 * u));
    p.setBrush(Ring);
    p.drawEllipse(outer.adjusted(1.1 * u, 1.1 * u, -1.1 * u, -1.1 * u));
    const QRectF face = outer.adjusted(2.3 * u, 2.3 * u, -2.3 * u, -2.3 * u);
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    p.setBrush(shade);
    p.drawEllipse(face);
    return face;
}

// A microphone: the capsule, the holder around its lower half, the stem and
// the foot, in white.
void drawMicrophone(QPainter& p, qreal u) {
    p.setPen(Qt::NoPen);
    p.setBrush(Glyph);
    p.drawRoundedRect(QRectF(6.5 * u, 3.8 * u, 3.0 * u, 5.6 * u), 1.5 * u, 1.5 * u);
    QPen line(Glyph, 1.0 * u);
    line.setCapStyle(Qt::FlatCap);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    QPainterPath holder;
    holder.moveTo(5.0 * u, 7.3 * u);
    holder.arcTo(QRectF(5.0 * u, 5.0 * u, 6.0 * u, 5.6 * u), 180, 180);
    p.drawPath(holder);
    p.drawLine(QPointF(8 * u, 10.6 * u), QPointF(8 * u, 11.9 * u));
    p.drawLine(QPointF(6.2 * u, 12.2 * u), QPointF(9.8 * u, 12.2 * u));
}

} // namespace

QPixmap DrawTrayPicture(TrayPicture picture, int size) {
    size = std::max(size, 8);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    if (picture == TrayPicture::Ready) {
        drawDisc(p, u, ReadyTop, ReadyBottom);
        drawMicrophone(p, u);
    } else {
        const QRectF face = drawDisc(p, u, RecordingTop, RecordingBottom);
        // A soft highlight makes the dot read as a lit lamp.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(QRectF(face.left() + 1.6 * u, face.top() + 1.2 * u, 3.2 * u, 2.4 * u));
    }
    p.end();
    return QPixmap::fromImage(image);
}

QIcon TrayIconPicture(TrayPicture picture) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(DrawTrayPicture(picture, size));
    return icon;
}

} // namespace quillotap
