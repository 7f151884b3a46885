// A hotkey list laid out like the hotkey page's: seven rows, column 0 the
// function text with the code as Qt::UserRole data, column 1 the readable
// form, column 2 the status.
#pragma once

#include <QString>
#include <QTreeWidget>
#include <memory>

namespace quillotap::test {

inline const char* const kDefaultCodes[7] = {"CA+R", "CA+S", "CA+Up", "CA+Down",
                                             "CA+M", "CA+P", "CA+I"};

inline std::unique_ptr<QTreeWidget> makeHotkeyList() {
    auto list = std::make_unique<QTreeWidget>();
    list->setColumnCount(3);
    for (int n = 1; n <= 7; ++n) {
        auto* item = new QTreeWidgetItem(list.get());
        item->setText(0, QStringLiteral("Row %1").arg(n));
        item->setData(0, Qt::UserRole, QString::fromLatin1(kDefaultCodes[n - 1]));
        item->setText(1, QString::fromLatin1(kDefaultCodes[n - 1]));
        item->setText(2, QStringLiteral("Enabled"));
    }
    return list;
}

inline void setRow(QTreeWidget& list, int row, const QString& code,
                   const QString& status = QStringLiteral("Enabled")) {
    QTreeWidgetItem* item = list.topLevelItem(row - 1);
    item->setData(0, Qt::UserRole, code);
    item->setText(2, status);
}

inline QString rowCode(const QTreeWidget& list, int row) {
    return list.topLevelItem(row - 1)->data(0, Qt::UserRole).toString();
}

} // namespace quillotap::test
