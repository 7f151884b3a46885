// The main window's layout: every control the subsystems connect to exists
// once, with its object name, type, caption and page; the page rectangle and
// the menu follow the twips geometry; every control is named for screen
// readers, fits its page and is reached by Tab in reading order.
#include "app/FormMain.h"
#include "files/Playback.h"
#include "ui/PageMenu.h"
#include "widgets/PictureButton.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using quillotap::FormMain;
using quillotap::MainFrame;

namespace {

constexpr int Frame = -1; // the control sits on the frame, outside the pages

struct ControlSpec {
    int page;
    const char* name;
    const char* type;
    const char* caption; // nullptr: no fixed caption
};

const char* const IconHelp =
    "1) Left click (click left button of the mouse) on the system tray icon to start/stop "
    "recording\n\n2) Right click (click right button of the mouse) on the system tray icon to "
    "exit icon mode and open the main window.\n\n3) You can still use Hotkey in the icon mode.";

const std::vector<ControlSpec>& Controls() {
    static const std::vector<ControlSpec> controls = {
        {Frame, "PicMenu0", "quillotap::PictureButton", nullptr},
        {Frame, "PicMenu1", "quillotap::PictureButton", nullptr},
        {Frame, "PicMenu2", "quillotap::PictureButton", nullptr},
        {Frame, "PicMenu3", "quillotap::PictureButton", nullptr},
        {Frame, "PicMenu4", "quillotap::PictureButton", nullptr},
        {Frame, "PicMenu5", "quillotap::PictureButton", nullptr},
        {Frame, "PicAbout", "quillotap::PictureButton", nullptr},
        {Frame, "LabelStatus", "QLabel", "Ready to record"},
        {Frame, "PicFrame", "QStackedWidget", nullptr},
        // Recorder page.
        {0, "LabelDevice", "QLabel", "Device:"},
        {0, "DeviceCombo", "QComboBox", nullptr},
        {0, "LabelSource", "QLabel", "Source:"},
        {0, "ComboSource", "QComboBox", nullptr},
        {0, "PicSlider3", "quillotap::PictureSlider", nullptr},
        {0, "PicSlider4", "quillotap::PictureSlider", nullptr},
        {0, "CheckPreview", "QCheckBox", "Preview"},
        {0, "ComboFormat", "QComboBox", nullptr},
        {0, "CmdSet", "QPushButton", "Set"},
        {0, "LabelFomartStr", "QLabel", nullptr},
        {0, "AudioVisualization21", "quillotap::AudioVisualizationEx2", nullptr},
        {0, "PicPreset1", "quillotap::PictureButton", nullptr},
        {0, "LabelRTime", "QLabel", "00:00:00"},
        {0, "LabelRSize", "QLabel", "0 KB"},
        {0, "LabelSaveFile", "QLabel", nullptr},
        {0, "CmdRecord", "QPushButton", "Record"},
        {0, "CmdStopRecord", "QPushButton", "Stop"},
        {0, "CmdPlayNow", "QPushButton", "Play"},
        // Files page.
        {1, "ListViewFile", "QTreeWidget", nullptr},
        {1, "CmdRefresh", "QPushButton", "Refresh"},
        {1, "CmdRename", "QPushButton", "Rename"},
        {1, "CmdDelete", "QPushButton", "Delete"},
        {1, "CmdProper", "QPushButton", "Properties"},
        {1, "CmdID3", "QPushButton", "ID3 Tag"},
        {1, "CmdConvert", "QPushButton", "Convert"},
        {1, "LabelFileName", "QLabel", nullptr},
        {1, "LabelTime", "QLabel", "Total: 00:00:00"},
        {1, "PicSlider1", "quillotap::PictureSlider", nullptr},
        {1, "PicSlider2", "quillotap::PictureSlider", nullptr},
        {1, "CmdPlay", "QPushButton", "Play"},
        {1, "CmdPausePlay", "QPushButton", "Pause"},
        {1, "CmdStopPlay", "QPushButton", "Stop"},
        {1, "AudioVisualizationEx21", "quillotap::AudioVisualizationEx2", nullptr},
        {1, "PicPreset2", "quillotap::PictureButton", nullptr},
        // Hotkey page.
        {2, "ListViewHotkey", "QTreeWidget", nullptr},
        {2, "Frame1", "QGroupBox", nullptr},
        {2, "CheckCtrl", "QCheckBox", "Ctrl"},
        {2, "CheckAlt", "QCheckBox", "Alt"},
        {2, "CheckShift", "QCheckBox", "Shift"},
        {2, "Label2", "QLabel", "(key):"},
        {2, "ComboKey", "QComboBox", nullptr},
        {2, "Option1", "QRadioButton", "Enabled"},
        {2, "Option2", "QRadioButton", "Disabled"},
        {2, "CmdChange", "QPushButton", "Change"},
        // Icon mode page.
        {3, "CmdIcon", "QPushButton", "Start icon mode"},
        {3, "CheckIconMode", "QCheckBox", "Start icon mode when minimize the main window"},
        {3, "Label14", "QLabel", IconHelp},
        {3, "Image3", "QLabel", nullptr},
        {3, "Image4", "QLabel", nullptr},
        // Options page.
        {4, "CheckSize", "QCheckBox",
         "Stop recording when the output file reaches the size limitation:"},
        {4, "TextSize", "QLineEdit", nullptr},
        {4, "LabelMB", "QLabel", "MB"},
        {4, "CheckTime", "QCheckBox",
         "Stop recording when the output file reaches the time limitation:"},
        {4, "TextTime", "QLineEdit", nullptr},
        {4, "LabelSeconds", "QLabel", "Seconds"},
        {4, "CheckSound1", "QCheckBox", "Play sound when press hotkey to start recording"},
        {4, "CmdTestSound1", "QPushButton", "Test"},
        {4, "CheckSound2", "QCheckBox", "Play sound when press hotkey to stop recording"},
        {4, "CmdTestSound2", "QPushButton", "Test"},
        {4, "LabelPreRoll", "QLabel", "Keep the last"},
        {4, "SpinPreRoll", "QSpinBox", nullptr},
        {4, "CheckSoundStart", "QCheckBox", "Start on sound, stop after"},
        {4, "SpinSilence", "QSpinBox", nullptr},
        {4, "LabelSilence", "QLabel", "seconds of silence"},
        {4, "LabelThreshold", "QLabel", "Threshold:"},
        {4, "SliderThreshold", "QSlider", nullptr},
        {4, "BarInputLevel", "QProgressBar", nullptr},
        {4, "TextPath", "QLineEdit", nullptr},
        {4, "CmdBrowse", "QPushButton", "Browse..."},
        {4, "CheckStart", "QCheckBox", "Launch at startup"},
    };
    return controls;
}

QString CaptionOf(const QWidget* w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return {};
}

// Index of the page that holds `w`, or Frame.
int PageOf(const FormMain& form, const QWidget* w) {
    for (int i = 0; i < MainFrame::PageCount; ++i)
        if (form.frame().page(i)->isAncestorOf(w))
            return i;
    return Frame;
}

// The content widget of the scroll area `w` lies in, if any.
const QWidget* ScrolledContentOf(const QWidget* w) {
    for (const QWidget* a = w; a; a = a->parentWidget()) {
        const QWidget* viewport = a->parentWidget();
        auto* area =
            viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
        if (area && area->widget() == a)
            return a;
    }
    return nullptr;
}

// Activates the layouts of every page, as showing each one would.
void LayOutAllPages(FormMain& form) {
    form.show();
    for (int i = 0; i < MainFrame::PageCount; ++i) {
        form.frame().pageStack()->setCurrentIndex(i);
        QApplication::processEvents();
    }
    form.frame().pageStack()->setCurrentIndex(MainFrame::RecorderPage);
    QApplication::processEvents();
}

class FormMainTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        form_ = new FormMain;
        LayOutAllPages(*form_);
    }
    static void TearDownTestSuite() {
        delete form_;
        form_ = nullptr;
    }
    FormMain& form() { return *form_; }

    static FormMain* form_;
};

