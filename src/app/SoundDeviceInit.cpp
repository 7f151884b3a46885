#include "app/SoundDeviceInit.h"

#include "audio/AudioRecord.h"
#include "recording/InputSelection.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

namespace quillotap {

SoundDeviceResult InitSoundDevice(AudioRecord& recorder, QComboBox* deviceCombo,
                                  InputSelection& input) {
    const int count = recorder.GetDeviceCount();
    if (count < 1)
        return SoundDeviceResult::NoDevice;
    const int defaultDevice = recorder.GetDevice();

    {
        // Listing selects nothing yet: the selection below runs the device
        // selection once the list is complete.
        const QSignalBlocker quiet(deviceCombo);
        deviceCombo->clear();
        for (int device = 0; device <= count; ++device) {
            recorder.SetDevice(device);
            if (recorder.GetDeviceValid())
                deviceCombo->addItem(recorder.GetDeviceName(), device);
        }
        deviceCombo->setCurrentIndex(-1);
    }

    // The default is a device index, compared with list positions: a default
    // past the last entry selects the last entry.
    const int selected = std::min(defaultDevice, deviceCombo->count() - 1);
    recorder.SetDevice(selected);
    deviceCombo->setCurrentIndex(selected);
    input.recountSources();
    if (input.sourceCount() <= 0)
        return SoundDeviceResult::NoSource;
    input.onDeviceChosen();
    return SoundDeviceResult::Ready;
}

} // namespace quillotap
