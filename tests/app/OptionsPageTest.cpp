// The options page: the folder chooser, "Launch at startup", the limit boxes
// and the cue boxes; and the window's Help key and hotkey table rows.
#include "AppFixture.h"
#include "files/FilesPage.h"

#include "hotkeys/HotkeyCode.h"
#include "hotkeys/HotkeyTable.h"
#include "settings/Autostart.h"
#include "settings/AutostartEntry.h"
#include "settings/OutputFolderChooser.h"
#include "ui/HelpViewer.h"

#include <QRadioButton>
#include <QTest>

namespace quillotap::test {
namespace {

using BrowseTest = AppFixture;

struct DialogCall {
    QString title;
    QString start;
    bool hotkeysActive = true;
};

TEST_F(BrowseTest, ChosenFolderBecomesTheOutputFolder) {
    start();
    QTemporaryDir chosen;
    QFile take(chosen.filePath("take.wav"));
    ASSERT_TRUE(take.open(QIODevice::WriteOnly));
    take.close();
    DialogCall call;
    form().folderChooser().setFolderDialog(
        [&](QWidget*, const QString& title, const QString& startFolder) {
            call = {title, startFolder, form().hotkeys().isListening()};
            return chosen.path();
        });
    form().filesPage().build();
    form().folderChooser().browse();

    EXPECT_EQ(call.title, "Please select a directory.");
    EXPECT_EQ(call.start, documents_ + "/Quillotap");
    EXPECT_FALSE(call.hotkeysActive) << "hotkeys are off while the chooser is open";
    EXPECT_TRUE(form().hotkeys().isListening());
    EXPECT_EQ(form().folderChooser().folder(), chosen.path() + "/");
    EXPECT_EQ(control<QLineEdit>("TextPath")->text(), chosen.path() + "/");
    // The recordings list was read again, from the new folder.
    EXPECT_FALSE(form().recordingsList().isStale());
    QTreeWidget* list = control<QTreeWidget>("ListViewFile");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "take.wav");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(BrowseTest, CancelOrUnreadableFolderChangesNothing) {
    start();
    const QString before = form().folderChooser().folder();
    QTemporaryDir locked;
    QFile::setPermissions(locked.path(), QFileDevice::Permissions());
    const bool canLock = !runningAsRoot();
    const struct {
        QString chosen;
        bool message;
    } cases[] = {
        {QString(), false},
        {locked.path() + "/missing", true},
        {canLock ? locked.path() : locked.path() + "/gone", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        messages_.clear();
        form().filesPage().build();
        form().folderChooser().setFolderDialog(
            [&](QWidget*, const QString&, const QString&) { return c.chosen; });
        form().folderChooser().browse();
        EXPECT_EQ(form().folderChooser().folder(), before);
        EXPECT_EQ(control<QLineEdit>("TextPath")->text(), before);
        EXPECT_FALSE(form().recordingsList().isStale());
        EXPECT_TRUE(form().hotkeys().isListening());
        ASSERT_EQ(messages_.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
            EXPECT_EQ(messages_[0].title, "Error");
            EXPECT_EQ(messages_[0].text, "Can not read " + c.chosen);
        }
    }
    QFile::setPermissions(locked.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

using LaunchAtStartupTest = AppFixture;

TEST_F(LaunchAtStartupTest, TheBoxWritesAndRemovesTheEntryAtOnce) {
    start();
    auto* box = control<QCheckBox>("CheckStart");
    box->setChecked(true);
    ASSERT_TRUE(QFile::exists(autostartEntryPath()));
    EXPECT_EQ(AutostartEntry::read().value_or(QString()), AutostartCommand());
    const auto arguments = ParseAutostartExec(AutostartCommand());
    ASSERT_TRUE(arguments);
    EXPECT_EQ(*arguments, QStringList({QCoreApplication::applicationFilePath(), "/icon"}));

    box->setChecked(false);
    EXPECT_FALSE(QFile::exists(autostartEntryPath()));
}

TEST_F(LaunchAtStartupTest, AnExistingEntryIsTickedAndRewrittenWithThisProgram) {
    ASSERT_TRUE(AutostartEntry::write("/old/place/quillotap /icon"));
    start();
    EXPECT_TRUE(control<QCheckBox>("CheckStart")->isChecked());
    EXPECT_EQ(AutostartEntry::read().value_or(QString()), AutostartCommand());
}

TEST_F(LaunchAtStartupTest, AnEntryThatCannotBeWrittenUnticksTheBoxAndSaysWhy) {
    start();
    // A file where the autostart folder must be.
    const QString folder = QFileInfo(autostartEntryPath()).absolutePath();
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto* box = control<QCheckBox>("CheckStart");
    box->setChecked(true);
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(messages_[0].text.startsWith("Quillotap could not be set to start at login: "))
        << messages_[0].text.toStdString();
    EXPECT_TRUE(messages_[0].text.contains(folder)) << messages_[0].text.toStdString();

    // Unticked again by the program, the box removes nothing and says nothing more.
    QFile::remove(folder);
    box->setChecked(true);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(AutostartEntry::exists());
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(LaunchAtStartupTest, AnEntryThatCannotBeRemovedKeepsTheBoxTickedAndSaysWhy) {
    start();
    auto* box = control<QCheckBox>("CheckStart");
    // Something the program cannot delete stands where the entry is: a
    // folder with a file in it.
    QDir().mkpath(autostartEntryPath());
    QFile inside(autostartEntryPath() + "/keep");
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.close();
    {
        const QSignalBlocker quiet(box);
        box->setChecked(true);
    }
    box->setChecked(false);
    EXPECT_TRUE(box->isChecked());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.startsWith(
        "Quillotap could not be removed from the programs started at login: "))
        << messages_[0].text.toStdString();
    EXPECT_TRUE(messages_[0].text.contains(autostartEntryPath()))
        << messages_[0].text.toStdString();
}

using OptionBoxTest = AppFixture;

TEST_F(OptionBoxTest, ALimitBoxIsCorrectedWhenEditingEndsAndALimitLocksItsBox) {
    start();
    auto* size = control<QLineEdit>("TextSize");
    auto* time = control<QLineEdit>("TextTime");
    QTest::keyClicks(size, "0");
    EXPECT_EQ(size->text(), "100");
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 100);
    size->clear();
    EXPECT_EQ(size->text(), "");
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 1);
    emit size->editingFinished();
    EXPECT_EQ(size->text(), "1");
    time->setText("100000");
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 86400);
    emit time->editingFinished();
    EXPECT_EQ(time->text(), "86400");

    control<QCheckBox>("CheckSize")->setChecked(true);
    EXPECT_TRUE(form().optionBoxes().limits().sizeLimit);
    EXPECT_FALSE(size->isEnabled());
    control<QCheckBox>("CheckSize")->setChecked(false);
    EXPECT_FALSE(form().optionBoxes().limits().sizeLimit);
    EXPECT_TRUE(size->isEnabled());

    control<QCheckBox>("CheckSound2")->setChecked(false);
    EXPECT_FALSE(form().cueSounds().stopCueOn());
}

using WindowKeysTest = AppFixture;

TEST_F(WindowKeysTest, F1OpensTheManual) {
    start();
    if (!QFile::exists(HelpFilePath(form().appFolder())))
        GTEST_SKIP() << "no manual beside the test program";
    form().show();
    QTest::keyRelease(&form(), Qt::Key_F1);
    EXPECT_NE(form().findChild<HelpBrowser*>(), nullptr);
}

TEST_F(WindowKeysTest, SelectingAHotkeyRowFillsTheEditor) {
    installSettings("\"Hotkey7E\"=\"Disabled\"\n\"Hotkey3\"=\"AF9\"\n\"Hotkey5\"=\"S+A\"\n");
    start();
    auto* list = control<QTreeWidget>("ListViewHotkey");
    list->setCurrentItem(list->topLevelItem(6));
    EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(control<QComboBox>("ComboKey")->currentText(), "I");

    list->setCurrentItem(list->topLevelItem(4));
    EXPECT_TRUE(control<QCheckBox>("CheckShift")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CheckCtrl")->isChecked());
    EXPECT_EQ(control<QComboBox>("ComboKey")->currentText(), "A");

    // A code without "+" clears the modifiers; its key is not in the list,
    // so the list keeps its selection.
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_EQ(list->topLevelItem(2)->text(1), "AF9");
    EXPECT_FALSE(control<QCheckBox>("CheckShift")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CheckAlt")->isChecked());
    EXPECT_EQ(control<QComboBox>("ComboKey")->currentText(), "A");
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
}

TEST(HotkeyDisplay, ReadsLikeTheKeysToPress) {
    const struct {
        const char* code;
        const char* display;
    } cases[] = {
        {"CA+R", "Ctrl + Alt + R"},
        {"AS+F5", "Alt + Shift + F5"},
        {"+Home", "Home"},
        {"CAR", "CAR"},
        {"SC+1", "Ctrl + Shift + 1"},
        {"CAS+Page Down", "Ctrl + Alt + Shift + Page Down"},
        {"ca+R", "R"},
        {"C+", "Ctrl + "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HotkeyDisplayText(c.code), QString::fromLatin1(c.display)) << c.code;
}

} // namespace
} // namespace quillotap::test
