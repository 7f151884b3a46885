#include "ui/ChromeButtons.h"

#include "widgets/Bitmaps.h"
#include "ui/CaptionedPictures.h"
#include "widgets/PictureButton.h"

#include <QCoreApplication>

namespace quillotap {

PictureButton* CreateAboutButton(QWidget* parent) {
    auto* button =
        new PictureButton(QCoreApplication::translate("quillotap::ChromeButtons", "About"),
                          AboutPicture(bitmap::AboutNormal), AboutPicture(bitmap::AboutHover),
                          AboutPicture(bitmap::AboutPressed), parent);
    button->setObjectName(QStringLiteral("PicAbout"));
    return button;
}

PictureButton* CreatePresetButton(int pane, QWidget* parent) {
    // A mouse-down keeps the hover picture; the release brings back 101.
    auto* button = new PictureButton(
        QCoreApplication::translate("quillotap::ChromeButtons", "Visualization presets %1")
            .arg(pane),
        LoadBitmap(bitmap::PresetNormal), LoadBitmap(bitmap::PresetHover),
        LoadBitmap(bitmap::PresetHover), parent);
    button->setObjectName(QStringLiteral("PicPreset%1").arg(pane));
    return button;
}

} // namespace quillotap
