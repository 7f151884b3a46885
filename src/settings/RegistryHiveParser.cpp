// Reading of the REGEDIT4 text form of a RegistryHive. Every malformed input
// ends in a ParseError naming the line; the parser is linear in the size of
// the text, so huge or hostile files cost time in proportion, nothing more.
#include "settings/RegistryHive.h"
#include <QCoreApplication>

namespace quillotap {

namespace {

constexpr QByteArrayView kHeader = "REGEDIT4";
constexpr QByteArrayView kRoot = "HKEY_CURRENT_USER";
constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedStart(QByteArrayView s) {
    qsizetype i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return s.sliced(i);
}

QByteArrayView trimmed(QByteArrayView s) {
    s = trimmedStart(s);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

bool startsWithNoCase(QByteArrayView s, QByteArrayView prefix) {
    return s.size() >= prefix.size() &&
           s.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits.
std::optional<quint32> hexNumber(QByteArrayView s) {
    if (s.isEmpty() || s.size() > 8)
        return std::nullopt;
    quint32 n = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        n = n * 16 + static_cast<quint32>(d);
    }
    return n;
}

struct Failure {
    QString message;
};

class Parser {
public:
    explicit Parser(QByteArrayView text) : text_(text) {
        if (text_.startsWith(kUtf8Bom))
            text_ = text_.sliced(kUtf8Bom.size());
    }

    std::optional<RegistryHive> run(RegistryHive::ParseError* error) {
        std::optional<Failure> failure = readHeader();
        while (!failure && nextLine())
            failure = readLine();
        if (!failure)
            return std::move(hive_);
        if (error)
            *error = {lineNo_, failure->message};
        return std::nullopt;
    }

private:
    // Moves to the next physical line; false at the end of the text.
    bool nextLine() {
        if (pos_ >= text_.size())
            return false;
        qsizetype end = text_.indexOf('\n', pos_);
        if (end < 0)
            end = text_.size();
        line_ = text_.sliced(pos_, end - pos_);
        if (line_.endsWith('\r'))
            line_.chop(1);
        pos_ = end + 1;
        ++lineNo_;
        return true;
    }

    std::optional<Failure> readHeader() {
        while (nextLine()) {
            const QByteArrayView t = trimmed(line_);
            if (t.isEmpty())
                continue;
            if (t == kHeader)
                return std::nullopt;
            if (t.startsWith("Windows Registry Editor"))
                return Failure{
                    QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                "a UTF-16 registry export is not a REGEDIT4 file")};
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "the first line is not \"REGEDIT4\"")};
        }
        lineNo_ = 0;
        return Failure{
            QCoreApplication::translate("quillotap::RegistryHiveParser", "the file is empty")};
    }

