// Swap and Erase through the Slot Tools page's boxes and buttons, and File > New after edits.
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"

#include <utility>

namespace {

constexpr SlotIndex kQB = 0;
constexpr SlotIndex kKK = 11;
constexpr SlotIndex kLTa = 14;
constexpr SlotIndex kWR2a = 21;
constexpr SlotIndex kSS = 22;
constexpr SlotIndex kFS1a = 43;

// The fields Swap exchanges: all but String and Side.
constexpr SlotField kPlayerFields[] = {
    SlotField::playerName, SlotField::position,     SlotField::number,
    SlotField::icon,       SlotField::speed,        SlotField::strength,
    SlotField::agility,    SlotField::intelligence, SlotField::discipline,
};

std::string& at(TeamTexts& team, SlotIndex slot, SlotField field) {
    return team[slot][static_cast<int>(field)];
}

class SlotTools : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        if (HasFatalFailure())
            return;
        editor.clickTab(kSlotToolsPage);
    }
    void swap(const std::string& first, const std::string& second) {
        typeText(slotTool(IDC_SWAP_FIRST), first);
        typeText(slotTool(IDC_SWAP_SECOND), second);
        clickButton(slotTool(IDC_SWAP));
    }
    void erase(const std::string& label) {
        typeText(slotTool(IDC_ERASE_SLOT), label);
        clickButton(slotTool(IDC_ERASE));
    }
};

TEST_F(SlotTools, SwapExchangesThePlayersButNotTheirPlaces) {
    const TeamTexts before = teamTexts();
    TeamTexts expected = before;
    for (SlotField field : kPlayerFields)
        std::swap(at(expected, kQB, field), at(expected, kKK, field));
    swap("QB", "KK");
    EXPECT_EQ(teamTexts(), expected);
    EXPECT_EQ(text(kQB, SlotField::depthString), "1st");
    EXPECT_EQ(text(kKK, SlotField::depthString), "2nd");
    EXPECT_EQ(editor.visiblePage(), kSlotToolsPage);
    EXPECT_EQ(windowText(slotTool(IDC_SWAP_FIRST)), "QB");
    EXPECT_EQ(windowText(slotTool(IDC_SWAP_SECOND)), "KK");

    swap("KK", "QB"); // and back
    EXPECT_EQ(teamTexts(), before);
}

TEST_F(SlotTools, SwapMovesTextsCutToTheirBoxes) {
    const std::string forty = "Bartholomew Maximilian Fitzgerald-Jones.";
    setWindowText(box(kQB, SlotField::playerName), forty);
    editor.clickTab(kOffensiveStarters);
    typeText(box(kQB, SlotField::icon), "123");
    typeText(box(kQB, SlotField::strength), "500");
    typeText(box(kQB, SlotField::position), "ZZ");
    editor.clickTab(kSlotToolsPage);
    swap("QB", "KK");
    EXPECT_EQ(text(kKK, SlotField::playerName), forty.substr(0, 29));
    EXPECT_EQ(text(kKK, SlotField::icon), "12");
    EXPECT_EQ(text(kKK, SlotField::strength), "500") << "no range is applied";
    EXPECT_EQ(text(kKK, SlotField::position), "ZZ");
    EXPECT_EQ(text(kQB, SlotField::playerName), "<K name>");
    EXPECT_EQ(text(kQB, SlotField::icon), "4");
}

TEST_F(SlotTools, SwapWithItselfOnlyCutsLongTexts) {
    TeamTexts expected = teamTexts();
    swap("QB", "QB");
    EXPECT_EQ(slotTexts(kQB), expected[kQB]);

    const std::string forty = "Bartholomew Maximilian Fitzgerald-Jones.";
    setWindowText(box(kQB, SlotField::playerName), forty);
    setWindowText(box(kQB, SlotField::icon), "123");
    at(expected, kQB, SlotField::playerName) = forty.substr(0, 29);
    at(expected, kQB, SlotField::icon) = "12";
    swap("QB", "QB");
    EXPECT_EQ(teamTexts(), expected);
}

TEST_F(SlotTools, SwapWithAnUnknownLabelChangesNothing) {
    setWindowText(box(kQB, SlotField::playerName), "Still Here");
    const TeamTexts before = teamTexts();
    const std::pair<const char*, const char*> cases[] = {
        {"QB", "qb"}, {"QB", ""}, {"QB", "Q"}, {"QB", "XYZ"}, {"qb", "KK"}, {"", "KK"}, {"KK", " KK"},
    };
    for (const auto& [first, second] : cases) {
        swap(first, second);
        EXPECT_EQ(slotTexts(kQB), before[kQB]) << '"' << first << "\" and \"" << second << '"';
        EXPECT_EQ(slotTexts(kKK), before[kKK]) << '"' << first << "\" and \"" << second << '"';
    }
    EXPECT_EQ(teamTexts(), before);
}

