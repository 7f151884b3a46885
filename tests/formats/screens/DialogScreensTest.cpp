// The four format dialogs as they appear on a real X display, opened with the
// main window's "Set" button: each window is mapped with its exact title, its
// controls neither overlap nor cut their captions short, and a screenshot of
// it (taken from the X server, not painted by the test) is kept with the test
// output. Run under Xvfb by tests/e2e/test_format_dialogs.sh; elsewhere the
// tests are skipped.
#include "app/AppFixture.h"
#include "formats/FormatCatalogue.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <set>

namespace quillotap::test {
namespace {

// Output of a command; nothing when it could not run or failed.
std::optional<QString> RunCommand(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The visible X windows whose name is exactly `title`.
std::set<WId> VisibleWindowsTitled(const QString& title) {
    std::set<WId> ids;
    const std::optional<QString> found = RunCommand(
        QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
         QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
    if (!found)
        return ids;
    for (const QString& line : found->split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        ids.insert(line.toULongLong());
    return ids;
}

// How many colours a picture holds, counted up to `enough`.
int Colours(const QImage& image, int enough) {
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            seen.insert(image.pixel(x, y));
            if (int(seen.size()) >= enough)
                return enough;
        }
    }
    return int(seen.size());
}

// The same picture, but for a few pixels (a blinking text cursor).
bool SamePicture(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            differing += (p[col] & 0xffffff) != (q[col] & 0xffffff);
    }
    return differing * 200 <= qint64(x.width()) * x.height(); // at most 0.5 %
}

bool IsControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QGroupBox*>(w);
}

// A part of a composite control, such as the text box of an editable list.
bool IsInnerPart(const QWidget* w, const QDialog& dialog) {
    for (const QWidget* p = w->parentWidget(); p && p != &dialog; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p))
            return true;
    }
    return false;
}

// Controls shown on the dialog now (the pages of hidden tabs left out).
std::vector<QWidget*> ShownControls(QDialog& dialog) {
    std::vector<QWidget*> shown;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (IsControl(w) && w->isVisibleTo(&dialog) && !IsInnerPart(w, dialog) &&
            !w->objectName().startsWith(QLatin1String("qt_")))
            shown.push_back(w);
    }
    return shown;
}

QString Describe(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// Captions are not cut short: every control is at least as large as the
// smallest size that shows its whole text.
void ExpectNothingClipped(QDialog& dialog) {
    for (QWidget* w : ShownControls(dialog)) {
        const QSize needed = w->minimumSizeHint();
        EXPECT_GE(w->width(), needed.width()) << Describe(w).toStdString() << " is too narrow";
        EXPECT_GE(w->height(), needed.height()) << Describe(w).toStdString() << " is too low";
    }
}

// No two controls cover each other, except a frame and what it holds.
void ExpectNoOverlaps(QDialog& dialog) {
    const std::vector<QWidget*> shown = ShownControls(dialog);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            QWidget* a = shown[i];
            QWidget* b = shown[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            const QRect ra(a->mapTo(&dialog, QPoint(0, 0)), a->size());
            const QRect rb(b->mapTo(&dialog, QPoint(0, 0)), b->size());
            EXPECT_FALSE(ra.intersects(rb))
                << Describe(a).toStdString() << " overlaps " << Describe(b).toStdString();
        }
    }
}

