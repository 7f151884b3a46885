#include "settings/AutostartEntry.h"

#include "settings/AtomicFile.h"
#include "settings/ConfigPaths.h"

#include <QFile>
#include <QFileInfo>

namespace quillotap::AutostartEntry {

namespace {

// An autostart entry is a few hundred bytes; a larger file is read in part.
constexpr qint64 kMaxEntryBytes = 64 * 1024;

struct Entry {
    bool found = false;
    QString exec;
    bool disabled = false;
};

// The keys of the [Desktop Entry] group that matter here.
Entry parseEntry(const QString& text) {
    Entry entry;
    bool inMainGroup = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            inMainGroup = t == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || t.startsWith(QLatin1Char('#')) || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Exec")) {
            entry.found = true;
            entry.exec = unescapeValue(value);
        } else if (key == QLatin1String("Hidden") && value == QLatin1String("true")) {
            entry.disabled = true;
        } else if (key == QLatin1String("X-GNOME-Autostart-enabled") &&
                   value == QLatin1String("false")) {
            entry.disabled = true;
        }
    }
    return entry;
}

} // namespace

QString escapeValue(const QString& value) {
    QString out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        // Readers trim blanks around a value, so blanks at its ends are escaped.
        else if (c == QLatin1Char(' ') && (i == 0 || i == value.size() - 1))
            out += QLatin1String("\\s");
        else
            out += c;
    }
    return out;
}

QString unescapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case '\\':
            out += QLatin1Char('\\');
            break;
        default: // not a string escape: kept as written
            out += c;
            out += next;
        }
    }
    return out;
}

bool write(const QString& command, QString* error) {
    const QString path = autostartEntryPath();
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Quillotap\n"
                                        "Comment=Sound recorder started and stopped by hotkeys\n"
                                        "Exec=%1\n"
                                        "Icon=quillotap\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(escapeValue(command));
    return makePrivateFolderPath(QFileInfo(path).absolutePath(), error) &&
           writeFileAtomically(path, text.toUtf8(), 0644, error);
}

std::optional<QString> read() {
    QFile file(autostartEntryPath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const Entry entry = parseEntry(QString::fromUtf8(file.read(kMaxEntryBytes)));
    if (!entry.found || entry.disabled)
        return std::nullopt;
    return entry.exec;
}

bool exists() {
    return QFileInfo::exists(autostartEntryPath());
}

bool remove(QString* error) {
    const QString path = autostartEntryPath();
    QFile file(path);
    if (file.remove() || !QFileInfo::exists(path))
        return true;
    if (error)
        *error = QStringLiteral("Cannot remove %1: %2").arg(path, file.errorString());
    return false;
}

} // namespace quillotap::AutostartEntry
