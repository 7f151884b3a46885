// The "Change" button of the hotkey page: writes the editor's modifiers, key
// and enabled state into the row selected in the hotkey list, unless another
// row already holds the same code.
//
// It works on the page's widgets, passed in, and on the list's row format:
// column 0 holds the code as Qt::UserRole data, column 1 the readable form,
// column 2 "Enabled" or "Disabled".
#pragma once

#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QTreeWidget;

namespace quillotap {

struct HotkeyEditorWidgets {
    QTreeWidget* ListViewHotkey = nullptr;
    QCheckBox* CheckCtrl = nullptr;
    QCheckBox* CheckAlt = nullptr;
    QCheckBox* CheckShift = nullptr;
    QComboBox* ComboKey = nullptr;
    QRadioButton* Option1 = nullptr; // "Enabled"
};

class HotkeyEditor {
public:
    // Shows an error message with the critical icon: (text, title).
    using ErrorMessage = std::function<void(const QString& text, const QString& title)>;

    // Without a message function the error goes to a QMessageBox over the
    // list's window.
    explicit HotkeyEditor(HotkeyEditorWidgets widgets, ErrorMessage message = {});

    // Applies the edit to the selected row. Returns false when the code is
    // already used by another row (the row keeps its values) or no row is
    // selected.
    bool applyEdit();

private:
    HotkeyEditorWidgets w_;
    ErrorMessage message_;
};

} // namespace quillotap