FormMain* FormMainTest::form_ = nullptr;

TEST_F(FormMainTest, EveryControlExistsOnceWithTypeCaptionAndPage) {
    for (const ControlSpec& spec : Controls()) {
        SCOPED_TRACE(spec.name);
        const auto found = form().findChildren<QWidget*>(QString::fromLatin1(spec.name));
        ASSERT_EQ(found.size(), 1) << "object name must be unique in the window";
        const QWidget* w = found.first();
        EXPECT_TRUE(w->inherits(spec.type)) << w->metaObject()->className();
        EXPECT_EQ(PageOf(form(), w), spec.page);
        if (spec.caption) {
            EXPECT_EQ(CaptionOf(w), QString::fromUtf8(spec.caption));
        }
    }
}

TEST_F(FormMainTest, WindowTitleIconAndPagesInMenuOrder) {
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Quillotap"));
    EXPECT_FALSE(form().windowIcon().isNull());
    ASSERT_EQ(form().frame().pageStack()->count(), MainFrame::PageCount);
    for (int i = 0; i < MainFrame::PageCount; ++i)
        EXPECT_EQ(form().frame().page(i)->objectName(), QStringLiteral("PicFrame%1").arg(i));
    for (int i = 0; i < MainFrame::MenuButtonCount; ++i)
        EXPECT_EQ(form().frame().menuButton(i)->objectName(), QStringLiteral("PicMenu%1").arg(i));
}

