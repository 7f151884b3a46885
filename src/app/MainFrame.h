// The main window's frame, built from its forms: the page menu buttons
// PicMenu0..PicMenu5 at the left, the about button, the status line and the
// five pages (recorder, files, hotkeys, icon mode, options) stacked on one
// spot, placed by the window's twips geometry, with their pictures and the
// columns of the two report views. It holds controls, no behaviour; the
// subsystems reach the controls through the ui objects (include the
// matching "ui_Page*.h" in a source file of this folder).
#pragma once

#include "widgets/ReportView.h"

#include <QList>
#include <QRect>
#include <memory>

class QLabel;
class QStackedWidget;
class QWidget;

namespace Ui {
class FormMain;
class PageRecorder;
class PageFiles;
class PageHotkey;
class PageIconMode;
class PageOptions;
} // namespace Ui

namespace quillotap {

class PictureButton;

class MainFrame {
public:
    // Page indexes, in the order of the page menu.
    enum Page : int { RecorderPage = 0, FilesPage, HotkeyPage, IconModePage, OptionsPage };
    static constexpr int PageCount = 5;
    // Menu buttons 0..4 show the pages, button 5 is Help.
    static constexpr int MenuButtonCount = 6;

    // Window geometry is given in twips; 15 twips make one pixel. Rounds to
    // the nearest pixel (7150 twips are 477 pixels).
    static constexpr int Twips(int twips) { return TwipsToPixels(twips); }
    // The rectangle the five pages share.
    static QRect PageRect();
    // Menu button i (0..5).
    static QRect MenuButtonRect(int index);

    // Builds the frame and its pages into `window` and gives it its fixed size.
    explicit MainFrame(QWidget* window);
    ~MainFrame();
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Generated ui objects of the frame and of each page; their members are
    // the controls, named as in the forms (ui.ComboFormat, ui.CmdRecord...).
    Ui::FormMain& frameUi() const { return *frame_; }
    Ui::PageRecorder& recorderUi() const { return *recorder_; }
    Ui::PageFiles& filesUi() const { return *files_; }
    Ui::PageHotkey& hotkeyUi() const { return *hotkey_; }
    Ui::PageIconMode& iconModeUi() const { return *iconMode_; }
    Ui::PageOptions& optionsUi() const { return *options_; }

    // The stacked widget PicFrame and its pages PicFrame0..PicFrame4.
    QStackedWidget* pageStack() const;
    QWidget* page(int index) const;
    // PicMenu0..PicMenu5, PicAbout, LabelStatus.
    PictureButton* menuButton(int index) const;
    QList<PictureButton*> menuButtons() const;
    PictureButton* aboutButton() const;
    QLabel* statusLabel() const;

    // The preset and about buttons show their normal pictures.
    void showNormalPictures();

private:
    void setUpFrame(QWidget* window);
    void setUpPages();
    void setUpListViews();
    void setUpPictures();

    std::unique_ptr<Ui::FormMain> frame_;
    std::unique_ptr<Ui::PageRecorder> recorder_;
    std::unique_ptr<Ui::PageFiles> files_;
    std::unique_ptr<Ui::PageHotkey> hotkey_;
    std::unique_ptr<Ui::PageIconMode> iconMode_;
    std::unique_ptr<Ui::PageOptions> options_;
};

} // namespace quillotap