    std::optional<Failure> readLine() {
        if (line_.contains('\0'))
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "the line holds a NUL byte")};
        const QByteArrayView t = trimmedStart(line_);
        if (t.isEmpty() || t.startsWith(';'))
            return std::nullopt;
        if (t.startsWith('['))
            return readSection(trimmed(t));
        if (t.startsWith('"') || t.startsWith('@'))
            return readValue(t);
        return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                   "a line must be a [key] or a \"name\"=value")};
    }

    std::optional<Failure> readSection(QByteArrayView t) {
        if (!t.endsWith(']'))
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "the key name has no closing ]")};
        const QByteArrayView inner = t.sliced(1, t.size() - 2);
        if (inner.startsWith('-'))
            return Failure{
                QCoreApplication::translate("quillotap::RegistryHiveParser",
                                            "deleting keys is not supported in a settings file")};
        QByteArrayView rest;
        if (inner.compare(kRoot, Qt::CaseInsensitive) == 0) {
            rest = {};
        } else if (startsWithNoCase(inner, kRoot) && inner.size() > kRoot.size() &&
                   inner[kRoot.size()] == '\\') {
            rest = inner.sliced(kRoot.size() + 1);
        } else {
            return Failure{
                QCoreApplication::translate("quillotap::RegistryHiveParser",
                                            "only keys under HKEY_CURRENT_USER can be stored")};
        }
        const QString path = QString::fromUtf8(rest);
        if (!hive_.createKey(path))
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "the key name \"%1\" is not valid")
                               .arg(path)};
        currentKey_ = path;
        inSection_ = true;
        return std::nullopt;
    }

    // Reads "text" with \\ and \" escapes from s[*i] == '"'; *i ends after
    // the closing quote.
    static std::optional<Failure> readQuoted(QByteArrayView s, qsizetype* i, QByteArray* out) {
        for (qsizetype k = *i + 1; k < s.size(); ++k) {
            const char c = s[k];
            if (c == '"') {
                *i = k + 1;
                return std::nullopt;
            }
            if (c == '\\') {
                if (k + 1 >= s.size())
                    break;
                const char next = s[++k];
                if (next != '\\' && next != '"')
                    return Failure{QCoreApplication::translate(
                        "quillotap::RegistryHiveParser",
                        "a backslash in quoted text must be followed by "
                        "\\ or \"")};
                out->append(next);
                continue;
            }
            out->append(c);
        }
        return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                   "the quoted text has no closing quote")};
    }

    std::optional<Failure> readValue(QByteArrayView t) {
        if (!inSection_)
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "a value comes before the first [key]")};
        QByteArray name;
        qsizetype i = 1;
        if (t.startsWith('"')) {
            i = 0;
            if (auto failure = readQuoted(t, &i, &name))
                return failure;
        }
        QByteArrayView rest = trimmedStart(t.sliced(i));
        if (!rest.startsWith('='))
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "the value name is not followed by =")};
        rest = trimmedStart(rest.sliced(1));

        std::optional<RegValue> value;
        std::optional<Failure> failure;
        if (rest.startsWith('"'))
            failure = readTextData(rest, &value);
        else if (startsWithNoCase(rest, "dword:"))
            failure = readDwordData(rest.sliced(6), &value);
        else if (startsWithNoCase(rest, "hex"))
            failure = readHexData(rest.sliced(3), &value);
        else if (rest.startsWith('-'))
            failure = Failure{
                QCoreApplication::translate("quillotap::RegistryHiveParser",
                                            "deleting values is not supported in a settings file")};
        else
            failure = Failure{
                QCoreApplication::translate("quillotap::RegistryHiveParser", "unknown value type")};
        if (failure)
            return failure;

        const QString valueName = QString::fromUtf8(name);
        if (!hive_.setValue(currentKey_, valueName, *value))
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "the value name \"%1\" is not valid")
                               .arg(valueName)};
        return std::nullopt;
    }

    static std::optional<Failure> readTextData(QByteArrayView s, std::optional<RegValue>* value) {
        QByteArray text;
        qsizetype i = 0;
        if (auto failure = readQuoted(s, &i, &text))
            return failure;
        if (!trimmed(s.sliced(i)).isEmpty())
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "unexpected text after the closing quote")};
        *value = RegValue::text(text);
        return std::nullopt;
    }

    static std::optional<Failure> readDwordData(QByteArrayView s, std::optional<RegValue>* value) {
        const auto number = hexNumber(trimmed(s));
        if (!number)
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "a dword needs 1 to 8 hex digits")};
        *value = RegValue::dword(*number);
        return std::nullopt;
    }

    // After "hex": either ":" (REG_BINARY) or "(type):", then two-digit hex
    // bytes separated by commas; a line ending in \ continues on the next.
    std::optional<Failure> readHexData(QByteArrayView s, std::optional<RegValue>* value) {
        quint32 type = REG_BINARY;
        if (s.startsWith('(')) {
            const qsizetype close = s.indexOf(')');
            const auto number = close < 0 ? std::nullopt : hexNumber(s.sliced(1, close - 1));
            if (!number)
                return Failure{QCoreApplication::translate(
                    "quillotap::RegistryHiveParser", "hex( ) needs a type of 1 to 8 hex digits")};
            type = *number;
            s = s.sliced(close + 1);
        }
        if (!s.startsWith(':'))
            return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                       "hex data needs a : before the bytes")};

        QByteArray list = trimmed(s.sliced(1)).toByteArray();
        while (list.endsWith('\\')) {
            list.chop(1);
            if (!nextLine())
                return Failure{
                    QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                "the hex data continues past the end of the file")};
            if (line_.contains('\0'))
                return Failure{QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                           "the line holds a NUL byte")};
            list += trimmed(line_).toByteArray();
        }

        QByteArray data;
        if (!trimmed(list).isEmpty()) {
            data.reserve(list.size() / 3 + 1);
            for (qsizetype start = 0; start <= list.size();) {
                qsizetype comma = list.indexOf(',', start);
                if (comma < 0)
                    comma = list.size();
                const QByteArrayView item =
                    trimmed(QByteArrayView(list).sliced(start, comma - start));
                start = comma + 1;
                const auto byte = item.size() == 2 ? hexNumber(item) : std::nullopt;
                if (!byte)
                    return Failure{
                        QCoreApplication::translate("quillotap::RegistryHiveParser",
                                                    "\"%1\" is not a two-digit hex byte")
                            .arg(QString::fromUtf8(item.first(qMin<qsizetype>(item.size(), 16))))};
                data.append(static_cast<char>(*byte));
            }
        }
        *value = RegValue{type, data};
        return std::nullopt;
    }

    QByteArrayView text_;
    qsizetype pos_ = 0;
    QByteArrayView line_;
    int lineNo_ = 0;
    RegistryHive hive_;
    QString currentKey_;
    bool inSection_ = false;
};

} // namespace

std::optional<RegistryHive> RegistryHive::parse(QByteArrayView text, ParseError* error) {
    return Parser(text).run(error);
}

} // namespace quillotap
