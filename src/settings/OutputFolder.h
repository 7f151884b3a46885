#pragma once

#include <QString>

namespace quillotap {

// The folder that holds the executable, ending in "/". Its companion files
// lie there or in the installed share folder (see CompanionFiles.h).
QString AppFolderPath();

// The user's documents folder ending in "/", or "" when the desktop names none.
QString DocumentsFolder();

// `path` with a "/" appended when it does not end in one.
QString WithTrailingSlash(const QString& path);

// The recordings folder for the stored "FilePath" text, ending in "/".
// A stored text shorter than 3 characters counts as missing and gives
// `documentsFolder` + "Quillotap/". A folder that does not exist is created,
// one level only (its parent must exist). If that fails, the result is
// `documentsFolder` + "Quillotap/", without an attempt to create it.
QString InitOutputFolder(const QString& storedFilePath, const QString& documentsFolder);

// Before a file is written into the recordings folder: when nothing is at
// the folder's path, creates the folder, one level only (its parent must
// exist), with the user's usual permissions (the umask applies). False, with
// the reason in *reason, only when that creation fails; whatever is already
// at the path is left for the writing of the file to judge.
bool CreateOutputFolder(const QString& folder, QString* reason);

// The folder the folder chooser starts in for the text of the path box: a
// trailing "/" is dropped when the text has 4 or more characters.
QString ChooserStartFolder(const QString& pathText);

} // namespace quillotap