TEST_F(FormMainTest, ListViewsAreReportsWithTheirColumns) {
    struct Column {
        const char* header;
        Qt::Alignment alignment;
        int width;          // at least this wide (0: free)
        const char* sample; // a typical cell text that must fit (nullptr: none)
    };
    struct ListSpec {
        const char* name;
        std::vector<Column> columns;
    };
    const std::vector<ListSpec> lists = {
        {"ListViewFile",
         {{"File name", Qt::AlignLeft, 143, "20261207-181541.mp3"},
          {"Modified", Qt::AlignLeft, 127, "2026/12/07 18:15:41"},
          {"Size(KB)", Qt::AlignRight, 43, "1,234"},
          {"Format", Qt::AlignRight, 43, "MP3"}}},
        {"ListViewHotkey",
         {{"Function", Qt::AlignLeft, 0, "(Stop recording and) Play the recorded file"},
          {"Hotkeys", Qt::AlignLeft, 0, "Ctrl + Alt + Down"},
          {"Status", Qt::AlignLeft, 0, "Disabled"}}},
    };
    for (const ListSpec& list : lists) {
        SCOPED_TRACE(list.name);
        auto* view = form().control<QTreeWidget>(QString::fromLatin1(list.name));
        ASSERT_NE(view, nullptr);
        EXPECT_FALSE(view->rootIsDecorated());
        EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_TRUE(view->allColumnsShowFocus());
        EXPECT_TRUE(view->header()->sectionsClickable());
        ASSERT_EQ(view->columnCount(), int(list.columns.size()));
        for (int c = 0; c < view->columnCount(); ++c) {
            const Column& col = list.columns[c];
            SCOPED_TRACE(col.header);
            EXPECT_EQ(view->headerItem()->text(c), QString::fromLatin1(col.header));
            const auto align = Qt::Alignment(view->headerItem()->textAlignment(c));
            EXPECT_EQ(align & Qt::AlignHorizontal_Mask, col.alignment);
            // The given width, or wider when the caption needs it: never cut.
            EXPECT_GE(view->columnWidth(c), col.width);
            EXPECT_GE(view->columnWidth(c), view->header()->sectionSizeHint(c));
            if (col.sample) {
                const int text = view->fontMetrics().horizontalAdvance(col.sample);
                EXPECT_GT(view->columnWidth(c), text);
            }
        }
        // All columns are visible side by side, without a sideways scroll.
        int total = 0;
        for (int c = 0; c < view->columnCount(); ++c)
            total += view->columnWidth(c);
        EXPECT_LE(total, view->viewport()->width());
    }
}

