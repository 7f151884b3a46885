// What a screen reader learns from the main window: every label that shows a
// value (status, elapsed time, size, paths, format line) is named by that
// value, and no control's accessible name hides the caption it shows. That the
// changes are announced over AT-SPI is checked end to end
// (tests/e2e/test_screen_reader.sh): offscreen, Qt raises no accessibility
// events.
#include "../AppFixture.h"

#include "ui/PageMenu.h"

#include <QAccessible>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>

namespace quillotap::test {
namespace {

QString AccessibleName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// The caption a control shows, without accelerator marks, padding blanks and a
// closing colon: what its accessible name must contain.
QString ShownCaption(const QWidget* w) {
    QString caption;
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        caption = button->text();
    else if (auto* label = qobject_cast<const QLabel*>(w))
        caption = label->pixmap().isNull() ? label->text() : QString();
    else if (auto* box = qobject_cast<const QGroupBox*>(w))
        caption = box->title();
    caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.trimmed();
}

class ShownValuesAccessTest : public FastAppFixture {};

TEST_F(ShownValuesAccessTest, FiguresOfARecordingAreReadAsTheyChange) {
    start();
    ASSERT_TRUE(started_);
    auto* status = form().frame().statusLabel();
    auto* time = control<QLabel>("LabelRTime");
    auto* size = control<QLabel>("LabelRSize");
    auto* file = control<QLabel>("LabelSaveFile");
    auto* format = control<QLabel>("LabelFomartStr");
    EXPECT_EQ(AccessibleName(status), "Ready to record");
    EXPECT_EQ(AccessibleName(format), "Output format " + format->text());

    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    ASSERT_TRUE(WaitFor([&] { return time->text() >= "00:00:02"; }, 30000));
    EXPECT_EQ(AccessibleName(status), "Recording");
    EXPECT_EQ(AccessibleName(time), "Elapsed time " + time->text());
    EXPECT_EQ(AccessibleName(size), "File size " + size->text());
    EXPECT_EQ(AccessibleName(file), "Output file " + form().recordingSession().outputFilePath());

    control<QPushButton>("CmdStopRecord")->click();
    EXPECT_EQ(AccessibleName(status), "Ready to record");
    EXPECT_EQ(AccessibleName(size), "File size " + size->text());
}

TEST_F(ShownValuesAccessTest, NoAccessibleNameHidesTheCaptionShown) {
    start();
    ASSERT_TRUE(started_);
    int checked = 0;
    for (QWidget* w : form().findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QString caption = ShownCaption(w);
        if (caption.isEmpty())
            continue;
        ++checked;
        EXPECT_TRUE(AccessibleName(w).contains(caption, Qt::CaseInsensitive))
            << w->objectName().toStdString() << ": \"" << AccessibleName(w).toStdString()
            << "\" hides \"" << caption.toStdString() << "\"";
    }
    EXPECT_GE(checked, 40);
}

} // namespace
} // namespace quillotap::test
