#include "formats/DialogControls.h"

#include "widgets/Bitmaps.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace quillotap {

void NameControl(QWidget* widget, const QString& name, const QString& accessible) {
    widget->setObjectName(name);
    // A label is named by the text it shows, so that a screen reader reads
    // the value and hears it change (a label announces its new text only
    // while it has no name of its own); what the value is goes into its
    // description.
    if (auto* label = qobject_cast<QLabel*>(widget); label && !accessible.trimmed().isEmpty()) {
        label->setAccessibleDescription(accessible.trimmed());
        return;
    }
    QString text = accessible;
    if (text.isEmpty()) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            text = box->title();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
    }
    text = text.trimmed();
    widget->setAccessibleName(text.isEmpty() ? name : text);
}

void TakeOwnerIcon(QDialog& dialog) {
    QWidget* owner = dialog.parentWidget();
    dialog.setWindowIcon(owner && !owner->windowIcon().isNull() ? owner->windowIcon()
                                                                : ProgramIcon());
}

QLayout* ButtonRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace quillotap
