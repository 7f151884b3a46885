// The program's load and unload: the defaults of a fresh account, the values
// saved at close and read back at the next start, stored values that are
// short, oddly typed or out of range, a damaged settings file, and the
// command line.
#include "AppFixture.h"

#include "../settings/FileReplacements.h"
#include "hotkeys/HotkeyTable.h"
#include "recording/InputSelection.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace quillotap::test {
namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, FreshAccountStartsWithEveryDefault) {
    start();
    ASSERT_TRUE(started_);
    EXPECT_TRUE(messages_.empty());
    // Loading reads; it writes nothing before the close.
    EXPECT_FALSE(QFile::exists(hiveFilePath()));

    EXPECT_EQ(control<QComboBox>("ComboFormat")->currentIndex(), 0);
    EXPECT_FALSE(form().formatOptions().mp3Description.isEmpty());
    EXPECT_TRUE(control<QLabel>("LabelFomartStr")
                    ->text()
                    .startsWith(form().formatOptions().mp3Description));
    EXPECT_EQ(control<QLineEdit>("TextSize")->text(), "10");
    EXPECT_EQ(control<QLineEdit>("TextTime")->text(), "600");
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 10);
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 600);
    EXPECT_FALSE(control<QCheckBox>("CheckSize")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CheckTime")->isChecked());
    EXPECT_TRUE(control<QLineEdit>("TextSize")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("CheckSound1")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CheckSound2")->isChecked());
    EXPECT_TRUE(form().cueSounds().startCueOn());
    EXPECT_TRUE(form().cueSounds().stopCueOn());
    EXPECT_FALSE(control<QCheckBox>("CheckIconMode")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CheckStart")->isChecked());

    // The preview ran once during the start and was stopped again.
    EXPECT_FALSE(control<QCheckBox>("CheckPreview")->isChecked());
    EXPECT_FALSE(form().recordingSession().recorder().IsRunning());
    EXPECT_FALSE(form().pageMenuHandlers().previewRestore());
    EXPECT_EQ(form().frame().statusLabel()->text(), "Ready to record");

    const QString folder = documents_ + "/Quillotap/";
    EXPECT_EQ(form().folderChooser().folder(), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(control<QLineEdit>("TextPath")->text(), folder);
    EXPECT_TRUE(form().appFolder().endsWith('/'));

    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::RecorderPage);
    EXPECT_EQ(form().frame().pageStack()->currentIndex(), MainFrame::RecorderPage);
    EXPECT_EQ(form().presetMenus().current(1), 4);
    EXPECT_EQ(form().presetMenus().current(2), 11);
    // The list was built from the output folder during the start-up.
    EXPECT_FALSE(form().recordingsList().isStale());
    EXPECT_TRUE(form().hotkeys().isListening());
    EXPECT_FALSE(form().hotkeys().isPausing());

    // The standard synthetic device and its first line.
    EXPECT_EQ(control<QComboBox>("DeviceCombo")->currentText(), "Test signal");
    EXPECT_EQ(control<QComboBox>("ComboSource")->currentText(), "Sine 440 Hz");
    EXPECT_EQ(form().inputSelection().sourceLine(), 0);

    // The hotkey editor shows row 1.
    auto* list = control<QTreeWidget>("ListViewHotkey");
    ASSERT_EQ(list->topLevelItemCount(), HotkeyRowCount);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), " Hotkey for 'Start recording' ");
    EXPECT_TRUE(control<QCheckBox>("CheckCtrl")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CheckAlt")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CheckShift")->isChecked());
    EXPECT_EQ(control<QComboBox>("ComboKey")->currentText(), "R");
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
}

