// The window on a German desktop: it shows German texts, yet everything it
// stores or derives from a shown text stays what the program reads back, so
// a German session's settings and files work the same in any language.
#include "../AppFixture.h"

#include "formats/FormatCatalogue.h"
#include "ui/Translations.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace quillotap::test {
namespace {

class GermanWindowTest : public FastAppFixture {
protected:
    void SetUp() override {
        translations_ = std::make_unique<UiTranslations>(qEnvironmentVariable("QUILLOTAP_BIN_DIR") +
                                                             QLatin1Char('/'),
                                                         QLocale(QStringLiteral("de_DE")));
        ASSERT_FALSE(translations_->programFile().isEmpty()) << "no German translation built";
        FastAppFixture::SetUp();
    }
    void TearDown() override {
        FastAppFixture::TearDown();
        translations_.reset();
    }

    std::unique_ptr<UiTranslations> translations_;
};

TEST_F(GermanWindowTest, HotkeyRowsShowGermanButStoreTheirEnglishStatus) {
    installSettings("\"Hotkey7E\"=\"Disabled\"\n");
    start();
    ASSERT_TRUE(started_);
    auto* list = control<QTreeWidget>("ListViewHotkey");
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Aufnahme starten");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "Aktiviert");
    EXPECT_EQ(list->topLevelItem(6)->text(2), "Deaktiviert");
    list->setCurrentItem(list->topLevelItem(6));
    EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());

    // Row 2 switched off in the editor, in German.
    list->setCurrentItem(list->topLevelItem(1));
    control<QRadioButton>("Option2")->setChecked(true);
    control<QPushButton>("CmdChange")->click();
    EXPECT_EQ(list->topLevelItem(1)->text(2), "Deaktiviert");
    close();

    EXPECT_EQ(stored("Hotkey1E"), "Enabled");
    EXPECT_EQ(stored("Hotkey2E"), "Disabled");
    EXPECT_EQ(stored("Hotkey7E"), "Disabled");
    EXPECT_EQ(stored("Hotkey1"), "CA+R");

    // Read back, the rows are enabled and disabled as before.
    start();
    ASSERT_TRUE(started_);
    list = control<QTreeWidget>("ListViewHotkey");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
}

TEST_F(GermanWindowTest, ARecordingIsNamedByItsFormatAndToldInGerman) {
    start();
    ASSERT_TRUE(started_);
    form().show();
    EXPECT_EQ(form().frame().statusLabel()->text(), "Bereit zur Aufnahme");
    control<QComboBox>("ComboFormat")->setCurrentIndex(FormatWAV);
    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    EXPECT_EQ(form().frame().statusLabel()->text(), "Aufnahme läuft");
    const QString path = form().recordingSession().outputFilePath();
    ASSERT_TRUE(WaitFor([&] { return control<QLabel>("LabelRTime")->text() >= "00:00:01"; }));
    control<QPushButton>("CmdStopRecord")->click();
    EXPECT_EQ(form().frame().statusLabel()->text(), "Bereit zur Aufnahme");
    EXPECT_TRUE(path.endsWith(".wav")) << path.toStdString();
    EXPECT_GT(QFileInfo(path).size(), 44);
}

} // namespace
} // namespace quillotap::test
