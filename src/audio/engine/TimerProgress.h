#pragma once

#include "audio/engine/PeakMeter.h"
#include "audio/engine/StreamFormat.h"

#include <QtGlobal>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace quillotap {

// The progress of one stream for its Timer events: counts the samples that
// went through, says when the next event (every kTimerIntervalMs of audio)
// is due and keeps the peak levels since the last one. Not locked: the
// owner guards it with the mutex of the queue it belongs to.
class TimerProgress {
public:
    // What one Timer event reports.
    struct Figures {
        bool due = false;
        qint64 frames = 0; // frames through the stream so far
        int left = 0;      // peaks since the last event (0..32767)
        int right = 0;
    };

    TimerProgress() = default;
    TimerProgress(int sampleRate, int channels) { restart(sampleRate, channels); }

    // A new run in this format: everything starts from zero.
    void restart(int sampleRate, int channels) {
        channels_ = channels;
        step_ = std::max(1, ElementsFor(sampleRate, channels, kTimerIntervalMs));
        next_ = step_;
        elements_ = 0;
        due_ = false;
        peaks_ = PeakMeter();
    }

    // Counts interleaved samples; true when this made a Timer event due.
    bool add(const int16_t* samples, std::size_t count) {
        peaks_.add(samples, count, channels_, elements_);
        elements_ += qint64(count);
        if (elements_ < next_)
            return false;
        next_ += ((elements_ - next_) / step_ + 1) * step_;
        due_ = true;
        return true;
    }

    int channels() const { return channels_; }
    qint64 frames() const { return elements_ / channels_; }

    // The figures for the UI thread; the peaks restart only when an event
    // was due, so none is lost between two events.
    Figures take() {
        Figures figures;
        figures.due = due_;
        figures.frames = frames();
        due_ = false;
        if (figures.due)
            peaks_.take(channels_, &figures.left, &figures.right);
        return figures;
    }

private:
    int channels_ = 2;
    qint64 step_ = 1;
    qint64 next_ = 1;
    qint64 elements_ = 0;
    bool due_ = false;
    PeakMeter peaks_;
};

} // namespace quillotap
