// Screen-reader support for the picture buttons, picture sliders and value
// labels. Picture buttons and sliders are plain widgets that paint pictures, so
// without this a screen reader would see an unnamed "client" area: buttons
// become push buttons with a press action, sliders become sliders with a
// readable and settable value. Value labels are named by what they show and
// the value itself.
#pragma once

namespace quillotap {

// Installs the accessibility factory once per process; safe to call often.
void InstallChromeAccessibility();

} // namespace quillotap
