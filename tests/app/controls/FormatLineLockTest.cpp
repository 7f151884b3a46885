// The format line of the recorder page opens the options of the selected
// format, like "Set". While a recording runs the format cannot change: the
// line is locked with the list and "Set", and refreshing it does not unlock
// "Set".
#include "../AppFixture.h"
#include "formats/FormatLine.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quillotap::test {
namespace {

class FormatLineLockTest : public FastAppFixture {
protected:
    void SetUp() override {
        FastAppFixture::SetUp();
        start();
        ASSERT_TRUE(started_);
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        line_ = control<QLabel>("LabelFomartStr");
        set_ = control<QPushButton>("CmdSet");
    }

    // Runs `action`; returns the title of the dialog it opened (cancelled at
    // once), or "" when none opened.
    QString dialogOpenedBy(const std::function<void()>& action) {
        QString opened;
        QTimer::singleShot(0, &form(), [&opened] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened = dialog->windowTitle();
                dialog->reject();
            }
        });
        action();
        QApplication::processEvents(); // the timer also fires when nothing opened
        return opened;
    }

    QString clickLine() {
        return dialogOpenedBy([this] { QTest::mouseClick(line_, Qt::LeftButton); });
    }

    QLabel* line_ = nullptr;
    QPushButton* set_ = nullptr;
};

TEST_F(FormatLineLockTest, TheLineIsLockedWithTheListWhileRecording) {
    control<QComboBox>("ComboFormat")->setCurrentIndex(3); // WAV
    EXPECT_EQ(clickLine(), "WAV Option") << "the line opens the options when idle";

    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    EXPECT_FALSE(line_->isEnabled());
    EXPECT_FALSE(set_->isEnabled());
    EXPECT_EQ(clickLine(), "") << "a dialog opened in the middle of a recording";
    form().formatLine().onFormatChosen(); // the refresh a closed dialog runs
    EXPECT_FALSE(set_->isEnabled()) << "the refresh unlocked \"Set\" mid-recording";
    EXPECT_EQ(dialogOpenedBy([this] { form().formatLine().onSetClicked(); }), "");

    control<QPushButton>("CmdStopRecord")->click();
    ASSERT_FALSE(form().recordingSession().isRecording());
    EXPECT_TRUE(line_->isEnabled());
    EXPECT_TRUE(set_->isEnabled());
    EXPECT_EQ(clickLine(), "WAV Option");

    // VOX has no options: the line stays enabled but opens nothing.
    control<QComboBox>("ComboFormat")->setCurrentIndex(4);
    EXPECT_FALSE(set_->isEnabled());
    EXPECT_EQ(clickLine(), "");
}

} // namespace
} // namespace quillotap::test
