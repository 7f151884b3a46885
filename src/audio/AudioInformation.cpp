#include "AudioInformation.h"

#include <QFile>
#include <QFileInfo>
#include <iterator>

#include <taglib/aifffile.h>
#include <taglib/asffile.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1genres.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfilestream.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <QCoreApplication>
#include <climits>
#include <memory>

namespace quillotap {

namespace {

constexpr int kGenreCount = AudioInformation::GenreCount;

// The genres the program lists, by ID3v1 genre number, in its own spellings
// (a few differ from TagLib's, which are written into files).
const char* const kGenreNames[] = {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro-Techno",
    "Ambient",
    "Trip-Hop",
    "Vocal",
    "Jazz+Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "Alternative Rock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno-Industrial",
    "Electronic",
    "Pop-Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top 40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native US",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo-Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
    "Folk",
    "Folk-Rock",
    "National Folk",
    "Swing",
    "Fast Fusion",
    "Bebob",
    "Latin",
    "Revival",
    "Celtic",
    "Bluegrass",
    "Avantgarde",
    "Gothic Rock",
    "Progressive Rock",
    "Psychedelic Rock",
    "Symphonic Rock",
    "Slow Rock",
    "Big Band",
    "Chorus",
    "Easy Listening",
    "Acoustic ",
    "Humour",
    "Speech",
    "Chanson",
    "Opera",
    "Chamber Music",
    "Sonata",
    "Symphony",
    "Booty Bass",
    "Primus",
    "Porn Groove",
    "Satire",
    "Slow Jam",
    "Club",
    "Tango",
    "Samba",
    "Folklore",
    "Ballad",
    "Power Ballad",
    "Rhytmic Soul",
    "Freestyle",
    "Duet",
    "Punk Rock",
    "Drum Solo",
    "Acapella",
    "Euro-House",
    "Dance Hall",
    "Goa",
    "Drum & Bass",
    "Club-House",
    "Hardcore",
    "Terror",
    "Indie",
    "BritPop",
    "Negerpunk",
    "Polsk Punk",
    "Beat",
    "Christian Gangsta",
    "Heavy Metal",
    "Black Metal",
    "Crossover",
    "Contemporary C",
    "Christian Rock",
    "Merengue",
    "Salsa",
    "Thrash Metal",
    "Anime",
    "JPop",
    "SynthPop",
};
static_assert(std::size(kGenreNames) == AudioInformation::GenreCount);

QString toQString(const TagLib::String& s) {
    return QString::fromUtf8(s.toCString(true));
}

TagLib::String toTagString(const QString& s) {
    return TagLib::String(s.toUtf8().constData(), TagLib::String::UTF8);
}

// True when the stream is one of the other containers TagLib recognises.
// Checked before the MPEG test because PCM or compressed data can hold byte
// patterns that look like MPEG frame headers.
bool isOtherContainer(TagLib::IOStream* stream) {
    using Check = bool (*)(TagLib::IOStream*);
    const Check checks[] = {
        &TagLib::RIFF::WAV::File::isSupported,   &TagLib::RIFF::AIFF::File::isSupported,
        &TagLib::Ogg::Vorbis::File::isSupported, &TagLib::Ogg::Opus::File::isSupported,
        &TagLib::Ogg::FLAC::File::isSupported,   &TagLib::FLAC::File::isSupported,
        &TagLib::ASF::File::isSupported,         &TagLib::MP4::File::isSupported,
    };
    for (Check check : checks) {
        stream->seek(0);
        if (check(stream))
            return true;
    }
    return false;
}

// Opens the file as MPEG audio; on failure returns null and sets the reason.
std::unique_ptr<TagLib::MPEG::File> openMpeg(const QString& path, bool forWriting, QString& error) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        error = QCoreApplication::translate("quillotap::AudioInformation",
                                            "The file does not exist: %1")
                    .arg(path);
        return nullptr;
    }
    if (!info.isFile() || !info.isReadable()) {
        error = QCoreApplication::translate("quillotap::AudioInformation",
                                            "The file cannot be read: %1")
                    .arg(path);
        return nullptr;
    }
    if (forWriting && !info.isWritable()) {
        error = QCoreApplication::translate("quillotap::AudioInformation",
                                            "The file cannot be written: %1")
                    .arg(path);
        return nullptr;
    }

    const QByteArray name = QFile::encodeName(path);
    {
        TagLib::FileStream stream(name.constData(), true);
        if (!stream.isOpen()) {
            error = QCoreApplication::translate("quillotap::AudioInformation",
                                                "The file cannot be opened: %1")
                        .arg(path);
            return nullptr;
        }
        bool isMpeg = !isOtherContainer(&stream);
        if (isMpeg) {
            stream.seek(0);
            isMpeg = TagLib::MPEG::File::isSupported(&stream);
        }
        if (!isMpeg) {
            error = QCoreApplication::translate("quillotap::AudioInformation",
                                                "The file is not an MP3 file: %1")
                        .arg(path);
            return nullptr;
        }
    }

