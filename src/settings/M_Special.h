#pragma once

#include "settings/Registry.h"

#include <QString>
#include <QVariant>

namespace quillotap {

// The registry helpers every settings access goes through, with the shapes of
// the registry calls they wrap. Key paths are relative to the root and use
// backslashes ("Software\Velmora Software\Quillotap"). Results are the
// registry's codes: ERROR_SUCCESS (0), ERROR_FILE_NOT_FOUND (2), ...

enum class RegRoot { CurrentUser };
inline constexpr RegRoot HKEY_CURRENT_USER = RegRoot::CurrentUser;

// Creates the key (and its parents) if it does not exist yet.
long CreateNewKey(RegRoot root, const QString& keyPath);

// REG_SZ: stores value.toString() as UTF-8, up to its first NUL character.
// REG_DWORD: stores the value as a 32-bit number. Other types are refused
// with ERROR_INVALID_PARAMETER.
long SetValueEx(const RegKey& key, const QString& valueName, long type, const QVariant& value);

// Opens the existing key and calls SetValueEx.
long SetKeyValue(RegRoot root, const QString& keyPath, const QString& valueName,
                 const QVariant& value, long type);

// Reads a value into `value`: REG_SZ as a QString holding every stored
// character (a terminating NUL included), REG_DWORD as a signed 32-bit
// number. On failure returns the error and leaves `value` an empty string;
// for any other type returns -1 and leaves it empty too.
long QueryValueEx(const RegKey& key, const QString& valueName, QVariant& value);

// Opens the key and calls QueryValueEx; the value, or an empty string.
QVariant QueryValue(RegRoot root, const QString& keyPath, const QString& valueName);

// Opens the key and deletes the value.
long DeleteValue(RegRoot root, const QString& keyPath, const QString& valueName);

// True when `folderPath` is a folder this process can enter and list.
bool FolderExists(const QString& folderPath);

} // namespace quillotap