TEST_F(FormMainTest, CellsFollowTheAlignmentOfTheirColumn) {
    // Whoever fills the rows sets only texts; the right-aligned columns must
    // still paint their text at the right edge of the cell.
    auto* view = form().control<QTreeWidget>(QStringLiteral("ListViewFile"));
    ASSERT_NE(view, nullptr);
    form().frame().pageStack()->setCurrentIndex(MainFrame::FilesPage);
    auto item = std::make_unique<QTreeWidgetItem>(
        view, QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                          QStringLiteral("1")});
    QApplication::processEvents();
    const QImage image = view->viewport()->grab().toImage();
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        const QRect cell = view->visualRect(view->model()->index(0, c));
        int inkLeft = -1;
        for (int x = cell.left() + 1; x < cell.right() - 1 && inkLeft < 0; ++x)
            for (int y = cell.top() + 1; y < cell.bottom() - 1; ++y)
                if (qGray(image.pixel(x, y)) < 128) {
                    inkLeft = x;
                    break;
                }
        ASSERT_GE(inkLeft, 0) << "no text painted";
        const bool rightAligned = inkLeft > cell.center().x();
        EXPECT_EQ(rightAligned, c >= 2);
    }
    item.reset();
    form().frame().pageStack()->setCurrentIndex(MainFrame::RecorderPage);
}

TEST_F(FormMainTest, FormatAndKeyListsHoldTheirFixedEntries) {
    QStringList keys;
    for (char c = 'A'; c <= 'Z'; ++c)
        keys << QString(QChar(c));
    for (char c = '0'; c <= '9'; ++c)
        keys << QString(QChar(c));
    keys << "Up"
         << "Down"
         << "Left"
         << "Right"
         << "Home"
         << "End"
         << "Insert"
         << "Delete"
         << "Page Up"
         << "Page Down";
    for (int f = 1; f <= 12; ++f)
        keys << QStringLiteral("F%1").arg(f);

    const struct {
        const char* name;
        QStringList entries;
    } combos[] = {
        {"ComboFormat", {"MP3", "WMA", "OGG", "WAV", "VOX", "FLAC", "OPUS"}},
        {"ComboKey", keys},
    };
    for (const auto& combo : combos) {
        SCOPED_TRACE(combo.name);
        auto* box = form().control<QComboBox>(QString::fromLatin1(combo.name));
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isEditable());
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        EXPECT_EQ(entries, combo.entries);
    }
}

TEST_F(FormMainTest, PagesAndMenuFollowTheTwipsGeometry) {
    // 2175, 900, 7150, 5220 twips; menu button i at 15, 270 + 420 i, 1560 x 405.
    const QRect pages(145, 60, 477, 348);
    EXPECT_EQ(MainFrame::PageRect(), pages);
    EXPECT_EQ(form().frame().pageStack()->geometry(), pages);
    for (int i = 0; i < MainFrame::PageCount; ++i) {
        SCOPED_TRACE(i);
        QWidget* page = form().frame().page(i);
        EXPECT_EQ(QRect(page->mapTo(&form(), QPoint(0, 0)), page->size()), pages);
    }
    for (int i = 0; i < MainFrame::MenuButtonCount; ++i) {
        SCOPED_TRACE(i);
        const QRect twips(1, 18 + 28 * i, 104, 27);
        EXPECT_EQ(MainFrame::MenuButtonRect(i), twips);
        // Placed at its twips position; like a picture box sized to its
        // picture, it takes the size of its pictures once they are loaded.
        const QRect actual = form().frame().menuButton(i)->geometry();
        EXPECT_EQ(actual.topLeft(), twips.topLeft());
        EXPECT_EQ(actual.size(), form().frame().menuButton(i)->sizeHint());
        EXPECT_GE(actual.width(), twips.width());
        EXPECT_GE(actual.height(), twips.height());
    }
    EXPECT_EQ(form().frame().aboutButton()->size(), QSize(80, 20));

    // Everything on the frame lies inside the fixed-size window, without overlaps.
    const QRect window = form().rect();
    EXPECT_EQ(form().minimumSize(), form().maximumSize());
    QList<QRect> frameRects{pages, form().frame().aboutButton()->geometry(),
                            form().frame().statusLabel()->geometry()};
    for (int i = 0; i < MainFrame::MenuButtonCount; ++i)
        frameRects << form().frame().menuButton(i)->geometry();
    for (int a = 0; a < frameRects.size(); ++a) {
        EXPECT_TRUE(window.contains(frameRects[a])) << a;
        for (int b = a + 1; b < frameRects.size(); ++b)
            EXPECT_FALSE(frameRects[a].intersects(frameRects[b])) << a << " overlaps " << b;
    }
}