TEST_F(StartupTest, CloseSavesEveryValueInOrder) {
    start();
    close();
    const QStringList expected = {"FilePath",
                                  "LastFormat",
                                  "Hotkey1",
                                  "Hotkey2",
                                  "Hotkey3",
                                  "Hotkey4",
                                  "Hotkey5",
                                  "Hotkey6",
                                  "Hotkey7",
                                  "Hotkey1E",
                                  "Hotkey2E",
                                  "Hotkey3E",
                                  "Hotkey4E",
                                  "Hotkey5E",
                                  "Hotkey6E",
                                  "Hotkey7E",
                                  "Preset1",
                                  "Preset2",
                                  "Preview",
                                  "PlayStopSound",
                                  "PlayStartSound",
                                  "StartIconWhenMin",
                                  "SizeLimit",
                                  "Timelimit",
                                  "MaxSize",
                                  "MaxTime",
                                  "WMAProfile",
                                  "WAVFreq",
                                  "WAVChannel",
                                  "WAVBit",
                                  "OGGFreq",
                                  "OGGChMode",
                                  "OGGsldrBitrate",
                                  "OGGsldrMinBitrate",
                                  "OGGsldrMaxBitrate",
                                  "OGGsldrQuality",
                                  "OGGchVbr",
                                  "OGGchQuality",
                                  "FLACLevel",
                                  "FLACBit",
                                  "OPUSBitrate",
                                  "OPUSMode",
                                  "MP3Freq",
                                  "MP3Quality",
                                  "MP3Bitrate",
                                  "MP3VbrBitrate",
                                  "MP3VbrQuality",
                                  "MP3VbrCodingMethod",
                                  "MP3AbrBitrate",
                                  "MP3Channels",
                                  "MP3TypeStereo",
                                  "MP3WritingVBRHeader",
                                  "MP3StrictlyEnforceMinBitrate",
                                  "PreRollSeconds",
                                  "StartOnSound",
                                  "SilenceSeconds",
                                  "SoundThreshold"};
    EXPECT_EQ(storedNames(), expected);

    const std::vector<std::pair<QString, QString>> values = {
        {"FilePath", documents_ + "/Quillotap/"},
        {"LastFormat", "0"},
        {"Hotkey1", "CA+R"},
        {"Hotkey2", "CA+S"},
        {"Hotkey3", "CA+Up"},
        {"Hotkey4", "CA+Down"},
        {"Hotkey5", "CA+M"},
        {"Hotkey6", "CA+P"},
        {"Hotkey7", "CA+I"},
        {"Hotkey1E", "Enabled"},
        {"Hotkey7E", "Enabled"},
        {"Preset1", "4"},
        {"Preset2", "11"},
        {"Preview", "0"},
        {"PlayStopSound", "Yes"},
        {"PlayStartSound", "Yes"},
        {"StartIconWhenMin", "No"},
        {"SizeLimit", "No"},
        {"Timelimit", "No"},
        {"MaxSize", "10"},
        {"MaxTime", "600"},
        {"WMAProfile", "14"},
        {"OGGchVbr", "False"},
        {"FLACLevel", "5"},
        {"FLACBit", "16"},
        {"OPUSBitrate", "96"},
        {"OPUSMode", "Music"},
        {"MP3Bitrate", "128"},
        {"MP3WritingVBRHeader", "True"},
        {"PreRollSeconds", "0"},
        {"StartOnSound", "No"},
        {"SilenceSeconds", "3"},
        {"SoundThreshold", "10"},
    };
    for (const auto& [name, text] : values)
        EXPECT_EQ(stored(name), text) << name.toStdString();
}

// The close stores some fifty values with a single rewrite of the file.
TEST_F(StartupTest, CloseRewritesTheSettingsFileOnce) {
    installSettings("\"MaxTime\"=\"90\"\n");
    FileReplacements replaced(QFileInfo(hiveFilePath()).path(), QStringLiteral("user.reg"));
    start();
    EXPECT_EQ(replaced.take(), 0) << "the start-up writes nothing";
    close();
    EXPECT_EQ(replaced.take(), 1);
    EXPECT_EQ(stored("MaxTime"), "90");
}

