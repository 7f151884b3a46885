// Every preset of both panes drawn on the same input in the real window, put
// together into one labelled picture (presets-contact-sheet.png in the test
// output folder) and compared: no two presets may look alike.
//
// Run on the offscreen platform it grabs what the window painted; run on an
// X server (QT_QPA_PLATFORM=xcb) it reads the pixels back from the screen.
#include "app/AppFixture.h"

#include "audio/AudioVisualizationEx2.h"
#include "ui/VisualizationPresets.h"

#include <QAction>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStackedWidget>

#include <cmath>
#include <cstdint>
#include <iostream>
#include <numbers>

namespace quillotap::test {
namespace {

constexpr int kRate = 44100;
constexpr int kBlockFrames = 1024; // what the recorder hands the input display

// 1.5 s of stereo: on the left 220 Hz and 3.3 kHz, on the right 660 Hz and
// 8 kHz, both over a little noise. The first second is louder and carries an
// extra 1.2 kHz tone, so falling bars and held peak markers show.
SampleBlock contactSheetInput() {
    const int frames = kRate * 3 / 2;
    SampleBlock out(static_cast<size_t>(frames) * 2);
    uint32_t seed = 12345;
    auto noise = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<double>(seed >> 8) / double(1 << 24) * 2.0 - 1.0;
    };
    const double tau = 2 * std::numbers::pi;
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / kRate;
        const bool loud = t < 1.0;
        const double gain = loud ? 1.5 : 1.0;
        double left = gain * (0.35 * std::sin(tau * 220 * t) + 0.08 * std::sin(tau * 3300 * t));
        double right = gain * (0.25 * std::sin(tau * 660 * t) + 0.04 * std::sin(tau * 8000 * t));
        if (loud) {
            left += 0.12 * std::sin(tau * 1200 * t);
            right += 0.12 * std::sin(tau * 1200 * t);
        }
        left += 0.004 * noise();
        right += 0.004 * noise();
        out[size_t(f) * 2] = static_cast<int16_t>(std::clamp(left, -1.0, 1.0) * 32767);
        out[size_t(f) * 2 + 1] = static_cast<int16_t>(std::clamp(right, -1.0, 1.0) * 32767);
    }
    return out;
}

QString outputFolder() {
    QString folder = qEnvironmentVariable("QUILLOTAP_TEST_OUTPUT");
    if (folder.isEmpty() && qEnvironmentVariableIsSet("QUILLOTAP_BIN_DIR"))
        folder = qEnvironmentVariable("QUILLOTAP_BIN_DIR") + QStringLiteral("/../test-output");
    if (folder.isEmpty())
        folder = QDir::currentPath() + QStringLiteral("/test-output");
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

// Mean absolute difference per colour channel, 0..255, after bringing both
// pictures to the same size.
double difference(const QImage& a, const QImage& b) {
    const QSize size = a.size().expandedTo(b.size());
    const QImage x = a.scaled(size).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(size).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < size.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < size.width(); ++col) {
            sum += std::abs(qRed(p[col]) - qRed(q[col])) +
                   std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
        }
    }
    return sum / (3.0 * size.width() * size.height());
}

struct Shot {
    int pane;
    int preset;
    QImage image;
};

class PresetContactSheetTest : public AppFixture {
protected:
    // The pane as the screen shows it.
    QImage grab(AudioVisualizationEx2* pane) {
        pane->repaint();
        QApplication::processEvents();
        const QPoint at = pane->mapTo(pane->window(), QPoint(0, 0));
        QScreen* screen = pane->window()->screen();
        QImage image;
        if (QGuiApplication::platformName() != QLatin1String("offscreen") && screen) {
            image = screen
                        ->grabWindow(pane->window()->winId(), at.x(), at.y(), pane->width(),
                                     pane->height())
                        .toImage();
        }
        if (image.isNull() || image.size() != pane->size() * image.devicePixelRatio())
            image = pane->grab().toImage();
        else
            ++fromScreen_;
        return image.convertToFormat(QImage::Format_RGB32);
    }

