// The two pictures of the notification-area icon, drawn at run time so that
// every size a panel asks for is sharp: "ready" is a white microphone on a
// blue disc, "recording" a red dot. Both discs carry a white ring inside a
// dark rim, so they stand out on light and on dark panels alike.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quillotap {

enum class TrayPicture { Ready, Recording };

// One picture, `size` pixels square (at least 8).
QPixmap DrawTrayPicture(TrayPicture picture, int size);

// The picture in the sizes panels use (16, 22, 24, 32, 48 and 64 pixels).
QIcon TrayIconPicture(TrayPicture picture);

} // namespace quillotap
