// The tag editor dialog against real MP3 files: what it shows, what Save
// writes (read back with TagLib), and what it leaves alone.
#include "SoundFiles.h"

#include "audio/AudioInformation.h"
#include "files/FormID3.h"
#include "files/FormProperties.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <vector>

namespace quillotap::test {
namespace {

struct Message {
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

class TagEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = dir_.filePath("take.mp3");
        ASSERT_TRUE(WriteTone(file_, 0.5));
    }

    void tag(const QString& title, int genre, int year, int track) {
        AudioInformation info;
        info.Title = title;
        info.Artist = "Artist";
        info.Album = "Album";
        info.Comment = "Comment";
        info.Genre = genre;
        info.Year = year;
        info.Track = track;
        ASSERT_TRUE(info.WriteTags(file_));
    }

    std::unique_ptr<FormID3> open() {
        auto dialog = std::make_unique<FormID3>(file_);
        dialog->setMessageHandler(
            [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
                messages_.push_back({icon, title, text});
            });
        EXPECT_TRUE(dialog->Load());
        return dialog;
    }

    template <class W> static W* child(QWidget& dialog, const char* name) {
        auto* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QLineEdit* edit(QWidget& dialog, const char* name) {
        return child<QLineEdit>(dialog, name);
    }

    QTemporaryDir dir_;
    QString file_;
    std::vector<Message> messages_;
};

TEST_F(TagEditorTest, ShowsTheFieldsOfTheFile) {
    tag("Morning take", 17, 2024, 7);
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "ID3 Tag editor");
    EXPECT_EQ(edit(*dialog, "infoTitle")->text(), "Morning take");
    EXPECT_EQ(edit(*dialog, "infoArtist")->text(), "Artist");
    EXPECT_EQ(edit(*dialog, "infoAlbum")->text(), "Album");
    EXPECT_EQ(edit(*dialog, "infoComment")->text(), "Comment");
    EXPECT_EQ(edit(*dialog, "infoYear")->text(), "2024");
    EXPECT_EQ(edit(*dialog, "infoTrack")->text(), "7");
    EXPECT_EQ(edit(*dialog, "infoYear")->maxLength(), 4);
    EXPECT_EQ(edit(*dialog, "infoTrack")->maxLength(), 3);
    auto* genre = child<QComboBox>(*dialog, "infoGenre");
    EXPECT_EQ(genre->count(), 148);
    EXPECT_EQ(genre->currentText(), "Rock");
    EXPECT_EQ(genre->itemText(8), "Jazz");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(TagEditorTest, SavedFieldsRoundTripThroughTheFile) {
    auto dialog = open();
    edit(*dialog, "infoTitle")->setText(QString::fromUtf8("Überfahrt – ein Test"));
    edit(*dialog, "infoArtist")->setText("Ann");
    edit(*dialog, "infoAlbum")->setText("Field notes");
    edit(*dialog, "infoComment")->setText("windy");
    edit(*dialog, "infoYear")->setText("1999");
    edit(*dialog, "infoTrack")->setText("12");
    child<QComboBox>(*dialog, "infoGenre")->setCurrentIndex(8); // Jazz
    child<QPushButton>(*dialog, "CmdSave")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(messages_.empty());

    TagLib::MPEG::File mp3(QFile::encodeName(file_).constData());
    ASSERT_TRUE(mp3.isValid());
    TagLib::ID3v2::Tag* id3 = mp3.ID3v2Tag();
    ASSERT_NE(id3, nullptr);
    EXPECT_EQ(QString::fromStdWString(id3->title().toWString()),
              QString::fromUtf8("Überfahrt – ein Test"));
    EXPECT_EQ(id3->artist().to8Bit(true), "Ann");
    EXPECT_EQ(id3->album().to8Bit(true), "Field notes");
    EXPECT_EQ(id3->comment().to8Bit(true), "windy");
    EXPECT_EQ(id3->genre().to8Bit(true), "Jazz");
    EXPECT_EQ(id3->year(), 1999u);
    EXPECT_EQ(id3->track(), 12u);
    // The sound is untouched.
    EXPECT_NEAR(DecodeAll(file_).seconds(), 0.5, 0.1);
}

TEST_F(TagEditorTest, UntouchedOrUnusableFieldsKeepWhatTheFileHad) {
    tag("Kept", 200, 2011, 4); // a genre number outside the list
    auto dialog = open();
    EXPECT_EQ(child<QComboBox>(*dialog, "infoGenre")->currentIndex(), -1);
    edit(*dialog, "infoYear")->clear();
    edit(*dialog, "infoTrack")->setText("x1");
    child<QPushButton>(*dialog, "CmdSave")->click();

    AudioInformation after;
    ASSERT_TRUE(after.Open(file_));
    EXPECT_EQ(after.Title, "Kept");
    EXPECT_EQ(after.Genre, -1) << "no selection writes no genre";
    EXPECT_EQ(after.Year, 2011);
    EXPECT_EQ(after.Track, 4);
}

// A genre the list does not hold (free text, or a number past the 148
// listed ones) opens with no selection; saving other changes keeps it.
TEST_F(TagEditorTest, SavingKeepsAGenreTheListDoesNotHold) {
    for (const char* genre : {"Chiptune", "150"}) {
        SCOPED_TRACE(genre);
        ASSERT_TRUE(QFile::remove(file_));
        ASSERT_TRUE(WriteTone(file_, 0.5));
        {
            TagLib::MPEG::File mp3(QFile::encodeName(file_).constData());
            mp3.ID3v2Tag(true)->setTitle("Old title");
            mp3.ID3v2Tag()->setGenre(genre);
            ASSERT_TRUE(mp3.save(TagLib::MPEG::File::ID3v2));
        }
        const TagLib::String before =
            TagLib::MPEG::File(QFile::encodeName(file_).constData()).ID3v2Tag()->genre();
        auto dialog = open();
        EXPECT_EQ(child<QComboBox>(*dialog, "infoGenre")->currentIndex(), -1);
        edit(*dialog, "infoTitle")->setText("New title");
        child<QPushButton>(*dialog, "CmdSave")->click();
        EXPECT_EQ(dialog->result(), QDialog::Accepted);

        TagLib::MPEG::File mp3(QFile::encodeName(file_).constData());
        ASSERT_NE(mp3.ID3v2Tag(), nullptr);
        EXPECT_EQ(mp3.ID3v2Tag()->title(), TagLib::String("New title"));
        EXPECT_EQ(mp3.ID3v2Tag()->genre(), before);
        EXPECT_FALSE(before.isEmpty());
        // The properties dialog shows it as TagLib reads it.
        EXPECT_EQ(RecordingFacts::Read(file_, QLocale::c()).genre,
                  QString::fromUtf8(before.toCString(true)));
    }
}

TEST_F(TagEditorTest, CancelAndEscapeWriteNothing) {
    tag("Original", 1, 2000, 1);
    const QByteArray before = FileBytes(file_);
    auto dialog = open();
    edit(*dialog, "infoTitle")->setText("Changed");
    child<QPushButton>(*dialog, "CmdCancel")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    dialog = open();
    dialog->show();
    edit(*dialog, "infoTitle")->setText("Changed");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(FileBytes(file_), before);
}

TEST_F(TagEditorTest, FailedWriteIsReportedAndTheInputKept) {
    auto dialog = open();
    edit(*dialog, "infoTitle")->setText("Will not land");
    // The file goes away while the dialog is open.
    ASSERT_TRUE(QFile::remove(file_));
    child<QPushButton>(*dialog, "CmdSave")->click();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(messages_[0].text.contains(file_));
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(edit(*dialog, "infoTitle")->text(), "Will not land");
}

} // namespace
} // namespace quillotap::test
