// Every dialog of the main window opens as a window of its own, tied to the
// main window (so that the desktop keeps it above it and places it there),
// with a title, and closes again. On Qt's "wayland" platform under weston
// (tests/e2e/test_wayland_window.sh) each one must also be on the
// compositor's screen, and a screenshot of it is kept with the test output.
#include "../AppFixture.h"
#include "files/FilesPage.h"

#include "../../files/tools/SoundFiles.h"
#include "support/CompositorScreen.h"
#include "widgets/PictureButton.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace quillotap::test {
namespace {

// What was seen of one dialog.
struct SeenDialog {
    QString name;
    QString title;
    bool window = false;
    bool tiedToMain = false;
    bool onScreen = false;
};

class DialogWindowsTest : public FastAppFixture {
protected:
    void SetUp() override {
        FastAppFixture::SetUp();
        FormMain& f = start(handDrivenServices());
        ASSERT_TRUE(started_);
        f.show();
        ASSERT_TRUE(WaitFor([&] { return f.windowHandle() && f.windowHandle()->isExposed(); }));
        compositor_ = OnWayland() && CompositorScreenshot().has_value();
    }

    // Runs `open`; the first dialog that appears meanwhile (a modal one, or
    // the top-level `name` for a modeless one) is looked at and closed.
    SeenDialog openAndClose(const std::function<void()>& open, const QString& modeless = {}) {
        auto seen = std::make_shared<SeenDialog>();
        auto watch = std::make_shared<QTimer>();
        watch->setInterval(20);
        QObject::connect(watch.get(), &QTimer::timeout, &form(), [this, seen, watch, modeless] {
            QWidget* found = QApplication::activeModalWidget();
            if (!modeless.isEmpty())
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->objectName() == modeless && w->isVisible())
                        found = w;
            if (!found || found == &form())
                return;
            watch->stop();
            look(*found, *seen);
            found->close();
        });
        watch->start();
        open();
        EXPECT_TRUE(WaitFor([&] { return !watch->isActive(); })) << "no dialog opened";
        watch->stop();
        return *seen;
    }

    void look(QWidget& dialog, SeenDialog& seen) {
        WaitFor([&] { return dialog.windowHandle() && dialog.windowHandle()->isExposed(); });
        seen.name = dialog.objectName().isEmpty()
                        ? QString::fromLatin1(dialog.metaObject()->className())
                        : dialog.objectName();
        seen.title = dialog.windowTitle();
        seen.window = dialog.isWindow() && dialog.windowHandle() != nullptr;
        seen.tiedToMain =
            seen.window && dialog.windowHandle()->transientParent() == form().windowHandle();
        if (compositor_) {
            seen.onScreen = WaitUntilOnScreen(dialog, true);
            if (const auto screen = CompositorScreenshot()) {
                const QString folder =
                    qEnvironmentVariable("QUILLOTAP_TEST_OUTPUT", QDir::currentPath()) +
                    QStringLiteral("/wayland-dialogs");
                QDir().mkpath(folder);
                screen->save(folder + QLatin1Char('/') + seen.name + QStringLiteral(".png"));
            }
        }
    }

    void expectSound(const SeenDialog& seen, const char* name) {
        SCOPED_TRACE(name);
        EXPECT_EQ(seen.name, QString::fromLatin1(name));
        EXPECT_FALSE(seen.title.isEmpty());
        EXPECT_TRUE(seen.window);
        EXPECT_TRUE(seen.tiedToMain) << "a dialog left without its main window";
        if (compositor_) {
            EXPECT_TRUE(seen.onScreen) << "not on the compositor's screen";
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "still open";
    }

    // Puts one recording in the output folder and selects it.
    void selectRecording(const QString& name) {
        ASSERT_TRUE(WriteTone(form().folderChooser().folder() + name, 1.0));
        form().recordingsList().invalidate();
        form().filesPage().build();
        auto* list = control<QTreeWidget>("ListViewFile");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        ASSERT_NE(list->currentItem(), nullptr);
    }

    void click(const char* button) { control<QPushButton>(button)->click(); }

    bool compositor_ = false;
};

TEST_F(DialogWindowsTest, TheFormatDialogs) {
    const struct {
        int format;
        const char* name;
    } formats[] = {{0, "FormMP3"}, {1, "FormWMA"}, {2, "FormOGG"}, {3, "FormWAV"}};
    for (const auto& f : formats) {
        control<QComboBox>("ComboFormat")->setCurrentIndex(f.format);
        expectSound(openAndClose([&] { click("CmdSet"); }), f.name);
    }
}

TEST_F(DialogWindowsTest, TheFileDialogs) {
    selectRecording(QStringLiteral("take.mp3"));
    expectSound(openAndClose([&] { click("CmdID3"); }), "FormID3");
    expectSound(openAndClose([&] { click("CmdConvert"); }), "FormConvert");
    expectSound(openAndClose([&] { click("CmdRename"); }), "RenameDialog");
    expectSound(openAndClose([&] { click("CmdDelete"); }), "DeleteQuestion");
    EXPECT_TRUE(QFileInfo::exists(form().folderChooser().folder() + "take.mp3"))
        << "closing deletes nothing";
}

TEST_F(DialogWindowsTest, TheFolderChooserAndTheAboutBox) {
    expectSound(openAndClose([&] { click("CmdBrowse"); }), "QFileDialog");
    expectSound(
        openAndClose([&] { form().findChild<PictureButton*>("PicAbout")->click(); }, "FormAbout"),
        "FormAbout");
}

} // namespace
} // namespace quillotap::test
