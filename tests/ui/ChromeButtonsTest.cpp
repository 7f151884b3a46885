// The About and preset buttons: their pictures by state, and what keyboard
// and screen-reader users get from every picture button.
#include "ui/ChromeButtons.h"
#include "ui/PageMenu.h"
#include "widgets/PictureButton.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

using Picture = PictureButton::Picture;

TEST(ChromeButtons, EveryPictureButtonIsANamedAccessibleButton) {
    QWidget window;
    PageMenu menu(&window);
    QList<PictureButton*> buttons{CreateAboutButton(&window), CreatePresetButton(1, &window),
                                  CreatePresetButton(2, &window)};
    for (int i = 0; i < PageMenu::ButtonCount; ++i)
        buttons.append(menu.button(i));

    for (PictureButton* button : buttons) {
        const QString name = button->objectName();
        EXPECT_FALSE(button->accessibleName().isEmpty()) << name.toStdString();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(iface, nullptr) << name.toStdString();
        EXPECT_EQ(iface->role(), QAccessible::Button) << name.toStdString();
        EXPECT_EQ(iface->text(QAccessible::Name), button->accessibleName());
        ASSERT_NE(iface->actionInterface(), nullptr);
        EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
}

TEST(ChromeButtons, AccessiblePressActionClicks) {
    PictureButton* about = CreateAboutButton(nullptr);
    QSignalSpy clicked(about, &PictureButton::clicked);
    QAccessible::queryAccessibleInterface(about)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicked.count(), 1);
    delete about;
}

TEST(ChromeButtons, AboutButtonPicturesFollowThePointer) {
    std::unique_ptr<PictureButton> about(CreateAboutButton(nullptr));
    EXPECT_EQ(about->objectName(), QStringLiteral("PicAbout"));
    EXPECT_EQ(about->accessibleName(), QStringLiteral("About"));
    EXPECT_EQ(about->size(), QSize(80, 20));
    QSignalSpy clicked(about.get(), &PictureButton::clicked);

    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QCoreApplication::sendEvent(about.get(), &enter);
    EXPECT_EQ(about->shownPicture(), Picture::Hover);
    QTest::mousePress(about.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(about->shownPicture(), Picture::Pressed);
    QTest::mouseRelease(about.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(about->shownPicture(), Picture::Normal);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(ChromeButtons, PresetButtonShowsHoverUntilReleased) {
    for (int pane : {1, 2}) {
        std::unique_ptr<PictureButton> preset(CreatePresetButton(pane, nullptr));
        EXPECT_EQ(preset->objectName(), QStringLiteral("PicPreset%1").arg(pane));
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QCoreApplication::sendEvent(preset.get(), &enter);
        EXPECT_EQ(preset->shownPicture(), Picture::Hover);
        QTest::mousePress(preset.get(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(preset.get(), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(preset->shownPicture(), Picture::Normal);
    }
}

TEST(ChromeButtons, DisabledButtonIgnoresKeyboardAndAccessibility) {
    std::unique_ptr<PictureButton> about(CreateAboutButton(nullptr));
    QSignalSpy clicked(about.get(), &PictureButton::clicked);
    about->setEnabled(false);
    about->click();
    QTest::keyClick(about.get(), Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 0);
}

} // namespace
} // namespace quillotap
