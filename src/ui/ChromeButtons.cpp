#include "ui/ChromeButtons.h"

#include "ui/Bitmaps.h"
#include "ui/PictureButton.h"

namespace quillotap {

PictureButton* CreateAboutButton(QWidget* parent) {
    auto* button =
        new PictureButton(QStringLiteral("About"), LoadBitmap(bitmap::AboutNormal),
                          LoadBitmap(bitmap::AboutHover), LoadBitmap(bitmap::AboutPressed), parent);
    button->setObjectName(QStringLiteral("PicAbout"));
    return button;
}

PictureButton* CreatePresetButton(int pane, QWidget* parent) {
    // A mouse-down keeps the hover picture; the release brings back 101.
    auto* button = new PictureButton(
        QStringLiteral("Visualization presets %1").arg(pane), LoadBitmap(bitmap::PresetNormal),
        LoadBitmap(bitmap::PresetHover), LoadBitmap(bitmap::PresetHover), parent);
    button->setObjectName(QStringLiteral("PicPreset%1").arg(pane));
    return button;
}

} // namespace quillotap
