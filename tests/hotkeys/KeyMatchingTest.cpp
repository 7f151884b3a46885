// Key names, virtual-key codes and the hotkey matching rules.
#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/KeyNames.h"
#include "hotkeys/ScriptedKeyboardState.h"

#include <gtest/gtest.h>
#include <vector>

using namespace quillotap;

namespace {

constexpr int Ctrl = VK_CONTROL_KEY;
constexpr int Alt = VK_ALT_KEY;
constexpr int Shift = VK_SHIFT_KEY;

TEST(KeyNames, TableHoldsTheEditorOrderAndCodes) {
    const auto& table = KeyNameTable();
    ASSERT_EQ(table.size(), 58u);
    EXPECT_EQ(table[0].name, u"A");
    EXPECT_EQ(table[25].name, u"Z");
    EXPECT_EQ(table[26].name, u"0");
    EXPECT_EQ(table[36].name, u"Up");
    EXPECT_EQ(table[45].name, u"Page Down");
    EXPECT_EQ(table[46].name, u"F1");
    EXPECT_EQ(table[57].name, u"F12");
    // Every listed name resolves to its own code, and no two names share one.
    std::vector<int> seen;
    for (const KeyName& key : table) {
        EXPECT_EQ(VirtualKeyForName(key.name), key.virtualKey) << key.name.toString().toStdString();
        EXPECT_EQ(std::count(seen.begin(), seen.end(), key.virtualKey), 0);
        seen.push_back(key.virtualKey);
    }
    EXPECT_EQ(KeyNameList().size(), 58);
    EXPECT_EQ(KeyNameList().at(44), QStringLiteral("Page Up"));
}

TEST(KeyNames, VirtualKeyForName) {
    struct Case {
        const char16_t* name;
        int virtualKey;
    };
    // The table's own names are checked above; these are the names outside it.
    const Case cases[] = {
        {u"r", 114},      // one character: its character code, whatever it is
        {u" ", 32},       // likewise
        {u"Space", 0},    // unknown long name
        {u"up", 0},       // names are case-sensitive
        {u"PageDown", 0}, // spelled exactly
        {u"F13", 0},      {u"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyForName(QStringView(c.name)), c.virtualKey)
            << QStringView(c.name).toString().toStdString();
}

struct MatchCase {
    const char* code;
    std::vector<int> held;
    bool pressed;
};

class HotkeyPressed : public ::testing::TestWithParam<MatchCase> {};

TEST_P(HotkeyPressed, FollowsTheMatchingRules) {
    const MatchCase& c = GetParam();
    ScriptedKeyboardState keyboard;
    for (int key : c.held)
        keyboard.press(key);
    keyboard.refresh();
    const ModifierFlags modifiers = SampleModifiers(keyboard);
    EXPECT_EQ(IsHotkeyPressed(QString::fromLatin1(c.code), modifiers, keyboard), c.pressed);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, HotkeyPressed,
    ::testing::Values(
        // the plain case, missing and extra modifiers
        MatchCase{"CA+R", {Ctrl, Alt, 'R'}, true}, MatchCase{"CA+R", {Ctrl, 'R'}, false},
        MatchCase{"CA+R", {Alt, 'R'}, false}, MatchCase{"CA+R", {Ctrl, Alt}, false},
        MatchCase{"CA+R", {Ctrl, Alt, Shift, 'R'}, true},
        MatchCase{"CAS+R", {Ctrl, Alt, 'R'}, false},
        // no modifier part: any modifiers may be held
        MatchCase{"+F5", {116}, true}, MatchCase{"+F5", {Ctrl, Alt, Shift, 116}, true},
        MatchCase{"+F5", {Ctrl, Alt}, false},
        // lower-case letters name no modifier
        MatchCase{"ca+R", {'R'}, true},
        // letters in any order, even repeated
        MatchCase{"SC+1", {Shift, Ctrl, '1'}, true}, MatchCase{"SC+1", {Ctrl, '1'}, false},
        MatchCase{"CCA+R", {Ctrl, Alt, 'R'}, true},
        // named keys, spelled exactly
        MatchCase{"CAS+Page Down", {Ctrl, Alt, Shift, 34}, true},
        MatchCase{"CAS+Page Down", {Ctrl, Alt, Shift, 33}, false},
        MatchCase{"CA+Up", {Ctrl, Alt, 38}, true}, MatchCase{"CA+F12", {Ctrl, Alt, 123}, true},
        // malformed codes are never pressed
        MatchCase{"CA+Space", {Ctrl, Alt, ' '}, false}, MatchCase{"CAR", {Ctrl, Alt, 'R'}, false},
        MatchCase{"CA+", {Ctrl, Alt, 'R'}, false}, MatchCase{"", {Ctrl, Alt}, false},
        // only the first "+" splits: the key of "C++" is "+", character 43
        MatchCase{"C++", {Ctrl, '+'}, true}, MatchCase{"C+A+R", {Ctrl, Alt, 'R'}, false},
        // a one-character key is its character code: "r" is key 114 (F3)
        MatchCase{"CA+r", {Ctrl, Alt, 'R'}, false}, MatchCase{"CA+r", {Ctrl, Alt, 114}, true}));

TEST(HotkeyPressed, UsesTheSampledModifiersNotTheLiveOnes) {
    ScriptedKeyboardState keyboard;
    keyboard.press({Ctrl, Alt, 'R'});
    const ModifierFlags sampled = SampleModifiers(keyboard);
    keyboard.release(Ctrl);
    EXPECT_TRUE(IsHotkeyPressed(u"CA+R", sampled, keyboard));
    EXPECT_FALSE(IsHotkeyPressed(u"CA+R", ModifierFlags{}, keyboard));
}

} // namespace
