// The program's own property sheet for a recording, shown when no file
// manager on the desktop offers one: file facts, the audio format as the
// reader finds it, and the ID3 tag.
#pragma once

#include <QDialog>
#include <QLocale>
#include <QString>

namespace quillotap {

// The texts the sheet shows; empty texts are shown as "Unknown" (or "None"
// for tag fields).
struct RecordingFacts {
    bool exists = false;
    QString name;
    QString folder;
    QString size;
    QString modified;
    QString created;
    QString accessed;
    QString format;
    QString duration;
    QString sampleRate;
    QString channels;
    QString bitrate;
    QString title;
    QString artist;
    QString album;
    QString year;
    QString track;
    QString genre;
    QString comment;

    // Reads the file's facts; exists is false when the path names no
    // regular file. A file the reader cannot decode still gives its file
    // facts, and its format line says why the rest is missing.
    static RecordingFacts Read(const QString& path, const QLocale& locale = QLocale());
};

class FormProperties : public QDialog {
    Q_OBJECT
public:
    // Value labels are named "Label" + field: LabelName, LabelFolder,
    // LabelSize, LabelModified, LabelCreated, LabelAccessed, LabelFormat,
    // LabelDuration, LabelSampleRate, LabelChannels, LabelBitrate,
    // LabelTitle, LabelArtist, LabelAlbum, LabelYear, LabelTrack,
    // LabelGenre, LabelComment.
    explicit FormProperties(const RecordingFacts& facts, QWidget* parent = nullptr);
};

} // namespace quillotap
