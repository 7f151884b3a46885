// Page menu: pictures by state (normal, hover, selected, greyed while a
// recording runs), the page shown, the Help button keeping the page, and the
// signals the main window acts on.
#include "ui/PageMenu.h"
#include "widgets/PictureButton.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

using Picture = PictureButton::Picture;

struct PageMenuTest : ::testing::Test {
    QWidget window;
    QStackedWidget* stack = new QStackedWidget(&window);
    PageMenu menu{&window};

    PageMenuTest() {
        for (int i = 0; i < PageMenu::PageCount; ++i)
            stack->addWidget(new QWidget);
        menu.setPages(stack);
        menu.showNormalPictures();
    }

    std::vector<Picture> pictures() const {
        std::vector<Picture> result;
        for (int i = 0; i < PageMenu::ButtonCount; ++i)
            result.push_back(menu.button(i)->shownPicture());
        return result;
    }

    static std::vector<Picture> selectedOnly(int index) {
        std::vector<Picture> result(PageMenu::ButtonCount, Picture::Normal);
        result[index] = Picture::Pressed;
        return result;
    }
};

void Enter(QWidget* widget) {
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(widget, &event);
}

void Leave(QWidget* widget) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

void Hover(QWidget* widget, QPoint pos) {
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

TEST_F(PageMenuTest, ButtonsAreNamedAfterTheirLabels) {
    const char* labels[] = {"Recorder", "Files", "Hotkey", "Icon Mode", "Options", "Help"};
    for (int i = 0; i < PageMenu::ButtonCount; ++i) {
        PictureButton* button = menu.button(i);
        EXPECT_EQ(button->objectName(), QStringLiteral("PicMenu%1").arg(i));
        EXPECT_EQ(button->accessibleName(), QString::fromLatin1(labels[i]));
        EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        EXPECT_EQ(button->size(), QSize(135, 28));
    }
}

TEST_F(PageMenuTest, StartsOnRecorderPage) {
    EXPECT_EQ(menu.CurrentPage(), 0);
    EXPECT_EQ(stack->currentIndex(), 0);
    EXPECT_EQ(pictures(), selectedOnly(0));
}

TEST_F(PageMenuTest, EachPageButtonShowsItsPageAndIsTheOnlySelected) {
    for (int page : {2, 4, 1, 3, 0}) {
        QSignalSpy chosen(&menu, &PageMenu::pageChosen);
        menu.onMenuButtonClicked(page);
        EXPECT_EQ(menu.CurrentPage(), page);
        EXPECT_EQ(stack->currentIndex(), page);
        EXPECT_EQ(pictures(), selectedOnly(page)) << "page " << page;
        ASSERT_EQ(chosen.count(), 1);
        EXPECT_EQ(chosen.at(0).at(0).toInt(), page);
    }
}

TEST_F(PageMenuTest, RecorderAndFilesPagesAnnounceThemselves) {
    QSignalSpy recorder(&menu, &PageMenu::recorderPageShown);
    QSignalSpy files(&menu, &PageMenu::filesPageShown);
    menu.onMenuButtonClicked(1);
    menu.onMenuButtonClicked(2);
    menu.onMenuButtonClicked(0);
    menu.onMenuButtonClicked(0);
    EXPECT_EQ(files.count(), 1);
    EXPECT_EQ(recorder.count(), 2);
}

TEST_F(PageMenuTest, IndexOutsideTheMenuShowsRecorderPage) {
    menu.onMenuButtonClicked(3);
    QSignalSpy recorder(&menu, &PageMenu::recorderPageShown);
    menu.onMenuButtonClicked(9);
    EXPECT_EQ(menu.CurrentPage(), 0);
    EXPECT_EQ(stack->currentIndex(), 0);
    EXPECT_EQ(recorder.count(), 1);
    EXPECT_EQ(pictures(), selectedOnly(0));
}

TEST_F(PageMenuTest, HelpKeepsPageAndItsSelectedPicture) {
    menu.onMenuButtonClicked(2);
    QSignalSpy help(&menu, &PageMenu::helpRequested);
    QSignalSpy chosen(&menu, &PageMenu::pageChosen);
    menu.onMenuButtonClicked(PageMenu::HelpButton);
    EXPECT_EQ(help.count(), 1);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(menu.CurrentPage(), 2);
    EXPECT_EQ(stack->currentIndex(), 2);
    EXPECT_EQ(pictures(), selectedOnly(2));
}

TEST_F(PageMenuTest, FilesButtonStaysGreyedWhileRecording) {
    menu.setRecordingActive(true);
    EXPECT_FALSE(menu.button(1)->isEnabled());
    EXPECT_EQ(menu.button(1)->shownPicture(), Picture::Greyed);

    for (int index : {2, 0, PageMenu::HelpButton, 4}) {
        menu.onMenuButtonClicked(index);
        EXPECT_EQ(menu.button(1)->shownPicture(), Picture::Greyed) << "after " << index;
    }
    // Hovering a disabled button changes nothing.
    Enter(menu.button(1));
    EXPECT_EQ(menu.button(1)->shownPicture(), Picture::Greyed);

    menu.setRecordingActive(false);
    EXPECT_TRUE(menu.button(1)->isEnabled());
    EXPECT_EQ(menu.button(1)->shownPicture(), Picture::Normal);
    menu.onMenuButtonClicked(2);
    EXPECT_EQ(pictures(), selectedOnly(2));
}

TEST_F(PageMenuTest, HoverShowsHoverPictureExceptOnCurrentPage) {
    menu.onMenuButtonClicked(2);
    PictureButton* other = menu.button(3);
    PictureButton* current = menu.button(2);

    Enter(other);
    EXPECT_EQ(other->shownPicture(), Picture::Hover);
    Hover(other, QPoint(200, 5)); // moved out while still tracked
    EXPECT_EQ(other->shownPicture(), Picture::Normal);
    Hover(other, QPoint(134, 27)); // the last pixel is inside
    EXPECT_EQ(other->shownPicture(), Picture::Hover);
    Leave(other);
    EXPECT_EQ(other->shownPicture(), Picture::Normal);

    Enter(current);
    EXPECT_EQ(current->shownPicture(), Picture::Pressed);
    Leave(current);
    EXPECT_EQ(current->shownPicture(), Picture::Pressed);
}

TEST_F(PageMenuTest, MouseDownSelectsAndClickSwitchesPage) {
    PictureButton* options = menu.button(4);
    QTest::mousePress(options, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(options->shownPicture(), Picture::Pressed);
    EXPECT_EQ(menu.CurrentPage(), 0);
    QTest::mouseRelease(options, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(menu.CurrentPage(), 4);
    EXPECT_EQ(pictures(), selectedOnly(4));
}

TEST_F(PageMenuTest, ReleaseOutsideTheButtonDoesNotClick) {
    PictureButton* hotkey = menu.button(2);
    QTest::mousePress(hotkey, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(hotkey, Qt::LeftButton, {}, QPoint(300, 10));
    EXPECT_EQ(menu.CurrentPage(), 0);
    EXPECT_EQ(hotkey->shownPicture(), Picture::Normal);
}

TEST_F(PageMenuTest, KeyboardPressesTheFocusedButton) {
    QTest::keyClick(menu.button(3), Qt::Key_Space);
    EXPECT_EQ(menu.CurrentPage(), 3);
    QTest::keyClick(menu.button(1), Qt::Key_Return);
    EXPECT_EQ(menu.CurrentPage(), 1);
}

TEST(PageMenuWidgets, ExactlyOnePageWidgetIsVisible) {
    QWidget window;
    PageMenu menu(&window);
    QList<QWidget*> pages;
    for (int i = 0; i < PageMenu::PageCount; ++i)
        pages.append(new QWidget(&window));
    menu.setPages(pages);
    for (int page : {3, 1, 0}) {
        menu.ShowPage(page);
        for (int i = 0; i < PageMenu::PageCount; ++i)
            EXPECT_EQ(pages[i]->isHidden(), i != page) << "page " << page << " widget " << i;
    }
}

} // namespace
} // namespace quillotap
