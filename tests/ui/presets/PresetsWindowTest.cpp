// The preset menus of the main window's two display panes: what a first
// start shows, which stored numbers are taken, what the menus offer and that
// a choice survives a restart.
#include "app/AppFixture.h"

#include "audio/AudioVisualizationEx2.h"
#include "widgets/PictureButton.h"
#include "ui/VisualizationPresets.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace quillotap::test {
namespace {

class PresetsWindowTest : public AppFixture {
protected:
    AudioVisualizationEx2* pane(int n) {
        return control<AudioVisualizationEx2>(n == 1 ? "AudioVisualization21"
                                                     : "AudioVisualizationEx21");
    }
    QAction* item(int pane, int preset) {
        const QString name = QStringLiteral("ps%1%2").arg(preset).arg(pane == 1 ? "a" : "b");
        return control<QAction>(name.toLatin1().constData());
    }
    QAction* checkedItem(int paneNumber) {
        auto* menu = control<QMenu>(paneNumber == 1 ? "Menu_P1" : "Menu_P2");
        for (QAction* a : menu->actions()) {
            if (a->isChecked())
                return a;
        }
        return nullptr;
    }
    // The pane shows exactly the values of the given row.
    void expectShows(int paneNumber, int preset) {
        SCOPED_TRACE(testing::Message() << "pane " << paneNumber << " preset " << preset);
        const PresetRow* row = PresetRowFor(paneNumber, preset);
        ASSERT_NE(row, nullptr);
        for (int i = 0; i < PresetValueCount; ++i) {
            const int dispid = PresetPropertyOrder[size_t(i)];
            EXPECT_EQ(pane(paneNumber)->GetDispatchProperty(dispid), PresetValue(*row, i))
                << "property " << dispid;
        }
        EXPECT_EQ(checkedItem(paneNumber), item(paneNumber, preset));
    }
};

TEST_F(PresetsWindowTest, FirstStartShowsPresetFourAndEleven) {
    start();
    ASSERT_TRUE(started_);
    EXPECT_EQ(form().presetMenus().current(1), 4);
    EXPECT_EQ(form().presetMenus().current(2), 11);
    expectShows(1, 4);
    expectShows(2, 11);
    EXPECT_EQ(pane(2)->GetDispatchProperty(14).toInt(), 33023); // orange
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PresetsWindowTest, OnlyWholeNumbersOneToTwelveAreTaken) {
    const struct {
        const char* stored1;
        const char* stored2;
        int expected1;
        int expected2;
    } cases[] = {
        {"12", "12", 12, 12},
        {"1", "9", 1, 9},
        {"0", "13", 4, 11},
        {"4.5", "x", 4, 11},
        {"", "-3", 4, 11},
        {"twelve", "11.0", 4, 11},
        {"7", "99999999999999999999", 7, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored1 << " / " << c.stored2);
        installSettings(QByteArray("\"Preset1\"=\"") + c.stored1 + "\"\n\"Preset2\"=\"" +
                        c.stored2 + "\"\n");
        Registry::instance().reload();
        start();
        ASSERT_TRUE(started_);
        EXPECT_EQ(form().presetMenus().current(1), c.expected1);
        EXPECT_EQ(form().presetMenus().current(2), c.expected2);
        expectShows(1, c.expected1);
        expectShows(2, c.expected2);
        close();
    }
}

TEST_F(PresetsWindowTest, MenusOfferTwelvePresetsEach) {
    start();
    for (int paneNumber : {1, 2}) {
        SCOPED_TRACE(paneNumber);
        auto* menu = control<QMenu>(paneNumber == 1 ? "Menu_P1" : "Menu_P2");
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), QStringLiteral("Preset%1").arg(paneNumber));
        const auto actions = menu->actions();
        ASSERT_EQ(actions.size(), 12);
        for (int n = 1; n <= 12; ++n) {
            EXPECT_EQ(actions[n - 1], item(paneNumber, n));
            EXPECT_EQ(actions[n - 1]->text(), QStringLiteral("preset %1").arg(n));
            EXPECT_TRUE(actions[n - 1]->isCheckable());
        }
    }
}

TEST_F(PresetsWindowTest, ButtonPopsTheMenuUp) {
    FormMain& form = start();
    form.show();
    for (int paneNumber : {1, 2}) {
        SCOPED_TRACE(paneNumber);
        auto* menu = control<QMenu>(paneNumber == 1 ? "Menu_P1" : "Menu_P2");
        auto* button = control<PictureButton>(paneNumber == 1 ? "PicPreset1" : "PicPreset2");
        ASSERT_FALSE(menu->isVisible());
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        // Held down it keeps its hover picture (bitmap 102).
        EXPECT_EQ(button->shownPicture(), PictureButton::Picture::Pressed);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(button->shownPicture(), PictureButton::Picture::Normal); // bitmap 101
        EXPECT_TRUE(WaitFor([&] { return menu->isVisible(); }));
        menu->hide();
    }
}

TEST_F(PresetsWindowTest, ChoosingAPresetAssignsItsRowInOrder) {
    start();
    for (int paneNumber : {1, 2}) {
        for (int preset = 1; preset <= 12; ++preset) {
            SCOPED_TRACE(testing::Message() << "pane " << paneNumber << " preset " << preset);
            QSignalSpy assigned(pane(paneNumber), &AudioVisualizationEx2::dispatchPropertySet);
            item(paneNumber, preset)->trigger();
            const PresetRow* row = PresetRowFor(paneNumber, preset);
            ASSERT_EQ(assigned.size(), 17);
            for (int i = 0; i < 17; ++i) {
                EXPECT_EQ(assigned[i][0].toInt(), PresetPropertyOrder[size_t(i)]);
                EXPECT_EQ(assigned[i][1], PresetValue(*row, i));
                EXPECT_TRUE(assigned[i][2].toBool()) << "refused " << assigned[i][0].toInt();
            }
            EXPECT_EQ(assigned[16][1].typeId(), QMetaType::Bool);
            EXPECT_EQ(paneNumber == 1 ? form().presetMenus().current(1)
                                      : form().presetMenus().current(2),
                      preset);
            expectShows(paneNumber, preset);
        }
    }
}

TEST_F(PresetsWindowTest, ChoiceSurvivesARestart) {
    start();
    item(1, 12)->trigger();
    item(2, 3)->trigger();
    FormMain& again = restart();
    (void)again;
    ASSERT_TRUE(started_);
    EXPECT_EQ(stored(QStringLiteral("Preset1")), QStringLiteral("12"));
    EXPECT_EQ(stored(QStringLiteral("Preset2")), QStringLiteral("3"));
    EXPECT_EQ(form().presetMenus().current(1), 12);
    EXPECT_EQ(form().presetMenus().current(2), 3);
    expectShows(1, 12);
    expectShows(2, 3);
}

} // namespace
} // namespace quillotap::test
