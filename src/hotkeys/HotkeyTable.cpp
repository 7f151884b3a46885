#include "hotkeys/HotkeyTable.h"

#include "hotkeys/HotkeyCode.h"
#include "settings/SettingsSchema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QTreeWidget>

namespace quillotap {

namespace {
const QString Enabled = QStringLiteral("Enabled");
} // namespace

const std::array<HotkeyRowDefault, HotkeyRowCount>& HotkeyRowDefaults() {
    static const std::array<HotkeyRowDefault, HotkeyRowCount> actions{{
        {QT_TRANSLATE_NOOP("quillotap::HotkeyTable", "Start recording")},
        {QT_TRANSLATE_NOOP("quillotap::HotkeyTable", "Stop recording")},
        {QT_TRANSLATE_NOOP("quillotap::HotkeyTable", "Turn sound volume up")},
        {QT_TRANSLATE_NOOP("quillotap::HotkeyTable", "Turn sound volume down")},
        {QT_TRANSLATE_NOOP("quillotap::HotkeyTable", "Turn volume on/off(mute)")},
        {QT_TRANSLATE_NOOP("quillotap::HotkeyTable",
                           "(Stop recording and) Play the recorded file")},
        {QT_TRANSLATE_NOOP("quillotap::HotkeyTable", "Enter/Exit Icon mode")},
    }};
    return actions;
}

QString HotkeyFunctionText(int n) {
    return QCoreApplication::translate("quillotap::HotkeyTable",
                                       HotkeyRowDefaults()[std::size_t(n - 1)].function);
}

void LoadHotkeyTable(QTreeWidget* list) {
    for (int n = 1; n <= HotkeyRowCount; ++n) {
        const QString code = ReadOption(option::HotkeyCodeOption(n));
        const QString enabled = ReadOption(option::HotkeyEnabledOption(n));

        auto* row = new QTreeWidgetItem(list);
        row->setText(HotkeyFunctionColumn, HotkeyFunctionText(n));
        row->setData(HotkeyFunctionColumn, HotkeyItemKeyRole, QStringLiteral("A%1").arg(n));
        SetHotkeyEnabledText(row, enabled);
        row->setText(HotkeyKeysColumn, HotkeyDisplayText(code));
        row->setData(HotkeyFunctionColumn, HotkeyCodeRole, code);
    }
}

QString HotkeyCode(const QTreeWidgetItem* row) {
    return row ? row->data(HotkeyFunctionColumn, HotkeyCodeRole).toString() : QString();
}

QString HotkeyEnabledText(const QTreeWidgetItem* row) {
    if (!row)
        return {};
    const QVariant stored = row->data(HotkeyStatusColumn, HotkeyStatusRole);
    return stored.isValid() ? stored.toString() : row->text(HotkeyStatusColumn);
}

void SetHotkeyEnabledText(QTreeWidgetItem* row, const QString& stored) {
    // Only the two texts the program writes have a translation; anything
    // else stored by hand is shown as it stands.
    QString shown = stored;
    if (stored == Enabled)
        shown = QCoreApplication::translate("quillotap::HotkeyTable", "Enabled");
    else if (stored == QLatin1String("Disabled"))
        shown = QCoreApplication::translate("quillotap::HotkeyTable", "Disabled");
    row->setData(HotkeyStatusColumn, HotkeyStatusRole, stored);
    row->setText(HotkeyStatusColumn, shown);
}

void SaveHotkeyTable(const QTreeWidget* list) {
    for (int n = 1; n <= HotkeyRowCount; ++n)
        WriteOption(option::HotkeyCodeOption(n), HotkeyCode(list->topLevelItem(n - 1)));
    for (int n = 1; n <= HotkeyRowCount; ++n)
        WriteOption(option::HotkeyEnabledOption(n), HotkeyEnabledText(list->topLevelItem(n - 1)));
}

void ShowHotkeyInEditor(const QTreeWidgetItem* row, const HotkeyEditorControls& editor) {
    if (!row)
        return;
    if (editor.frame)
        editor.frame->setTitle(
            QCoreApplication::translate("quillotap::HotkeyTable", " Hotkey for '%1' ")
                .arg(row->text(0)));
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
