// The files page of a started main window: the recordings list built from
// the output folder, and Rename, Delete and Properties as the user works
// them through their dialogs, with the player and a running recording kept
// safe.
#include "../../files/tools/SoundFiles.h"
#include "../AppFixture.h"

#include "files/FileCommands.h"
#include "files/FileProperties.h"
#include "support/ToneAnalysis.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QInputDialog>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

namespace quillotap::test {
namespace {

// Stands in for the desktop's file manager on a private bus.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public slots:
    void ShowItemProperties(const QStringList& uris, const QString&) { shown << uris; }
};

// A session bus of the test's own, ended with the test.
class PrivateBus {
public:
    // No service folders: nothing on this bus is started on demand.
    bool start() {
        if (!config_.open())
            return false;
        config_.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                      "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                      "busconfig.dtd\">\n<busconfig><type>session</type>"
                      "<listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>"
                      "<policy context=\"default\"><allow send_destination=\"*\"/>"
                      "<allow own=\"*\"/><allow receive_sender=\"*\"/><allow user=\"*\"/>"
                      "</policy></busconfig>\n");
        config_.close();
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config_.fileName(),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (!daemon_.waitForStarted(10000))
            return false;
        while (address_.isEmpty() && daemon_.waitForReadyRead(10000))
            address_ = QString::fromLatin1(daemon_.readLine()).trimmed();
        return !address_.isEmpty();
    }
    QDBusConnection connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }
    ~PrivateBus() {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        daemon_.kill();
        daemon_.waitForFinished(10000);
    }

private:
    QTemporaryFile config_;
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

// Works the next modal dialog that opens (now or later) with `drive`;
// notes its object name, its window title and whether the hotkeys were off.
class DialogDriver : public QObject {
public:
    explicit DialogDriver(FormMain& form, std::function<void(QWidget&)> drive = {})
        : form_(form), drive_(std::move(drive)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }
    bool opened() const { return !name.isEmpty(); }

    QString name;
    QString title;
    bool hotkeysPolling = true;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || opened())
            return;
        timer_.stop();
        name = modal->objectName();
        title = modal->windowTitle();
        hotkeysPolling = form_.hotkeys().isListening();
        if (drive_)
            drive_(*modal);
        if (modal->isVisible())
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
    }

    FormMain& form_;
    std::function<void(QWidget&)> drive_;
    QTimer timer_;
};

class FilesWindowTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        backend_->setSpeed(40);
        start(handDrivenServices());
        ASSERT_TRUE(started_);
        list_ = control<QTreeWidget>("ListViewFile");
        folder_ = form().folderChooser().folder();
        // No file manager unless a test puts one on a bus of its own.
        commands().properties().setBus(QDBusConnection(QStringLiteral("quillotap-no-bus")));
    }
    void TearDown() override {
        if (form_) {
            form().playback().StopPlayback();
            if (form().recordingSession().isRecording())
                form().recordingSession().stopCapture();
        }
        AppFixture::TearDown();
        backend_->setSpeed(1);
    }

    FileCommands& commands() { return *form().findChild<FileCommands*>(); }

    void addFile(const QString& name, const QByteArray& content = "data") {
        QFile file(folder_ + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(content);
    }
    // Plays a real recording of that name; the synthetic output plays it in
    // real time, so it is still playing when the test goes on.
    void playReal(const QString& name) {
        backend_->setSpeed(1);
        QFile::remove(folder_ + name); // a recording never replaces a file
        ASSERT_TRUE(test::WriteTone(folder_ + name, 20.0));
        form().playback().PlayFile(folder_ + name);
        ASSERT_TRUE(form().playback().isActive());
    }
    QByteArray read(const QString& name) const {
        QFile file(folder_ + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void refresh() { click("CmdRefresh"); }
    void click(const char* button) { control<QPushButton>(button)->click(); }
    void select(const QString& name) {
        const auto found = list_->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list_->setCurrentItem(found.first());
    }
    QStringList names() const {
        QStringList texts;
        for (int i = 0; i < list_->topLevelItemCount(); ++i)
            texts << list_->topLevelItem(i)->text(0);
        return texts;
    }

    // Renames the selected file by typing `answer`; returns the dialog seen.
    std::unique_ptr<DialogDriver> renameTo(const QString& answer) {
        auto driver = std::make_unique<DialogDriver>(form(), [answer](QWidget& modal) {
            if (auto* input = qobject_cast<QInputDialog*>(&modal)) {
                input->setTextValue(answer);
                input->accept();
            }
        });
        click("CmdRename");
        return driver;
    }

    // Clicks Delete and answers the question with `button`.
    std::unique_ptr<DialogDriver> deleteAnswering(QMessageBox::StandardButton button,
                                                  QString* question = nullptr) {
        auto driver = std::make_unique<DialogDriver>(form(), [button, question](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                if (question)
                    *question = box->text();
                box->button(button)->click();
            }
        });
        click("CmdDelete");
        return driver;
    }

    void makeWav(const QString& name, int seconds) {
        AudioFile writer;
        writer.SetWAVFormat(44100, 2, 16);
        writer.CreateForWriting(folder_ + name);
        ASSERT_GE(writer.GetStatus(), 0) << writer.GetErrorText().toStdString();
        writer.SetInputFormat(44100, 2);
        ASSERT_TRUE(writer.WriteSamples(makeTone(440, 44100, 2, 44100LL * seconds)));
        writer.CloseWriter();
    }

    QTreeWidget* list_ = nullptr;
    QString folder_;
};

TEST_F(FilesWindowTest, EmptyFolderShowsAnEmptyListAndTheCommandsDoNothing) {
    addFile("notes.txt");
    refresh();
    EXPECT_FALSE(list_->isHidden());
    EXPECT_EQ(list_->topLevelItemCount(), 0);
    EXPECT_TRUE(list_->selectedItems().isEmpty());
    EXPECT_EQ(form().recordingsList().CurrentRecording(), nullptr);
    for (const char* button : {"CmdRename", "CmdDelete", "CmdProper"}) {
        DialogDriver driver(form());
        click(button);
        QApplication::processEvents();
        EXPECT_FALSE(driver.opened()) << button;
    }
    QTest::keyClick(list_, Qt::Key_Delete);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(QFile::exists(folder_ + "notes.txt"));
}

TEST_F(FilesWindowTest, RenameAsksForTheNameAndKeepsTheExtension) {
    addFile("take.mp3", "sound");
    addFile("zz.mp3");
    refresh();
    select("take.mp3");
    const QString key = list_->currentItem()->data(0, Qt::UserRole).toString();
    const QString size = list_->currentItem()->text(2);

    QString prompt, prefilled;
    DialogDriver driver(form(), [&](QWidget& modal) {
        auto* input = qobject_cast<QInputDialog*>(&modal);
        ASSERT_NE(input, nullptr);
        prompt = input->labelText();
        prefilled = input->textValue();
        input->setTextValue("take1");
        input->accept();
    });
    click("CmdRename");
    EXPECT_EQ(driver.title, "Rename file");
    EXPECT_EQ(prompt, "Please input the new name for file - take.mp3");
    EXPECT_EQ(prefilled, "take.mp3");
    EXPECT_FALSE(driver.hotkeysPolling);
    EXPECT_TRUE(form().hotkeys().isListening());
    EXPECT_EQ(read("take1.mp3"), "sound");
    EXPECT_FALSE(QFile::exists(folder_ + "take.mp3"));
    // The row changes in place.
    EXPECT_EQ(names(), QStringList({"take1.mp3", "zz.mp3"}));
    EXPECT_EQ(list_->currentItem()->data(0, Qt::UserRole).toString(), key);
    EXPECT_EQ(list_->currentItem()->text(2), size);

    renameTo("take3.wav");
    EXPECT_EQ(read("take3.wav.mp3"), "sound");
    renameTo("take2.MP3");
    EXPECT_EQ(read("take2.MP3"), "sound");
    // The extension kept is the one the file has now.
    renameTo("  take4  ");
    EXPECT_EQ(read("take4.MP3"), "sound");
    EXPECT_EQ(names(), QStringList({"take4.MP3", "zz.mp3"}));

    // Cancel, an empty answer and the unchanged name leave everything alone.
    DialogDriver cancel(form());
    click("CmdRename");
    EXPECT_TRUE(cancel.opened());
    renameTo("");
    renameTo("take4.MP3");
    EXPECT_EQ(read("take4.MP3"), "sound");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FilesWindowTest, RenameRefusesUnsafeNamesAndNeverReplacesAFile) {
    addFile("a.mp3", "first");
    addFile("b.mp3", "second");
    QDir().mkdir(folder_ + "sub");
    refresh();
    for (const QString& bad : {QString("sub/a"), QString("../a"), QString("."), QString(".."),
                               QString("   "), QString("x") + QChar(u'\0') + "y"}) {
        messages_.clear();
        select("a.mp3");
        renameTo(bad);
        ASSERT_EQ(messages_.size(), 1u) << bad.toStdString();
        EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
        EXPECT_EQ(messages_[0].title, "Rename file");
        EXPECT_EQ(read("a.mp3"), "first") << bad.toStdString();
    }
    EXPECT_TRUE(QDir(folder_ + "sub").isEmpty());

    // Onto another listed file: the system's reason, both files kept.
    messages_.clear();
    select("a.mp3");
    renameTo("b");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains(QString::fromLocal8Bit(std::strerror(EEXIST))))
        << messages_[0].text.toStdString();
    EXPECT_EQ(read("a.mp3"), "first");
    EXPECT_EQ(read("b.mp3"), "second");
    EXPECT_EQ(names(), QStringList({"a.mp3", "b.mp3"}));

    // A file gone from the folder: the reason, and the row stays.
    messages_.clear();
    QFile::remove(folder_ + "a.mp3");
    select("a.mp3");
    renameTo("c");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains(QString::fromLocal8Bit(std::strerror(ENOENT))));
    EXPECT_EQ(names(), QStringList({"a.mp3", "b.mp3"}));

    // No selected row: nothing to rename.
    messages_.clear();
    list_->clearSelection();
    DialogDriver none(form());
    click("CmdRename");
    QApplication::processEvents();
    EXPECT_FALSE(none.opened());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
}

