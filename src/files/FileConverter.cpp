#include "files/FileConverter.h"

#include "formats/WriterFormatSettings.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

namespace quillotap {

namespace {

// The busy pointer for the length of a conversion, where there is a pointer.
class BusyCursor {
public:
    BusyCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (shown_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool shown_;
};

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// An unused hidden name beside `target` with the same extension, where a
// replacement is written before it takes the target's place.
QString ScratchSibling(const QString& target) {
    const QFileInfo info(target);
    for (;;) {
        const QString name = QStringLiteral(".%1.%2.%3")
                                 .arg(info.completeBaseName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'))
                                 .arg(info.suffix());
        const QString path = info.dir().filePath(name);
        if (!Exists(path))
            return path;
    }
}

// Decoders estimate the length of some streams from their bitrate; a source
// that ends this much short of its announced length is taken as cut off.
qint64 ShortfallAllowed(qint64 length, int sampleRate) {
    return std::max<qint64>(length / 20, sampleRate);
}

} // namespace

FileConverter::FileConverter(const MP3Lame& lame, const OutputFormatSettings& settings)
    : lame_(lame), settings_(settings) {
    reader_.SetFlag(true);
    ApplyFormatSettingsToWriter(lame_, settings_, writer_);
}

bool FileConverter::fail(const QString& text) {
    errorText_ = text;
    return false;
}

void FileConverter::report(double percent) {
    if (progress_)
        progress_(std::clamp(percent, 0.0, 100.0));
}

bool FileConverter::openPair(const QString& source, const QString& target) {
    // The settings may have changed since the last conversion.
    ApplyFormatSettingsToWriter(lame_, settings_, writer_);
    reader_.OpenForReading(source, 0, 1);
    if (reader_.GetStatus() < 0 || !reader_.IsReading())
        return fail(
            QCoreApplication::translate("quillotap::FileConverter", "Can not read \"%1\".\n%2")
                .arg(QFileInfo(source).fileName(), reader_.GetErrorText()));
    writer_.CreateForWriting(target, 0);
    if (writer_.GetStatus() < 0 || !writer_.IsWriting()) {
        reader_.CloseReader();
        return fail(
            QCoreApplication::translate("quillotap::FileConverter", "Can not create \"%1\".\n%2")
                .arg(QFileInfo(target).fileName(), writer_.GetErrorText()));
    }
    writer_.SetInputFormat(reader_.GetSampleRate(), reader_.GetChannels());
    return true;
}

bool FileConverter::copyBlocks(bool allBlocks) {
    const int channels = std::max(reader_.GetFrameWidth(), 1);
    const int rate = std::max(reader_.GetSampleRate(), 1);
    const int block = channels * rate; // one second
    const qint64 length = reader_.GetLength();
    bool endOfData = false;
    do {
        const SampleBlock samples = reader_.ReadSamples(block);
        if (samples.empty()) {
            endOfData = true;
            break;
        }
        if (!writer_.WriteSamples(samples))
            return fail(QCoreApplication::translate("quillotap::FileConverter",
                                                    "Can not write the converted file.\n%1")
                            .arg(writer_.GetWriteError()));
        framesRead_ += qint64(samples.size()) / channels;
        if (!allBlocks)
            return true;
        // Some decoders hand out more than the length they announced.
        const qint64 done = std::min(framesRead_, length);
        report(length > 0 ? 100.0 * double(done) / double(length) : 0.0);
        QCoreApplication::processEvents();
    } while (keepGoing_);

    stopped_ = !endOfData;
    if (endOfData && framesRead_ == 0)
        return fail(QCoreApplication::translate(
            "quillotap::FileConverter",
            "The file holds no sound that can be read; it may be damaged."));
    // What did decode is kept: a cut-off recording is worth converting.
    sourceShort_ = endOfData && length - framesRead_ > ShortfallAllowed(length, rate);
    return true;
}

bool FileConverter::ConvertFile(const QString& source, const QString& target,
                                bool replaceExisting) {
    errorText_.clear();
    stopped_ = false;
    sourceShort_ = false;
    framesRead_ = 0;
    if (converting_)
        return fail(QCoreApplication::translate("quillotap::FileConverter",
                                                "A conversion is already running."));
    BusyCursor busy;
    report(0);

    const bool replacing = Exists(target);
    if (replacing && !replaceExisting)
        return fail(QCoreApplication::translate("quillotap::FileConverter",
                                                "The file \"%1\" already exists.")
                        .arg(target));
    const QString writePath = replacing ? ScratchSibling(target) : target;
    if (!openPair(source, writePath))
        return false;

    converting_ = true;
    keepGoing_ = true;
    bool ok = copyBlocks(true);
    converting_ = false;
    keepGoing_ = false;
    if (ok)
        report(100);
    writer_.CloseWriter();
    reader_.CloseReader();
    // Finishing the file (the last frames, the header) can fail too.
    if (ok && !writer_.GetWriteError().isEmpty())
        ok = fail(QCoreApplication::translate("quillotap::FileConverter",
                                              "Can not write the converted file.\n%1")
                      .arg(writer_.GetWriteError()));
    if (ok && replacing &&
        std::rename(QFile::encodeName(writePath).constData(),
                    QFile::encodeName(target).constData()) != 0)
        ok = fail(QCoreApplication::translate("quillotap::FileConverter", "Can not replace \"%1\".")
                      .arg(target));
    if (!ok) {
        QFile::remove(writePath);
        sourceShort_ = false;
    }
    return ok;
}

bool FileConverter::PrimeWmaConversion(const QString& source, const QString& temporary) {
    errorText_.clear();
    framesRead_ = 0;
    if (converting_)
        return fail(QCoreApplication::translate("quillotap::FileConverter",
                                                "A conversion is already running."));
    // A file of that name is someone else's: leave it alone.
    if (Exists(temporary))
        return fail(QCoreApplication::translate("quillotap::FileConverter",
                                                "The file \"%1\" already exists.")
                        .arg(temporary));
    if (!openPair(source, temporary))
        return false;
    const bool ok = copyBlocks(false);
    writer_.CloseWriter();
    reader_.CloseReader();
    QFile::remove(temporary);
    return ok;
}

} // namespace quillotap
