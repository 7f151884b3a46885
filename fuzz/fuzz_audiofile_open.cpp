// libFuzzer target: arbitrary bytes saved under each audio extension in turn
// and read to the end through AudioFile. Opening may fail; it must never
// crash, hang or touch memory it does not own.
#include "audio/AudioFile.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

// One folder per fuzzing process, removed when the process exits. The path
// is never destroyed, so the exit handler can still use it.
const QString& workFolder() {
    static const QString* folder = [] {
        QByteArray name = QFile::encodeName(QDir::tempPath() + "/fuzz-audiofile-XXXXXX");
        if (!mkdtemp(name.data()))
            std::abort();
        return new QString(QFile::decodeName(name));
    }();
    static const bool cleanup = [] {
        return std::atexit([] { QDir(*folder).removeRecursively(); }) == 0;
    }();
    (void)cleanup;
    return *folder;
}

void readToTheEnd(quillotap::AudioFile& file) {
    // Enough for any input the fuzzer produces, yet bounded.
    constexpr qint64 kMaxElements = qint64(1) << 22;
    qint64 total = 0;
    while (total < kMaxElements) {
        const quillotap::SampleBlock block = file.ReadSamples(4096);
        if (block.empty())
            break;
        total += qint64(block.size());
    }
}

} // namespace

// libsndfile does not free the Vorbis state when opening a damaged Ogg file
// fails (libsndfile issues #922, #1013); that leak is not this program's.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libsndfile.so\nleak:libvorbis.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kExtensions[] = {"wav", "mp3", "ogg", "wma", "vox"};
    for (const char* ext : kExtensions) {
        const QString path = workFolder() + QStringLiteral("/input.") + QLatin1String(ext);
        {
            QFile out(path);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return 0;
            out.write(reinterpret_cast<const char*>(data), qint64(size));
        }
        quillotap::AudioFile file;
        file.OpenForReading(path, 0, 1);
        if (file.GetStatus() == 0) {
            readToTheEnd(file);
            // Seek into the middle and past the end, then read again.
            file.Seek(file.GetLength() / 2, 3);
            file.ReadSamples(4096);
            file.Seek(file.GetLength() + 1, 3);
            file.ReadSamples(4096);
        }
        file.Close();
        QFile::remove(path);
    }
    return 0;
}
