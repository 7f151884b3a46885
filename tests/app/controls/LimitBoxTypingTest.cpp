// The two limit boxes of the options page typed into key by key, as a user
// does: the text stays as typed while editing, and is corrected into its range
// when the editing ends (Enter, the focus leaving, another page, the close).
#include "../AppFixture.h"

#include "ui/PageMenu.h"

#include <QApplication>
#include <QTest>

namespace quillotap::test {
namespace {

class LimitBoxTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        start();
        ASSERT_TRUE(started_);
        form().show();
        form().pageMenu().onMenuButtonClicked(MainFrame::OptionsPage);
        size_ = control<QLineEdit>("TextSize");
        time_ = control<QLineEdit>("TextTime");
    }

    // Replaces the box's text the way a user does: select all, then type.
    static void retype(QLineEdit* box, const QString& keys) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, keys);
    }

    QLineEdit* size_ = nullptr;
    QLineEdit* time_ = nullptr;
};

TEST_F(LimitBoxTest, TypedNumbersStayAsTypedWhileTheLimitFollowsThem) {
    retype(time_, "120");
    EXPECT_EQ(time_->text(), "120");
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 120);

    // Clearing the box to type a new number: nothing appears on its own.
    retype(size_, "");
    EXPECT_EQ(size_->text(), "");
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 1)
        << "an empty box stands for the lowest limit";
    QTest::keyClicks(size_, "64");
    EXPECT_EQ(size_->text(), "64");
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 64);

    // The first digit of a time below the lowest limit is not raised at once.
    retype(time_, "3");
    EXPECT_EQ(time_->text(), "3");
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 5);
    QTest::keyClicks(time_, "00");
    EXPECT_EQ(time_->text(), "300");
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 300);
}

TEST_F(LimitBoxTest, EnterAndLeavingTheBoxShowTheCorrectedValue) {
    retype(size_, "5000");
    EXPECT_EQ(size_->text(), "5000");
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 2048);
    QTest::keyClick(size_, Qt::Key_Return);
    EXPECT_EQ(size_->text(), "2048");

    retype(size_, "-7");
    QTest::keyClick(size_, Qt::Key_Enter);
    EXPECT_EQ(size_->text(), "7");
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 7);

    retype(time_, "2");
    EXPECT_EQ(time_->text(), "2");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(time_, &leave);
    EXPECT_EQ(time_->text(), "5");
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 5);

    // Ticking a limit locks its box with the value in force.
    retype(time_, "1");
    control<QCheckBox>("CheckTime")->setChecked(true);
    EXPECT_FALSE(time_->isEnabled());
    EXPECT_EQ(time_->text(), "5");
}

TEST_F(LimitBoxTest, AnotherPageAndTheCloseEndTheEditing) {
    retype(time_, "100000");
    retype(size_, "0");
    form().pageMenu().onMenuButtonClicked(MainFrame::RecorderPage);
    EXPECT_EQ(time_->text(), "86400");
    EXPECT_EQ(size_->text(), "1");

    form().pageMenu().onMenuButtonClicked(MainFrame::OptionsPage);
    retype(size_, "3.9");
    retype(time_, "90");
    restart();
    EXPECT_EQ(stored("MaxSize"), "3");
    EXPECT_EQ(stored("MaxTime"), "90");
    EXPECT_EQ(control<QLineEdit>("TextSize")->text(), "3");
    EXPECT_EQ(control<QLineEdit>("TextTime")->text(), "90");
}

} // namespace
} // namespace quillotap::test
