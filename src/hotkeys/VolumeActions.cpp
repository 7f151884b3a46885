#include "hotkeys/VolumeActions.h"

#include "audio/AudioPlayer.h"

#include <algorithm>
#include <cmath>

namespace quillotap {

int SoundVolumeUp(AudioPlayer& player) {
    player.SetVolume(std::min(player.GetVolume() + kVolumeStepUp, kVolumeMax));
    return player.GetVolume();
}

int SoundVolumeDown(AudioPlayer& player) {
    player.SetVolume(std::max(player.GetVolume() - kVolumeStepDown, 0));
    return player.GetVolume();
}

bool ToggleMute(AudioPlayer& player) {
    player.SetMute(!player.GetMute());
    return player.GetMute();
}

int VolumeKnobPosition(int width, int volume) {
    return int(std::lround(double(width) * volume / kVolumeMax));
}

} // namespace quillotap