TEST_F(FormMainTest, ExactlyOnePageIsVisible) {
    for (int shown = 0; shown < MainFrame::PageCount; ++shown) {
        SCOPED_TRACE(shown);
        form().frame().pageStack()->setCurrentIndex(shown);
        QApplication::processEvents();
        for (int i = 0; i < MainFrame::PageCount; ++i)
            EXPECT_EQ(form().frame().page(i)->isVisible(), i == shown) << "page " << i;
    }
    form().frame().pageStack()->setCurrentIndex(MainFrame::RecorderPage);
}

TEST_F(FormMainTest, EveryControlHasAnAccessibleName) {
    int checked = 0;
    for (QWidget* w : form().findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue; // parts that Qt's own widgets create for themselves
        ++checked;
        // The name a screen reader gets: set explicitly, or taken from the
        // caption or the value the control shows.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr) << name.toStdString();
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty()) << name.toStdString();
    }
    EXPECT_GE(checked, int(Controls().size()));
}

TEST_F(FormMainTest, ControlsFitTheirPageAndShowTheirWholeCaption) {
    for (int i = 0; i < MainFrame::PageCount; ++i) {
        QWidget* page = form().frame().page(i);
        form().frame().pageStack()->setCurrentIndex(i);
        // A scroll area lays out its content one round after its own layout.
        QApplication::processEvents();
        QApplication::processEvents();
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
                w->isHidden())
                continue;
            SCOPED_TRACE(w->objectName().toStdString());
            // A control in the scrolled part of a page must fit that part,
            // which scrolling brings into view.
            const QWidget* area = ScrolledContentOf(w);
            if (!area)
                area = page;
            const QRect onPage(w->mapTo(area, QPoint(0, 0)), w->size());
            EXPECT_TRUE(area->rect().contains(onPage)) << onPage.x() << "," << onPage.y() << " "
                                                       << onPage.width() << "x" << onPage.height();
            // No control is squeezed below the height it needs; buttons, check
            // boxes, lists and fixed labels do not cut their text either.
            const QSize needed = w->minimumSizeHint();
            if (needed.isValid()) {
                EXPECT_GE(w->height(), needed.height());
            }
            if (auto* button = qobject_cast<QPushButton*>(w)) {
                // The style's preferred width is wider than needed; the text
                // itself plus a little room on each side must fit.
                const int text = button->fontMetrics().horizontalAdvance(button->text());
                EXPECT_GE(button->width(), text + 8);
            } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                       (qobject_cast<QLabel*>(w) &&
                        w->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored &&
                        !static_cast<QLabel*>(w)->wordWrap())) {
                EXPECT_GE(w->width(), w->sizeHint().width());
            }
        }
    }
    form().frame().pageStack()->setCurrentIndex(MainFrame::RecorderPage);
}

