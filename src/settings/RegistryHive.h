#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quillotap {

// Value types, numbered as the registry numbers them.
inline constexpr quint32 REG_NONE = 0;
inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_BINARY = 3;
inline constexpr quint32 REG_DWORD = 4;

// One registry value: its type and its raw data. REG_SZ data is UTF-8 text
// that may hold NUL bytes; REG_DWORD data is four bytes, little-endian.
struct RegValue {
    quint32 type = REG_NONE;
    QByteArray data;

    static RegValue text(const QByteArray& utf8) { return {REG_SZ, utf8}; }
    static RegValue dword(quint32 number);
    // The number of a four-byte REG_DWORD value; nullopt for anything else.
    std::optional<quint32> toDword() const;

    bool operator==(const RegValue&) const = default;
};

// The keys below HKEY_CURRENT_USER and their values, held in memory, with the
// plain-text REGEDIT4 form used for the hive file:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Velmora Software\Quillotap]
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000000a
//   "Raw"=hex(1):41,42,00
//
// Key paths are given relative to HKEY_CURRENT_USER ("Software\Velmora
// Software\Quillotap"). Key and value names compare case-insensitively and
// keep the spelling of their first writer. Keys and values keep the order in
// which they were first created. A key's parents exist implicitly.
class RegistryHive {
public:
    struct ParseError {
        int line = 0; // 1-based; 0 when the error concerns the whole text
        QString message;
    };

    // Reads the REGEDIT4 text. Returns nullopt and fills `error` when the text
    // is not a hive; nothing in the text can make this crash or hang.
    static std::optional<RegistryHive> parse(QByteArrayView text, ParseError* error = nullptr);
    QByteArray serialise() const;

    // A path is valid when its parts, separated by single backslashes, are
    // non-empty and hold no control characters. "" is HKEY_CURRENT_USER.
    static bool isValidKeyPath(const QString& path);
    static bool isValidValueName(const QString& name);

    bool hasKey(const QString& path) const;
    // Creates the key; true when it exists afterwards.
    bool createKey(const QString& path);
    std::optional<RegValue> value(const QString& keyPath, const QString& name) const;
    // Stores the value under an existing key; false when the key does not
    // exist or the name is invalid.
    bool setValue(const QString& keyPath, const QString& name, const RegValue& value);
    // False when there was no such value.
    bool deleteValue(const QString& keyPath, const QString& name);

    // The keys that were created explicitly, in order.
    QStringList keyPaths() const;
    QStringList valueNames(const QString& keyPath) const;

    bool operator==(const RegistryHive& other) const;

private:
    struct Value {
        QString name;
        RegValue value;
    };
    struct Key {
        QString path;
        std::vector<Value> values;
        QHash<QString, qsizetype> index; // folded name -> position in values
    };

    Key* findKey(const QString& path);
    const Key* findKey(const QString& path) const;
    Key& ensureKey(const QString& path);

    std::vector<Key> keys_;
    QHash<QString, qsizetype> keyIndex_; // folded path -> position in keys_
};

} // namespace quillotap