TEST_F(StartupTest, SecondStartReadsBackWhatTheFirstSaved) {
    start();
    QTemporaryDir recordings;
    form().folderChooser().setFolderDialog(
        [&](QWidget*, const QString&, const QString&) { return recordings.path(); });
    form().folderChooser().browse();
    control<QComboBox>("ComboFormat")->setCurrentIndex(3);
    control<QLineEdit>("TextTime")->setText("120");
    control<QCheckBox>("CheckTime")->setChecked(true);
    control<QLineEdit>("TextSize")->setText("64");
    control<QCheckBox>("CheckSound1")->setChecked(false);
    control<QCheckBox>("CheckIconMode")->setChecked(true);
    control<QCheckBox>("CheckPreview")->setChecked(true);
    form().presetMenus().apply(1, 12);

    restart();
    ASSERT_TRUE(started_);
    EXPECT_EQ(form().folderChooser().folder(), recordings.path() + "/");
    EXPECT_EQ(control<QLineEdit>("TextPath")->text(), recordings.path() + "/");
    EXPECT_EQ(control<QComboBox>("ComboFormat")->currentIndex(), 3);
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 120);
    EXPECT_TRUE(control<QCheckBox>("CheckTime")->isChecked());
    EXPECT_FALSE(control<QLineEdit>("TextTime")->isEnabled());
    EXPECT_TRUE(form().optionBoxes().limits().timeLimit);
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 64);
    EXPECT_FALSE(form().optionBoxes().limits().sizeLimit);
    EXPECT_FALSE(control<QCheckBox>("CheckSound1")->isChecked());
    EXPECT_FALSE(form().cueSounds().startCueOn());
    EXPECT_TRUE(form().cueSounds().stopCueOn());
    EXPECT_TRUE(control<QCheckBox>("CheckIconMode")->isChecked());
    EXPECT_TRUE(form().optionBoxes().iconModeWhenMinimised());
    EXPECT_EQ(form().presetMenus().current(1), 12);
    // The preview was on at the close, so it runs again.
    EXPECT_TRUE(control<QCheckBox>("CheckPreview")->isChecked());
    EXPECT_TRUE(form().recordingSession().recorder().IsRunning());
}

TEST_F(StartupTest, ClosingOnTheFilesPageStoresThePreviewAsOff) {
    start();
    control<QCheckBox>("CheckPreview")->setChecked(true);
    form().pageMenu().onMenuButtonClicked(MainFrame::FilesPage);
    close();
    EXPECT_EQ(stored("Preview"), "0");
}

struct StoredCase {
    const char* name;
    QByteArray values; // lines of the program key
    std::function<void(AppFixture&)> check;
};

class StoredValueTest : public AppFixture, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValueTest, IsReadAsTheUserExpects) {
    installSettings(GetParam().values);
    start();
    ASSERT_TRUE(started_);
    GetParam().check(*this);
}

