#pragma once

#include <QString>

class QDialog;
class QLayout;
class QPushButton;
class QWidget;

namespace quillotap {

// Sets the object name and the accessible name: `accessible` when given,
// otherwise the control's caption without its padding blanks, otherwise the
// object name. A label given `accessible` (one that shows a value) keeps the
// text it shows as its name and takes `accessible` as its description.
void NameControl(QWidget* widget, const QString& name, const QString& accessible = {});

// NameControl in an expression: returns the widget.
template <typename W> W* Named(W* widget, const QString& name, const QString& accessible = {}) {
    NameControl(widget, name, accessible);
    return widget;
}

// Gives the dialog the icon of its owner window, or the program icon when it
// has no owner.
void TakeOwnerIcon(QDialog& dialog);

// A right-aligned row holding the two buttons.
QLayout* ButtonRow(QPushButton* ok, QPushButton* cancel);

} // namespace quillotap
