#include "ui/CaptionedPictures.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace quillotap {

namespace {

const char* const MenuLabels[] = {QT_TRANSLATE_NOOP("quillotap::PageMenu", "Recorder"),
                                  QT_TRANSLATE_NOOP("quillotap::PageMenu", "Files"),
                                  QT_TRANSLATE_NOOP("quillotap::PageMenu", "Hotkey"),
                                  QT_TRANSLATE_NOOP("quillotap::PageMenu", "Icon Mode"),
                                  QT_TRANSLATE_NOOP("quillotap::PageMenu", "Options"),
                                  QT_TRANSLATE_NOOP("quillotap::PageMenu", "Help")};
const char* const AboutLabel = QT_TRANSLATE_NOOP("quillotap::ChromeButtons", "About");

// How the pictures were drawn: the menu label in 12 px DejaVu Sans (bold on
// the selected picture) from x = 34, centred in the height; the About label
// in 11 px, centred, one pixel lower on the pressed picture.
QFont LabelFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QColor MenuTextColour(MenuPicture picture) {
    switch (picture) {
    case MenuPicture::Normal:
        return QColor(0x24, 0x32, 0x3f);
    case MenuPicture::Hover:
        return QColor(0x1a, 0x4f, 0x8a);
    case MenuPicture::Selected:
        return Qt::white;
    }
    return Qt::black;
}

// Right of the glyph column, inside the border.
QPixmap RelabelledMenuPicture(const QPixmap& picture, int button, const QColor& colour, bool bold) {
    const QString caption = MenuButtonCaption(button);
    if (picture.isNull() || caption == QLatin1String(MenuButtonLabel(button)))
        return picture;
    const QRect area(34, 2, picture.width() - 34 - 6, picture.height() - 4);
    return Relabelled(picture, area, 32, caption, LabelFont(12, bold), colour,
                      Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

const char* MenuButtonLabel(int button) {
    return button >= 0 && button < 6 ? MenuLabels[button] : "";
}

QString MenuButtonCaption(int button) {
    return QCoreApplication::translate("quillotap::PageMenu", MenuButtonLabel(button));
}

QPixmap MenuButtonPicture(int button, MenuPicture picture) {
    return RelabelledMenuPicture(LoadBitmap(MenuBitmapNumber(button, picture)), button,
                                 MenuTextColour(picture), picture == MenuPicture::Selected);
}

QPixmap GreyedFilesPicture() {
    return RelabelledMenuPicture(LoadBitmap(bitmap::FilesGreyed), 1, QColor(0xa9, 0xa9, 0xa9),
                                 false);
}

QPixmap AboutPicture(int number) {
    const QPixmap picture = LoadBitmap(number);
    const QString caption = QCoreApplication::translate("quillotap::ChromeButtons", AboutLabel);
    if (picture.isNull() || caption == QLatin1String(AboutLabel))
        return picture;
    const bool pressed = number == bitmap::AboutPressed;
    const QColor colour = pressed                        ? QColor(Qt::white)
                          : number == bitmap::AboutHover ? QColor(0x1a, 0x4f, 0x8a)
                                                         : QColor(0x24, 0x32, 0x3f);
    // Inside the rounded border; the pressed label sits one pixel lower.
    const QRect area(6, pressed ? 5 : 4, picture.width() - 12, picture.height() - 8);
    return Relabelled(picture, area, 5, caption, LabelFont(11, false), colour, Qt::AlignCenter);
}

QPixmap Relabelled(const QPixmap& picture, const QRect& area, int faceColumn, const QString& label,
                   const QFont& font, const QColor& colour, Qt::Alignment alignment) {
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect wiped = area.intersected(image.rect());
    for (int y = wiped.top(); y <= wiped.bottom(); ++y) {
        const QRgb face = image.pixel(faceColumn, y);
        for (int x = wiped.left(); x <= wiped.right(); ++x)
            image.setPixel(x, y, face);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(colour);
    const QString shown = QFontMetrics(font).elidedText(label, Qt::ElideRight, wiped.width());
    painter.drawText(wiped, int(alignment) | Qt::TextSingleLine, shown);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace quillotap
