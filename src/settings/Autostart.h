#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quillotap {

// The command line that starts the program at login, in icon mode:
// the program's absolute path followed by " /icon".
//
// It is written as a desktop entry's Exec value, so the path is put in
// double quotes (with ", `, $ and \ escaped) when it holds a blank or another
// character the Exec rules reserve; an unquoted path with a blank would be
// split into two arguments and never start. A "%" is doubled, as field codes
// demand.
QString AutostartExec(const QString& programPath);

// AutostartExec for this process's own executable.
QString AutostartCommand();

// Splits an Exec value back into the program and its arguments, undoing the
// quoting and "%%"; other field codes are dropped. nullopt for an empty
// command or an unterminated quote.
std::optional<QStringList> ParseAutostartExec(const QString& exec);

} // namespace quillotap
