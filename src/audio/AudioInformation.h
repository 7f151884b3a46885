#pragma once

#include <QString>

namespace quillotap {

// Tag reading and writing through TagLib: the ID3 tag of MP3 files and the
// Vorbis comments of FLAC and Ogg Opus files. Texts are UTF-8 safe.
class AudioInformation {
public:
    // The genres the program knows and lists everywhere: the ID3v1 numbers
    // 0..GenreCount-1, named by GenreName.
    static constexpr int GenreCount = 148;

    // Reads the tags of the file into the properties; returns false (and
    // clears them) when the file cannot be read. A file without a tag reads
    // as empty texts, Genre -1, Year 0, Track 0.
    bool Open(const QString& path);

    QString Title;
    QString Artist;
    QString Album;
    QString Comment;
    // Genre number 0..GenreCount-1; -1 for none, or for a genre the list
    // does not hold (free text, a number past the list).
    int Genre = -1;
    int Year = 0;
    int Track = 0;
    // The genre as the file names it, for showing: a listed genre by its
    // name, any other as the tag holds it; "" for none. Filled by Open,
    // never written.
    QString GenreText;

    // Writes the properties above into the file's tag without touching the
    // audio data. FLAC and Ogg Opus files get Vorbis comments; MP3 files: Returns false when the
    // file cannot be written. The tag is ID3v2.3 (UTF-16 for text outside Latin-1); an ID3v1 tag
    // the file already has is updated too, none is added. Genre -1 or a number past the list, Year
    // 0 and Track 0 write no such field, except that a Genre left as Open read it from this same
    // file keeps the file's genre exactly as it is, even one the list does not hold.
    bool WriteTags(const QString& path) const;

    // The program's name of a listed genre, "" for any other number.
    static QString GenreName(int genre);

    // Why the last Open or WriteTags failed; "" after a success.
    QString GetErrorText() const { return errorText_; }

private:
    mutable QString errorText_;
    QString openedFile_; // canonical path of the last file Open read, or ""
    int openedGenre_ = -1;
};

} // namespace quillotap
