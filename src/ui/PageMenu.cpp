#include "ui/PageMenu.h"

#include "ui/CaptionedPictures.h"
#include "widgets/Bitmaps.h"
#include "widgets/PictureButton.h"

#include <QStackedWidget>

namespace quillotap {

PageMenu::PageMenu(QWidget* buttonParent, QObject* parent) : QObject(parent) {
    for (int i = 0; i < ButtonCount; ++i) {
        auto* button =
            new PictureButton(MenuButtonCaption(i), MenuButtonPicture(i, MenuPicture::Normal),
                              MenuButtonPicture(i, MenuPicture::Hover),
                              MenuButtonPicture(i, MenuPicture::Selected), buttonParent);
        button->setObjectName(QStringLiteral("PicMenu%1").arg(i));
        if (i == FilesPage)
            button->setGreyedPicture(GreyedFilesPicture());
        buttons_.append(button);
    }
    connectButtons();
}

PageMenu::PageMenu(const QList<PictureButton*>& buttons, QStackedWidget* stack, QObject* parent)
    : QObject(parent), buttons_(buttons.mid(0, ButtonCount)), stack_(stack) {
    Q_ASSERT(buttons_.size() == ButtonCount);
    connectButtons();
}

void PageMenu::connectButtons() {
    for (int i = 0; i < buttons_.size(); ++i)
        connect(buttons_[i], &PictureButton::clicked, this, [this, i] { onMenuButtonClicked(i); });
}

void PageMenu::setPages(QStackedWidget* stack) {
    stack_ = stack;
    pages_.clear();
}

void PageMenu::setPages(const QList<QWidget*>& pages) {
    stack_ = nullptr;
    pages_ = pages;
}

void PageMenu::showNormalPictures() {
    for (PictureButton* button : buttons_)
        button->showPicture(PictureButton::Picture::Normal);
    currentPage_ = RecorderPage;
    showSelected(RecorderPage);
}

void PageMenu::ShowPage(int page) {
    if (stack_) {
        if (page >= 0 && page < stack_->count())
            stack_->setCurrentIndex(page);
        return;
    }
    for (QWidget* widget : pages_)
        widget->hide();
    if (QWidget* widget = pages_.value(page))
        widget->show();
}

void PageMenu::showSelected(int index) {
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setSelected(i == currentPage_);
    if (PictureButton* button = buttons_.value(index))
        button->showPicture(PictureButton::Picture::Pressed);
}

void PageMenu::onMenuButtonClicked(int index) {
    for (PictureButton* button : buttons_)
        button->showPicture(PictureButton::Picture::Normal);
    if (recordingActive_)
        buttons_[FilesPage]->showPicture(PictureButton::Picture::Greyed);
    if (PictureButton* button = buttons_.value(index))
        button->showPicture(PictureButton::Picture::Pressed);

    if (index == HelpButton) {
        emit helpRequested();
        buttons_[HelpButton]->showPicture(PictureButton::Picture::Normal);
        showSelected(currentPage_);
        return;
    }

    // Indexes outside the menu show the recorder page, as 0 does.
    const int page = index > 0 && index < PageCount ? index : RecorderPage;
    ShowPage(page);
    currentPage_ = page;
    showSelected(page);
    if (page == FilesPage)
        emit filesPageShown();
    else if (page == RecorderPage)
        emit recorderPageShown();
    emit pageChosen(page);
}

void PageMenu::setRecordingActive(bool active) {
    recordingActive_ = active;
    PictureButton* files = buttons_[FilesPage];
    files->setEnabled(!active);
    files->showPicture(active ? PictureButton::Picture::Greyed : PictureButton::Picture::Normal);
}

} // namespace quillotap
