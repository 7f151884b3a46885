// A settings save that cannot reach the disk while the program runs or
// closes: the user is told once, and the settings file keeps what it held.
#include "AppFixture.h"

#include "../settings/FileSizeLimit.h"

namespace quillotap::test {
namespace {

using SettingsSaveFailureTest = AppFixture;

TEST_F(SettingsSaveFailureTest, ACloseOnAFullDiskSaysSoOnceAndKeepsTheOldFile) {
    installSettings("\"LastFormat\"=\"2\"\n");
    const QByteArray before = readAll(hiveFilePath());
    start();
    ASSERT_TRUE(started_);
    control<QComboBox>("ComboFormat")->setCurrentIndex(3);
    ASSERT_TRUE(messages_.empty());
    {
        // Room for a few bytes only, as on a full disk.
        FileSizeLimit full(16);
        close();
    }
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(messages_[0].text.startsWith("The settings could not be saved: "))
        << messages_[0].text.toStdString();
    EXPECT_EQ(readAll(hiveFilePath()), before);
    Registry::instance().reload();
    EXPECT_EQ(stored("LastFormat"), "2");
}

TEST_F(SettingsSaveFailureTest, WithNobodyToAnswerABoxTheCloseWritesToStderr) {
    start();
    ASSERT_TRUE(started_);
    form().setMessageHandler({});
    // A file where the settings folder must be.
    QFile blocker(QFileInfo(hiveFilePath()).absolutePath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    testing::internal::CaptureStderr();
    // The shut-down runs without the window's close, as on SIGTERM.
    form().Shutdown();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("The settings could not be saved: "), std::string::npos) << err;
    EXPECT_TRUE(messages_.empty());
}

} // namespace
} // namespace quillotap::test
