// The hotkey page: the table of hotkey rows, the editor beside it, the note
// that says where the hotkeys do not reach, and the hotkeys themselves, which
// act on the rows as the table shows them.
#pragma once

#include "hotkeys/HotkeyEditor.h"
#include "hotkeys/HotkeyPageNotice.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/Hotkeys.h"

#include <QObject>
#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillotap {

class TreeWidgetHotkeyRows;

struct HotkeyPageControls {
    QTreeWidget* list = nullptr; // ListViewHotkey
    QLabel* note = nullptr;      // LabelHotkeyNote
    HotkeyEditorControls editor;
    QPushButton* change = nullptr; // CmdChange
};

class HotkeyPage : public QObject {
    Q_OBJECT
public:
    // `statusLine` writes the status line when the caller lets it;
    // `errorMessage` shows the editor's refusals.
    HotkeyPage(HotkeyPageControls controls, HotkeyActions& actions, HotkeySetup setup,
               HotkeyPageNotice::StatusLine statusLine, HotkeyEditor::ErrorMessage errorMessage,
               QObject* parent = nullptr);
    ~HotkeyPage() override;

    Hotkeys& hotkeys() const { return *hotkeys_; }

    // Fills the table from the settings (once) and shows its first row in
    // the editor.
    void loadTable();
    // Writes the table's rows to the settings.
    void saveTable() const;

private:
    void showInEditor(const QTreeWidgetItem* row) const;
    void applyEdit();

    HotkeyPageControls controls_;
    std::unique_ptr<TreeWidgetHotkeyRows> rows_;
    std::unique_ptr<HotkeyEditor> editor_;
    std::unique_ptr<Hotkeys> hotkeys_;
    // Last, so that it goes first: it watches the hotkeys.
    std::unique_ptr<HotkeyPageNotice> notice_;
};

} // namespace quillotap