    auto file =
        std::make_unique<TagLib::MPEG::File>(name.constData(), true, TagLib::AudioProperties::Fast);
    if (!file->isOpen() || !file->isValid() || !file->audioProperties() ||
        file->audioProperties()->sampleRate() <= 0 || file->firstFrameOffset() < 0) {
        error = QCoreApplication::translate("quillotap::AudioInformation",
                                            "The file is not an MP3 file: %1")
                    .arg(path);
        return nullptr;
    }
    if (forWriting && file->readOnly()) {
        error = QCoreApplication::translate("quillotap::AudioInformation",
                                            "The file cannot be written: %1")
                    .arg(path);
        return nullptr;
    }
    return file;
}

// A FLAC or Ogg Opus file, whose tag is a Vorbis comment block.
struct CommentFile {
    std::unique_ptr<TagLib::File> file;
    TagLib::Ogg::XiphComment* comments = nullptr;
};

// Opens the file when its content is FLAC or Ogg Opus; an empty result
// (with no error) for any other content, an error when it is one of them
// but cannot be used.
CommentFile openCommentFile(const QString& path, bool forWriting, QString& error) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return {};
    const QByteArray name = QFile::encodeName(path);
    bool flac = false;
    bool opus = false;
    {
        TagLib::FileStream stream(name.constData(), true);
        if (!stream.isOpen())
            return {};
        flac = TagLib::FLAC::File::isSupported(&stream);
        stream.seek(0);
        opus = !flac && TagLib::Ogg::Opus::File::isSupported(&stream);
    }
    if (!flac && !opus)
        return {};
    if (forWriting && !info.isWritable()) {
        error = QStringLiteral("The file cannot be written: %1").arg(path);
        return {};
    }
    CommentFile result;
    if (flac) {
        auto file = std::make_unique<TagLib::FLAC::File>(name.constData(), true,
                                                         TagLib::AudioProperties::Fast);
        if (file->isValid())
            result.comments = file->xiphComment(true);
        result.file = std::move(file);
    } else {
        auto file = std::make_unique<TagLib::Ogg::Opus::File>(name.constData(), true,
                                                              TagLib::AudioProperties::Fast);
        if (file->isValid())
            result.comments = file->tag();
        result.file = std::move(file);
    }
    if (!result.comments || !result.file->isOpen() || (forWriting && result.file->readOnly())) {
        error = QStringLiteral("The file's tag cannot be read: %1").arg(path);
        return {};
    }
    return result;
}