TEST_F(FormMainTest, TabVisitsEachPageInReadingOrder) {
    const struct {
        int page;
        QStringList order;
    } pages[] = {
        {0,
         {"DeviceCombo", "ComboSource", "PicSlider3", "CheckPreview", "PicSlider4", "ComboFormat",
          "CmdSet", "PicPreset1", "CmdRecord", "CmdStopRecord", "CmdPlayNow"}},
        {1,
         {"ListViewFile", "CmdRefresh", "CmdRename", "CmdDelete", "CmdProper", "CmdID3",
          "CmdConvert", "PicSlider1", "CmdPlay", "CmdPausePlay", "CmdStopPlay", "PicSlider2",
          "PicPreset2"}},
        {2,
         {"ListViewHotkey", "CheckCtrl", "CheckAlt", "CheckShift", "ComboKey", "Option1", "Option2",
          "CmdChange"}},
        {3, {"CmdIcon", "CheckIconMode"}},
        {4,
         {"CheckSize", "TextSize", "CheckTime", "TextTime", "CheckSound1", "CmdTestSound1",
          "CheckSound2", "CmdTestSound2", "TextPath", "CmdBrowse", "CheckStart", "SpinPreRoll",
          "CheckSoundStart", "SpinSilence", "SliderThreshold"}},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.page);
        QWidget* first = form().control<QWidget>(p.order.first());
        ASSERT_NE(first, nullptr);
        QStringList visited;
        QWidget* w = first;
        do {
            if (p.order.contains(w->objectName()) && !visited.contains(w->objectName()))
                visited << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        EXPECT_EQ(visited, p.order);
        for (const QString& name : p.order)
            EXPECT_NE(form().control<QWidget>(name)->focusPolicy() & Qt::TabFocus, 0)
                << name.toStdString();
    }
}

TEST_F(FormMainTest, SavesAScreenshotOfEachPage) {
    QString dir = qEnvironmentVariable("QUILLOTAP_TEST_OUTPUT");
    if (dir.isEmpty())
        dir = QDir::currentPath();
    QDir().mkpath(dir);
    // Sample rows, so that the pictures show how filled lists read.
    auto* files = form().control<QTreeWidget>(QStringLiteral("ListViewFile"));
    auto* hotkeys = form().control<QTreeWidget>(QStringLiteral("ListViewHotkey"));
    ASSERT_TRUE(files && hotkeys);
    for (int i = 0; i < 4; ++i)
        new QTreeWidgetItem(files, {QStringLiteral("20261207-18154%1.mp3").arg(i),
                                    QStringLiteral("2026/12/07 18:15:4%1").arg(i),
                                    QStringLiteral("1,93%1").arg(i), QStringLiteral("MP3")});
    const char* const functions[] = {
        "Start recording",          "Stop recording",
        "Turn sound volume up",     "Turn sound volume down",
        "Turn volume on/off(mute)", "(Stop recording and) Play the recorded file",
        "Enter/Exit Icon mode"};
    for (const char* f : functions)
        new QTreeWidgetItem(hotkeys, {QString::fromLatin1(f), QStringLiteral("Ctrl + Alt + R"),
                                      QStringLiteral("Enabled")});
    const char* const names[] = {"recorder", "files", "hotkey", "iconmode", "options"};
    for (int i = 0; i < MainFrame::PageCount; ++i) {
        form().frame().pageStack()->setCurrentIndex(i);
        QApplication::processEvents();
        const QString path = QDir(dir).filePath(QStringLiteral("formmain-%1.png").arg(names[i]));
        EXPECT_TRUE(form().grab().save(path)) << path.toStdString();
    }
    files->clear();
    hotkeys->clear();
    form().frame().pageStack()->setCurrentIndex(MainFrame::RecorderPage);
}

TEST(FormMainLifetime, StartsOnTheRecorderPageAndShutsDownOnceOnClose) {
    FormMain form;
    EXPECT_FALSE(form.recordingSession().isRecording());
    EXPECT_FALSE(form.playback().isActive());
    EXPECT_EQ(form.pageMenu().CurrentPage(), MainFrame::RecorderPage);
    EXPECT_EQ(form.frame().pageStack()->currentIndex(), MainFrame::RecorderPage);

    form.show();
    EXPECT_FALSE(form.isShutDown());
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(form.isShutDown());
}

} // namespace
