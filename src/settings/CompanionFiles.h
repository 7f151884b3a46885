// The program's companion files (the cue sounds and the manual). A build
// tree keeps them beside the executable; an installation keeps the
// executable in <prefix>/bin and them in <prefix>/share/quillotap, so the
// program finds them from its own location whatever the prefix.
#pragma once

#include <QString>

namespace quillotap {

// The installed companion folder, relative to the executable's folder.
inline constexpr const char* InstalledCompanionFolder = "../share/quillotap/";

// Where the companion file `name` of a program in `appFolder` (ending in "/")
// lies: `appFolder` + `name` when that file exists, else the installed copy
// in `appFolder` + "../share/quillotap/" (the path cleaned of "..") when that
// one exists. When neither exists the answer is `appFolder` + `name`, a
// missing file, which callers treat as "no such companion".
QString CompanionFilePath(const QString& appFolder, const QString& name);

} // namespace quillotap