    Shot render(FormMain& form, int paneNumber, int preset, const SampleBlock& input) {
        form.frame().pageStack()->setCurrentIndex(paneNumber == 1 ? MainFrame::RecorderPage
                                                                  : MainFrame::FilesPage);
        auto* pane = control<AudioVisualizationEx2>(paneNumber == 1 ? "AudioVisualization21"
                                                                    : "AudioVisualizationEx21");
        const QString item = QStringLiteral("ps%1%2").arg(preset).arg(paneNumber == 1 ? "a" : "b");
        control<QAction>(item.toLatin1().constData())->trigger();
        pane->SetSamples({});
        pane->SetFormat(kRate, 2);
        const size_t step = size_t(kBlockFrames) * 2;
        for (size_t at = 0; at + step <= input.size(); at += step)
            pane->SetSamples(
                SampleBlock(input.begin() + qsizetype(at), input.begin() + qsizetype(at + step)));
        return {paneNumber, preset, grab(pane)};
    }

    int fromScreen_ = 0;

    static QImage sheet(const std::vector<Shot>& shots) {
        constexpr int kMargin = 10, kLabel = 18, kColumns = 2;
        int cellW = 0, cellH = 0;
        for (const Shot& s : shots) {
            cellW = std::max(cellW, s.image.width());
            cellH = std::max(cellH, s.image.height());
        }
        const int rows = 12;
        QImage out(kMargin + kColumns * (cellW + kMargin),
                   kMargin + kLabel + rows * (cellH + kLabel + kMargin), QImage::Format_RGB32);
        out.fill(QColor(236, 236, 236));
        QPainter p(&out);
        QFont font = p.font();
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int c = 0; c < kColumns; ++c) {
            p.drawText(QPoint(kMargin + c * (cellW + kMargin), kMargin + 10),
                       c == 0 ? QStringLiteral("Pane 1: input display (AudioVisualization21)")
                              : QStringLiteral("Pane 2: playback display "
                                               "(AudioVisualizationEx21)"));
        }
        for (const Shot& s : shots) {
            const int x = kMargin + (s.pane - 1) * (cellW + kMargin);
            const int y = kMargin + kLabel + (s.preset - 1) * (cellH + kLabel + kMargin);
            p.drawText(QPoint(x, y + 12), QStringLiteral("preset %1").arg(s.preset));
            p.drawImage(QPoint(x, y + kLabel), s.image);
        }
        return out;
    }
};

TEST_F(PresetContactSheetTest, EveryPresetLooksDifferent) {
    FormMain& form = start();
    ASSERT_TRUE(started_);
    form.show();
    ASSERT_TRUE(WaitFor([&] { return form.isVisible(); }));
    const SampleBlock input = contactSheetInput();

    std::vector<Shot> shots;
    for (int paneNumber : {1, 2}) {
        for (int preset = 1; preset <= 12; ++preset)
            shots.push_back(render(form, paneNumber, preset, input));
    }
    const QString path = outputFolder() + QStringLiteral("/presets-contact-sheet.png");
    ASSERT_TRUE(sheet(shots).save(path)) << path.toStdString();
    std::cout << "contact sheet: " << path.toStdString()
              << " (platform: " << QGuiApplication::platformName().toStdString() << ")"
              << std::endl;
    std::cout << "read back from the screen: " << fromScreen_ << " of " << shots.size()
              << std::endl;

    // Each preset draws something, and no two look alike. Pane 1 and pane 2
    // share two rows value for value (6 and 8); those differ only in the
    // size of their pane.
    double closest = 1e9;
    for (size_t i = 0; i < shots.size(); ++i) {
        const Shot& a = shots[i];
        QImage blank(a.image.size(), QImage::Format_RGB32);
        blank.fill(Qt::black);
        EXPECT_GT(difference(a.image, blank), 1.0)
            << "pane " << a.pane << " preset " << a.preset << " is nearly blank";
        for (size_t j = i + 1; j < shots.size(); ++j) {
            const Shot& b = shots[j];
            const PresetRow* rowA = PresetRowFor(a.pane, a.preset);
            const PresetRow* rowB = PresetRowFor(b.pane, b.preset);
            if (*rowA == *rowB) {
                EXPECT_NE(a.image.size(), b.image.size());
                continue;
            }
            const double d = difference(a.image, b.image);
            closest = std::min(closest, d);
            EXPECT_GT(d, 2.0) << "pane " << a.pane << " preset " << a.preset << " and pane "
                              << b.pane << " preset " << b.preset << " look alike";
        }
    }
    std::cout << "smallest difference between two presets: " << closest << std::endl;
}

} // namespace
} // namespace quillotap::test
