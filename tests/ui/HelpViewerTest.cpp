// The manual: a missing file is not an error, an existing one opens in the
// in-program viewer when there is no desktop to hand it to (as here, offscreen).
#include "ui/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

TEST(HelpViewer, MissingManualOpensNothing) {
    QTemporaryDir dir;
    QWidget owner;
    EXPECT_FALSE(ShowHelp(dir.path() + QLatin1Char('/'), &owner));
    EXPECT_EQ(owner.findChild<HelpBrowser*>(), nullptr);
}

TEST(HelpViewer, BundledManualOpensOncePerOwner) {
    // The build copies the manual beside every program, tests included.
    const QString appFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    ASSERT_TRUE(QFile::exists(HelpFilePath(appFolder))) << HelpFilePath(appFolder).toStdString();

    QWidget owner;
    EXPECT_TRUE(ShowHelp(appFolder, &owner));
    EXPECT_TRUE(ShowHelp(appFolder, &owner));
    const QList<HelpBrowser*> viewers = owner.findChildren<HelpBrowser*>();
    ASSERT_EQ(viewers.size(), 1);
    EXPECT_TRUE(viewers.first()->isVisible());
    const QString text = viewers.first()->browser()->toPlainText();
    for (const char* expected : {"Recorder", "Files", "Hotkey", "Icon Mode", "Options", "user.reg"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
}

} // namespace
} // namespace quillotap
