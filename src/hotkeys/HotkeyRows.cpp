#include "hotkeys/HotkeyRows.h"

#include "hotkeys/HotkeyTable.h"

#include <QTreeWidget>

namespace quillotap {

bool TreeWidgetHotkeyRows::readRow(int row, HotkeyRow* out) const {
    if (!list_)
        return false;
    const QTreeWidgetItem* item = list_->topLevelItem(row - 1);
    if (!item)
        return false;
    // Both reads share the list's strings; nothing is copied.
    out->status = HotkeyEnabledText(item);
    out->code = item->data(0, Qt::UserRole).toString();
    return true;
}

} // namespace quillotap
