#include "recording/RecordingTexts.h"
#include <QCoreApplication>

namespace quillotap {

QString RecordingStoppedStatus(const QString& reason) {
    return QCoreApplication::translate("quillotap::RecordingTexts", "Recording stopped. ") + reason;
}

QString PreviewStoppedStatus(const QString& reason) {
    return QCoreApplication::translate("quillotap::RecordingTexts", "Preview stopped. ") + reason;
}

QString FormatKilobytes(double kilobytes, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(kilobytes, 'f', 2);
}

QString RunningSizeText(qint64 bytes, const QLocale& locale) {
    return FormatKilobytes(double(bytes) / 1024.0, locale) + QStringLiteral(" KB");
}

QString FinalSizeText(qint64 bytes, const QLocale& locale) {
    return FormatKilobytes(double(bytes) / 1024.0, locale) + QStringLiteral(" Kb");
}

} // namespace quillotap
