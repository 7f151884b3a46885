// The window's picture sliders as its forms create them (a form passes only
// the parent); each class fixes the orientation and the range of its kind.
#pragma once

#include "widgets/PictureSlider.h"

namespace quillotap {

// Playback position and input balance run from 0 to 100.
class PercentSlider : public PictureSlider {
    Q_OBJECT
public:
    explicit PercentSlider(QWidget* parent = nullptr)
        : PictureSlider(Qt::Horizontal, 100, parent) {}
};

// Player volume, 0 to 65535 from left to right.
class HorizontalVolumeSlider : public PictureSlider {
    Q_OBJECT
public:
    explicit HorizontalVolumeSlider(QWidget* parent = nullptr)
        : PictureSlider(Qt::Horizontal, 65535, parent) {}
};

// Input volume, 0 at the bottom to 65535 at the top.
class VerticalVolumeSlider : public PictureSlider {
    Q_OBJECT
public:
    explicit VerticalVolumeSlider(QWidget* parent = nullptr)
        : PictureSlider(Qt::Vertical, 65535, parent) {}
};

} // namespace quillotap
