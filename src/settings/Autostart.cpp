#include "settings/Autostart.h"

#include <QCoreApplication>

namespace quillotap {

namespace {

const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=");
const QString kEscapedInQuotes = QStringLiteral("\"`$\\");

QString quotedArgument(const QString& argument) {
    QString text = argument;
    text.replace(QLatin1Char('%'), QLatin1String("%%"));
    bool needsQuotes = text.isEmpty();
    for (QChar c : text)
        needsQuotes = needsQuotes || kReserved.contains(c);
    if (!needsQuotes)
        return text;
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (kEscapedInQuotes.contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

} // namespace

QString AutostartExec(const QString& programPath) {
    return quotedArgument(programPath) + QStringLiteral(" /icon");
}

QString AutostartCommand() {
    return AutostartExec(QCoreApplication::applicationFilePath());
}

std::optional<QStringList> ParseAutostartExec(const QString& exec) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false; // the current argument had quotes, so "" counts
    bool inQuotes = false;
    const auto endArgument = [&] {
        // An argument made only of field codes expands to nothing.
        if (inArgument && (quoted || !current.isEmpty()))
            arguments += current;
        current.clear();
        inArgument = quoted = false;
    };
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        const bool hasNext = i + 1 < exec.size();
        if (!inQuotes && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            endArgument();
            continue;
        }
        inArgument = true;
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            quoted = true;
        } else if (c == QLatin1Char('%')) {
            // "%%" is a percent sign; any other field code has nothing to
            // expand at login and is dropped.
            if (hasNext && exec[i + 1] == QLatin1Char('%'))
                current += QLatin1Char('%');
            ++i;
        } else if (inQuotes && c == QLatin1Char('\\') && hasNext &&
                   kEscapedInQuotes.contains(exec[i + 1])) {
            current += exec[++i];
        } else {
            current += c;
        }
    }
    if (inQuotes)
        return std::nullopt;
    endArgument();
    if (arguments.isEmpty())
        return std::nullopt;
    return arguments;
}

} // namespace quillotap
