#include "widgets/Bitmaps.h"

#include <QImageReader>
#include <QPixmapCache>
#include <QString>

namespace quillotap {

namespace {

// The pictures are PNG files of the program's own resources. Naming the
// format, without guessing from the contents, keeps Qt from loading every
// image format plugin to ask whether it knows the file.
// Pictures used twice (the preset buttons of both pages) are read once.
QPixmap LoadPng(const QString& path) {
    QPixmap picture;
    if (QPixmapCache::find(path, &picture))
        return picture;
    QImageReader reader(path, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    picture = QPixmap::fromImage(reader.read());
    QPixmapCache::insert(path, picture);
    return picture;
}

} // namespace

QPixmap LoadBitmap(int number) {
    return LoadPng(QStringLiteral(":/bitmaps/%1.png").arg(number));
}

QPixmap LoadKnob(Knob knob) {
    switch (knob) {
    case Knob::Horizontal:
        return LoadPng(QStringLiteral(":/bitmaps/knob_h.png"));
    case Knob::HorizontalDimmed:
        return LoadPng(QStringLiteral(":/bitmaps/knob_h_dim.png"));
    case Knob::Vertical:
        return LoadPng(QStringLiteral(":/bitmaps/knob_v.png"));
    case Knob::VerticalDimmed:
        return LoadPng(QStringLiteral(":/bitmaps/knob_v_dim.png"));
    }
    return {};
}

QIcon ProgramIcon() {
    // Read once: the windows and dialogs share it, and reading the four
    // pictures again for each would slow down the start. Never freed, so it
    // outlives the application object that its pictures belong to.
    static const QIcon* const icon = [] {
        auto* made = new QIcon;
        for (const char* name : {"quillotap-16", "quillotap-32", "quillotap", "quillotap-128"})
            made->addPixmap(LoadPng(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name))));
        return made;
    }();
    return *icon;
}

} // namespace quillotap
