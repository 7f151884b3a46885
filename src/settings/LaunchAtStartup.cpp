#include "settings/LaunchAtStartup.h"

#include "settings/Autostart.h"
#include "settings/M_Special.h"

#include <QCoreApplication>

namespace quillotap {

bool SetLaunchAtStartup(bool ticked, QString* error) {
    const QString key = Registry::runKeyPath();
    long result = ERROR_SUCCESS;
    if (ticked) {
        CreateNewKey(HKEY_CURRENT_USER, key);
        result = SetKeyValue(HKEY_CURRENT_USER, key, Registry::runValueName(), AutostartCommand(),
                             REG_SZ);
    } else {
        result = DeleteValue(HKEY_CURRENT_USER, key, Registry::runValueName());
    }
    // Deleting an entry that is not there leaves what was asked for.
    if (result == ERROR_SUCCESS || (!ticked && result == ERROR_FILE_NOT_FOUND))
        return true;
    if (error) {
        const QString reason = Registry::instance().lastError();
        *error = ticked
                     ? QCoreApplication::translate(
                           "LaunchAtStartup", "Quillotap could not be set to start at login: %1.")
                           .arg(reason)
                     : QCoreApplication::translate(
                           "LaunchAtStartup",
                           "Quillotap could not be removed from the programs started at "
                           "login: %1. It will still start at login.")
                           .arg(reason);
    }
    return false;
}

bool LaunchAtStartupStored() {
    return !QueryValue(HKEY_CURRENT_USER, Registry::runKeyPath(), Registry::runValueName())
                .toString()
                .isEmpty();
}

} // namespace quillotap
