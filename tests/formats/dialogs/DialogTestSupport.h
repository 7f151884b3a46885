#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
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

// Every control of the dialog carries an accessible name.
inline void ExpectAccessibleNames(QWidget& dialog) {
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith(QLatin1String("qt_")))
            continue;
        EXPECT_FALSE(child->accessibleName().isEmpty()) << child->objectName().toStdString();
    }
}

} // namespace quillotap::test
