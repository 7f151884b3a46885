// The seven hotkey actions as rows of the hotkey list: the list rows are the
// table itself (the poller reads them, the editor writes them, the settings
// load fills them and the save at exit writes them back).
//
// Row n (1..7) carries the item key "An" and the stored code in column 0's
// data, the action in column 0, the code's display form in column 1 and the
// enabled text ("Enabled"/"Disabled") in column 2.
#pragma once

#include "settings/SettingsSchema.h"

#include <QString>
#include <Qt>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillotap {

inline constexpr int HotkeyRowCount = option::HotkeyRows;
// Column 0 data: the hotkey code that is tested and stored, and the item key.
inline constexpr int HotkeyCodeRole = Qt::UserRole;
inline constexpr int HotkeyItemKeyRole = Qt::UserRole + 1;
// Column 2 data: the stored enabled text ("Enabled" or anything else); the
// column shows it in the UI language.
inline constexpr int HotkeyStatusRole = Qt::UserRole + 2;
enum HotkeyColumn { HotkeyFunctionColumn = 0, HotkeyKeysColumn = 1, HotkeyStatusColumn = 2 };

// The row's default code is its stored option's default.
struct HotkeyRowDefault {
    const char* function; // the English text of the "Function" column (see HotkeyFunctionText)
};
const std::array<HotkeyRowDefault, HotkeyRowCount>& HotkeyRowDefaults();

// Fills the (empty) list from the stored code and enabled text of each row;
// an empty stored text gives the default code or "Enabled". Stored texts are
// taken as they are.
void LoadHotkeyTable(QTreeWidget* list);

// Writes the codes of rows 1..7, then their enabled texts.
void SaveHotkeyTable(const QTreeWidget* list);

QString HotkeyCode(const QTreeWidgetItem* row);
// The stored enabled text of `row`; a row whose status was set as plain
// column text (not through SetHotkeyEnabledText) gives that text.
QString HotkeyEnabledText(const QTreeWidgetItem* row);
// Keeps `stored` as the row's enabled text and shows it in the UI language.
void SetHotkeyEnabledText(QTreeWidgetItem* row, const QString& stored);
// The "Function" text of hotkey row `n` (1..7) in the UI language.
QString HotkeyFunctionText(int n);

// The controls of the hotkey editor.
struct HotkeyEditorControls {
    QGroupBox* frame = nullptr;       // Frame1
    QRadioButton* enabled = nullptr;  // Option1
    QRadioButton* disabled = nullptr; // Option2
    QCheckBox* ctrl = nullptr;
    QCheckBox* alt = nullptr;
    QCheckBox* shift = nullptr;
    QComboBox* key = nullptr; // ComboKey
};

// The row-selection handling: shows the row's action, enabled state,
// modifiers and key in the editor. A key name that the key list does not
// hold leaves the list's selection as it was.
void ShowHotkeyInEditor(const QTreeWidgetItem* row, const HotkeyEditorControls& editor);

} // namespace quillotap
