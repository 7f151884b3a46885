#include "settings/Settings.h"

#include "settings/M_Special.h"

namespace quillotap {

QString ReadSetting(const QString& name) {
    QString text = QueryValue(HKEY_CURRENT_USER, QString::fromLatin1(kProgramKey), name).toString();
    if (text.isEmpty() || text.front() == QChar(0))
        return QString();
    if (text.back() == QChar(0))
        text.chop(1);
    return text;
}

SettingsWriteGroup::SettingsWriteGroup() {
    Registry::instance().beginChanges();
}

SettingsWriteGroup::~SettingsWriteGroup() {
    Registry::instance().endChanges();
}

SettingsFailureReporter::SettingsFailureReporter(Registry::WriteFailureHandler report) {
    previous_ = Registry::instance().setWriteFailureHandler(
        [alive = alive_, report = std::move(report)](const QString& message) {
            if (*alive)
                report(message);
        });
}

SettingsFailureReporter::~SettingsFailureReporter() {
    *alive_ = false;
    Registry::instance().setWriteFailureHandler(std::move(previous_));
}

void WriteSetting(const QString& name, const QString& text) {
    const QString key = QString::fromLatin1(kProgramKey);
    CreateNewKey(HKEY_CURRENT_USER, key);
    SetKeyValue(HKEY_CURRENT_USER, key, name, text, REG_SZ);
}

} // namespace quillotap
