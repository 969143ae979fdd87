// Spinners remember where their own steps left them: a box emptied after a step, or given a number out
// of range or letters, steps on from that position and counts with it in the total and in the saved
// file; and the up-down control's own position stays the one the editor remembers.
#include "tests/support/temp_folder.h"
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"

#include <commctrl.h>

namespace {

constexpr SlotIndex kQB = 0, kFB = 1, kWR1 = 2, kLT = 3, kBLB = 38;

enum class Input { mouse, keyboard };

// Where a spinner stands after steps from a position: past either end of its range it goes on from
// the other end.
int afterSteps(SlotField field, int position, int steps) {
    const SpinnerRange range = spinnerRange(field);
    const int span = range.upper - range.lower + 1;
    const int perStep = field == SlotField::speed ? 25 : 1;
    return range.lower + ((position - range.lower + steps * perStep) % span + span) % span;
}

class SpinnerMemory : public EditorTest {
  protected:
    // One step up or down: a click on the spinner's arrow, or the arrow key in its box. The slot's page
    // is shown first, as a person would have it.
    void step(SlotIndex slot, SlotField field, bool up, Input input = Input::mouse) {
        if (editor.visiblePage() != slotPage(slot))
            editor.clickTab(slotPage(slot));
        if (input == Input::mouse) {
            clickSpinner(spinner(slot, field), up);
        } else {
            focusWindow(box(slot, field));
            pressKey(box(slot, field), up ? VK_UP : VK_DOWN);
        }
    }
    // The up-down control's own position: what UDM_GETPOS answers while the box holds no number
    // within the range (Wine reads an empty box as 0, so the box must not be empty).
    int controlPosition(SlotIndex slot, SlotField field) const {
        return static_cast<short>(LOWORD(SendMessageA(spinner(slot, field), UDM_GETPOS, 0, 0)));
    }
};

} // namespace

TEST_F(SpinnerMemory, AnEmptiedBoxCountsAndStepsFromTheSteppedValue) {
    step(kQB, SlotField::strength, true);
    ASSERT_EQ(text(kQB, SlotField::strength), "41");
    clearText(box(kQB, SlotField::strength));
    ASSERT_EQ(text(kQB, SlotField::strength), "");
    EXPECT_EQ(shownTotalPoints(editor), "        4501");
    step(kQB, SlotField::strength, true);
    EXPECT_EQ(text(kQB, SlotField::strength), "42");
}

TEST_F(SpinnerMemory, AStepThenAnUnusableTextStepsOnFromTheSteppedValue) {
    struct Case {
        SlotIndex slot;
        SlotField field;
        Input input;
        const char* typed; // set into the box before the first step; nullptr keeps the default
        bool up;
        const char* stepped;
        const char* after; // set into the box after the first step
        bool up2;
        const char* stepped2;
    };
    const Case cases[] = {
        {kBLB, SlotField::icon, Input::mouse, nullptr, true, "2", "0", false, "1"},
        {kQB, SlotField::speed, Input::mouse, "125", true, "150", "abc", false, "125"},
        {kLT, SlotField::speed, Input::keyboard, "150", true, "0", "", false, "150"},
        {kFB, SlotField::number, Input::mouse, "0", false, "99", "", true, "0"},
        {kWR1, SlotField::number, Input::keyboard, "99", true, "0", "500", false, "99"},
        {kQB, SlotField::agility, Input::keyboard, nullptr, false, "19", "x7", false, "18"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(SlotTable[c.slot].label) + " " +
                     std::string(kColumnCaptions[1 + static_cast<int>(c.field)]) + ", then \"" + c.after +
                     '"');
        if (c.typed)
            setWindowText(box(c.slot, c.field), c.typed);
        step(c.slot, c.field, c.up, c.input);
        ASSERT_EQ(text(c.slot, c.field), c.stepped);
        setWindowText(box(c.slot, c.field), c.after);
        if (*c.after != '\0') {
            EXPECT_EQ(controlPosition(c.slot, c.field), std::stoi(c.stepped));
        }
        step(c.slot, c.field, c.up2, c.input);
        EXPECT_EQ(text(c.slot, c.field), c.stepped2);
    }
}

