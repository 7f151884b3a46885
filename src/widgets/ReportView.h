// Report-style lists (the recordings and the hotkey table): one row per item
// without tree decoration, whole rows selected, grid lines between cells, and
// columns wide enough for their captions and typical texts.
#pragma once

#include <QString>
#include <initializer_list>

class QTreeWidget;

namespace quillotap {

// Window geometry is given in twips; 15 twips make one pixel. Rounds to the
// nearest pixel (7150 twips are 477 pixels).
constexpr int TwipsToPixels(int twips) {
    return (2 * twips + 15) / 30;
}

// A column of a report view: its width in twips and a typical cell text.
struct ReportColumn {
    int twips;
    QString sample;
};

// Clickable headers (the owner decides about sorting). Each column gets its
// width in twips, widened where its caption or its typical text would not fit
// in the desktop's font.
void SetUpReportView(QTreeWidget* view, std::initializer_list<ReportColumn> columns);

} // namespace quillotap
