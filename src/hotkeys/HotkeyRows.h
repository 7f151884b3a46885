// How the hotkey poller reads the seven rows of the hotkey table: each row's
// status text and code. The table itself lives in the ListViewHotkey list
// (column 0 holds the code as Qt::UserRole data, column 2 the status), so
// reads go straight to the list and an edit counts at the next poll.
#pragma once

#include <QString>

class QTreeWidget;

namespace quillotap {

struct HotkeyRow {
    QString status; // "Enabled" or anything else (disabled)
    QString code;   // for example "CA+R"
};

class HotkeyRows {
public:
    virtual ~HotkeyRows() = default;
    // Reads row 1..7; false when the row cannot be read (it is skipped).
    virtual bool readRow(int row, HotkeyRow* out) const = 0;
};

// Reads the rows of the hotkey list on the hotkey page.
class TreeWidgetHotkeyRows : public HotkeyRows {
public:
    explicit TreeWidgetHotkeyRows(const QTreeWidget* list) : list_(list) {}
    bool readRow(int row, HotkeyRow* out) const override;

private:
    const QTreeWidget* list_;
};

} // namespace quillotap
