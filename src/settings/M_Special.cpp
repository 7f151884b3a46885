#include "settings/M_Special.h"

#include <QFileInfo>

namespace quillotap {

long CreateNewKey(RegRoot, const QString& keyPath) {
    return Registry::instance().createKey(keyPath);
}

long SetValueEx(const RegKey& key, const QString& valueName, long type, const QVariant& value) {
    RegValue data;
    if (type == static_cast<long>(REG_SZ)) {
        // The stored length is that of a NUL-terminated string: the text
        // ends at its first NUL.
        QByteArray text = value.toString().toUtf8();
        const qsizetype nul = text.indexOf('\0');
        if (nul >= 0)
            text.truncate(nul);
        data = RegValue::text(text);
    } else if (type == static_cast<long>(REG_DWORD)) {
        data = RegValue::dword(static_cast<quint32>(value.toLongLong()));
    } else {
        return ERROR_INVALID_PARAMETER;
    }
    return Registry::instance().setValue(key, valueName, data);
}

long SetKeyValue(RegRoot, const QString& keyPath, const QString& valueName, const QVariant& value,
                 long type) {
    RegKey key;
    const long result = Registry::instance().openKey(keyPath, &key);
    if (result != ERROR_SUCCESS)
        return result;
    return SetValueEx(key, valueName, type, value);
}

long QueryValueEx(const RegKey& key, const QString& valueName, QVariant& value) {
    value = QString();
    RegValue data;
    const long result = Registry::instance().queryValue(key, valueName, &data);
    if (result != ERROR_SUCCESS)
        return result;
    if (data.type == REG_SZ) {
        value = QString::fromUtf8(data.data);
        return ERROR_SUCCESS;
    }
    if (const auto number = data.toDword()) {
        value = static_cast<qint32>(*number);
        return ERROR_SUCCESS;
    }
    return -1;
}

QVariant QueryValue(RegRoot, const QString& keyPath, const QString& valueName) {
    QVariant value = QString();
    RegKey key;
    if (Registry::instance().openKey(keyPath, &key) == ERROR_SUCCESS)
        QueryValueEx(key, valueName, value);
    return value;
}

long DeleteValue(RegRoot, const QString& keyPath, const QString& valueName) {
    RegKey key;
    const long result = Registry::instance().openKey(keyPath, &key);
    if (result != ERROR_SUCCESS)
        return result;
    return Registry::instance().deleteValue(key, valueName);
}

bool FolderExists(const QString& folderPath) {
    // Asks the file system instead of making the folder the current
    // directory: the current directory belongs to the whole process, and
    // changing it as a side effect would move every relative path the
    // program uses. A folder can be entered when it has search (x)
    // permission; it must also be readable to list the recordings in it.
    const QFileInfo info(folderPath);
    return !folderPath.isEmpty() && info.isDir() && info.isExecutable() && info.isReadable();
}

} // namespace quillotap
