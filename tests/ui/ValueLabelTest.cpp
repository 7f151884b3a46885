// Value labels: what a screen reader hears for them, and how a value too long
// for its label is shortened and still readable whole.
#include "widgets/ValueLabel.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

QString AccessibleText(QWidget* w, QAccessible::Text t) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(t) : QStringLiteral("<no interface>");
}

QString ToolTipOf(QWidget* w) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), w->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(w, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST(ValueLabel, ScreenReadersHearWhatTheValueIsAndTheValueItself) {
    ValueLabel time(QStringLiteral("00:00:00"));
    time.setValueCaption(QStringLiteral("Elapsed time"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&time)->role(), QAccessible::StaticText);
    EXPECT_EQ(AccessibleText(&time, QAccessible::Name), "Elapsed time 00:00:00");
    time.setText(QStringLiteral("00:01:23"));
    EXPECT_EQ(AccessibleText(&time, QAccessible::Name), "Elapsed time 00:01:23");
    EXPECT_EQ(AccessibleText(&time, QAccessible::Value), "00:01:23");
    EXPECT_EQ(AccessibleText(&time, QAccessible::Description), "Elapsed time");
    // QLabel announces its text changes only while its accessible name is
    // unset; the caption must not be kept there.
    EXPECT_TRUE(time.accessibleName().isEmpty());

    ValueLabel status(QStringLiteral("Ready to record"));
    status.setAccessibleDescription(QStringLiteral("Status"));
    EXPECT_EQ(AccessibleText(&status, QAccessible::Name), "Ready to record");
    EXPECT_EQ(AccessibleText(&status, QAccessible::Description), "Status");
}

TEST(ValueLabel, ALongPathIsShortenedInTheMiddleKeepingTheFileName) {
    const QString path = QStringLiteral("/home/someone/Documents/Recordings of the weekly meetings/"
                                        "Quarterly planning/20261207-181541.mp3");
    ValueLabel label;
    label.setElideMode(Qt::ElideMiddle);
    label.setText(path);
    label.resize(label.fontMetrics().horizontalAdvance(path) / 2, 20);

    EXPECT_EQ(label.text(), path) << "callers compare the whole path";
    ASSERT_TRUE(label.isShortened());
    const QString shown = label.shownText();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), label.width());
    const int dots = int(shown.indexOf(QChar(0x2026)));
    ASSERT_GT(dots, 0) << shown.toStdString();
    EXPECT_TRUE(path.startsWith(shown.left(dots))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/20261207-181541.mp3"))) << shown.toStdString();
    EXPECT_EQ(ToolTipOf(&label), path);
    EXPECT_EQ(AccessibleText(&label, QAccessible::Name), path) << "a screen reader hears it all";

    // Too narrow even for the file name: shortened in the middle as a whole.
    label.resize(label.fontMetrics().horizontalAdvance(QStringLiteral("20261207")), 20);
    EXPECT_TRUE(label.shownText().contains(QChar(0x2026)));
    EXPECT_LE(label.fontMetrics().horizontalAdvance(label.shownText()), label.width());

    // Wide enough: shown whole, and the label's own tooltip stays.
    label.setToolTip(QStringLiteral("Where the recording goes"));
    label.resize(label.fontMetrics().horizontalAdvance(path) + 10, 20);
    EXPECT_FALSE(label.isShortened());
    EXPECT_EQ(label.shownText(), path);
    EXPECT_EQ(ToolTipOf(&label), "Where the recording goes");
    QToolTip::hideText();
}

} // namespace
} // namespace quillotap
