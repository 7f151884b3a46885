#pragma once

#include "audio/AudioFile.h"

#include <QString>
#include <functional>

namespace quillotap {

class MP3Lame;
struct OutputFormatSettings;

// Converts one audio file into another format, block by block (one second of
// sound per block), on the calling thread. Pending window events run after
// every block so that a Stop button stays usable.
//
// The converter reads and writes with audio-file objects of its own, set up
// with the current format settings, so a recording that the main window
// writes meanwhile is never touched. The format of the target is the one its
// extension names.
//
// A failed conversion leaves no partial target behind, never touches the
// source, and says why through GetErrorText(). A stopped conversion keeps the
// shorter target, properly closed. A source that decodes to less than its
// header announces (a recording cut off by a crash or a power loss) is
// converted as far as it decodes; sourceWasShort() then says so.
class FileConverter {
public:
    // Progress in percent (0..100), reported after every block.
    using ProgressHandler = std::function<void(double percent)>;

    FileConverter(const MP3Lame& lame, const OutputFormatSettings& settings);

    void setProgressHandler(ProgressHandler handler) { progress_ = std::move(handler); }

    // Converts `source` into `target`. An existing target is refused unless
    // `replaceExisting` is set; it is then replaced only once the new file is
    // complete (or stopped), so a failure keeps the old one. True when the
    // target holds the converted sound (all of it, or up to a Stop).
    bool ConvertFile(const QString& source, const QString& target, bool replaceExisting = false);

    // A short trial conversion of the first second of `source` into the
    // temporary WAV file `temporary`, which is removed again in every case.
    bool PrimeWmaConversion(const QString& source, const QString& temporary);

    // Ends a running conversion after the block in hand.
    void Stop() { keepGoing_ = false; }
    bool isConverting() const { return converting_; }
    // The last conversion ended by Stop rather than at the end of the source.
    bool wasStopped() const { return stopped_; }
    // The source of the last conversion ended well before the length its
    // header states: the target holds only what could be decoded.
    bool sourceWasShort() const { return sourceShort_; }
    // Why the last conversion failed; "" after a success.
    QString GetErrorText() const { return errorText_; }

    // The writer, configured with the current settings; also describes them.
    AudioFile& writer() { return writer_; }

private:
    bool fail(const QString& text);
    bool openPair(const QString& source, const QString& target);
    bool copyBlocks(bool allBlocks);
    void report(double percent);

    const MP3Lame& lame_;
    const OutputFormatSettings& settings_;
    AudioFile reader_;
    AudioFile writer_;
    ProgressHandler progress_;
    QString errorText_;
    qint64 framesRead_ = 0;
    bool keepGoing_ = false;
    bool converting_ = false;
    bool stopped_ = false;
    bool sourceShort_ = false;
};

} // namespace quillotap
