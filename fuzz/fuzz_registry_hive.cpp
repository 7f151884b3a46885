// libFuzzer target: arbitrary bytes parsed as a settings hive file. Parsing
// may refuse the text; it must never crash, and whatever it accepts must
// survive a save and a reload unchanged.
#include "settings/RegistryHive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), qsizetype(size));
    quillotap::RegistryHive::ParseError error;
    const std::optional<quillotap::RegistryHive> hive = quillotap::RegistryHive::parse(text, &error);
    if (!hive)
        return 0;
    // Every key and value read back through the lookup interface.
    for (const QString& key : hive->keyPaths()) {
        if (!hive->hasKey(key))
            std::abort();
        for (const QString& name : hive->valueNames(key)) {
            if (!hive->value(key, name))
                std::abort();
        }
    }
    const QByteArray saved = hive->serialise();
    const std::optional<quillotap::RegistryHive> reloaded = quillotap::RegistryHive::parse(saved);
    if (!reloaded || !(*reloaded == *hive) || reloaded->serialise() != saved)
        std::abort();
    return 0;
}