TEST_F(SlotTools, SwapTakesTheFirstFourCharactersOfTheBox) {
    TeamTexts expected = teamTexts();
    for (SlotField field : kPlayerFields)
        std::swap(at(expected, kQB, field), at(expected, kWR2a, field));
    swap("QB", "WR2ax");
    EXPECT_EQ(teamTexts(), expected);
    EXPECT_EQ(text(kQB, SlotField::playerName), "somebody");
    EXPECT_EQ(text(kWR2a, SlotField::playerName), "<QB name>");
}

TEST_F(SlotTools, EraseGivesTheSlotItsPagesEmptyValues) {
    struct Case {
        SlotIndex slot;
        SlotTexts erased;
    };
    const Case cases[] = {
        {kQB, {"1st", "OFF", "", "OC", "0", "1", "0", "0", "0", "0", "0"}},
        {kLTa, {"2nd", "OFF", "", "OC", "0", "1", "0", "0", "0", "0", "0"}},
        {kSS, {"1st", "DEF", "", "NT", "0", "1", "0", "0", "0", "0", "0"}},
        {kFS1a, {"2nd", "DEF", "", "NT", "0", "1", "0", "0", "0", "0", "0"}},
    };
    TeamTexts expected = teamTexts();
    for (const Case& c : cases) {
        // Values that were typed over the defaults are replaced too.
        setWindowText(box(c.slot, SlotField::depthString), "3rd");
        setWindowText(box(c.slot, SlotField::position), "ZZ");
        setWindowText(box(c.slot, SlotField::speed), "500");
        setWindowText(box(c.slot, SlotField::strength), "");
        erase(std::string(SlotTable[c.slot].label));
        EXPECT_EQ(slotTexts(c.slot), c.erased) << SlotTable[c.slot].label;
        EXPECT_EQ(windowText(slotTool(IDC_ERASE_SLOT)), SlotTable[c.slot].label);
        expected[c.slot] = c.erased;
    }
    EXPECT_EQ(teamTexts(), expected) << "no other slot changes";
}

TEST_F(SlotTools, EraseWithAnUnknownLabelChangesNothing) {
    const TeamTexts before = teamTexts();
    for (const char* label : {"lta", "", "LT a", "S"}) {
        erase(label);
        EXPECT_EQ(slotTexts(kLTa), before[kLTa]) << '"' << label << '"';
    }
    EXPECT_EQ(teamTexts(), before);
}

using NewTeam = EditorTest;

TEST_F(NewTeam, RestoresEverySlotAfterEdits) {
    typeText(box(0, SlotField::playerName), "Edited Name");
    typeText(box(1, SlotField::depthString), "3rd");
    typeText(box(2, SlotField::position), "ZZ");
    typeText(box(3, SlotField::speed), "500");
    clearText(box(4, SlotField::strength));
    clickSpinner(spinner(5, SlotField::speed), true);
    editor.clickTab(kSlotToolsPage);
    typeText(slotTool(IDC_SWAP_SECOND), "FS1a");
    clickButton(slotTool(IDC_SWAP));
    typeText(slotTool(IDC_ERASE_SLOT), "SS");
    clickButton(slotTool(IDC_ERASE));
    ASSERT_NE(teamTexts()[0], tableTexts(0));

    ASSERT_TRUE(runDroppingEdits(editor, IDM_NEW));
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(slotTexts(slot), tableTexts(slot)) << SlotTable[slot].label;
    EXPECT_FALSE(editor.saveEnabled());
    EXPECT_EQ(editor.visiblePage(), kSlotToolsPage);
    EXPECT_EQ(windowText(slotTool(IDC_SWAP_SECOND)), "FS1a");
    EXPECT_EQ(windowText(slotTool(IDC_ERASE_SLOT)), "SS");

    // The spinners step from the restored values again.
    editor.clickTab(kOffensiveStarters);
    clickSpinner(spinner(3, SlotField::speed), true);
    clickSpinner(spinner(4, SlotField::strength), true);
    EXPECT_EQ(text(3, SlotField::speed), "75");
    EXPECT_EQ(text(4, SlotField::strength), "41");

    ASSERT_TRUE(runDroppingEdits(editor, IDM_NEW));
    editor.command(IDM_NEW);
    ASSERT_TRUE(settle(editor.mainWindow()));
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(slotTexts(slot), tableTexts(slot)) << SlotTable[slot].label;
}

} // namespace
