#include "files/FormProperties.h"

#include "audio/AudioFile.h"
#include "audio/AudioInformation.h"
#include "files/RecordingsList.h"
#include "recording/FormatElapsed.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace quillotap {

namespace {

QString ChannelsText(int channels) {
    switch (channels) {
    case 1:
        return QCoreApplication::translate("quillotap::FormProperties", "1 (mono)");
    case 2:
        return QCoreApplication::translate("quillotap::FormProperties", "2 (stereo)");
    default:
        return QString::number(channels);
    }
}

void ReadAudio(const QString& path, qint64 bytes, const QLocale& locale, RecordingFacts& facts) {
    AudioFile reader;
    reader.OpenForReading(path, 0, 1);
    if (reader.GetStatus() < 0) {
        const QString why = reader.GetErrorText();
        facts.format +=
            QCoreApplication::translate("quillotap::FormProperties", " (cannot be decoded%1)")
                .arg(why.isEmpty() ? QString() : QStringLiteral(": ") + why);
        return;
    }
    const int rate = reader.GetSampleRate();
    const qint64 frames = reader.GetLength();
    const int channels = reader.GetChannels();
    reader.Close();
    if (rate <= 0)
        return;
    const double seconds = static_cast<double>(frames) / rate;
    facts.duration = FormatElapsed(seconds);
    facts.sampleRate =
        locale.toString(rate) + QCoreApplication::translate("quillotap::FormProperties", " Hz");
    facts.channels = ChannelsText(channels);
    if (seconds > 0) {
        const auto kbits = static_cast<qint64>(std::llround(bytes * 8.0 / seconds / 1000.0));
        facts.bitrate =
            locale.toString(kbits) +
            QCoreApplication::translate("quillotap::FormProperties", " kbit/s (average)");
    }
}

void ReadTags(const QString& path, RecordingFacts& facts) {
    AudioInformation tags;
    if (!tags.Open(path))
        return;
    facts.title = tags.Title;
    facts.artist = tags.Artist;
    facts.album = tags.Album;
    facts.comment = tags.Comment;
    if (tags.Year > 0)
        facts.year = QString::number(tags.Year);
    if (tags.Track > 0)
        facts.track = QString::number(tags.Track);
    facts.genre = tags.GenreText;
}

} // namespace

RecordingFacts RecordingFacts::Read(const QString& path, const QLocale& locale) {
    RecordingFacts facts;
    const QFileInfo info(path);
    facts.name = info.fileName();
    facts.folder = info.absolutePath();
    if (!info.isFile())
        return facts;
    facts.exists = true;
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    const qint64 bytes = info.size();
    facts.size = grouped.formattedDataSize(bytes) + QStringLiteral(" (") + grouped.toString(bytes) +
                 QCoreApplication::translate("quillotap::FormProperties", " bytes)");
    facts.modified = ModifiedText(info.lastModified(), locale);
    facts.created = ModifiedText(info.birthTime(), locale);
    facts.accessed = ModifiedText(info.lastRead(), locale);
    facts.format = FormatText(facts.name);
    ReadAudio(path, bytes, grouped, facts);
    ReadTags(path, facts);
    return facts;
}

namespace {
// The caption of a row, in the UI language, from its field name.
QString FieldCaption(const char* field) {
    static const std::pair<const char*, const char*> captions[] = {
        {"Name", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Name")},
        {"Folder", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Folder")},
        {"Size", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Size")},
        {"Modified", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Modified")},
        {"Created", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Created")},
        {"Accessed", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Accessed")},
        {"Format", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Format")},
        {"Duration", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Duration")},
        {"SampleRate", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Sample rate")},
        {"Channels", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Channels")},
        {"Bitrate", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Bitrate")},
        {"Title", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Title")},
        {"Artist", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Artist")},
        {"Album", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Album")},
        {"Year", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Year")},
        {"Track", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Track")},
        {"Genre", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Genre")},
        {"Comment", QT_TRANSLATE_NOOP("quillotap::FormProperties", "Comment")}};
    for (const auto& [name, caption] : captions) {
        if (qstrcmp(name, field) == 0)
            return QCoreApplication::translate("quillotap::FormProperties", caption);
    }
    return QString::fromLatin1(field);
}
} // namespace

FormProperties::FormProperties(const RecordingFacts& facts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormProperties"));
    setWindowTitle(facts.name +
                   QCoreApplication::translate("quillotap::FormProperties", " Properties"));

    auto addRows = [this](QFormLayout* form, const QString& placeholder,
                          std::initializer_list<std::pair<const char*, const QString*>> rows) {
        for (const auto& [field, value] : rows) {
            auto* label = new QLabel(value->isEmpty() ? placeholder : *value, this);
            label->setObjectName(QStringLiteral("Label") + QString::fromLatin1(field));
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            label->setWordWrap(true);
            form->addRow(FieldCaption(field) + QLatin1Char(':'), label);
        }
    };

    auto* fileBox =
        new QGroupBox(QCoreApplication::translate("quillotap::FormProperties", "File"), this);
    auto* fileForm = new QFormLayout(fileBox);
    const QString unknown = QCoreApplication::translate("quillotap::FormProperties", "Unknown");
    addRows(fileForm, unknown,
            {{"Name", &facts.name},
             {"Folder", &facts.folder},
             {"Size", &facts.size},
             {"Modified", &facts.modified},
             {"Created", &facts.created},
             {"Accessed", &facts.accessed}});

    auto* audioBox =
        new QGroupBox(QCoreApplication::translate("quillotap::FormProperties", "Audio"), this);
    auto* audioForm = new QFormLayout(audioBox);
    addRows(audioForm, unknown,
            {{"Format", &facts.format},
             {"Duration", &facts.duration},
             {"SampleRate", &facts.sampleRate},
             {"Channels", &facts.channels},
             {"Bitrate", &facts.bitrate}});

    auto* tagBox =
        new QGroupBox(QCoreApplication::translate("quillotap::FormProperties", "ID3 tag"), this);
    auto* tagForm = new QFormLayout(tagBox);
    addRows(tagForm, QCoreApplication::translate("quillotap::FormProperties", "None"),
            {{"Title", &facts.title},
             {"Artist", &facts.artist},
             {"Album", &facts.album},
             {"Year", &facts.year},
             {"Track", &facts.track},
             {"Genre", &facts.genre},
             {"Comment", &facts.comment}});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileBox);
    layout->addWidget(audioBox);
    layout->addWidget(tagBox);
    layout->addWidget(buttons);
    // Wrapped values (a deep folder) take as many lines as they need. A
    // window's size does not follow the height its rows need at its width,
    // so the dialog is given that height here, at a width where a folder
    // takes a few lines rather than many.
    const int width = std::max(sizeHint().width(), 420);
    resize(width, layout->totalHeightForWidth(width));
}

} // namespace quillotap
