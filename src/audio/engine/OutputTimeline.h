#pragma once

#include <QtGlobal>
#include <algorithm>
#include <deque>

namespace quillotap {

// Where the player's samples lie in an output stream that also carries
// silence: every write puts some frames of supplied samples first and fills
// the rest with silence when the player had nothing more. Given how far the
// output has sounded (in stream frames, silence included), it answers how
// many of the supplied frames were heard. Not locked: the stream that owns it
// guards it.
class OutputTimeline {
public:
    // One write of `frames` stream frames whose first `dataFrames` are
    // supplied samples (the rest is silence).
    void written(qint64 frames, qint64 dataFrames) {
        frames = std::max<qint64>(frames, 0);
        dataFrames = std::clamp<qint64>(dataFrames, 0, frames);
        if (frames == 0)
            return;
        writes_.push_back({end_, frames, dataFrames});
        if (dataFrames > 0)
            dataEnd_ = end_ + dataFrames;
        end_ += frames;
        dataWritten_ += dataFrames;
    }

    // Supplied frames among the first `streamFrames` frames of the stream.
    // Positions only move forward: writes wholly before `streamFrames` are
    // folded into a count and forgotten, so an earlier position asked later
    // answers no less than before.
    qint64 dataBefore(qint64 streamFrames) {
        while (!writes_.empty() && writes_.front().start + writes_.front().frames <= streamFrames) {
            dataHeard_ += writes_.front().dataFrames;
            writes_.pop_front();
        }
        qint64 data = dataHeard_;
        for (const Write& w : writes_) {
            if (w.start >= streamFrames)
                break;
            data += std::min(streamFrames - w.start, w.dataFrames);
        }
        return data;
    }

    qint64 dataWritten() const { return dataWritten_; } // supplied frames written so far
    qint64 framesWritten() const { return end_; }       // stream frames written so far
    // The stream frame just after the last supplied frame (0 before any).
    qint64 dataEnd() const { return dataEnd_; }

private:
    struct Write {
        qint64 start;
        qint64 frames;
        qint64 dataFrames;
    };
    std::deque<Write> writes_;
    qint64 end_ = 0;
    qint64 dataEnd_ = 0;
    qint64 dataWritten_ = 0;
    qint64 dataHeard_ = 0; // supplied frames of the writes already forgotten
};

} // namespace quillotap
