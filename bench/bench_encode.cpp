// Encoding throughput of AudioFile for every output format: the same
// five minutes of a music-like 44.1 kHz stereo signal, written in one-second
// blocks the way a recording writes them. Prints one line per format:
//   RESULT <format> <wall seconds> <CPU seconds> <times real time per CPU second>
// CPU time (user + system) is the figure to compare on a shared machine;
// wall time is printed alongside.
// Options: --seconds N (signal length, default 300), --repeat N (best of N,
// default 1), --out-dir DIR (default: a temporary folder), --write-input
// FILE.wav (also write the input for the reference encoders).
#include "audio/AudioFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <random>
#include <sys/resource.h>

using namespace quillotap;

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;

// A chord progression with harmonics, a slow tremolo, stereo spread and a
// little noise: closer to what encoders see in music than a pure tone.
SampleBlock musicLikeSignal(int seconds) {
    const qint64 frames = qint64(seconds) * kRate;
    SampleBlock out(size_t(frames) * kChannels);
    std::mt19937 rng(20240611);
    std::normal_distribution<double> noise(0.0, 0.01);
    const double chords[4][3] = {{261.63, 329.63, 392.00},
                                 {220.00, 261.63, 329.63},
                                 {174.61, 220.00, 261.63},
                                 {196.00, 246.94, 293.66}};
    const double twoPi = 2.0 * std::numbers::pi;
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        const auto& chord = chords[(i / (2 * kRate)) % 4];
        double left = 0, right = 0;
        for (int n = 0; n < 3; ++n) {
            for (int h = 1; h <= 4; ++h) {
                const double v = std::sin(twoPi * chord[n] * h * t) / (h * h);
                left += v * (1.0 - 0.3 * n);
                right += v * (0.4 + 0.3 * n);
            }
        }
        const double tremolo = 0.75 + 0.25 * std::sin(twoPi * 0.5 * t);
        const double l = 0.18 * tremolo * left + noise(rng);
        const double r = 0.18 * tremolo * right + noise(rng);
        out[size_t(i) * 2] = int16_t(std::clamp(l, -1.0, 1.0) * 32767);
        out[size_t(i) * 2 + 1] = int16_t(std::clamp(r, -1.0, 1.0) * 32767);
    }
    return out;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto toSeconds = [](const timeval& tv) { return double(tv.tv_sec) + tv.tv_usec / 1e6; };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

struct Timing {
    double wall = -1;
    double cpu = -1;
};

// Time to create, fill and close one file; negative on failure.
Timing encodeOnce(const QString& path, const std::function<void(AudioFile&)>& configure,
                  const SampleBlock& signal) {
    QFile::remove(path);
    const double cpuStart = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    AudioFile file;
    configure(file);
    file.CreateForWriting(path, 0);
    if (file.GetStatus() != 0) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.GetErrorText()));
        return {};
    }
    file.SetInputFormat(kRate, kChannels);
    const size_t block = size_t(kRate) * kChannels;
    for (size_t at = 0; at < signal.size(); at += block) {
        const size_t end = std::min(signal.size(), at + block);
        if (!file.WriteSamples(
                SampleBlock(signal.begin() + ptrdiff_t(at), signal.begin() + ptrdiff_t(end)))) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.GetWriteError()));
            return {};
        }
    }
    file.Close();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            cpuSeconds() - cpuStart};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int seconds = 300;
    int repeat = 1;
    QString outDir, inputWav;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--seconds")
            seconds = std::max(1, args[i + 1].toInt());
        else if (args[i] == "--repeat")
            repeat = std::max(1, args[i + 1].toInt());
        else if (args[i] == "--out-dir")
            outDir = args[i + 1];
        else if (args[i] == "--write-input")
            inputWav = args[i + 1];
    }
    QTemporaryDir temp;
    if (outDir.isEmpty())
        outDir = temp.path();
    QDir().mkpath(outDir);

    const SampleBlock signal = musicLikeSignal(seconds);
    if (!inputWav.isEmpty()) {
        QFile::remove(inputWav);
        const auto wav = [](AudioFile& f) { f.SetWAVFormat(kRate, kChannels, 16); };
        if (encodeOnce(inputWav, wav, signal).wall < 0)
            return 1;
    }

    struct Format {
        const char* name;
        const char* extension;
        std::function<void(AudioFile&)> configure;
    };
    const Format formats[] = {
        {"mp3-cbr128", "mp3", [](AudioFile& f) { f.SetMP3Encoder(MP3Lame{}); }},
        {"mp3-vbr4", "mp3",
         [](AudioFile& f) {
             MP3Lame m;
             m.VbrCodingMethod = 0;
             m.VbrQuality = 4;
             m.Bitrate = 32; // minimum and maximum as LAME's own defaults
             m.VbrBitrate = 320;
             f.SetMP3Encoder(m);
         }},
        {"ogg-q3", "ogg", [](AudioFile& f) { f.SetOGGFormat(kRate, 2, 128, 0, 0, 300); }},
        {"wma-p14", "wma", [](AudioFile& f) { f.SetWMAProfile(14); }},
        {"wav", "wav", [](AudioFile& f) { f.SetWAVFormat(kRate, 2, 16); }},
        {"vox", "vox", [](AudioFile&) {}},
        {"flac-5", "flac", [](AudioFile& f) { f.SetFLACFormat(5, 16); }},
        {"opus-96", "opus", [](AudioFile& f) { f.SetOpusFormat(96, false); }},
    };
    int failures = 0;
    for (const Format& format : formats) {
        Timing best;
        for (int r = 0; r < repeat; ++r) {
            const Timing t = encodeOnce(outDir + "/bench-" + format.name + "." + format.extension,
                                        format.configure, signal);
            if (t.wall < 0) {
                best = {};
                break;
            }
            if (best.wall < 0 || t.cpu < best.cpu)
                best = t;
        }
        if (best.wall < 0) {
            ++failures;
            std::printf("RESULT %s failed\n", format.name);
            continue;
        }
        std::printf("RESULT %s %.3f %.3f %.1f\n", format.name, best.wall, best.cpu,
                    seconds / std::max(best.cpu, 1e-6));
        std::fflush(stdout);
    }
    return failures ? 1 : 0;
}
