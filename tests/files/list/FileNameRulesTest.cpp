// The rules behind "Rename": which typed names are refused, how the old
// extension is kept, and renaming that never replaces another file.
#include "files/FileCommands.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

namespace quillotap::test {
namespace {

TEST(NewName, KeepsTheOldExtensionUnlessTheNameEndsInIt) {
    EXPECT_EQ(WithExtension("take1", "a.mp3"), "take1.mp3");
    EXPECT_EQ(WithExtension("take1.mp3", "a.mp3"), "take1.mp3");
    EXPECT_EQ(WithExtension("take1.MP3", "a.mp3"), "take1.MP3");
    EXPECT_EQ(WithExtension("take1.wav", "a.mp3"), "take1.wav.mp3");
    EXPECT_EQ(WithExtension("x", "Old.WAV"), "x.WAV");
    EXPECT_EQ(WithExtension("mp3", "a.mp3"), "mp3.mp3");
    EXPECT_EQ(WithExtension("take1", "a.flac"), "take1.flac");
    EXPECT_EQ(WithExtension("take1.OPUS", "a.opus"), "take1.OPUS");
    EXPECT_EQ(WithExtension("flac", "a.flac"), "flac.flac");
}

TEST(NewName, RefusesNamesThatLeaveTheFolderOrNameNothing) {
    for (const QString& bad :
         {QString("../up"), QString("sub/take"), QString("/abs"), QString("."), QString(".."),
          QString("   "), QString(""), QString("a") + QChar(u'\0') + "b"})
        EXPECT_FALSE(NewNameProblem(bad).isEmpty()) << bad.toStdString();
    for (const QString& good : {QString("take1"), QString("my take.mp3"), QString("..take"),
                                QString("a\\b"), QString::fromUtf8("Aufnahme ä 1")})
        EXPECT_TRUE(NewNameProblem(good).isEmpty()) << good.toStdString();
}

class RenameTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    void write(const char* name, const QByteArray& content) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray read(const char* name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
};

TEST_F(RenameTest, BothWaysMoveTheFileAndNeverReplaceAnother) {
    using Rename = int (*)(const QString&, const QString&);
    for (Rename rename : {&RenameWithoutReplacing, &RenameByLinking}) {
        write("a.mp3", "first");
        write("b.mp3", "second");

        EXPECT_EQ(rename(path("a.mp3"), path("b.mp3")), EEXIST);
        EXPECT_EQ(read("a.mp3"), "first");
        EXPECT_EQ(read("b.mp3"), "second");

        EXPECT_EQ(rename(path("a.mp3"), path("c.mp3")), 0);
        EXPECT_FALSE(QFile::exists(path("a.mp3")));
        EXPECT_EQ(read("c.mp3"), "first");

        EXPECT_EQ(rename(path("gone.mp3"), path("d.mp3")), ENOENT);
        EXPECT_FALSE(QFile::exists(path("d.mp3")));

        QFile::remove(path("b.mp3"));
        QFile::remove(path("c.mp3"));
    }
}

} // namespace
} // namespace quillotap::test
