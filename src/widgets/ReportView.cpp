#include "widgets/ReportView.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>

namespace quillotap {

namespace {

// Draws the cells of a report-style list: grid lines between the cells, and
// each cell aligned like its column header unless the item says otherwise,
// so right-aligned columns stay right-aligned whoever fills the rows.
class ReportItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        const QRect r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(Qt::TextAlignmentRole).isValid() || !index.model())
            return;
        const QVariant headerAlignment =
            index.model()->headerData(index.column(), Qt::Horizontal, Qt::TextAlignmentRole);
        if (headerAlignment.isValid())
            option->displayAlignment = Qt::Alignment(headerAlignment.toInt());
    }
};

// Room a cell keeps around its text, in pixels.
constexpr int CellPadding = 12;

} // namespace

void SetUpReportView(QTreeWidget* view, std::initializer_list<ReportColumn> columns) {
    view->setItemDelegate(new ReportItemDelegate(view));
    view->setRootIsDecorated(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAllColumnsShowFocus(true);
    view->setSortingEnabled(false);
    view->header()->setSectionsClickable(true);
    view->header()->setSectionsMovable(false);
    int index = 0;
    for (const ReportColumn& column : columns) {
        const int text = view->fontMetrics().horizontalAdvance(column.sample) + CellPadding;
        view->setColumnWidth(index, std::max({TwipsToPixels(column.twips), text,
                                              view->header()->sectionSizeHint(index)}));
        ++index;
    }
}

} // namespace quillotap
