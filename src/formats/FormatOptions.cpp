#include "formats/FormatOptions.h"

#include "formats/FormFLAC.h"
#include "formats/FormMP3.h"
#include "formats/FormOGG.h"
#include "formats/FormOPUS.h"
#include "formats/FormWAV.h"
#include "formats/FormWMA.h"
#include "formats/FormatCatalogue.h"

namespace quillotap {

void LoadFormatOptions(FormatOptions& formats, AudioFile& writer) {
    LoadOggSettings(formats.settings, writer);
    LoadWavSettings(formats.settings, writer);
    LoadWmaSettings(formats.settings, writer);
    LoadFlacSettings(formats.settings, writer);
    LoadOpusSettings(formats.settings, writer);
    formats.mp3Description = LoadMp3Settings(formats.mp3, writer);
    formats.id3 = LoadId3Defaults();
}

void SaveFormatOptions(const FormatOptions& formats) {
    SaveOutputFormatSettings(formats.settings);
    SaveMp3Settings(formats.mp3);
}

std::optional<QString> DescribeFormat(int code, const FormatOptions& formats, AudioFile& writer) {
    return DescribeOutputFormat(code, formats.mp3Description, formats.mp3, formats.settings,
                                writer);
}

void EditOutputFormat(int code, FormatOptions& formats, AudioFile& writer, QWidget* parent) {
    // Each dialog is built afresh, so it opens on the current settings.
    switch (code) {
    case 0:
        FormMP3(formats.mp3, writer, formats.mp3Description, formats.id3, parent).exec();
        break;
    case 1:
        FormWMA(formats.settings, writer, parent).exec();
        break;
    case 2:
        FormOGG(formats.settings, writer, parent).exec();
        break;
    case 3:
        FormWAV(formats.settings, writer, parent).exec();
        break;
    case 5:
        FormFLAC(formats.settings, writer, parent).exec();
        break;
    case 6:
        FormOPUS(formats.settings, writer, parent).exec();
        break;
    default: // VOX has no options; nothing selected opens nothing
        break;
    }
}

} // namespace quillotap
