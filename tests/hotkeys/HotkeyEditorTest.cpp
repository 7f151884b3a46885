// The "Change" button on widgets laid out like the hotkey page's editor.
#include "HotkeyListFixture.h"

#include "hotkeys/HotkeyEditor.h"
#include "hotkeys/KeyNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QWidget>
#include <gtest/gtest.h>

using namespace quillotap;
using quillotap::test::makeHotkeyList;
using quillotap::test::rowCode;
using quillotap::test::setRow;

namespace {

class EditorTest : public ::testing::Test {
protected:
    std::unique_ptr<QTreeWidget> list = makeHotkeyList();
    QCheckBox ctrl, alt, shift;
    QComboBox key;
    QWidget page; // the option buttons exclude each other only as siblings
    QRadioButton option1{&page}, option2{&page};
    QStringList messages;
    HotkeyEditor editor{
        {list.get(), &ctrl, &alt, &shift, &key, &option1},
        [this](const QString& text, const QString& title) { messages << title + ": " + text; }};

    EditorTest() {
        key.addItems(KeyNameList());
        option1.setChecked(true);
    }

    // Fills the editor as if the user edited it for the given row.
    void edit(int row, bool c, bool a, bool s, const QString& name, bool enabled = true) {
        list->setCurrentItem(list->topLevelItem(row - 1));
        ctrl.setChecked(c);
        alt.setChecked(a);
        shift.setChecked(s);
        key.setCurrentText(name);
        option1.setChecked(enabled);
        option2.setChecked(!enabled);
    }

    QString shown(int row) const { return list->topLevelItem(row - 1)->text(1); }
    QString status(int row) const { return list->topLevelItem(row - 1)->text(2); }
};

TEST_F(EditorTest, AcceptedEditsWriteCodeDisplayAndStatus) {
    struct Case {
        int row;
        bool c, a, s;
        const char* key;
        bool enabled;
        const char* code;
        const char* display;
    };
    const Case cases[] = {
        {3, true, false, false, "R", true, "C+R", "Ctrl + R"},
        {4, false, false, false, "F9", true, "+F9", "F9"},
        {5, false, true, true, "Home", true, "AS+Home", "Alt + Shift + Home"},
        {6, true, true, true, "Page Down", true, "CAS+Page Down", "Ctrl + Alt + Shift + Page Down"},
        {7, false, false, true, "1", false, "S+1", "Shift + 1"},
        {1, true, true, false, "R", true, "CA+R", "Ctrl + Alt + R"}, // unchanged: own row skipped
    };
    for (const Case& c : cases) {
        edit(c.row, c.c, c.a, c.s, c.key, c.enabled);
        EXPECT_TRUE(editor.applyEdit()) << c.code;
        EXPECT_EQ(rowCode(*list, c.row), QString::fromLatin1(c.code));
        EXPECT_EQ(shown(c.row), QString::fromLatin1(c.display));
        EXPECT_EQ(status(c.row), c.enabled ? "Enabled" : "Disabled");
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EditorTest, DuplicateCodeIsRefusedAndTheRowKept) {
    edit(1, true, true, false, "S");
    EXPECT_FALSE(editor.applyEdit());
    EXPECT_EQ(messages, QStringList({"Error: This Hot key has already been used."}));
    EXPECT_EQ(rowCode(*list, 1), "CA+R");
    EXPECT_EQ(shown(1), "CA+R");   // untouched by the refused edit
    EXPECT_TRUE(ctrl.isChecked()); // the user's edit stays in the editor
}

TEST_F(EditorTest, DisabledRowsTakePartInTheDuplicateTest) {
    setRow(*list, 2, "CA+S", "Disabled");
    edit(1, true, true, false, "S");
    EXPECT_FALSE(editor.applyEdit());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(EditorTest, DuplicateTestIsExactText) {
    setRow(*list, 2, "AC+S"); // the same keys written differently
    edit(1, true, true, false, "S");
    EXPECT_TRUE(editor.applyEdit());
    EXPECT_EQ(rowCode(*list, 1), "CA+S");
}

TEST_F(EditorTest, TypedKeyNameIsStoredAsItIs) {
    key.setEditable(true);
    edit(2, true, false, false, "Space");
    EXPECT_TRUE(editor.applyEdit());
    EXPECT_EQ(rowCode(*list, 2), "C+Space");
    EXPECT_EQ(shown(2), "Ctrl + Space");
}

TEST_F(EditorTest, NoSelectedRowChangesNothing) {
    list->setCurrentItem(nullptr);
    list->clearSelection();
    edit(1, false, false, false, "F1");
    list->setCurrentItem(nullptr);
    EXPECT_FALSE(editor.applyEdit());
    EXPECT_EQ(rowCode(*list, 1), "CA+R");
}

} // namespace
