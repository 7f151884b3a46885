#pragma once

#include "settings/RegistryHive.h"

#include <QString>

#include <functional>

namespace quillotap {

// Result codes of the registry operations, numbered as on Windows.
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_WRITE_FAULT = 29;
inline constexpr long ERROR_INVALID_PARAMETER = 87;

// An open key: the path of a key below HKEY_CURRENT_USER that existed when
// it was opened.
struct RegKey {
    QString path;
};

// The current user's registry for this process. It lives in the hive file
// (see hiveFilePath()), which is read on first use and rewritten atomically,
// mode 0600, after every change; a change that cannot be written is undone
// in memory too and reported by its result code. Between beginChanges() and
// endChanges() the rewrite waits: the changes apply in memory at once and
// reach the file together, in one rewrite, when the group ends.
//
// The value "Quillotap" of the key Software\Microsoft\Windows\CurrentVersion\Run
// is not kept in the hive: it is the desktop's login autostart entry (see
// AutostartEntry). Other values of that key are refused.
//
// A hive that cannot be parsed is moved aside to user.reg.bad and the empty
// hive (all defaults) is used; takeDamageReport() then hands out one message
// for the user. If the damaged or unreadable file cannot be moved aside, the
// registry refuses every write so that the file is never overwritten.
//
// A change that cannot be written to the hive file (a full disk, a file
// where the settings folder must be, ...) is handed to the write-failure
// handler as one message for the user; further failures stay quiet until a
// write succeeds again, so a broken disk is reported once, not per value.
class Registry {
public:
    static Registry& instance();

    // Receives the message about a failed write of the hive file.
    using WriteFailureHandler = std::function<void(const QString& message)>;
    // Installs `handler` (none: failures are only returned as results) and
    // returns the one installed before.
    WriteFailureHandler setWriteFailureHandler(WriteFailureHandler handler);

    // Why the last change that failed to reach the disk failed (the hive or
    // the autostart entry), in words for the user; "" before any failure.
    QString lastError() const { return lastError_; }

    static QString runKeyPath() {
        return QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    }
    static QString runValueName() { return QStringLiteral("Quillotap"); }

    // Forgets everything in memory and reads the hive file again from the
    // path the environment names now.
    void reload();

    // A one-line message about a damaged or unreadable hive found by the
    // last load, once; "" afterwards or when there was nothing to report.
    QString takeDamageReport();

    // A group of changes written to the file in one go. Groups nest; the
    // outermost endChanges() rewrites the file if anything changed and
    // returns the result of that write. If it fails, every change of the
    // group is undone in memory, so memory again matches the file. A
    // process that dies inside a group leaves the file as it was before.
    void beginChanges();
    long endChanges();

    long createKey(const QString& path);
    long openKey(const QString& path, RegKey* key);
    long setValue(const RegKey& key, const QString& name, const RegValue& value);
    long queryValue(const RegKey& key, const QString& name, RegValue* value);
    long deleteValue(const RegKey& key, const QString& name);

private:
    Registry() = default;

    void ensureLoaded();
    void load();
    void setAside(const QString& path, const QString& reason);
    long store(const RegistryHive& changed);
    long writeHive(const RegistryHive& hive);
    void reportWriteFailure(const QString& reason);

    static bool isRunKey(const QString& path);
    long setRunValue(const QString& name, const RegValue& value);
    long queryRunValue(const QString& name, RegValue* value);
    long deleteRunValue(const QString& name);

    bool loaded_ = false;
    bool readOnly_ = false;
    RegistryHive hive_;
    QString damageReport_;
    int groupDepth_ = 0;
    bool groupChanged_ = false;
    RegistryHive beforeGroup_; // what the file holds while a group is open
    QString lastError_;
    WriteFailureHandler writeFailureHandler_;
    bool failureReported_ = false; // since the last write that succeeded
};

} // namespace quillotap
