#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace quillotap::test {

// The named child control; fails the test when it is missing.
template <typename W> W* Control(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << "no control " << name;
    return widget;
}

inline void Click(QWidget& dialog, const char* name) {
    if (auto* button = Control<QAbstractButton>(dialog, name))
        button->click();
}

// Saves a picture of the dialog for a look by eye.
inline void SaveShot(QWidget& dialog, const QString& name) {
    dialog.adjustSize();
    const QString folder = qEnvironmentVariableIsEmpty("QUILLOTAP_TEST_OUTPUT")
                               ? QDir::currentPath()
                               : qEnvironmentVariable("QUILLOTAP_TEST_OUTPUT");
    EXPECT_TRUE(dialog.grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

// Every control of the dialog has an accessible name, and a label's name
// is the text it shows.
inline void ExpectAccessibleNames(QWidget& dialog) {
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(child);
        ASSERT_NE(accessible, nullptr) << child->objectName().toStdString();
        const QString name = accessible->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << child->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(child); label && label->pixmap().isNull()) {
            EXPECT_TRUE(name.contains(label->text().trimmed()))
                << child->objectName().toStdString() << ": \"" << name.toStdString()
                << "\" hides \"" << label->text().toStdString() << "\"";
        }
    }
}

} // namespace quillotap::test
