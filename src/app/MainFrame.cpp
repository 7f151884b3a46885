#include "app/MainFrame.h"

#include "hotkeys/HotkeyTable.h"
#include "ui/CaptionedPictures.h"
#include "ui_FormMain.h"
#include "ui_PageFiles.h"
#include "ui_PageHotkey.h"
#include "ui_PageIconMode.h"
#include "ui_PageOptions.h"
#include "ui_PageRecorder.h"
#include "widgets/Bitmaps.h"
#include "widgets/PictureButton.h"

#include <QCoreApplication>
#include <QFile>
#include <QLayout>
#include <QStackedWidget>

#include <initializer_list>

namespace quillotap {

namespace {

// Page rectangle and menu buttons, in twips.
constexpr int PageLeft = 2175;
constexpr int PageTop = 900;
constexpr int PageWidth = 7150;
constexpr int PageHeight = 5220;
constexpr int MenuLeft = 15;
constexpr int MenuTop = 270;
constexpr int MenuPitch = 420;
constexpr int MenuWidth = 1560;
constexpr int MenuHeight = 405;
// Space kept right of and below the pages, in pixels.
constexpr int WindowMargin = 15;

const char* const WindowIconPath = ":/icons/quillotap.png";

} // namespace

QRect MainFrame::PageRect() {
    return {Twips(PageLeft), Twips(PageTop), Twips(PageWidth), Twips(PageHeight)};
}

QRect MainFrame::MenuButtonRect(int index) {
    return {Twips(MenuLeft), Twips(MenuTop + MenuPitch * index), Twips(MenuWidth),
            Twips(MenuHeight)};
}

MainFrame::MainFrame(QWidget* window)
    : frame_(std::make_unique<Ui::FormMain>()), recorder_(std::make_unique<Ui::PageRecorder>()),
      files_(std::make_unique<Ui::PageFiles>()), hotkey_(std::make_unique<Ui::PageHotkey>()),
      iconMode_(std::make_unique<Ui::PageIconMode>()),
      options_(std::make_unique<Ui::PageOptions>()) {
    setUpFrame(window);
    setUpPages();
    setUpListViews();
    setUpPictures();
}

MainFrame::~MainFrame() = default;

void MainFrame::setUpFrame(QWidget* window) {
    frame_->setupUi(window);
    window->setWindowTitle(QStringLiteral("Quillotap"));
    if (QFile::exists(QString::fromLatin1(WindowIconPath)))
        window->setWindowIcon(ProgramIcon());

    // The forms carry the same geometry; the twips figures are authoritative.
    for (int i = 0; i < MenuButtonCount; ++i)
        menuButton(i)->setGeometry(MenuButtonRect(i));
    const QRect pages = PageRect();
    frame_->PicFrame->setGeometry(pages);
    frame_->LabelStatus->setGeometry(pages.left(), MenuButtonRect(0).top(), pages.width(),
                                     MenuButtonRect(0).height());
    window->setFixedSize(pages.right() + 1 + WindowMargin, pages.bottom() + 1 + WindowMargin);
}

void MainFrame::setUpPages() {
    // Each page is built from its own form; the form names the page
    // PicFrame0..PicFrame4 after its place in the menu.
    auto addPage = [this](auto& ui) {
        auto* page = new QWidget(frame_->PicFrame);
        ui.setupUi(page);
        frame_->PicFrame->addWidget(page);
    };
    addPage(*recorder_);
    addPage(*files_);
    addPage(*hotkey_);
    addPage(*iconMode_);
    addPage(*options_);
    frame_->PicFrame->setCurrentIndex(RecorderPage);
    // The pages get their size now, so that knobs placed during the
    // start-up sit where they belong before the window is first shown.
    for (int i = 0; i < PageCount; ++i) {
        page(i)->resize(PageRect().size());
        if (QLayout* layout = page(i)->layout())
            layout->activate();
    }
}

void MainFrame::setUpListViews() {
    SetUpReportView(files_->ListViewFile, {{2140, QStringLiteral("20261207-181541.mp3")},
                                           {1900, QStringLiteral("2026/12/07 18:15:41")},
                                           {640, QStringLiteral("99,999")},
                                           {640, QStringLiteral("MP3")}});
    // The status column also takes what is left of the width. The samples
    // are the longest texts in the UI language.
    SetUpReportView(hotkey_->ListViewHotkey,
                    {{3750, HotkeyFunctionText(6)},
                     {1650, QStringLiteral("Ctrl + Alt + Down")},
                     {0, QCoreApplication::translate("quillotap::HotkeyTable", "Disabled")}});
}

void MainFrame::setUpPictures() {
    // Menu button i: normal, hover and selected pictures; the Files button
    // also has the greyed picture it shows while a recording runs. The
    // recorder page is shown first, so its button starts selected. The
    // pictures carry their labels in the UI language.
    for (int i = 0; i < MenuButtonCount; ++i) {
        menuButton(i)->setPictures(MenuButtonPicture(i, MenuPicture::Normal),
                                   MenuButtonPicture(i, MenuPicture::Hover),
                                   MenuButtonPicture(i, MenuPicture::Selected));
    }
    menuButton(FilesPage)->setGreyedPicture(GreyedFilesPicture());
    menuButton(RecorderPage)->setSelected(true);

    frame_->PicAbout->setPictures(AboutPicture(bitmap::AboutNormal),
                                  AboutPicture(bitmap::AboutHover),
                                  AboutPicture(bitmap::AboutPressed));
    // The preset buttons keep their hover picture while pressed.
    for (PictureButton* preset : {recorder_->PicPreset1, files_->PicPreset2})
        preset->setPictures(LoadBitmap(bitmap::PresetNormal), LoadBitmap(bitmap::PresetHover),
                            LoadBitmap(bitmap::PresetHover));
}

void MainFrame::showNormalPictures() {
    for (PictureButton* preset : {recorder_->PicPreset1, files_->PicPreset2})
        preset->showPicture(PictureButton::Picture::Normal);
    frame_->PicAbout->showPicture(PictureButton::Picture::Normal);
}

QStackedWidget* MainFrame::pageStack() const {
    return frame_->PicFrame;
}

QWidget* MainFrame::page(int index) const {
    return frame_->PicFrame->widget(index);
}

PictureButton* MainFrame::menuButton(int index) const {
    const QList<PictureButton*> buttons = menuButtons();
    return index >= 0 && index < buttons.size() ? buttons.at(index) : nullptr;
}

QList<PictureButton*> MainFrame::menuButtons() const {
    return {frame_->PicMenu0, frame_->PicMenu1, frame_->PicMenu2,
            frame_->PicMenu3, frame_->PicMenu4, frame_->PicMenu5};
}

PictureButton* MainFrame::aboutButton() const {
    return frame_->PicAbout;
}

QLabel* MainFrame::statusLabel() const {
    return frame_->LabelStatus;
}

} // namespace quillotap
