#pragma once

#include "MP3Lame.h"
#include "SampleBlock.h"

#include <QString>
#include <memory>

namespace quillotap {

class AudioEncoder;
class AudioDecoder;

// Reads and writes the seven output formats (MP3, WMA, OGG, WAV, VOX, FLAC,
// Opus).
//
// One object can hold a file being written (CreateForWriting / WriteSamples)
// and a file being read (OpenForReading / ReadSamples / Seek) at the same time;
// neither disturbs the other. Lengths and positions count frames (samples per
// channel); ReadSamples counts interleaved elements.
//
// Nothing throws. A failed call leaves state as it was; GetStatus() tells
// whether the last create or open succeeded (negative: failed) and
// GetErrorText() says why in plain words.
class AudioFile {
public:
    AudioFile();
    ~AudioFile();
    AudioFile(const AudioFile&) = delete;
    AudioFile& operator=(const AudioFile&) = delete;

    // Accepted for compatibility; has no effect on this implementation.
    void SetFlag(bool flag);

    // ---- per-format parameters, applied to files created later ----
    void SetMP3Encoder(const MP3Lame& settings);
    // quality: hundredths (0..1000 = 0.00..10.00) selects quality mode;
    // quality -1 selects bitrate mode: min = max = 0 is constant bitrate,
    // otherwise managed VBR between min and max around the nominal bitrate.
    // Bitrates in kbit/s.
    void SetOGGFormat(int sampleRate, int channels, int bitrate, int minBitrate, int maxBitrate,
                      int quality);
    // True when the Vorbis encoder accepts this bitrate-mode combination.
    bool CheckOGGFormat(int sampleRate, int channels, int bitrate, int minBitrate,
                        int maxBitrate) const;
    void SetWAVFormat(int sampleRate, int channels, int bitsPerSample);
    void SetWMAProfile(int profile); // 1..47; others are ignored
    // FLAC: compression level 0..8 and 16 or 24 bit (others are clamped).
    void SetFLACFormat(int compressionLevel, int bitsPerSample);
    // Opus: bitrate in kbit/s (6..256, clamped) and speech or music tuning.
    void SetOpusFormat(int bitrate, bool voice);
    // One line describing the format configured by the last Set... call.
    QString GetFormatDescription() const;

    // ---- writing ----
    // Creates the file in the format that matches its extension (mp3, wma,
    // ogg, wav, vox, flac, opus; case-insensitive) with the parameters set
    // before.
    // Never replaces an existing file: an existing path fails.
    void CreateForWriting(const QString& path, int flags = 0);
    // Blocks given to WriteSamples are in this format (resampled and remixed
    // to the file's format). Defaults to the file's own format on create.
    void SetInputFormat(int sampleRate, int channels);
    // Encodes and appends a block; returns false on a write error (disk full,
    // folder removed), after which the writer keeps what it has and refuses
    // further blocks (see GetWriteError()).
    bool WriteSamples(const SampleBlock& block);
    bool IsWriting() const;
    QString GetWriteError() const; // "" when no write error happened
    qint64 GetWrittenFrames() const;
    void CloseWriter();

    // ---- reading ----
    void SetOpenMode(int mode);
    // Opens any of the seven formats by content (VOX by its extension);
    // a damaged or unknown file gives a negative status.
    void OpenForReading(const QString& path, int a = 0, int b = 1);
    bool IsReading() const;
    qint64 GetLength() const;  // frames
    int GetFrameWidth() const; // channels of the file being read
    // Up to count interleaved elements (rounded down to whole frames);
    // an empty block at the end of data or on a decode error.
    SampleBlock ReadSamples(int count);
    // Moves the read position to the given frame (mode 3: absolute frames);
    // returns the position reached.
    qint64 Seek(qint64 position, int mode = 3);
    void CloseReader();

    // ---- shared ----
    int GetStatus() const;        // of the last create or open: 0 ok, negative failed
    QString GetErrorText() const; // why the last create or open failed
    int GetSampleRate() const;    // of the file last created or opened
    int GetChannels() const;      // of the file last created or opened
    // Closes the writer and the reader.
    void Close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quillotap
