#pragma once

#include <QString>

#include <optional>

namespace quillotap {

// The desktop's login autostart entry for this program, the file
// $XDG_CONFIG_HOME/autostart/quillotap.desktop. It stands in for the value
// "Quillotap" of the Run key: the value's text is the entry's Exec command.
namespace AutostartEntry {

// Writes the entry (atomically, creating the autostart folder if needed)
// with `command` as its Exec line. False when the file cannot be written,
// with the reason in *error.
bool write(const QString& command, QString* error = nullptr);

// The Exec command of the entry, with the desktop file's string escapes
// undone; nullopt when there is no entry or the user disabled it in the
// desktop's start-up settings (Hidden=true, X-GNOME-Autostart-enabled=false).
std::optional<QString> read();

bool exists();

// Removes the entry; true when no entry is left, else false with the
// reason in *error.
bool remove(QString* error = nullptr);

// Escaping of a desktop-file string value, and its reverse.
QString escapeValue(const QString& value);
QString unescapeValue(const QString& value);

} // namespace AutostartEntry

} // namespace quillotap
