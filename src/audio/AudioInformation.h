#pragma once

#include <QString>

namespace quillotap {

// ID3 tag reading and writing through TagLib. Texts are UTF-8 safe.
class AudioInformation {
public:
    // Reads the tags of the file into the properties; returns false (and
    // clears them) when the file cannot be read. A file without a tag reads
    // as empty texts, Genre -1, Year 0, Track 0.
    bool Open(const QString& path);

    QString Title;
    QString Artist;
    QString Album;
    QString Comment;
    int Genre = -1; // ID3v1 genre number 0..191, -1 = none
    int Year = 0;
    int Track = 0;

    // Writes the properties above into the file's ID3 tag without touching
    // the audio data. Returns false when the file cannot be written.
    // The tag is ID3v2.3 (UTF-16 for text outside Latin-1); an ID3v1 tag the
    // file already has is updated too, none is added. Genre -1, Year 0 and
    // Track 0 write no such field.
    bool WriteTags(const QString& path) const;

    // ID3v1 genre name for a number, "" for none or unknown.
    static QString GenreName(int genre);

    // Why the last Open or WriteTags failed; "" after a success.
    QString GetErrorText() const { return errorText_; }

private:
    mutable QString errorText_;
};

} // namespace quillotap
