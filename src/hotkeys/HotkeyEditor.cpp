#include "hotkeys/HotkeyEditor.h"

#include "hotkeys/HotkeyTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QRadioButton>
#include <QTreeWidget>

namespace quillotap {

namespace {

bool isChecked(const QCheckBox* box) {
    return box && box->isChecked();
}

void showCritical(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

} // namespace

HotkeyEditor::HotkeyEditor(HotkeyEditorWidgets widgets, ErrorMessage message)
    : w_(widgets), message_(std::move(message)) {
    if (!message_) {
        QWidget* parent = w_.ListViewHotkey ? w_.ListViewHotkey->window() : nullptr;
        message_ = [parent](const QString& text, const QString& title) {
            showCritical(parent, text, title);
        };
    }
}

bool HotkeyEditor::applyEdit() {
    QTreeWidget* list = w_.ListViewHotkey;
    if (!list)
        return false;
    QTreeWidgetItem* selected = list->currentItem();
    if (!selected) {
        const auto items = list->selectedItems();
        if (items.isEmpty())
            return false;
        selected = items.first();
    }

    // Letters always in the order C, A, S; the readable text joins the
    // modifier names with " + ".
    QString letters;
    QString text;
    const auto addModifier = [&](const QCheckBox* box, QChar letter, const QString& name) {
        if (!isChecked(box))
            return;
        letters += letter;
        text = text.isEmpty() ? name : text + QStringLiteral(" + ") + name;
    };
    addModifier(w_.CheckCtrl, u'C', QStringLiteral("Ctrl"));
    addModifier(w_.CheckAlt, u'A', QStringLiteral("Alt"));
    addModifier(w_.CheckShift, u'S', QStringLiteral("Shift"));
    const QString key = w_.ComboKey ? w_.ComboKey->currentText() : QString();
    const QString code = letters + u'+' + key;

    // Every other row takes part, disabled ones too: two rows with one code
    // would leave the second unreachable.
    const int selectedIndex = list->indexOfTopLevelItem(selected);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (i == selectedIndex)
            continue;
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toString() == code) {
            message_(QCoreApplication::translate("quillotap::HotkeyEditor",
                                                 "This Hot key has already been used."),
                     QCoreApplication::translate("quillotap::HotkeyEditor", "Error"));
            return false;
        }
    }

    selected->setText(1, text.isEmpty() ? key : text + QStringLiteral(" + ") + key);
    selected->setData(0, Qt::UserRole, code);
    const bool enabled = w_.Option1 && w_.Option1->isChecked();
    SetHotkeyEnabledText(selected,
                         enabled ? QStringLiteral("Enabled") : QStringLiteral("Disabled"));
    return true;
}

} // namespace quillotap
