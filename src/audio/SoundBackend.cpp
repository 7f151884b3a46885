#include "audio/SoundBackend.h"

#include "audio/backends/PulseBackend.h"
#include "audio/backends/SyntheticBackend.h"

#include <cstdio>
#include <mutex>

namespace quillotap {

std::shared_ptr<SoundBackend> SoundBackend::instance() {
    static std::mutex mutex;
    static std::shared_ptr<SoundBackend> backend;
    std::lock_guard lock(mutex);
    if (!backend) {
        const QByteArray choice = qgetenv("QUILLOTAP_AUDIO").trimmed().toLower();
        if (choice == "synthetic") {
            backend = SyntheticBackend::fromEnvironment();
        } else {
            if (!choice.isEmpty() && choice != "pulse")
                std::fprintf(stderr, "QUILLOTAP_AUDIO=%s is unknown; using pulse\n",
                             choice.constData());
            backend = std::make_shared<PulseBackend>();
        }
    }
    return backend;
}

} // namespace quillotap
