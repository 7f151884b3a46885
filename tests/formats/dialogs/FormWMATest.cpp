#include "formats/FormWMA.h"

#include "DialogTestSupport.h"
#include "audio/AudioFile.h"
#include "formats/OutputFormatSettings.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace quillotap;
using quillotap::test::Click;
using quillotap::test::Control;

namespace {

QString WmaDescription(int profile) {
    AudioFile reference;
    reference.SetWMAProfile(profile);
    return reference.GetFormatDescription();
}

// Which of the three shortcuts are on, as "100", "010", "000"...
std::string Shortcuts(FormWMA& dialog) {
    std::string on;
    for (const char* name : {"Option1", "Option2", "Option3"})
        on += Control<QRadioButton>(dialog, name)->isChecked() ? '1' : '0';
    return on;
}

TEST(FormWMA, ListsAllProfilesAndOpensOnStoredOne) {
    OutputFormatSettings settings;
    settings.WMAProfile = 35;
    AudioFile audio;
    FormWMA dialog(settings, audio);
    auto* combo = Control<QComboBox>(dialog, "Combo1");
    EXPECT_EQ(dialog.windowTitle(), " WMA Option");
    ASSERT_EQ(combo->count(), 47);
    for (int n = 1; n <= 47; ++n)
        EXPECT_EQ(combo->itemText(n - 1), WmaDescription(n)) << n;
    EXPECT_EQ(combo->currentIndex(), 34);
    EXPECT_EQ(Shortcuts(dialog), "001");
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormWMA");
}

TEST(FormWMA, ListAndShortcutsFollowEachOther) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormWMA dialog(settings, audio);
    auto* combo = Control<QComboBox>(dialog, "Combo1");
    EXPECT_EQ(Shortcuts(dialog), "010");
    combo->setCurrentIndex(14);
    EXPECT_EQ(Shortcuts(dialog), "000");
    combo->setCurrentIndex(9);
    EXPECT_EQ(Shortcuts(dialog), "100");
    Click(dialog, "Option3");
    EXPECT_EQ(combo->currentIndex(), 34);
    EXPECT_EQ(Shortcuts(dialog), "001");
    Click(dialog, "Option2");
    EXPECT_EQ(combo->currentIndex(), 13);
    EXPECT_EQ(Shortcuts(dialog), "010");
}

// The shortcuts are one exclusive group: clicking the one that is on keeps it
// on (and the list on its profile), so they never all go off while the list
// shows one of their profiles.
TEST(FormWMA, ClickingTheShortcutThatIsOnKeepsItOn) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormWMA dialog(settings, audio);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* combo = Control<QComboBox>(dialog, "Combo1");
    for (const char* name : {"Option2", "Option1", "Option3"}) {
        SCOPED_TRACE(name);
        auto* shortcut = Control<QRadioButton>(dialog, name);
        shortcut->click();
        const int position = combo->currentIndex();
        const std::string on = Shortcuts(dialog);
        QTest::mouseClick(shortcut, Qt::LeftButton);
        QTest::keyClick(shortcut, Qt::Key_Space);
        EXPECT_TRUE(shortcut->isChecked());
        EXPECT_EQ(Shortcuts(dialog), on);
        EXPECT_EQ(combo->currentIndex(), position);
    }
    // A profile without a shortcut still clears all three, and the group
    // takes a shortcut again afterwards.
    combo->setCurrentIndex(0);
    EXPECT_EQ(Shortcuts(dialog), "000");
    Click(dialog, "Option2");
    EXPECT_EQ(Shortcuts(dialog), "010");
    EXPECT_EQ(combo->currentIndex(), 13);
}

TEST(FormWMA, OkStoresSelectedProfile) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormWMA dialog(settings, audio);
    Control<QComboBox>(dialog, "Combo1")->setCurrentIndex(20);
    Click(dialog, "CmdOK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.WMAProfile, 21);
    EXPECT_EQ(audio.GetFormatDescription(), WmaDescription(21));
}

TEST(FormWMA, CancelAfterListingKeepsStoredProfile) {
    OutputFormatSettings settings;
    settings.WMAProfile = 10;
    AudioFile audio;
    FormWMA dialog(settings, audio);
    Control<QComboBox>(dialog, "Combo1")->setCurrentIndex(2);
    Click(dialog, "CmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.WMAProfile, 10);
}

// A stored profile outside 1..47 still lists every profile but selects none,
// and OK stays unusable until one is chosen, so profile 0 is never stored.
TEST(FormWMA, OutOfRangeProfileNeedsAChoiceBeforeOk) {
    for (int stored : {0, 48, -3}) {
        OutputFormatSettings settings;
        settings.WMAProfile = stored;
        AudioFile audio;
        FormWMA dialog(settings, audio);
        auto* combo = Control<QComboBox>(dialog, "Combo1");
        auto* ok = Control<QPushButton>(dialog, "CmdOK");
        EXPECT_EQ(combo->count(), 47);
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(Shortcuts(dialog), "000");
        EXPECT_FALSE(ok->isEnabled());
        ok->click();
        EXPECT_EQ(settings.WMAProfile, stored);
        Click(dialog, "Option1");
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
        EXPECT_EQ(settings.WMAProfile, 10);
    }
}

} // namespace
