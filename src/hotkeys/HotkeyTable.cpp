#include "hotkeys/HotkeyTable.h"

#include "hotkeys/HotkeyCode.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTreeWidget>

namespace quillotap {

namespace {
const QString Enabled = QStringLiteral("Enabled");

QString CodeSetting(int n) {
    return QStringLiteral("Hotkey%1").arg(n);
}
QString EnabledSetting(int n) {
    return QStringLiteral("Hotkey%1E").arg(n);
}
} // namespace

const std::array<HotkeyRowDefault, HotkeyRowCount>& HotkeyRowDefaults() {
    static const std::array<HotkeyRowDefault, HotkeyRowCount> actions{{
        {"Start recording", "CA+R"},
        {"Stop recording", "CA+S"},
        {"Turn sound volume up", "CA+Up"},
        {"Turn sound volume down", "CA+Down"},
        {"Turn volume on/off(mute)", "CA+M"},
        {"(Stop recording and) Play the recorded file", "CA+P"},
        {"Enter/Exit Icon mode", "CA+I"},
    }};
    return actions;
}

void LoadHotkeyTable(QTreeWidget* list) {
    for (int n = 1; n <= HotkeyRowCount; ++n) {
        const HotkeyRowDefault& action = HotkeyRowDefaults()[n - 1];
        QString code = ReadSetting(CodeSetting(n));
        if (code.isEmpty())
            code = QString::fromLatin1(action.defaultCode);
        QString enabled = ReadSetting(EnabledSetting(n));
        if (enabled.isEmpty())
            enabled = Enabled;

        auto* row = new QTreeWidgetItem(list);
        row->setText(HotkeyFunctionColumn, QString::fromLatin1(action.function));
        row->setData(HotkeyFunctionColumn, HotkeyItemKeyRole, QStringLiteral("A%1").arg(n));
        row->setText(HotkeyStatusColumn, enabled);
        row->setText(HotkeyKeysColumn, HotkeyDisplayText(code));
        row->setData(HotkeyFunctionColumn, HotkeyCodeRole, code);
    }
}

QString HotkeyCode(const QTreeWidgetItem* row) {
    return row ? row->data(HotkeyFunctionColumn, HotkeyCodeRole).toString() : QString();
}

QString HotkeyEnabledText(const QTreeWidgetItem* row) {
    return row ? row->text(HotkeyStatusColumn) : QString();
}

void SaveHotkeyTable(const QTreeWidget* list) {
    for (int n = 1; n <= HotkeyRowCount; ++n)
        WriteSetting(CodeSetting(n), HotkeyCode(list->topLevelItem(n - 1)));
    for (int n = 1; n <= HotkeyRowCount; ++n)
        WriteSetting(EnabledSetting(n), HotkeyEnabledText(list->topLevelItem(n - 1)));
}

void ShowHotkeyInEditor(const QTreeWidgetItem* row, const HotkeyEditorControls& editor) {
    if (!row)
        return;
    if (editor.frame)
        editor.frame->setTitle(QStringLiteral(" Hotkey for '%1' ").arg(row->text(0)));
    if (editor.enabled && editor.disabled) {
        if (HotkeyEnabledText(row) == Enabled)
            editor.enabled->setChecked(true);
        else
            editor.disabled->setChecked(true);
    }
    const HotkeyParts parts = SplitHotkeyCode(HotkeyCode(row));
    if (editor.ctrl)
        editor.ctrl->setChecked(parts.ctrl());
    if (editor.alt)
        editor.alt->setChecked(parts.alt());
    if (editor.shift)
        editor.shift->setChecked(parts.shift());
    if (editor.key) {
        const int index =
            editor.key->findText(parts.key, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            editor.key->setCurrentIndex(index);
    }
}

} // namespace quillotap
