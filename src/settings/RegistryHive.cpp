#include "settings/RegistryHive.h"

#include <QtEndian>

namespace quillotap {

namespace {

constexpr QByteArrayView kRootName = "HKEY_CURRENT_USER";

bool hasControlCharacter(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

// Text that can stand between quotes on one line: valid UTF-8 without line
// breaks, NULs or other control characters (a tab is harmless).
bool isQuotable(const QByteArray& data) {
    for (char c : data) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t') || u == 0x7f)
            return false;
    }
    return QByteArrayView(data).isValidUtf8();
}

QByteArray quoted(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

QByteArray hexList(const QByteArray& data) {
    QByteArray out;
    out.reserve(data.size() * 3);
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i > 0)
            out += ',';
        out += data.mid(i, 1).toHex();
    }
    return out;
}

QByteArray serialisedData(const RegValue& value) {
    if (value.type == REG_SZ && isQuotable(value.data))
        return quoted(value.data);
    if (const auto number = value.toDword())
        return "dword:" + QByteArray::number(*number, 16).rightJustified(8, '0');
    if (value.type == REG_BINARY)
        return "hex:" + hexList(value.data);
    return "hex(" + QByteArray::number(value.type, 16) + "):" + hexList(value.data);
}

} // namespace

RegValue RegValue::dword(quint32 number) {
    QByteArray data(4, '\0');
    qToLittleEndian(number, data.data());
    return {REG_DWORD, data};
}

std::optional<quint32> RegValue::toDword() const {
    if (type != REG_DWORD || data.size() != 4)
        return std::nullopt;
    return qFromLittleEndian<quint32>(data.constData());
}

bool RegistryHive::isValidKeyPath(const QString& path) {
    if (path.isEmpty())
        return true;
    if (hasControlCharacter(path))
        return false;
    const QStringList parts = path.split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        if (part.isEmpty())
            return false;
    }
    return true;
}

bool RegistryHive::isValidValueName(const QString& name) {
    return !hasControlCharacter(name);
}

RegistryHive::Key* RegistryHive::findKey(const QString& path) {
    const auto it = keyIndex_.constFind(path.toCaseFolded());
    return it == keyIndex_.cend() ? nullptr : &keys_[static_cast<size_t>(*it)];
}

const RegistryHive::Key* RegistryHive::findKey(const QString& path) const {
    const auto it = keyIndex_.constFind(path.toCaseFolded());
    return it == keyIndex_.cend() ? nullptr : &keys_[static_cast<size_t>(*it)];
}

RegistryHive::Key& RegistryHive::ensureKey(const QString& path) {
    if (Key* key = findKey(path))
        return *key;
    keyIndex_.insert(path.toCaseFolded(), static_cast<qsizetype>(keys_.size()));
    keys_.push_back(Key{path, {}, {}});
    return keys_.back();
}

bool RegistryHive::hasKey(const QString& path) const {
    if (path.isEmpty() || findKey(path))
        return true;
    if (!isValidKeyPath(path))
        return false;
    // A parent of a stored key exists even without a section of its own.
    const QString prefix = path.toCaseFolded() + QLatin1Char('\\');
    for (auto it = keyIndex_.cbegin(); it != keyIndex_.cend(); ++it) {
        if (it.key().startsWith(prefix))
            return true;
    }
    return false;
}

bool RegistryHive::createKey(const QString& path) {
    if (!isValidKeyPath(path))
        return false;
    ensureKey(path);
    return true;
}

std::optional<RegValue> RegistryHive::value(const QString& keyPath, const QString& name) const {
    const Key* key = findKey(keyPath);
    if (!key)
        return std::nullopt;
    const auto it = key->index.constFind(name.toCaseFolded());
    if (it == key->index.cend())
        return std::nullopt;
    return key->values[static_cast<size_t>(*it)].value;
}

bool RegistryHive::setValue(const QString& keyPath, const QString& name, const RegValue& value) {
    if (!isValidValueName(name) || !hasKey(keyPath))
        return false;
    Key& key = ensureKey(keyPath);
    const QString folded = name.toCaseFolded();
    const auto it = key.index.constFind(folded);
    if (it != key.index.cend()) {
        key.values[static_cast<size_t>(*it)].value = value;
    } else {
        key.index.insert(folded, static_cast<qsizetype>(key.values.size()));
        key.values.push_back(Value{name, value});
    }
    return true;
}

bool RegistryHive::deleteValue(const QString& keyPath, const QString& name) {
    Key* key = findKey(keyPath);
    if (!key)
        return false;
    const auto it = key->index.constFind(name.toCaseFolded());
    if (it == key->index.cend())
        return false;
    key->values.erase(key->values.begin() + *it);
    key->index.clear();
    for (size_t i = 0; i < key->values.size(); ++i)
        key->index.insert(key->values[i].name.toCaseFolded(), static_cast<qsizetype>(i));
    return true;
}

QStringList RegistryHive::keyPaths() const {
    QStringList paths;
    for (const Key& key : keys_)
        paths += key.path;
    return paths;
}

QStringList RegistryHive::valueNames(const QString& keyPath) const {
    QStringList names;
    if (const Key* key = findKey(keyPath)) {
        for (const Value& v : key->values)
            names += v.name;
    }
    return names;
}

bool RegistryHive::operator==(const RegistryHive& other) const {
    if (keys_.size() != other.keys_.size())
        return false;
    for (size_t k = 0; k < keys_.size(); ++k) {
        const Key& a = keys_[k];
        const Key& b = other.keys_[k];
        if (a.path != b.path || a.values.size() != b.values.size())
            return false;
        for (size_t v = 0; v < a.values.size(); ++v) {
            if (a.values[v].name != b.values[v].name || a.values[v].value != b.values[v].value)
                return false;
        }
    }
    return true;
}

QByteArray RegistryHive::serialise() const {
    QByteArray out = "REGEDIT4\n";
    for (const Key& key : keys_) {
        out += "\n[" + kRootName.toByteArray();
        if (!key.path.isEmpty())
            out += '\\' + key.path.toUtf8();
        out += "]\n";
        for (const Value& v : key.values) {
            out += v.name.isEmpty() ? QByteArray("@") : quoted(v.name.toUtf8());
            out += '=' + serialisedData(v.value) + '\n';
        }
    }
    return out;
}

} // namespace quillotap
