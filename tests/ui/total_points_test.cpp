// Tools > Total Points: the sum of the five ratings of all 44 slots by their spinner positions, shown
// in a plain message box, changing nothing.
#include <gtest/gtest.h>

#include "teamfile/writer.h"
#include "tests/support/test_team.h"
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"

namespace {

std::string totalText(int total) {
    return "        " + std::to_string(total);
}

// Every field text of the pages, the Save item and the visible page.
struct Snapshot {
    std::vector<std::string> texts;
    bool saveEnabled;
    PageIndex visiblePage;
};

Snapshot snapshot(const EditorProcess& editor) {
    PageFieldStorage pages(editor.pages());
    Snapshot taken{{}, editor.saveEnabled(), editor.visiblePage()};
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            taken.texts.push_back(pages.text(slot, field));
    return taken;
}

using TotalPoints = EditorTest;

} // namespace

TEST_F(TotalPoints, IsTheStartValuesSumAfterStartUpAndAfterNew) {
    EXPECT_EQ(shownTotalPoints(editor), totalText(4500));

    typeText(box(0, SlotField::strength), "0");
    setWindowText(box(1, SlotField::speed), "150");
    EXPECT_EQ(shownTotalPoints(editor), totalText(4500 - 40 + 100));

    ASSERT_TRUE(runDroppingEdits(editor, IDM_NEW));
    EXPECT_EQ(shownTotalPoints(editor), totalText(4500));
}

TEST_F(TotalPoints, ASpinnerStepChangesTheTotalByTheFieldsChange) {
    struct Case {
        SlotIndex slot;
        SlotField field;
        bool up;
    };
    const Case cases[] = {
        {0, SlotField::speed, true},        {0, SlotField::speed, false},
        {1, SlotField::strength, true},     {2, SlotField::agility, false},
        {3, SlotField::intelligence, true}, {4, SlotField::discipline, false},
        {5, SlotField::discipline, true},   {6, SlotField::number, true},
        {7, SlotField::icon, false},        {14, SlotField::discipline, false}, // a filler at 0 wraps to 100
    };
    int total = 4500;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(SlotTable[c.slot].label) + " " +
                     std::string(kColumnCaptions[1 + static_cast<int>(c.field)]) + (c.up ? " up" : " down"));
        if (editor.visiblePage() != slotPage(c.slot))
            editor.clickTab(slotPage(c.slot));
        HWND field = box(c.slot, c.field);
        const std::string before = windowText(field);
        clickSpinner(spinner(c.slot, c.field), c.up);
        ASSERT_TRUE(waitUntil([&] { return windowText(field) != before; }));
        const bool counts = c.field != SlotField::number && c.field != SlotField::icon;
        if (counts)
            total += std::stoi(windowText(field)) - std::stoi(before);
        EXPECT_EQ(shownTotalPoints(editor), totalText(total));
    }
}

TEST_F(TotalPoints, UnusableTextCountsWithThePreviousPosition) {
    HWND strength = box(0, SlotField::strength);
    typeText(strength, "150");
    EXPECT_EQ(shownTotalPoints(editor), totalText(4500)) << "150 is beyond STR's range";

    typeText(strength, "70");
    EXPECT_EQ(shownTotalPoints(editor), totalText(4530)) << "70 is taken over";
    typeText(strength, "150");
    EXPECT_EQ(shownTotalPoints(editor), totalText(4530)) << "the position taken over last counts";

    clearText(box(1, SlotField::agility));
    EXPECT_EQ(shownTotalPoints(editor), totalText(4530)) << "an emptied box counts with its position";
}

TEST_F(TotalPoints, TheCommandChangesNothing) {
    typeText(box(0, SlotField::strength), "150");
    clearText(box(1, SlotField::agility));
    typeText(box(2, SlotField::speed), "60");
    const Snapshot before = snapshot(editor);
    EXPECT_EQ(shownTotalPoints(editor), totalText(4500 - 50 + 60));
    EXPECT_EQ(shownTotalPoints(editor), totalText(4500 - 50 + 60));
    const Snapshot after = snapshot(editor);
    EXPECT_EQ(after.texts, before.texts);
    EXPECT_EQ(after.saveEnabled, before.saveEnabled);
    EXPECT_EQ(after.visiblePage, before.visiblePage);
}

TEST_F(TotalPoints, CountsWhatOpenSet) {
    const std::string path = folder.file("varied.fbt");
    TeamInMemory written;
    makeVariedTeam(written.doc);
    const FileResult result = writeTeamFile(written.doc, path);
    ASSERT_TRUE(result.ok) << result.reason;

    ASSERT_TRUE(runFileDialog(editor, IDM_OPEN, path));
    EXPECT_EQ(shownTotalPoints(editor), totalText(14076)); // the varied team's ratings
}
