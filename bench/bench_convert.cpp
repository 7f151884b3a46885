// CPU cost of the converter: a long 44.1 kHz stereo WAV file converted to MP3
// and to OGG with the default settings (MP3 CBR 128 kbit/s, OGG 128 kbit/s
// constant), block by block as the converter dialog does it. Prints one line
// per target:
//   RESULT <format> <CPU seconds> <wall seconds>
// CPU time (user + system) of the conversion alone is the figure to compare.
// Options: --seconds N (input length, default 600), --repeat N (best of N,
// default 1), --input FILE.wav (write the input there and keep it for the
// reference encoders; default: a temporary folder).
#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "files/FileConverter.h"
#include "formats/OutputFormatSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <sys/resource.h>

using namespace quillotap;

namespace {

constexpr int kRate = 44100;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A few chords with harmonics and a little noise, written one second at a
// time: closer to what encoders see in music than a pure tone.
bool WriteInput(const QString& path, int seconds) {
    AudioFile writer;
    writer.SetWAVFormat(kRate, 2, 16);
    writer.CreateForWriting(path, 0);
    if (writer.GetStatus() < 0)
        return false;
    std::mt19937 rng(1234);
    std::normal_distribution<double> noise(0.0, 0.01);
    const double chords[3][3] = {
        {261.63, 329.63, 392.00}, {220.00, 261.63, 329.63}, {196.00, 246.94, 293.66}};
    const double twoPi = 2.0 * std::numbers::pi;
    SampleBlock block(size_t(kRate) * 2);
    for (int s = 0; s < seconds; ++s) {
        const auto& chord = chords[(s / 2) % 3];
        for (int i = 0; i < kRate; ++i) {
            const double t = double(s) + double(i) / kRate;
            double left = 0, right = 0;
            for (int n = 0; n < 3; ++n)
                for (int h = 1; h <= 3; ++h) {
                    const double v = std::sin(twoPi * chord[n] * h * t) / (h * h);
                    left += v * (1.0 - 0.3 * n);
                    right += v * (0.4 + 0.3 * n);
                }
            block[size_t(i) * 2] = int16_t(std::clamp(0.2 * left + noise(rng), -1.0, 1.0) * 32767);
            block[size_t(i) * 2 + 1] =
                int16_t(std::clamp(0.2 * right + noise(rng), -1.0, 1.0) * 32767);
        }
        if (!writer.WriteSamples(block))
            return false;
    }
    writer.Close();
    return writer.GetWriteError().isEmpty();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int seconds = 600;
    int repeat = 1;
    QString input;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--seconds"))
            seconds = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--repeat"))
            repeat = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--input"))
            input = args[i + 1];
    }
    QTemporaryDir work;
    if (input.isEmpty())
        input = work.filePath(QStringLiteral("input.wav"));
    QFile::remove(input);
    if (!WriteInput(input, seconds)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(input));
        return 1;
    }

    const MP3Lame lame;                  // CBR 128 kbit/s, stereo, quality 5
    const OutputFormatSettings settings; // OGG 128 kbit/s constant
    FileConverter converter(lame, settings);
    int status = 0;
    for (const char* format : {"mp3", "ogg"}) {
        double bestCpu = 1e300, bestWall = 1e300;
        for (int r = 0; r < repeat; ++r) {
            const QString target = work.filePath(QStringLiteral("New_input.") + format);
            QFile::remove(target);
            const double cpu0 = CpuSeconds();
            const auto wall0 = std::chrono::steady_clock::now();
            const bool ok = converter.ConvertFile(input, target);
            const double cpu = CpuSeconds() - cpu0;
            const double wall =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
            if (!ok) {
                std::fprintf(stderr, "%s: %s\n", format, qPrintable(converter.GetErrorText()));
                status = 1;
                break;
            }
            bestCpu = std::min(bestCpu, cpu);
            bestWall = std::min(bestWall, wall);
        }
        std::printf("RESULT %s %.3f %.3f\n", format, bestCpu, bestWall);
        std::fflush(stdout);
    }
    return status;
}