TEST_F(SpinnerMemory, AQueryLeavesTheControlAtThePositionItTookOver) {
    typeText(box(kQB, SlotField::strength), "70");
    EXPECT_EQ(shownTotalPoints(editor), "        4530");
    setWindowText(box(kQB, SlotField::strength), "500");
    EXPECT_EQ(controlPosition(kQB, SlotField::strength), 70);
    step(kQB, SlotField::strength, true);
    EXPECT_EQ(text(kQB, SlotField::strength), "71");
}

// All 308 spinners, page by page, by mouse and by arrow key in turn (Wine's spinner takes back a key
// step that follows a click on the same spinner, so each keeps to one kind): one step each, every
// box emptied, the total, then a second step each. The steps of a page are posted together.
TEST_F(SpinnerMemory, EverySpinnerOnEveryPageRemembersItsStep) {
    auto stepPage = [this](PageIndex page) {
        editor.clickTab(page);
        for (int row = 0; row < kRowsPerPage; ++row) {
            const SlotIndex slot = slotAt(page, row);
            for (SlotField field : kAllSlotFields) {
                if (!isSpinnerField(field))
                    continue;
                if ((slot + static_cast<int>(field)) % 2 == 0)
                    postSpinnerClick(spinner(slot, field), true);
                else
                    postKeyPress(box(slot, field), VK_UP);
            }
        }
        settle(editor.mainWindow());
    };
    auto expectSteps = [this](PageIndex page, int steps) {
        for (int row = 0; row < kRowsPerPage; ++row) {
            const SlotIndex slot = slotAt(page, row);
            for (SlotField field : kAllSlotFields) {
                if (!isSpinnerField(field))
                    continue;
                EXPECT_EQ(text(slot, field),
                          std::to_string(afterSteps(field, defaultSpinnerValue(slot, field), steps)))
                    << SlotTable[slot].label << " field " << static_cast<int>(field) << ", step " << steps;
            }
        }
    };

    for (PageIndex page = 0; page < kRosterPageCount; ++page) {
        stepPage(page);
        expectSteps(page, 1);
    }
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            if (isSpinnerField(field))
                setWindowText(box(slot, field), "");
    // One step up in each of the 220 ratings: 44 speeds by 25 and 176 others by 1 (none wraps).
    EXPECT_EQ(shownTotalPoints(editor), "        5776");
    for (PageIndex page = 0; page < kRosterPageCount; ++page) {
        stepPage(page);
        expectSteps(page, 2);
    }
}

TEST_F(SpinnerMemory, SaveWritesTheValueSteppedFromTheRememberedPosition) {
    step(kBLB, SlotField::icon, true);
    setWindowText(box(kBLB, SlotField::icon), "0");
    step(kBLB, SlotField::icon, false);
    ASSERT_EQ(text(kBLB, SlotField::icon), "1");
    step(kQB, SlotField::strength, true);
    clearText(box(kQB, SlotField::strength));
    step(kQB, SlotField::strength, true);
    ASSERT_EQ(text(kQB, SlotField::strength), "42");

    TempFolder folder;
    const std::string path = folder.file("stepped.fbt");
    ASSERT_TRUE(runFileDialog(editor, IDM_SAVE_AS, path));
    const std::vector<std::uint8_t> bytes = readFileBytes(path);
    ASSERT_EQ(bytes.size(), 2668u);
    EXPECT_EQ(bytes[58 + 51], 42) << "STR of QB, record 0";
    EXPECT_EQ(bytes[58 + 58 * 38 + 45], 1) << "Icon of BLB, record 38 (Defensive Reserves, row 5)";
}
