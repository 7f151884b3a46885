#include "settings/Registry.h"

#include "settings/AtomicFile.h"
#include "settings/AutostartEntry.h"
#include "settings/ConfigPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <QCoreApplication>
#include <utility>

namespace quillotap {

namespace {

// A settings hive is a few kilobytes; anything far larger is not ours.
constexpr qint64 kMaxHiveBytes = 4 * 1024 * 1024;

// user.reg.bad, or user.reg.bad.2, .3, ... so that an earlier damaged copy
// is never overwritten.
QString freeBadPath(const QString& path) {
    const QString base = path + QStringLiteral(".bad");
    if (!QFileInfo::exists(base))
        return base;
    for (int n = 2; n < 1000; ++n) {
        const QString candidate = base + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
    return QString();
}

} // namespace

Registry& Registry::instance() {
    static Registry registry;
    return registry;
}

void Registry::reload() {
    loaded_ = false;
    ensureLoaded();
}

void Registry::ensureLoaded() {
    if (loaded_)
        return;
    loaded_ = true;
    readOnly_ = false;
    groupDepth_ = 0;
    groupChanged_ = false;
    hive_ = RegistryHive();
    damageReport_.clear();
    lastError_.clear();
    failureReported_ = false;
    load();
}

// A save killed between creating its temporary file and renaming it leaves
// that file behind ("user.reg." and six random characters). Only one
// instance runs at a time, so at load no save is under way and leftovers can go.
static void removeInterruptedSaves(const QString& path) {
    const QFileInfo hive(path);
    QDir folder = hive.dir();
    static const QRegularExpression temporary(QStringLiteral("^.+\\.[A-Za-z0-9]{6}$"));
    for (const QString& name :
         folder.entryList({hive.fileName() + QStringLiteral(".??????")}, QDir::Files)) {
        if (temporary.match(name).hasMatch())
            folder.remove(name);
    }
}

void Registry::load() {
    const QString path = hiveFilePath();
    removeInterruptedSaves(path);
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        readOnly_ = true;
        damageReport_ =
            QCoreApplication::translate("quillotap::Registry",
                                        "The settings file %1 could not be read (%2); default "
                                        "settings are used and changes will not be saved.")
                .arg(path, file.errorString());
        return;
    }
    const QByteArray text = file.read(kMaxHiveBytes + 1);
    file.close();
    if (text.size() > kMaxHiveBytes) {
        setAside(path,
                 QCoreApplication::translate("quillotap::Registry", "it is larger than %1 bytes")
                     .arg(kMaxHiveBytes));
        return;
    }
    RegistryHive::ParseError error;
    if (auto hive = RegistryHive::parse(text, &error)) {
        hive_ = std::move(*hive);
        return;
    }
    const QString reason = error.line > 0
                               ? QCoreApplication::translate("quillotap::Registry", "line %1: %2")
                                     .arg(error.line)
                                     .arg(error.message)
                               : error.message;
    setAside(path, reason);
}

void Registry::setAside(const QString& path, const QString& reason) {
    const QString badPath = freeBadPath(path);
    if (!badPath.isEmpty() && QFile::rename(path, badPath)) {
        damageReport_ =
            QCoreApplication::translate("quillotap::Registry",
                                        "The settings file %1 was damaged (%2) and has been moved "
                                        "to %3; default settings are used.")
                .arg(path, reason, badPath);
        return;
    }
    readOnly_ = true;
    damageReport_ =
        QCoreApplication::translate("quillotap::Registry",
                                    "The settings file %1 is damaged (%2) and could not be moved "
                                    "aside; default settings are used and changes will not be "
                                    "saved.")
            .arg(path, reason);
}

QString Registry::takeDamageReport() {
    ensureLoaded();
    return std::exchange(damageReport_, QString());
}

long Registry::store(const RegistryHive& changed) {
    if (readOnly_)
        return ERROR_ACCESS_DENIED;
    if (groupDepth_ > 0) {
        hive_ = changed;
        groupChanged_ = true;
        return ERROR_SUCCESS;
    }
    const long result = writeHive(changed);
    if (result == ERROR_SUCCESS)
        hive_ = changed;
    return result;
}

long Registry::writeHive(const RegistryHive& hive) {
    const QString path = hiveFilePath();
    QString reason;
    if (!makePrivateFolderPath(QFileInfo(path).absolutePath(), &reason) ||
        !writeFileAtomically(path, hive.serialise(), 0600, &reason)) {
        reportWriteFailure(reason);
        return ERROR_WRITE_FAULT;
    }
    failureReported_ = false;
    return ERROR_SUCCESS;
}

Registry::WriteFailureHandler Registry::setWriteFailureHandler(WriteFailureHandler handler) {
    failureReported_ = false; // nothing has been said to this handler yet
    return std::exchange(writeFailureHandler_, std::move(handler));
}

void Registry::reportWriteFailure(const QString& reason) {
    lastError_ = reason;
    if (failureReported_ || !writeFailureHandler_)
        return;
    failureReported_ = true;
    // A copy: the handler may install another one while it runs.
    const WriteFailureHandler handler = writeFailureHandler_;
    handler(QCoreApplication::translate("Registry",
                                        "The settings could not be saved: %1.\n\nQuillotap "
                                        "tries again when it closes.")
                .arg(reason));
}

void Registry::beginChanges() {
    ensureLoaded();
    if (groupDepth_++ == 0) {
        beforeGroup_ = hive_;
        groupChanged_ = false;
    }
}

long Registry::endChanges() {
    if (groupDepth_ == 0 || --groupDepth_ > 0)
        return ERROR_SUCCESS;
    const bool changed = std::exchange(groupChanged_, false);
    RegistryHive before = std::exchange(beforeGroup_, RegistryHive());
    if (!changed)
        return ERROR_SUCCESS;
    const long result = writeHive(hive_);
    if (result != ERROR_SUCCESS)
        hive_ = std::move(before);
    return result;
}

bool Registry::isRunKey(const QString& path) {
    return path.compare(runKeyPath(), Qt::CaseInsensitive) == 0;
}

long Registry::createKey(const QString& path) {
    ensureLoaded();
    if (!RegistryHive::isValidKeyPath(path))
        return ERROR_INVALID_PARAMETER;
    if (isRunKey(path) || hive_.hasKey(path))
        return ERROR_SUCCESS;
    RegistryHive changed = hive_;
    changed.createKey(path);
    return store(changed);
}

long Registry::openKey(const QString& path, RegKey* key) {
    ensureLoaded();
    if (!RegistryHive::isValidKeyPath(path))
        return ERROR_INVALID_PARAMETER;
    if (!isRunKey(path) && !hive_.hasKey(path))
        return ERROR_FILE_NOT_FOUND;
    key->path = path;
    return ERROR_SUCCESS;
}

long Registry::setValue(const RegKey& key, const QString& name, const RegValue& value) {
    ensureLoaded();
    if (isRunKey(key.path))
        return setRunValue(name, value);
    if (!RegistryHive::isValidValueName(name))
        return ERROR_INVALID_PARAMETER;
    if (!hive_.hasKey(key.path))
        return ERROR_FILE_NOT_FOUND; // deleted since it was opened
    if (hive_.value(key.path, name) == value)
        return ERROR_SUCCESS;
    RegistryHive changed = hive_;
    changed.setValue(key.path, name, value);
    return store(changed);
}

long Registry::queryValue(const RegKey& key, const QString& name, RegValue* value) {
    ensureLoaded();
    if (isRunKey(key.path))
        return queryRunValue(name, value);
    const auto found = hive_.value(key.path, name);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    *value = *found;
    return ERROR_SUCCESS;
}

long Registry::deleteValue(const RegKey& key, const QString& name) {
    ensureLoaded();
    if (isRunKey(key.path))
        return deleteRunValue(name);
    if (!hive_.value(key.path, name))
        return ERROR_FILE_NOT_FOUND;
    RegistryHive changed = hive_;
    changed.deleteValue(key.path, name);
    return store(changed);
}

long Registry::setRunValue(const QString& name, const RegValue& value) {
    // Only our own entry: other programs' login items are not ours to touch.
    if (name.compare(runValueName(), Qt::CaseInsensitive) != 0)
        return ERROR_ACCESS_DENIED;
    if (value.type != REG_SZ)
        return ERROR_INVALID_PARAMETER;
    return AutostartEntry::write(QString::fromUtf8(value.data), &lastError_) ? ERROR_SUCCESS
                                                                             : ERROR_WRITE_FAULT;
}

long Registry::queryRunValue(const QString& name, RegValue* value) {
    if (name.compare(runValueName(), Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    const auto command = AutostartEntry::read();
    if (!command)
        return ERROR_FILE_NOT_FOUND;
    *value = RegValue::text(command->toUtf8());
    return ERROR_SUCCESS;
}

long Registry::deleteRunValue(const QString& name) {
    if (name.compare(runValueName(), Qt::CaseInsensitive) != 0 || !AutostartEntry::exists())
        return ERROR_FILE_NOT_FOUND;
    return AutostartEntry::remove(&lastError_) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

} // namespace quillotap
