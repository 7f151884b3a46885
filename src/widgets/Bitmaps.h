// The program's pictures, embedded through the Qt resource system and looked
// up by their resource number (":/bitmaps/NNN.png"), plus the slider knobs and
// the program icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quillotap {

// Resource numbers of the window-chrome bitmaps.
namespace bitmap {
inline constexpr int PresetNormal = 101;
inline constexpr int PresetHover = 102;
// Page-menu button i: normal MenuFirst + 3i, hover + 1, selected + 2.
inline constexpr int MenuFirst = 103;
inline constexpr int FilesGreyed = 201;
inline constexpr int AboutNormal = 202;
inline constexpr int AboutHover = 203;
inline constexpr int AboutPressed = 204;
} // namespace bitmap

enum class MenuPicture { Normal = 0, Hover = 1, Selected = 2 };

// Resource number of page-menu button `button` (0 to 5) in the given state.
constexpr int MenuBitmapNumber(int button, MenuPicture picture) {
    return bitmap::MenuFirst + 3 * button + static_cast<int>(picture);
}

// The bitmap with that resource number; a null pixmap when there is none.
QPixmap LoadBitmap(int number);

enum class Knob { Horizontal, HorizontalDimmed, Vertical, VerticalDimmed };

// Knob picture for a picture slider.
QPixmap LoadKnob(Knob knob);

// The program icon in every size it is drawn in (16, 32, 64, 128 px).
QIcon ProgramIcon();

} // namespace quillotap
