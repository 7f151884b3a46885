#include "recording/OutputFileName.h"

#include <QFileInfo>

namespace quillotap {

namespace {

QString stamp(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

} // namespace

QString MakeOutputFileName(const QString& formatText, const QDateTime& when) {
    return stamp(when) + QLatin1Char('.') + formatText.toLower();
}

QString UniqueOutputFileName(const QString& folder, const QString& formatText,
                             const QDateTime& when) {
    const QString extension = QLatin1Char('.') + formatText.toLower();
    const QString base = stamp(when);
    QString name = base + extension;
    // exists() follows symbolic links; a dangling link is taken as occupied too.
    auto occupied = [&](const QString& candidate) {
        const QFileInfo info(folder + candidate);
        return info.exists() || info.isSymLink();
    };
    for (int counter = 2; occupied(name); ++counter)
        name = base + QLatin1Char('-') + QString::number(counter) + extension;
    return name;
}

} // namespace quillotap
