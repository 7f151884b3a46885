// The about box closes on a click anywhere on it, and on Esc.
#include "ui/FormAbout.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

TEST(FormAbout, ShowsCaptionIconAndVersion) {
    QWidget owner;
    FormAbout box(&owner);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
    EXPECT_FALSE(box.windowIcon().isNull());
    EXPECT_FALSE(box.isModal());
    EXPECT_EQ(box.parentWidget(), &owner);
    auto* version = box.findChild<QLabel*>(QStringLiteral("LabelVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Version 4.0"));
    auto* picture = box.findChild<QLabel*>(QStringLiteral("ImageAbout"));
    ASSERT_NE(picture, nullptr);
    EXPECT_GE(picture->pixmap().width(), 64);
}

TEST(FormAbout, ClickAnywhereCloses) {
    for (const char* target : {"", "LabelVersion", "ImageAbout"}) {
        QWidget owner;
        QPointer<FormAbout> box = FormAbout::showFor(&owner);
        ASSERT_TRUE(box->isVisible());
        QWidget* clicked = *target ? box->findChild<QWidget*>(QString::fromLatin1(target))
                                   : static_cast<QWidget*>(box.data());
        ASSERT_NE(clicked, nullptr) << target;
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(2, 2));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull()) << "clicked " << target;
    }
}

TEST(FormAbout, EscapeCloses) {
    QWidget owner;
    FormAbout box(&owner);
    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
}

} // namespace
} // namespace quillotap
