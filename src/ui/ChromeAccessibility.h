// Screen-reader support for the picture buttons and picture sliders: they are
// plain widgets that paint pictures, so without this a screen reader would see
// an unnamed "client" area. Buttons become push buttons with a press action,
// sliders become sliders with a readable and settable value.
#pragma once

namespace quillotap {

// Installs the accessibility factory once per process; safe to call often.
void InstallChromeAccessibility();

} // namespace quillotap
