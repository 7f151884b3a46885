#include "hotkeys/HotkeyPage.h"

#include "hotkeys/HotkeyRows.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/HotkeyTexts.h"
#include "hotkeys/KeyboardState.h"

#include <QPushButton>
#include <QTreeWidget>

namespace quillotap {

HotkeyPage::HotkeyPage(HotkeyPageControls controls, HotkeyActions& actions, HotkeySetup setup,
                       HotkeyPageNotice::StatusLine statusLine,
                       HotkeyEditor::ErrorMessage errorMessage, QObject* parent)
    : QObject(parent), controls_(controls),
      rows_(std::make_unique<TreeWidgetHotkeyRows>(controls.list)),
      editor_(std::make_unique<HotkeyEditor>(
          HotkeyEditorWidgets{controls.list, controls.editor.ctrl, controls.editor.alt,
                              controls.editor.shift, controls.editor.key, controls.editor.enabled},
          std::move(errorMessage))),
      hotkeys_(std::make_unique<Hotkeys>(actions, *rows_, std::move(setup))),
      notice_(std::make_unique<HotkeyPageNotice>(*hotkeys_, controls.list, controls.note,
                                                 std::move(statusLine), ProgramCommand())) {
    connect(controls_.list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* row) { showInEditor(row); });
    connect(controls_.change, &QPushButton::clicked, this, &HotkeyPage::applyEdit);
}

HotkeyPage::~HotkeyPage() = default;

void HotkeyPage::loadTable() {
    QTreeWidget* list = controls_.list;
    if (list->topLevelItemCount() == 0)
        LoadHotkeyTable(list);
    // Selecting the first row shows it in the editor.
    list->setCurrentItem(list->topLevelItem(0));
    showInEditor(list->topLevelItem(0));
}

void HotkeyPage::saveTable() const {
    SaveHotkeyTable(controls_.list);
}

void HotkeyPage::showInEditor(const QTreeWidgetItem* row) const {
    ShowHotkeyInEditor(row, controls_.editor);
}

void HotkeyPage::applyEdit() {
    // A changed row is bound again where a desktop portal holds the keys.
    if (editor_->applyEdit())
        hotkeys_->rowsChanged();
}

} // namespace quillotap
