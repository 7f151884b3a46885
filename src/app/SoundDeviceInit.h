// Opening the sound device at start-up: lists the usable input devices,
// selects the recorder's default one and its first source.
#pragma once

#include <QtGlobal>

class QComboBox;

namespace quillotap {

class AudioRecord;
class InputSelection;

enum class SoundDeviceResult {
    NoDevice, // the sound system offers no device: the window comes up empty
    Ready,    // a device with at least one source is selected
    NoSource, // the selected device has no source: the program must end
};

// The message for NoSource.
// (English; shown through tr in the context quillotap::FormMain.)
inline constexpr const char* SoundDeviceFailureText = QT_TRANSLATE_NOOP(
    "quillotap::FormMain",
    "Can not initialize sound device. If you started other sound recorder, please exit it "
    "before run this application");

// Fills `deviceCombo` with the usable devices (item data = the recorder's
// device index), selects the default device, or the last listed one when the
// default lies past the list, and runs the device selection.
SoundDeviceResult InitSoundDevice(AudioRecord& recorder, QComboBox* deviceCombo,
                                  InputSelection& input);

} // namespace quillotap
