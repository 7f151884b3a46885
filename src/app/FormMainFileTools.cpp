// The files page's tag editor and converter buttons.
#include "app/FormMain.h"

namespace quillotap {

void FormMain::setUpFileTools() {}

} // namespace quillotap
