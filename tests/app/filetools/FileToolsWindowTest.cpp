// The files page's "ID3 Tag" and "Convert" buttons in a running main window:
// which file they act on, what they refuse, and what a conversion does to a
// recording that runs meanwhile and to the recordings list.
#include "../AppFixture.h"
#include "files/FilesPage.h"

#include "../../files/tools/SoundFiles.h"
#include "audio/AudioInformation.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace quillotap::test {
namespace {

class FileToolsWindowTest : public FastAppFixture {
protected:
    FormMain& startWindow() {
        FormMain& f = start(handDrivenServices());
        EXPECT_TRUE(started_);
        return f;
    }

    QString folder() { return form().folderChooser().folder(); }
    QTreeWidget* list() { return control<QTreeWidget>("ListViewFile"); }

    // Puts sound files in the output folder, has the list read the folder
    // and selects the first of them.
    void showFiles(const QStringList& names) {
        for (const QString& name : names) {
            const QString path = folder() + name;
            if (!QFileInfo::exists(path)) {
                ASSERT_TRUE(WriteTone(path, 2.0)) << name.toStdString();
            }
        }
        form().recordingsList().invalidate();
        form().filesPage().build();
        for (const QString& name : names)
            ASSERT_EQ(list()->findItems(name, Qt::MatchExactly).size(), 1) << name.toStdString();
        list()->setCurrentItem(list()->findItems(names.value(0), Qt::MatchExactly).value(0));
    }

    // Clicks `button`; `drive` works the modal dialog that opens, which is
    // closed afterwards if still open. Returns the dialog's object name.
    QString click(const char* button, std::function<void(QDialog&)> drive = {}) {
        auto opened = std::make_shared<QString>();
        auto hotkeysOff = std::make_shared<bool>(false);
        QTimer::singleShot(0, &form(), [this, opened, hotkeysOff, drive] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            *opened = dialog->objectName();
            *hotkeysOff = !form().hotkeys().isListening();
            if (drive)
                drive(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        control<QPushButton>(button)->click();
        if (!opened->isEmpty()) {
            EXPECT_TRUE(*hotkeysOff) << "hotkeys act while the dialog is open";
        }
        return *opened;
    }

    static void press(QDialog& dialog, const char* name) {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
};

TEST_F(FileToolsWindowTest, EmptyListOpensNothing) {
    startWindow();
    ASSERT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_EQ(click("CmdID3"), "");
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(click("CmdConvert"), "");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages_[0].text, "Please select a file to convert");
}

TEST_F(FileToolsWindowTest, TagEditorRefusesWhatItCannotEdit) {
    startWindow();
    // Only the exact lower-case extension names an MP3 file here.
    ASSERT_TRUE(WriteTone(folder() + "LOUD.mp3", 1.0));
    ASSERT_TRUE(QFile::rename(folder() + "LOUD.mp3", folder() + "LOUD.MP3"));
    showFiles({"LOUD.MP3"});
    EXPECT_EQ(click("CmdID3"), "");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages_[0].text, "Please select a mp3 file");

    // A file deleted after the list was built.
    messages_.clear();
    showFiles({"gone.mp3"});
    ASSERT_TRUE(QFile::remove(folder() + "gone.mp3"));
    EXPECT_EQ(click("CmdID3"), "");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages_[0].title, "Error");
    EXPECT_EQ(messages_[0].text, "Can not find file - " + folder() + "gone.mp3");
}

TEST_F(FileToolsWindowTest, TagEditorSavesTheSelectedFile) {
    startWindow();
    showFiles({"b.mp3", "a.mp3"});
    EXPECT_EQ(click("CmdID3",
                    [](QDialog& dialog) {
                        dialog.findChild<QLineEdit*>("infoTitle")->setText("Second");
                        press(dialog, "CmdSave");
                    }),
              "FormID3");
    AudioInformation a, b;
    ASSERT_TRUE(a.Open(folder() + "a.mp3"));
    ASSERT_TRUE(b.Open(folder() + "b.mp3"));
    EXPECT_EQ(a.Title, "");
    EXPECT_EQ(b.Title, "Second");
    EXPECT_TRUE(form().hotkeys().isListening());
}

TEST_F(FileToolsWindowTest, RecordingFileIsNotTaggedWhileItIsRecorded) {
    startWindow();
    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    ASSERT_TRUE(
        WaitFor([&] { return QFileInfo(form().recordingSession().outputFilePath()).size() > 0; }));
    showFiles({form().recordingSession().outputFileName()});
    EXPECT_EQ(click("CmdID3"), "");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains("being recorded"));
    form().recordingSession().stopCapture();
}

// The converter writes with a writer of its own: the recording keeps going
// into its file and ends complete.
TEST_F(FileToolsWindowTest, ConversionDuringARecordingLeavesTheRecordingWhole) {
    startWindow();
    ASSERT_TRUE(WriteTone(folder() + "old.wav", 3.0));
    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    const QString recording = form().recordingSession().outputFilePath();
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(recording).size() > 0; }));
    showFiles({"old.wav"});

    EXPECT_EQ(click("CmdConvert",
                    [](QDialog& dialog) {
                        auto* combo = dialog.findChild<QComboBox*>("ComboFormat");
                        combo->setCurrentIndex(combo->findText("MP3"));
                        press(dialog, "CmdConvert");
                        press(dialog, "CmdClose");
                    }),
              "FormConvert");
    EXPECT_TRUE(messages_.empty());
    ASSERT_TRUE(form().recordingSession().isRecording());
    EXPECT_TRUE(form().recordingSession().writer().IsWriting())
        << "the recording's writer was taken over";
    const qint64 before = form().recordingSession().writer().GetWrittenFrames();
    // The recording goes on after the dialog.
    ASSERT_TRUE(
        WaitFor([&] { return form().recordingSession().writer().GetWrittenFrames() > before; }));
    form().recordingSession().stopCapture();
    const qint64 written = form().recordingSession().writer().GetWrittenFrames();

    const Decoded rec = DecodeAll(recording);
    ASSERT_TRUE(rec.opened);
    EXPECT_NEAR(double(rec.frames()), double(written), 0.05 * rec.rate);
    EXPECT_NEAR(rec.frequency(), 440.0, 5.0);
    EXPECT_NEAR(DecodeAll(folder() + "New_old.mp3").seconds(), 3.0, 0.15);
}

TEST_F(FileToolsWindowTest, ListIsRebuiltWhenTheConverterCloses) {
    startWindow();
    showFiles({"take.wav"});
    EXPECT_EQ(click("CmdConvert",
                    [](QDialog& dialog) {
                        auto* combo = dialog.findChild<QComboBox*>("ComboFormat");
                        combo->setCurrentIndex(combo->findText("OGG"));
                        press(dialog, "CmdConvert");
                    }),
              "FormConvert");
    EXPECT_TRUE(QFileInfo::exists(folder() + "New_take.ogg"));
    EXPECT_FALSE(form().recordingsList().isStale());
    EXPECT_TRUE(form().hotkeys().isListening());
    // The list has read the folder again: the new file is in it.
    EXPECT_EQ(list()->topLevelItemCount(), 2);
    EXPECT_EQ(list()->findItems("take.wav", Qt::MatchExactly).size(), 1);
    EXPECT_EQ(list()->findItems("New_take.ogg", Qt::MatchExactly).size(), 1);
}

} // namespace
} // namespace quillotap::test