TEST_F(FilesWindowTest, RenameStopsThePlayerOnlyForThePlayingFile) {
    addFile("a.mp3");
    addFile("b.mp3");
    refresh();
    playReal("a.mp3");

    select("b.mp3");
    renameTo("b2");
    EXPECT_TRUE(QFile::exists(folder_ + "b2.mp3"));
    EXPECT_TRUE(form().playback().isActive());

    select("a.mp3");
    renameTo("a2");
    EXPECT_TRUE(QFile::exists(folder_ + "a2.mp3"));
    EXPECT_FALSE(form().playback().isActive());
}

TEST_F(FilesWindowTest, DeleteAsksWithTheFullPathThenRebuildsTheList) {
    addFile("a.mp3");
    addFile("b.mp3");
    addFile("c.mp3");
    refresh();
    select("b.mp3");

    QString question;
    auto no = deleteAnswering(QMessageBox::No, &question);
    EXPECT_EQ(question, "Delete file -'" + folder_ + "b.mp3'?");
    EXPECT_FALSE(no->hotkeysPolling);
    EXPECT_TRUE(form().hotkeys().isListening());
    EXPECT_TRUE(QFile::exists(folder_ + "b.mp3"));
    EXPECT_EQ(names().size(), 3);

    auto yes = deleteAnswering(QMessageBox::Yes);
    EXPECT_FALSE(QFile::exists(folder_ + "b.mp3"));
    EXPECT_EQ(names(), QStringList({"a.mp3", "c.mp3"}));
    EXPECT_EQ(list_->selectedItems().value(0), list_->topLevelItem(0));

    // The Delete key on the list asks the same question.
    select("c.mp3");
    QString asked;
    DialogDriver key(form(), [&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(list_, Qt::Key_Delete);
    EXPECT_EQ(asked, "Delete file -'" + folder_ + "c.mp3'?");
    EXPECT_EQ(names(), QStringList({"a.mp3"}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FilesWindowTest, DeletingTheLastPlayedFileStopsThePlayer) {
    addFile("a.mp3");
    addFile("b.mp3");
    refresh();
    playReal("a.mp3");
    select("b.mp3");
    deleteAnswering(QMessageBox::Yes);
    EXPECT_TRUE(form().playback().isActive());
    select("a.mp3");
    deleteAnswering(QMessageBox::Yes);
    EXPECT_FALSE(form().playback().isActive());
    EXPECT_EQ(list_->topLevelItemCount(), 0);
}

TEST_F(FilesWindowTest, AFailedDeleteTellsTheUserWhy) {
    addFile("a.mp3");
    addFile("b.mp3");
    refresh();
    select("a.mp3");
    // The listed file is replaced by a folder, which unlink refuses.
    ASSERT_TRUE(QFile::remove(folder_ + "a.mp3"));
    ASSERT_TRUE(QDir().mkdir(folder_ + "a.mp3"));
    deleteAnswering(QMessageBox::Yes);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(messages_[0].text.contains(folder_ + "a.mp3"));
    EXPECT_TRUE(messages_[0].text.contains(QString::fromLocal8Bit(std::strerror(EISDIR))))
        << messages_[0].text.toStdString();
    EXPECT_TRUE(QFileInfo(folder_ + "a.mp3").isDir());
    EXPECT_EQ(names(), QStringList({"b.mp3"}));
}

TEST_F(FilesWindowTest, TheFileBeingRecordedCannotBeRenamedOrDeleted) {
    click("CmdRecord");
    ASSERT_TRUE(form().recordingSession().isRecording());
    refresh();
    const QString name = form().recordingSession().outputFileName();
    select(name);

    {
        DialogDriver rename(form());
        click("CmdRename");
        DialogDriver remove(form());
        click("CmdDelete");
        QApplication::processEvents();
        EXPECT_FALSE(rename.opened());
        EXPECT_FALSE(remove.opened());
    }
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_TRUE(messages_[0].text.contains("being recorded"));
    EXPECT_TRUE(messages_[1].text.contains("being recorded"));
    EXPECT_TRUE(form().recordingSession().isRecording());
    EXPECT_TRUE(QFile::exists(form().recordingSession().outputFilePath()));

    // Once stopped, the recording is an ordinary file again.
    click("CmdStopRecord");
    ASSERT_FALSE(form().recordingSession().isRecording());
    select(name);
    renameTo("kept");
    EXPECT_TRUE(QFile::exists(folder_ + "kept" + name.right(4)));
    EXPECT_EQ(form().recordingSession().outputFilePath(), folder_ + "kept" + name.right(4));
}

TEST_F(FilesWindowTest, PropertiesWithoutAFileManagerShowTheProgramsOwnSheet) {
    makeWav("take.wav", 2);
    refresh();
    QMap<QString, QString> shown;
    DialogDriver driver(form(), [&](QWidget& modal) {
        for (QLabel* label : modal.findChildren<QLabel*>())
            if (label->objectName().startsWith("Label"))
                shown[label->objectName().mid(5)] = label->text();
    });
    click("CmdProper");
    ASSERT_TRUE(WaitFor([&] { return driver.opened(); }));
    EXPECT_EQ(driver.name, "FormProperties");
    EXPECT_FALSE(driver.hotkeysPolling);
    EXPECT_EQ(shown["Name"], "take.wav");
    EXPECT_EQ(shown["Folder"] + "/", folder_);
    EXPECT_TRUE(shown["Size"].contains("bytes")) << shown["Size"].toStdString();
    EXPECT_EQ(shown["Format"], "WAV");
    EXPECT_EQ(shown["Duration"], "00:00:02");
    EXPECT_TRUE(shown["SampleRate"].startsWith("44")) << shown["SampleRate"].toStdString();
    EXPECT_TRUE(shown["SampleRate"].endsWith(" Hz"));
    EXPECT_EQ(shown["Channels"], "2 (stereo)");
    EXPECT_TRUE(shown["Bitrate"].startsWith("1")) << shown["Bitrate"].toStdString();
    EXPECT_EQ(shown["Title"], "None");
    EXPECT_TRUE(messages_.empty());

    // A file that has gone meanwhile gives the error box.
    QFile::remove(folder_ + "take.wav");
    DialogDriver none(form());
    click("CmdProper");
    QApplication::processEvents();
    EXPECT_FALSE(none.opened());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Error");
}

TEST_F(FilesWindowTest, PropertiesGoToTheFileManagerOnTheSessionBus) {
    PrivateBus bus;
    ASSERT_TRUE(bus.start()) << "dbus-daemon did not start";
    QDBusConnection service = bus.connect("quillotap-test-file-manager");
    ASSERT_TRUE(service.isConnected());
    commands().properties().setBus(bus.connect("quillotap-test-client"));

    const QString name = QString::fromUtf8("my take ä.wav");
    makeWav(name, 1);
    refresh();

    // Nothing answers on that bus yet: the program's own sheet.
    DialogDriver own(form());
    click("CmdProper");
    ASSERT_TRUE(WaitFor([&] { return own.opened(); }));
    EXPECT_EQ(own.name, "FormProperties");

    FakeFileManager manager;
    ASSERT_TRUE(
        service.registerObject(FileProperties::Path, &manager, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService(FileProperties::Service));
    DialogDriver sheet(form());
    click("CmdProper");
    ASSERT_TRUE(WaitFor([&] { return !manager.shown.isEmpty(); }));
    const QString uri =
        "file://" + QString::fromLatin1(QUrl::toPercentEncoding(folder_ + name, "/"));
    EXPECT_EQ(manager.shown, QStringList({uri}));
    QApplication::processEvents();
    EXPECT_FALSE(sheet.opened());
    EXPECT_TRUE(messages_.empty());
}

} // namespace
} // namespace quillotap::test

#include "FilesWindowTest.moc"
