// The preset tables and how a row reaches a display.
#include "ui/VisualizationPresets.h"
#include "audio/AudioVisualizationEx2.h"
#include "ui/PresetSettings.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace quillotap {
namespace {

struct Assignment {
    int dispid;
    QVariant value;
};

std::vector<Assignment> assignmentsOf(int pane, int preset, std::set<int> refused = {}) {
    std::vector<Assignment> seen;
    AssignPreset(
        [&](int dispid, const QVariant& value) {
            seen.push_back({dispid, value});
            return !refused.count(dispid);
        },
        pane, preset);
    return seen;
}

QVariant valueOf(const std::vector<Assignment>& seen, int dispid) {
    for (const auto& a : seen) {
        if (a.dispid == dispid)
            return a.value;
    }
    return {};
}

TEST(VisualizationPresetsTest, SampleRowsHoldTheirValues) {
    // Pane 1 preset 4, the input display's default, in full.
    std::vector<int> row;
    for (const auto& a : assignmentsOf(1, 4))
        row.push_back(a.value.toInt());
    EXPECT_EQ(row, (std::vector<int>{3, 0, 1, 0, 0, 50, 1, 70, 20, 2, 0, 2000, 10, 65280, 65535,
                                     255, 0}));
    // Pane 2 preset 11, the playback display's default.
    row.clear();
    for (const auto& a : assignmentsOf(2, 11))
        row.push_back(a.value.toInt());
    EXPECT_EQ(row, (std::vector<int>{3, 0, 1, 1, 1, 196, 0, 60, 20, 1, 0, 200, 10, 33023, 65535,
                                     255, 1}));

    for (int pane : {1, 2}) {
        SCOPED_TRACE(pane);
        // Presets 9: red, yellow and white; presets 11: orange for green.
        const auto nine = assignmentsOf(pane, 9);
        EXPECT_EQ(valueOf(nine, 14).toInt(), 255);
        EXPECT_EQ(valueOf(nine, 15).toInt(), 65535);
        EXPECT_EQ(valueOf(nine, 16).toInt(), 16777215);
        const auto eleven = assignmentsOf(pane, 11);
        EXPECT_EQ(valueOf(eleven, 14).toInt(), 33023);
        EXPECT_EQ(valueOf(eleven, 16).toInt(), 255);
        for (int preset : {1, 2, 3, 4, 5, 6, 7, 8, 10, 12}) {
            const auto other = assignmentsOf(pane, preset);
            EXPECT_EQ(valueOf(other, 14).toInt(), 65280) << preset;
            EXPECT_EQ(valueOf(other, 16).toInt(), 255) << preset;
        }
        // Only presets 4 and 12 (pane 1) or 3 and 12 (pane 2) use solid zones.
        std::set<int> solid;
        for (int preset = 1; preset <= 12; ++preset) {
            if (!valueOf(assignmentsOf(pane, preset), 33).toBool())
                solid.insert(preset);
        }
        EXPECT_EQ(solid, (pane == 1 ? std::set<int>{4, 12} : std::set<int>{3, 12}));
    }
}

TEST(VisualizationPresetsTest, RefusedValuesDoNotStopTheRow) {
    const auto seen = assignmentsOf(1, 7, {34, 24, 14});
    EXPECT_EQ(seen.size(), 17u);
    EXPECT_EQ(seen.back().dispid, 33);

    // On a real display: one value it cannot take, the rest still arrive and
    // the preset still counts as the pane's current one.
    AudioVisualizationEx2 display;
    ASSERT_TRUE(display.SetDispatchProperty(24, 4096));
    EXPECT_TRUE(ApplyPreset(display, 1, 8));
    EXPECT_EQ(display.GetDispatchProperty(24).toInt(), 300);
    EXPECT_EQ(display.GetDispatchProperty(36).toInt(), 6);
}

TEST(VisualizationPresetsTest, NumbersOutsideTheTablesChangeNothing) {
    AudioVisualizationEx2 display;
    ApplyPreset(display, 1, 9);
    ApplyPreset(display, 2, 2);
    const QVariant mode = display.GetDispatchProperty(34);
    for (int preset : {0, 13, -1, 1000}) {
        SCOPED_TRACE(preset);
        EXPECT_TRUE(assignmentsOf(1, preset).empty());
        EXPECT_FALSE(ApplyPreset(display, 1, preset));
        EXPECT_FALSE(ApplyPreset(display, 2, preset));
        EXPECT_EQ(display.GetDispatchProperty(34), mode);
    }
    EXPECT_TRUE(assignmentsOf(3, 1).empty());
    EXPECT_TRUE(assignmentsOf(0, 1).empty());
}

TEST(VisualizationPresetsTest, StoredTextGivesAPresetOrTheDefault) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {{"1", 1},   {"12", 12}, {"7", 7},  {"0", 4},    {"13", 4},    {"4.5", 4},
                 {"abc", 4}, {"", 4},    {"-1", 4}, {"1e1", 10}, {"12.0", 12}, {"0x5", 4}};
    for (const auto& c : cases)
        EXPECT_EQ(PresetFromSetting(QString::fromLatin1(c.text), 4), c.expected) << c.text;
    EXPECT_EQ(PresetFromSetting(QStringLiteral("99"), 11), 11);
}

} // namespace
} // namespace quillotap
