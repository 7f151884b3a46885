// The three player-volume hotkey actions. Each works on the program's player
// and returns what the player reports afterwards, so the caller can place
// the player-volume slider's knob (VolumeKnobPosition) from the real value.
#pragma once

namespace quillotap {

class AudioPlayer;

inline constexpr int kVolumeMax = 65535;
inline constexpr int kVolumeStepUp = 8000;
inline constexpr int kVolumeStepDown = 7000;

// Volume + 8000, at most 65535; returns the volume read back.
int SoundVolumeUp(AudioPlayer& player);
// Volume - 7000, at least 0; returns the volume read back.
int SoundVolumeDown(AudioPlayer& player);
// Flips the player's mute; returns the new mute state read back.
bool ToggleMute(AudioPlayer& player);

// Knob position on a slider track `width` pixels wide for a volume 0..65535,
// rounded to the nearest pixel.
int VolumeKnobPosition(int width, int volume);

} // namespace quillotap