const StoredCase StoredCases[] = {
    {"ShortFilePathCountsAsMissing", "\"FilePath\"=\"C:\"\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().folderChooser().folder(), f.documents_ + "/Quillotap/");
     }},
    {"ThreeCharacterFilePathIsUsed", "\"FilePath\"=\"/..\"\n",
     [](AppFixture& f) { EXPECT_EQ(f.form().folderChooser().folder(), "/../"); }},
    {"TrailingNulIsIgnored", "\"PlayStartSound\"=hex(1):4e,6f,00\n",
     [](AppFixture& f) {
         EXPECT_FALSE(f.form().cueSounds().startCueOn());
         EXPECT_FALSE(f.form().control<QCheckBox>("CheckSound1")->isChecked());
     }},
    {"DwordNumberIsRead", "\"MaxSize\"=dword:00000014\n\"MaxTime\"=dword:0000012c\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().optionBoxes().limits().maxSizeMegabytes, 20);
         EXPECT_EQ(f.form().optionBoxes().limits().maxTimeSeconds, 300);
     }},
    {"StartCueNo", "\"PlayStartSound\"=\"No\"\n",
     [](AppFixture& f) {
         EXPECT_FALSE(f.form().cueSounds().startCueOn());
         EXPECT_TRUE(f.form().cueSounds().stopCueOn());
     }},
    {"StartCueLowerCaseNoStaysOn", "\"PlayStartSound\"=\"no\"\n",
     [](AppFixture& f) { EXPECT_TRUE(f.form().cueSounds().startCueOn()); }},
    {"HugeSizeIsCut", "\"MaxSize\"=\"99999\"\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().optionBoxes().limits().maxSizeMegabytes, 2048);
         EXPECT_EQ(f.form().control<QLineEdit>("TextSize")->text(), "2048");
     }},
    {"TextSizeKeepsDefault", "\"MaxSize\"=\"abc\"\n",
     [](AppFixture& f) { EXPECT_EQ(f.form().optionBoxes().limits().maxSizeMegabytes, 10); }},
    {"ShortTimeIsRaised", "\"MaxTime\"=\"2\"\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().optionBoxes().limits().maxTimeSeconds, 5);
         EXPECT_EQ(f.form().control<QLineEdit>("TextTime")->text(), "5");
     }},
    {"LimitFlagsNeedExactYes", "\"SizeLimit\"=\"Yes\"\n\"Timelimit\"=\"yes\"\n",
     [](AppFixture& f) {
         EXPECT_TRUE(f.form().optionBoxes().limits().sizeLimit);
         EXPECT_FALSE(f.form().control<QLineEdit>("TextSize")->isEnabled());
         EXPECT_FALSE(f.form().optionBoxes().limits().timeLimit);
     }},
    {"UnknownFormatLeavesMp3", "\"LastFormat\"=\"9\"\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().control<QComboBox>("ComboFormat")->currentIndex(), 0);
     }},
    {"StoredFormatIsSelected", "\"LastFormat\"=\"4\"\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().control<QComboBox>("ComboFormat")->currentText(), "VOX");
     }},
    {"PresetsInRange", "\"Preset1\"=\"12\"\n\"Preset2\"=\"1\"\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().presetMenus().current(1), 12);
         EXPECT_EQ(f.form().presetMenus().current(2), 1);
     }},
    {"PresetsOutOfRange", "\"Preset1\"=\"4.5\"\n\"Preset2\"=\"13\"\n",
     [](AppFixture& f) {
         EXPECT_EQ(f.form().presetMenus().current(1), 4);
         EXPECT_EQ(f.form().presetMenus().current(2), 11);
     }},
    {"StoredHotkeysAndStates", "\"Hotkey4\"=\"S+F9\"\n\"Hotkey7E\"=\"Disabled\"\n",
     [](AppFixture& f) {
         auto* list = f.form().control<QTreeWidget>("ListViewHotkey");
         EXPECT_EQ(list->topLevelItem(3)->text(1), "Shift + F9");
         EXPECT_EQ(HotkeyCode(list->topLevelItem(3)), "S+F9");
         EXPECT_EQ(HotkeyEnabledText(list->topLevelItem(6)), "Disabled");
         EXPECT_EQ(HotkeyCode(list->topLevelItem(0)), "CA+R");
     }},
    {"PreviewOnKeepsRunning", "\"Preview\"=\"1\"\n",
     [](AppFixture& f) {
         EXPECT_TRUE(f.form().control<QCheckBox>("CheckPreview")->isChecked());
         EXPECT_TRUE(f.form().recordingSession().recorder().IsRunning());
         EXPECT_FALSE(f.form().pageMenuHandlers().previewRestore());
     }},
};

INSTANTIATE_TEST_SUITE_P(Settings, StoredValueTest, ::testing::ValuesIn(StoredCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, DamagedSettingsFileGivesOneMessageAndTheDefaults) {
    installHive("this is not a settings file\n\"MaxSize\"=\"99\n");
    start();
    ASSERT_TRUE(started_);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Warning);
    EXPECT_EQ(messages_[0].title, "Quillotap");
    EXPECT_FALSE(messages_[0].text.isEmpty());
    EXPECT_EQ(form().optionBoxes().limits().maxSizeMegabytes, 10);
    // The damaged file is kept aside, and the close writes a sound one.
    EXPECT_TRUE(QFile::exists(hiveFilePath() + ".bad"));
    close();
    EXPECT_EQ(stored("MaxSize"), "10");
    restart();
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(StartupTest, OnlyTheExactArgumentAsksForIconMode) {
    const struct {
        QStringList arguments;
        bool iconMode;
    } cases[] = {
        {{"quillotap", "/icon"}, true},   {{"quillotap", "/ICON"}, false},
        {{"quillotap", "/icon "}, false}, {{"quillotap", "/icon", "x"}, false},
        {{"quillotap"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        start(c.arguments);
        EXPECT_EQ(form().isInIconMode(), c.iconMode);
        form_.reset();
    }
}

TEST_F(StartupTest, ShutDownRunsOnceAndStopsThePreview) {
    start();
    control<QCheckBox>("CheckPreview")->setChecked(true);
    ASSERT_TRUE(form().recordingSession().recorder().IsRunning());
    form().Shutdown();
    EXPECT_FALSE(form().recordingSession().recorder().IsRunning());
    EXPECT_EQ(stored("Preview"), "1");
    // A second shut-down (the close after a session end) writes nothing new.
    WriteSetting("Preview", "changed");
    form().close();
    EXPECT_EQ(stored("Preview"), "changed");
}

} // namespace
} // namespace quillotap::test
