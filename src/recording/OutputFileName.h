// Names of new recordings: the start date and time and the format's extension.
#pragma once

#include <QDateTime>
#include <QString>

namespace quillotap {

// "YYYYMMDD-HHMMSS." + the format text in lower case, for example
// 20261207-181541.mp3.
QString MakeOutputFileName(const QString& formatText, const QDateTime& when);

// The same name, but never that of a file or folder that exists in `folder`
// (which ends in "/"): two recordings started within one second get
// "20261207-181541.mp3", "20261207-181541-2.mp3", "20261207-181541-3.mp3"...
QString UniqueOutputFileName(const QString& folder, const QString& formatText,
                             const QDateTime& when);

} // namespace quillotap
