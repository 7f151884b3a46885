// The window-chrome pictures whose labels are drawn into them: the page-menu
// buttons and the About button. In English they are shown as drawn; in
// another UI language their label is painted over, in that language, in the
// picture's own colour and at its own place.
#pragma once

#include "widgets/Bitmaps.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

namespace quillotap {

// The English label of page-menu button `button` (0 to 5), as its pictures
// show it, and that label in the UI language.
const char* MenuButtonLabel(int button);
QString MenuButtonCaption(int button);

// The picture of page-menu button `button` in the given state, and the greyed
// Files button, labelled in the UI language.
QPixmap MenuButtonPicture(int button, MenuPicture picture);
QPixmap GreyedFilesPicture();

// The About button's pictures (bitmap::AboutNormal, AboutHover or
// AboutPressed) labelled in the UI language.
QPixmap AboutPicture(int number);

// `picture` with `area` wiped to the button face (each row takes the colour
// of column `faceColumn`, which holds no text) and `label` written into it,
// shortened with "…" when it does not fit.
QPixmap Relabelled(const QPixmap& picture, const QRect& area, int faceColumn, const QString& label,
                   const QFont& font, const QColor& colour, Qt::Alignment alignment);

} // namespace quillotap