// Number of a listed genre named in the program's spelling or TagLib's,
// exactly first, then ignoring case and surrounding blanks; -1 for others.
int listedGenreNamed(const QString& name) {
    for (int i = 0; i < kGenreCount; ++i) {
        if (QLatin1String(kGenreNames[i]) == name)
            return i;
    }
    const int index = TagLib::ID3v1::genreIndex(toTagString(name));
    if (index >= 0 && index < kGenreCount)
        return index;
    for (int i = 0; i < kGenreCount; ++i) {
        if (QLatin1String(kGenreNames[i]).trimmed().compare(name, Qt::CaseInsensitive) == 0 ||
            toQString(TagLib::ID3v1::genre(i)).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// Genre number of one genre text: a plain number ("17"), an ID3v2.3 style
// reference ("(17)"), or a genre name; -1 when it is none of the listed ones.
int genreNumberOf(const TagLib::String& text) {
    QString s = toQString(text).trimmed();
    if (s.startsWith(u'(') && s.indexOf(u')') > 1)
        s = s.mid(1, s.indexOf(u')') - 1);
    bool isNumber = false;
    const int number = s.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < kGenreCount ? number : -1;
    return listedGenreNamed(s);
}

int readGenre(TagLib::MPEG::File& file) {
    if (file.hasID3v2Tag()) {
        const auto& frames = file.ID3v2Tag()->frameListMap()["TCON"];
        for (const auto* frame : frames) {
            const auto* textFrame =
                dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frame);
            if (!textFrame)
                continue;
            for (const auto& field : textFrame->fieldList()) {
                const int genre = genreNumberOf(field);
                if (genre >= 0)
                    return genre;
            }
        }
    }
    if (file.hasID3v1Tag()) {
        const unsigned int number = file.ID3v1Tag()->genreNumber();
        if (number < static_cast<unsigned int>(kGenreCount))
            return static_cast<int>(number);
    }
    return -1;
}

// `keepGenre`: the genre the tag holds stays exactly as it is.
void applyFields(TagLib::Tag* tag, const AudioInformation& info, bool keepGenre) {
    tag->setTitle(toTagString(info.Title));
    tag->setArtist(toTagString(info.Artist));
    tag->setAlbum(toTagString(info.Album));
    tag->setComment(toTagString(info.Comment));
    // Listed genres are written by TagLib's names, which other programs and
    // the ID3v1 genre byte understand. An empty text removes the frame: -1
    // or a number past the list writes none.
    if (!keepGenre)
        tag->setGenre(info.Genre >= 0 && info.Genre < kGenreCount ? TagLib::ID3v1::genre(info.Genre)
                                                                  : TagLib::String());
    tag->setYear(info.Year > 0 ? static_cast<unsigned int>(info.Year) : 0);
    tag->setTrack(info.Track > 0 ? static_cast<unsigned int>(info.Track) : 0);
}

} // namespace

bool AudioInformation::Open(const QString& path) {
    Title.clear();
    Artist.clear();
    Album.clear();
    Comment.clear();
    Genre = -1;
    Year = 0;
    Track = 0;
    GenreText.clear();
    errorText_.clear();
    openedFile_.clear();
    openedGenre_ = -1;

    if (CommentFile vorbis = openCommentFile(path, false, errorText_); vorbis.file) {
        const TagLib::Ogg::XiphComment* tag = vorbis.comments;
        Title = toQString(tag->title());
        Artist = toQString(tag->artist());
        Album = toQString(tag->album());
        Comment = toQString(tag->comment());
        Year = static_cast<int>(qMin(tag->year(), static_cast<unsigned int>(INT_MAX)));
        Track = static_cast<int>(qMin(tag->track(), 32767u));
        Genre = genreNumberOf(tag->genre());
        GenreText = Genre >= 0 ? GenreName(Genre) : toQString(tag->genre());
        openedFile_ = QFileInfo(path).canonicalFilePath();
        openedGenre_ = Genre;
        return true;
    }
    if (!errorText_.isEmpty())
        return false;
    auto file = openMpeg(path, false, errorText_);
    if (!file)
        return false;

    // The tag union prefers ID3v2 and falls back to ID3v1 field by field.
    const TagLib::Tag* tag = file->tag();
    if (tag) {
        Title = toQString(tag->title());
        Artist = toQString(tag->artist());
        Album = toQString(tag->album());
        Comment = toQString(tag->comment());
        Year = static_cast<int>(qMin(tag->year(), static_cast<unsigned int>(INT_MAX)));
        Track = static_cast<int>(qMin(tag->track(), 32767u));
    }
    Genre = readGenre(*file);
    if (Genre >= 0)
        GenreText = GenreName(Genre);
    else if (tag)
        GenreText = toQString(tag->genre());
    openedFile_ = QFileInfo(path).canonicalFilePath();
    openedGenre_ = Genre;
    return true;
}

bool AudioInformation::WriteTags(const QString& path) const {
    errorText_.clear();
    const bool keepGenre = !openedFile_.isEmpty() && Genre == openedGenre_ &&
                           QFileInfo(path).canonicalFilePath() == openedFile_;
    if (CommentFile vorbis = openCommentFile(path, true, errorText_); vorbis.file) {
        // The fields become the standard Vorbis comments (TITLE, ARTIST,
        // ALBUM, DATE, TRACKNUMBER, GENRE, COMMENT).
        applyFields(vorbis.comments, *this, keepGenre);
        if (!vorbis.file->save()) {
            errorText_ = QStringLiteral("The tag could not be written to %1").arg(path);
            return false;
        }
        return true;
    }
    if (!errorText_.isEmpty())
        return false;
    auto file = openMpeg(path, true, errorText_);
    if (!file)
        return false;

    // ID3v2.3 is always written (text frames become UTF-16 when they hold
    // characters outside Latin-1). An ID3v1 tag that the file already has is
    // kept in step; none is added, as it cannot hold non-Latin-1 text.
    // A genre the caller left as it was read (one the list may not even
    // hold) is not rewritten.
    int tags = TagLib::MPEG::File::ID3v2;
    applyFields(file->ID3v2Tag(true), *this, keepGenre);
    if (file->hasID3v1Tag()) {
        applyFields(file->ID3v1Tag(), *this, keepGenre);
        tags |= TagLib::MPEG::File::ID3v1;
    }
    if (!file->save(tags, TagLib::File::StripNone, TagLib::ID3v2::v3,
                    TagLib::File::DoNotDuplicate)) {
        errorText_ = QCoreApplication::translate("quillotap::AudioInformation",
                                                 "The tag could not be written to %1")
                         .arg(path);
        return false;
    }
    return true;
}

QString AudioInformation::GenreName(int genre) {
    if (genre < 0 || genre >= kGenreCount)
        return {};
    return QString::fromLatin1(kGenreNames[genre]);
}

} // namespace quillotap