class DialogScreensTest : public AppFixture {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display: run by the end-to-end dialog script";
        AppFixture::SetUp();
        folder_ = QDir(qEnvironmentVariableIsEmpty("QUILLOTAP_TEST_OUTPUT")
                           ? QDir::currentPath()
                           : qEnvironmentVariable("QUILLOTAP_TEST_OUTPUT"))
                      .filePath(QStringLiteral("dialogs"));
        ASSERT_TRUE(QDir().mkpath(folder_));
        start();
        ASSERT_TRUE(started_);
        form().show();
    }

    void TearDown() override {
        if (backend_) // skipped before the window was set up
            AppFixture::TearDown();
    }

    // Opens the dialog of `format` with "Set" and runs `look` while it is on
    // the screen; the dialog is cancelled afterwards.
    void withDialog(int format, const QString& title, std::function<void(QDialog&)> look) {
        control<QComboBox>("ComboFormat")->setCurrentIndex(format);
        auto opened = std::make_shared<bool>(false);
        QTimer::singleShot(0, &form(), [this, opened, title, look] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            *opened = true;
            EXPECT_EQ(dialog->windowTitle(), title);
            EXPECT_TRUE(WaitFor([&] { return VisibleWindowsTitled(title).count(dialog->winId()); }))
                << "no visible X window is titled \"" << title.toStdString() << "\"";
            look(*dialog);
            dialog->reject();
        });
        control<QPushButton>("CmdSet")->click();
        EXPECT_TRUE(*opened) << "\"Set\" opened no dialog";
    }

    // Takes the dialog's window from the X server into NAME.png and checks
    // that it shows what the dialog draws and that the layout holds.
    void capture(QDialog& dialog, const QString& name) {
        ExpectNothingClipped(dialog);
        ExpectNoOverlaps(dialog);
        dialog.repaint();
        const QImage drawn = dialog.grab().toImage();
        ASSERT_GE(Colours(drawn, 12), 12) << "the dialog draws nothing";
        // The window is mapped, and a page switched, before the new paint
        // reaches the server: the picture is taken until it matches.
        screenshot(QString::number(dialog.winId()), name,
                   [&](const QImage& shot) { return SamePicture(shot, drawn); });
    }

    // The X window `window` ("root" for the whole screen) as NAME.png, taken
    // until `good` accepts it.
    QImage screenshot(const QString& window, const QString& name,
                      const std::function<bool(const QImage&)>& good) {
        const QString path = QDir(folder_).filePath(name + QStringLiteral(".png"));
        QImage shot;
        const bool taken = WaitFor([&] {
            QFile::remove(path);
            if (!RunCommand(QStringLiteral("import"), {QStringLiteral("-window"), window, path}))
                return false;
            shot = QImage(path);
            return !shot.isNull() && good(shot);
        });
        EXPECT_TRUE(taken) << path.toStdString() << " is missing or not what was drawn";
        return shot;
    }

    QString folder_;
};

TEST_F(DialogScreensTest, Mp3DialogShowsEachTab) {
    withDialog(FormatMP3, QStringLiteral("MP3 Option"), [&](QDialog& d) {
        auto* tabs = d.findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->count(), 4);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            SCOPED_TRACE(tabs->tabText(tab).toStdString());
            tabs->setCurrentIndex(tab);
            capture(d, QStringLiteral("mp3-tab%1").arg(tab + 1));
        }
    });
}

TEST_F(DialogScreensTest, OggDialog) {
    withDialog(FormatOGG, QStringLiteral("OGG Option"),
               [&](QDialog& d) { capture(d, QStringLiteral("ogg")); });
}

TEST_F(DialogScreensTest, WavDialog) {
    withDialog(FormatWAV, QStringLiteral("WAV Option"),
               [&](QDialog& d) { capture(d, QStringLiteral("wav")); });
}

TEST_F(DialogScreensTest, FlacDialog) {
    withDialog(FormatFLAC, QStringLiteral("FLAC Option"),
               [&](QDialog& d) { capture(d, QStringLiteral("flac")); });
}

TEST_F(DialogScreensTest, OpusDialog) {
    withDialog(FormatOPUS, QStringLiteral("OPUS Option"),
               [&](QDialog& d) { capture(d, QStringLiteral("opus")); });
}

TEST_F(DialogScreensTest, WmaDialogWithItsProfiles) {
    withDialog(FormatWMA, QStringLiteral(" WMA Option"), [&](QDialog& d) {
        auto* profiles = d.findChild<QComboBox*>(QStringLiteral("Combo1"));
        ASSERT_NE(profiles, nullptr);
        EXPECT_EQ(profiles->count(), 47);
        for (int i = 0; i < profiles->count(); ++i)
            EXPECT_FALSE(profiles->itemText(i).isEmpty()) << "profile " << i + 1;
        capture(d, QStringLiteral("wma"));
        // The open list, a window of its own, with the profile descriptions.
        profiles->showPopup();
        QWidget* popup = profiles->view()->window();
        ASSERT_TRUE(WaitFor([&] { return popup->isVisible(); }));
        // A screenful of 47 profiles would hide the dialog it belongs to.
        EXPECT_LT(popup->height(), popup->screen()->geometry().height() / 2)
            << "the open list covers the screen";
        popup->repaint();
        const QImage list = popup->grab().toImage();
        screenshot(QString::number(popup->winId()), QStringLiteral("wma-list"),
                   [&](const QImage& shot) { return SamePicture(shot, list); });
        profiles->hidePopup();
    });
}

} // namespace
} // namespace quillotap::test
