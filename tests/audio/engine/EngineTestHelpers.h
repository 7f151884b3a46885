#pragma once

#include "audio/SampleBlock.h"

#include <QTest>
#include <cmath>
#include <cstdint>
#include <functional>

namespace quillotap::test {

// Processes events until the condition holds; false after a generous timeout.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 60000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

// Checks that a block continues the counter signal (element n is int16_t(n)).
// `next` is the index the block should start at; it is advanced past the
// block. Returns the index of the first wrong element, or -1.
inline qint64 followsCounter(const SampleBlock& block, qint64* next) {
    qint64 wrong = -1;
    for (size_t i = 0; i < block.size(); ++i) {
        if (wrong < 0 && block[i] != int16_t(uint16_t(*next + qint64(i))))
            wrong = *next + qint64(i);
    }
    *next += qint64(block.size());
    return wrong;
}

// RMS of one channel of an interleaved block, in sample units.
inline double channelRms(const SampleBlock& block, int channels, int channel) {
    double sum = 0;
    size_t n = 0;
    for (size_t i = size_t(channel); i < block.size(); i += size_t(channels), ++n)
        sum += double(block[i]) * block[i];
    return n ? std::sqrt(sum / double(n)) : 0.0;
}

// A counter block: element i is int16_t(first + i).
inline SampleBlock counterBlock(qint64 first, size_t count) {
    SampleBlock block(count);
    for (size_t i = 0; i < count; ++i)
        block[i] = int16_t(uint16_t(first + qint64(i)));
    return block;
}

} // namespace quillotap::test
