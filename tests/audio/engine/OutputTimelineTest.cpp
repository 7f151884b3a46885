// Mapping an output stream's clock (silence included) to the player's
// samples heard: silence the output filled in for want of samples must
// never count as played.
#include "audio/engine/OutputTimeline.h"

#include <gtest/gtest.h>

namespace quillotap {
namespace {

TEST(OutputTimeline, CountsOnlySuppliedFramesUpToTheClock) {
    OutputTimeline t;
    EXPECT_EQ(t.dataBefore(0), 0);
    EXPECT_EQ(t.dataBefore(500), 0) << "nothing written, nothing heard";

    t.written(100, 100); // all samples
    t.written(100, 40);  // 40 samples, then 60 frames of silence (an underrun)
    t.written(100, 0);   // silence only
    t.written(100, 100); // samples again
    EXPECT_EQ(t.dataWritten(), 240);
    EXPECT_EQ(t.framesWritten(), 400);
    EXPECT_EQ(t.dataEnd(), 400) << "the last write ends in a supplied frame";
    t.written(100, 30); // the last samples, then silence until the player stops
    t.written(100, 0);
    EXPECT_EQ(t.dataEnd(), 430) << "where the last supplied frame ends, silence after it aside";

    const struct {
        qint64 clock;
        qint64 heard;
    } steps[] = {
        {0, 0},     {50, 50},   {100, 100}, {120, 120}, {140, 140},
        {170, 140}, // inside the silence of the second write
        {250, 140}, {310, 150}, {400, 240}, {430, 270}, {900, 270}, // past the end: all of it
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.clock);
        EXPECT_EQ(t.dataBefore(s.clock), s.heard);
    }
}

TEST(OutputTimeline, ForgottenWritesStillCountAndTheClockNeverGoesBack) {
    OutputTimeline t;
    for (int i = 0; i < 1000; ++i)
        t.written(10, i % 2 ? 10 : 5);
    EXPECT_EQ(t.dataBefore(5000), 3750);
    EXPECT_EQ(t.dataBefore(10000), 7500);
    // An earlier clock reading after the writes were folded away cannot
    // take back what was counted.
    EXPECT_EQ(t.dataBefore(100), 7500);
    t.written(10, 3);
    EXPECT_EQ(t.dataBefore(10005), 7503);
    EXPECT_EQ(t.dataBefore(10010), 7503);
}

} // namespace
} // namespace quillotap
