// The converter dialog: the names and descriptions it proposes, its buttons
// during a conversion, Stop, replacing and failures.
#include "SoundFiles.h"

#include "files/FormConvert.h"
#include "formats/FormatCatalogue.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quillotap::test {
namespace {

class ConverterDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir_.path() + "/";
        ASSERT_TRUE(WriteTone(folder_ + "take.mp3", 3.0));
    }

    std::unique_ptr<FormConvert> open(const QString& source = "take.mp3") {
        auto dialog = std::make_unique<FormConvert>(folder_, source, lame_, settings_,
                                                    QStringLiteral("MP3 44,100 Hz; 128 Kbps"));
        dialog->setMessageHandler(
            [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
                messages_.push_back(title + ": " + text);
                icons_.push_back(icon);
            });
        dialog->setReplaceQuestion([this](const QString& name) {
            asked_ << name;
            return replace_;
        });
        return dialog;
    }

    template <class W> static W* child(QWidget& dialog, const char* name) {
        auto* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QString text(QWidget& dialog, const char* label) {
        return child<QLabel>(dialog, label)->text();
    }
    static void choose(QWidget& dialog, const char* format) {
        auto* combo = child<QComboBox>(dialog, "ComboFormat");
        combo->setCurrentIndex(combo->findText(QString::fromLatin1(format)));
    }
    static void press(QWidget& dialog, const char* button) {
        child<QPushButton>(dialog, button)->click();
    }
    QStringList files() const { return QDir(folder_).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir_;
    QString folder_;
    MP3Lame lame_;
    OutputFormatSettings settings_;
    QStringList messages_;
    std::vector<QMessageBox::Icon> icons_;
    QStringList asked_;
    bool replace_ = false;
};

TEST_F(ConverterDialogTest, OpensOnWmaAndNamesTheTargetAfterTheChosenFormat) {
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Converter");
    EXPECT_EQ(text(*dialog, "LabelFrom"), "take.mp3");
    EXPECT_EQ(child<QComboBox>(*dialog, "ComboFormat")->currentText(), "WMA");
    EXPECT_EQ(text(*dialog, "LabelTo"), "New_take.wma");
    AudioFile describer;
    EXPECT_EQ(text(*dialog, "LabelFomartStr"),
              *DescribeOutputFormat(FormatWMA, "", lame_, settings_, describer));
    EXPECT_FALSE(child<QPushButton>(*dialog, "CmdStop")->isEnabled());

    const QStringList items{"MP3", "WMA", "OGG", "WAV", "VOX", "FLAC", "OPUS"};
    auto* combo = child<QComboBox>(*dialog, "ComboFormat");
    ASSERT_EQ(combo->count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(combo->itemText(i), items[i]);

    choose(*dialog, "MP3");
    EXPECT_EQ(text(*dialog, "LabelTo"), "New_take.mp3");
    EXPECT_EQ(text(*dialog, "LabelFomartStr"), "MP3 44,100 Hz; 128 Kbps");
    choose(*dialog, "VOX");
    EXPECT_EQ(text(*dialog, "LabelFomartStr"), "VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit");
    EXPECT_EQ(FormConvert::TargetName("a.b.wav", FormatOGG), "New_a.b.ogg");
    // Extensions longer than three letters are replaced whole.
    EXPECT_EQ(FormConvert::TargetName("take.flac", FormatWAV), "New_take.wav");
    EXPECT_EQ(FormConvert::TargetName("take.opus", FormatFLAC), "New_take.flac");
}

// While the conversion runs: only Stop is enabled, the dialog does not close
// and the progress stays within 0..100; Stop after the first block keeps a
// shorter file.
TEST_F(ConverterDialogTest, StopDuringTheConversionAndNoClosingMeanwhile) {
    auto dialog = open();
    dialog->show();
    choose(*dialog, "OGG");
    auto* progress = child<QProgressBar>(*dialog, "ProgressConvert");
    std::vector<int> values;
    bool checked = false;
    QObject::connect(progress, &QProgressBar::valueChanged, [&](int value) {
        values.push_back(value);
        if (value == 0 || checked)
            return;
        checked = true;
        EXPECT_FALSE(child<QPushButton>(*dialog, "CmdConvert")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(*dialog, "CmdClose")->isEnabled());
        EXPECT_TRUE(child<QPushButton>(*dialog, "CmdStop")->isEnabled());
        dialog->close();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible());
        press(*dialog, "CmdStop");
    });
    press(*dialog, "CmdConvert");
    EXPECT_TRUE(checked);
    for (int v : values)
        EXPECT_LE(v, 100);
    const Decoded out = DecodeAll(folder_ + "New_take.ogg");
    ASSERT_TRUE(out.opened);
    EXPECT_NEAR(out.seconds(), 1.0, 0.1);
    EXPECT_FALSE(child<QPushButton>(*dialog, "CmdStop")->isEnabled());
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ConverterDialogTest, ExistingTargetIsReplacedOnlyAfterAYes) {
    ASSERT_TRUE(WriteBytes(folder_ + "New_take.wav", "keep me"));
    auto dialog = open();
    choose(*dialog, "WAV");
    press(*dialog, "CmdConvert");
    EXPECT_EQ(asked_, QStringList{"New_take.wav"});
    EXPECT_EQ(FileBytes(folder_ + "New_take.wav"), "keep me");

    replace_ = true;
    press(*dialog, "CmdConvert");
    EXPECT_NEAR(DecodeAll(folder_ + "New_take.wav").seconds(), 3.0, 0.15);
    EXPECT_EQ(files(), (QStringList{"New_take.wav", "take.mp3"}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ConverterDialogTest, CutOffSourceIsConvertedAndTheUserIsWarned) {
    const QByteArray whole = FileBytes(folder_ + "take.mp3");
    ASSERT_TRUE(WriteBytes(folder_ + "cut.mp3", whole.left(whole.size() / 2)));
    auto dialog = open("cut.mp3");
    choose(*dialog, "WAV");
    press(*dialog, "CmdConvert");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(icons_[0], QMessageBox::Warning);
    EXPECT_TRUE(messages_[0].contains("\"cut.mp3\" is shorter than its header says"))
        << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains("New_cut.wav"));
    EXPECT_NEAR(DecodeAll(folder_ + "New_cut.wav").seconds(),
                DecodeAll(folder_ + "cut.mp3").seconds(), 0.15);
    EXPECT_TRUE(child<QPushButton>(*dialog, "CmdClose")->isEnabled());
}

TEST_F(ConverterDialogTest, FailureIsReportedAndLeavesNothing) {
    ASSERT_TRUE(WriteBytes(folder_ + "bad.wav", QByteArray(3000, '\x7f')));
    auto dialog = open("bad.wav");
    press(*dialog, "CmdConvert"); // WMA, with its trial conversion
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(icons_[0], QMessageBox::Critical);
    EXPECT_TRUE(messages_[0].startsWith("Error: "));
    EXPECT_TRUE(messages_[0].contains("bad.wav"));
    EXPECT_EQ(files(), (QStringList{"bad.wav", "take.mp3"}));
    EXPECT_TRUE(child<QPushButton>(*dialog, "CmdConvert")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*dialog, "CmdClose")->isEnabled());
}

} // namespace
} // namespace quillotap::test
