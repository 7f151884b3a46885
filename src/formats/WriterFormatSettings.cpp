#include "formats/WriterFormatSettings.h"

#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "formats/OutputFormatSettings.h"

namespace quillotap {

void ApplyFormatSettingsToWriter(const MP3Lame& lame, const OutputFormatSettings& settings,
                                 AudioFile& writer) {
    ApplyOggToAudioFile(settings, writer);
    writer.SetWAVFormat(settings.WAVFreq, settings.WAVChannel, settings.WAVBit);
    writer.SetWMAProfile(settings.WMAProfile);
    writer.SetFLACFormat(settings.FLACLevel, settings.FLACBit);
    writer.SetOpusFormat(settings.OPUSBitrate, IsOpusVoice(settings.OPUSMode));
    writer.SetMP3Encoder(lame);
}

} // namespace quillotap
