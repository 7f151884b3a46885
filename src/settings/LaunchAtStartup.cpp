#include "settings/LaunchAtStartup.h"

#include "settings/Autostart.h"
#include "settings/M_Special.h"

namespace quillotap {

void CheckStart_Click(bool ticked) {
    const QString key = Registry::runKeyPath();
    if (ticked) {
        CreateNewKey(HKEY_CURRENT_USER, key);
        SetKeyValue(HKEY_CURRENT_USER, key, Registry::runValueName(), AutostartCommand(), REG_SZ);
    } else {
        DeleteValue(HKEY_CURRENT_USER, key, Registry::runValueName());
    }
}

bool LaunchAtStartupStored() {
    return !QueryValue(HKEY_CURRENT_USER, Registry::runKeyPath(), Registry::runValueName())
                .toString()
                .isEmpty();
}

} // namespace quillotap
