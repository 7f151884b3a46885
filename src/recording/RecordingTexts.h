// Texts the recording page shows.
#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>

namespace quillotap {

inline constexpr const char* StatusRecording =
    QT_TRANSLATE_NOOP("quillotap::RecordingTexts", "Recording");
inline constexpr const char* StatusReady =
    QT_TRANSLATE_NOOP("quillotap::RecordingTexts", "Ready to record");

// The status line after the input was lost; `reason` says what happened.
QString RecordingStoppedStatus(const QString& reason); // "Recording stopped. …"
QString PreviewStoppedStatus(const QString& reason);   // "Preview stopped. …"

// Kilobytes with digit grouping and two decimals ("#,#0.#0") in the
// locale's separators: 1234.5 is "1,234.50" in English, "1.234,50" in German.
QString FormatKilobytes(double kilobytes, const QLocale& locale = QLocale());

// The size line while recording ("… KB") and the final one after a stop ("… Kb").
QString RunningSizeText(qint64 bytes, const QLocale& locale = QLocale());
QString FinalSizeText(qint64 bytes, const QLocale& locale = QLocale());

} // namespace quillotap
