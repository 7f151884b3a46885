// The window's stand-alone picture buttons: the About button and the two
// visualization preset buttons.
#pragma once

class QWidget;

namespace quillotap {

class PictureButton;

// PicAbout: "About" in bitmaps 202 (normal), 203 (hover), 204 (pressed).
PictureButton* CreateAboutButton(QWidget* parent);

// PicPreset1 or PicPreset2 (pane 1 or 2): bitmap 101, 102 while hovered.
PictureButton* CreatePresetButton(int pane, QWidget* parent);

} // namespace quillotap
