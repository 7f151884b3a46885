// The column of picture buttons at the left of the main window and the five
// pages it switches between. Buttons 0 to 4 show the recorder, files, hotkey,
// icon-mode and options pages; button 5 asks for help and keeps the page.
// What a page switch means to other parts of the window (preview, recordings
// list, playback, help viewer) is left to whoever listens to the signals.
#pragma once

#include <QList>
#include <QObject>

class QStackedWidget;
class QWidget;

namespace quillotap {

class PictureButton;

class PageMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int ButtonCount = 6;
    static constexpr int PageCount = 5;
    static constexpr int RecorderPage = 0;
    static constexpr int FilesPage = 1;
    static constexpr int HelpButton = 5;

    // Creates the six buttons PicMenu0 to PicMenu5 as children of
    // `buttonParent` (not laid out: the window places them).
    explicit PageMenu(QWidget* buttonParent, QObject* parent = nullptr);

    // Drives the six buttons a window form already holds (PicMenu0 to
    // PicMenu5, in menu order, their pictures set) and the pages of `stack`.
    PageMenu(const QList<PictureButton*>& buttons, QStackedWidget* stack,
             QObject* parent = nullptr);

    PictureButton* button(int index) const { return buttons_.value(index); }

    // The pages, in menu order: either the five pages of a stacked widget
    // or five widgets sharing one spot (PicFrame0 to PicFrame4).
    void setPages(QStackedWidget* stack);
    void setPages(const QList<QWidget*>& pages);

    // Start-up: every button normal, button 0 selected, page 0 current.
    void showNormalPictures();

    // Hides every page, then shows page `page`.
    void ShowPage(int page);

    // The page-menu click for button `index`; other parts call it with 0 to
    // show the recorder page and with 1 to show the files page.
    void onMenuButtonClicked(int index);

    int CurrentPage() const { return currentPage_; }

    // A recording disables the Files button and greys its picture; the end
    // of the recording enables it again with its normal picture.
    void setRecordingActive(bool active);
    bool isRecordingActive() const { return recordingActive_; }

signals:
    // Page 0 was chosen (also for an index outside the menu): restore the
    // preview and stop playback when no recording runs.
    void recorderPageShown();
    // Page 1 was chosen: suspend the preview and rebuild the recordings list.
    void filesPageShown();
    // Any page was chosen, after CurrentPage changed.
    void pageChosen(int page);
    // The Help button was clicked; the page stays as it was.
    void helpRequested();

private:
    void showSelected(int index);
    void connectButtons();

    QList<PictureButton*> buttons_;
    QStackedWidget* stack_ = nullptr;
    QList<QWidget*> pages_;
    int currentPage_ = RecorderPage;
    bool recordingActive_ = false;
};

} // namespace quillotap
