// The roster pages under a person's hands: spinner clicks and arrow keys, typing into the boxes, and
// the Tab key moving between the controls.
#include "tests/ui/editor_fixture.h"

#include <optional>

namespace {

enum class Step { clickUp, clickDown, keyUp, keyDown };

struct SpinCase {
    SlotIndex slot; // on page 0, the page shown at start
    SlotField field;
    std::optional<std::string> typed; // replaces the box's text first; "" empties it
    std::vector<std::pair<Step, const char*>> steps;
};

using Spinners = EditorTest;

TEST_F(Spinners, StepFromTheLastValidPosition) {
    const SpinCase cases[] = {
        // SPD moves by 25 and wraps at both ends of 0..150.
        {0, SlotField::speed, {}, {{Step::clickUp, "75"}, {Step::clickUp, "100"}}},
        {1, SlotField::speed, {}, {{Step::clickDown, "25"}}},
        {2, SlotField::speed, "125", {{Step::clickUp, "150"}, {Step::clickUp, "0"}}},
        {3, SlotField::speed, "0", {{Step::clickDown, "150"}}},
        {4, SlotField::speed, "130", {{Step::clickUp, "0"}}},
        {5, SlotField::speed, "130", {{Step::clickDown, "105"}}},
        {6, SlotField::speed, "60", {{Step::clickUp, "85"}, {Step::clickUp, "110"}}},
        {7, SlotField::speed, {}, {{Step::keyUp, "75"}, {Step::keyUp, "100"}, {Step::keyDown, "75"}}},
        {8, SlotField::speed, {}, {{Step::clickUp, "75"}, {Step::keyUp, "100"}, {Step::clickDown, "75"}}},
        {9, SlotField::speed, "", {{Step::clickUp, "75"}}},
        {10, SlotField::speed, "500", {{Step::clickUp, "75"}}},
        {10, SlotField::speed, "150", {{Step::keyUp, "0"}, {Step::keyDown, "150"}}},
        // The other spinners move by one and wrap.
        {0, SlotField::icon, "14", {{Step::clickUp, "1"}, {Step::clickDown, "14"}}},
        {1, SlotField::number, "0", {{Step::clickDown, "99"}, {Step::clickUp, "0"}}},
        {2, SlotField::strength, "100", {{Step::clickUp, "0"}}},
        {7, SlotField::agility, {}, {{Step::keyDown, "19"}}},
        // An emptied box or a number out of range: the step starts from the last valid position.
        {3, SlotField::strength, "", {{Step::clickUp, "41"}}},
        {4, SlotField::strength, "500", {{Step::clickUp, "41"}}},
        {5, SlotField::icon, "", {{Step::clickDown, "4"}}},
        {6, SlotField::number, "", {{Step::keyUp, "63"}}},
        {8, SlotField::discipline, "", {{Step::keyDown, "19"}}},
        {9, SlotField::intelligence, "", {{Step::clickDown, "19"}}},
    };
    for (const SpinCase& c : cases) {
        const std::string where =
            std::string(SlotTable[c.slot].label) + " field " + std::to_string(static_cast<int>(c.field));
        if (c.typed && c.typed->empty())
            clearText(box(c.slot, c.field));
        else if (c.typed)
            typeText(box(c.slot, c.field), *c.typed);
        ASSERT_EQ(text(c.slot, c.field),
                  c.typed.value_or(std::to_string(defaultSpinnerValue(c.slot, c.field))))
            << where;
        for (const auto& [step, shown] : c.steps) {
            switch (step) {
            case Step::clickUp: clickSpinner(spinner(c.slot, c.field), true); break;
            case Step::clickDown: clickSpinner(spinner(c.slot, c.field), false); break;
            case Step::keyUp:
                focusWindow(box(c.slot, c.field));
                pressKey(box(c.slot, c.field), VK_UP);
                break;
            case Step::keyDown:
                focusWindow(box(c.slot, c.field));
                pressKey(box(c.slot, c.field), VK_DOWN);
                break;
            }
            EXPECT_EQ(text(c.slot, c.field), shown) << where << " after step " << static_cast<int>(step);
        }
    }
}

using Typing = EditorTest;

TEST_F(Typing, NumericBoxesTakeDigitsOnly) {
    for (SlotField field : kAllSlotFields) {
        if (!isSpinnerField(field))
            continue;
        typeText(box(0, field), "4a-2 ");
        EXPECT_EQ(text(0, field), "42") << static_cast<int>(field);
    }
}

TEST_F(Typing, NumericBoxesTakeThreeDigitsWithoutRangeCheck) {
    for (SlotField field : kAllSlotFields) {
        if (!isSpinnerField(field))
            continue;
        typeText(box(1, field), "98765");
        EXPECT_EQ(text(1, field), "987") << static_cast<int>(field);
    }
}

TEST_F(Typing, NamesStopAtTwentyNineCharacters) {
    const std::string narrow = "lil ili lil ili lil ili lil ili lil";
    typeText(box(2, SlotField::playerName), narrow);
    EXPECT_EQ(text(2, SlotField::playerName), narrow.substr(0, 29));
}

TEST_F(Typing, NamesStopWhenTheBoxIsFull) {
    const std::string wide(29, 'W');
    typeText(box(3, SlotField::playerName), wide);
    std::string shown = text(3, SlotField::playerName);
    EXPECT_LT(shown.size(), wide.size());
    EXPECT_EQ(shown, wide.substr(0, shown.size()));
}

// The name is narrow enough to fit the box: typing into a box whose text is wider than the box makes
// Wine's edit control drop the character before the caret.
TEST_F(Typing, LongerNamesSetByOperationsAreKeptButNotExtended) {
    const std::string forty = "lil ili lil ili lil ili lil ili lil ili ";
    ASSERT_EQ(forty.size(), 40u);
    setWindowText(box(0, SlotField::playerName), forty);
    EXPECT_EQ(text(0, SlotField::playerName), forty);
    appendText(box(0, SlotField::playerName), "x");
    EXPECT_EQ(text(0, SlotField::playerName), forty);
}

TEST_F(Typing, ListBoxesKeepTypedText) {
    typeText(box(4, SlotField::depthString), "3rd");
    typeText(box(4, SlotField::position), "ZZ");
    typeText(box(4, SlotField::side), "def");
    EXPECT_EQ(text(4, SlotField::depthString), "3rd");
    EXPECT_EQ(text(4, SlotField::position), "ZZ");
    EXPECT_EQ(text(4, SlotField::side), "def");
}

TEST_F(Typing, EnterAndEscapeOnARosterPageDoNothing) {
    typeText(box(5, SlotField::playerName), "Typed Name");
    const TeamTexts before = teamTexts();
    for (SlotField field : {SlotField::playerName, SlotField::position, SlotField::speed}) {
        focusWindow(box(5, field));
        pressKey(editor.focus(), VK_RETURN);
        pressKey(editor.focus(), VK_ESCAPE);
    }
    EXPECT_TRUE(editor.running());
    EXPECT_EQ(editor.visiblePage(), kOffensiveStarters);
    EXPECT_EQ(findDialog(editor.processId(), editor.mainWindow()), nullptr);
    EXPECT_EQ(teamTexts(), before);
}

// The control holding the focus, a combo box standing for its edit.
int focusedControlId(const EditorProcess& editor) {
    HWND focused = editor.focus();
    HWND parent = GetParent(focused);
    char parentClass[32] = {};
    GetClassNameA(parent, parentClass, sizeof parentClass);
    return GetDlgCtrlID(std::string(parentClass) == "ComboBox" ? parent : focused);
}

using TabKey = EditorTest;

TEST_F(TabKey, VisitsTheBoxesOfARosterPageInRowOrder) {
    SlotIndex first = slotAt(kOffensiveStarters, 0);
    focusWindow(FindWindowExA(box(first, SlotField::depthString), nullptr, "Edit", nullptr));
    ASSERT_EQ(focusedControlId(editor), controlId(first, 0));
    std::vector<int> expected;
    for (SlotField field : kAllSlotFields)
        if (field != SlotField::depthString)
            expected.push_back(controlId(first, fieldControlOffset(field)));
    expected.push_back(controlId(first + 1, 0));
    for (int id : expected) {
        pressKey(editor.focus(), VK_TAB);
        EXPECT_EQ(focusedControlId(editor), id);
    }
}

TEST_F(TabKey, StaysPutOnTheSlotToolsPage) {
    editor.clickTab(kSlotToolsPage);
    for (int id : {IDC_SWAP_FIRST, IDC_ERASE_SLOT}) {
        focusWindow(FindWindowExA(slotTool(id), nullptr, "Edit", nullptr));
        ASSERT_EQ(focusedControlId(editor), id);
        pressKey(editor.focus(), VK_TAB);
        EXPECT_EQ(focusedControlId(editor), id);
    }
}

} // namespace
