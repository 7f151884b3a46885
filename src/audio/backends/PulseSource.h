#pragma once

#include <QString>
#include <pulse/channelmap.h>
#include <pulse/volume.h>
#include <string>
#include <vector>

namespace quillotap {

// What the PulseAudio back end knows of one source of the server.
struct PulseSource {
    struct Port {
        std::string name;
        QString description;
    };
    unsigned index = 0;
    std::string name;
    QString description;
    pa_cvolume volume{};
    pa_channel_map channelMap{};
    std::vector<Port> ports;
    std::string activePort;
};

// 0..65535 <-> PulseAudio volumes (65535 is 100 %, louder settings read as 65535).
int pulseToVolume(pa_volume_t volume);
pa_volume_t volumeToPulse(int volume);

} // namespace quillotap
