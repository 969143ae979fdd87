#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "teamfile/encoder.h"
#include "tests/core/spinner_model.h"
#include "tests/support/test_team.h"
#include "tools/total_points.h"

namespace {

constexpr SlotIndex kQB = 0, kKK = 11, kLTa = 14, kSS = 22;

std::vector<std::string> slotTexts(const TeamDocument& doc, SlotIndex slot) {
    std::vector<std::string> texts;
    for (SlotField field : kAllSlotFields)
        texts.push_back(fieldText(doc, slot, field));
    return texts;
}

void clickSpeed(TeamInMemory& team, SlotIndex slot, int delta) {
    clickModelSpinner(team.storage, team.doc, slot, SlotField::speed, delta);
}

} // namespace

TEST(SlotTable, LabelsAreUniqueAndPagesFollowTheIndex) {
    std::set<std::string_view> labels;
    std::array<int, kRosterPageCount> rowsSeen{};
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        labels.insert(SlotTable[slot].label);
        // The table's own String and Side columns name the page; its rows fill each page in order.
        const PageIndex page =
            (SlotTable[slot].side == "DEF" ? 2 : 0) + (SlotTable[slot].depthString == "2nd");
        const int row = rowsSeen[page]++;
        EXPECT_EQ(slotPage(slot), page) << SlotTable[slot].label;
        EXPECT_EQ(slotRow(slot), row) << SlotTable[slot].label;
        EXPECT_EQ(slotAt(page, row), slot) << SlotTable[slot].label;
        EXPECT_EQ(slotByLabel(SlotTable[slot].label), slot);
        const bool filler = SlotTable[slot].placeholderName == "somebody";
        EXPECT_EQ(SlotTable[slot].speed, filler ? 0 : 50) << SlotTable[slot].label;
        EXPECT_EQ(SlotTable[slot].depthString, slotPage(slot) % 2 == 0 ? "1st" : "2nd");
        EXPECT_EQ(SlotTable[slot].side, slotPage(slot) < 2 ? "OFF" : "DEF");
    }
    EXPECT_EQ(labels.size(), 44u);
    EXPECT_EQ(controlId(0, 0), 100);
    EXPECT_EQ(controlId(43, 17), 891);
    EXPECT_EQ(controlId(11, 0), 298);
    EXPECT_EQ(fieldControlOffset(SlotField::position), 3);
    EXPECT_EQ(fieldControlOffset(SlotField::number), 4);
    EXPECT_EQ(fieldControlOffset(SlotField::discipline), 16);
}

TEST(SlotOperations, FindSlotByLabelComparesTheFirstFourCharactersExactly) {
    struct Case {
        const char* text;
        std::optional<SlotIndex> slot;
    };
    const Case cases[] = {
        {"QB", 0},          {"WR2a", 21},          {"WR2ax", 21}, {"WR2", 10}, {"qb", std::nullopt},
        {"", std::nullopt}, {"QB ", std::nullopt}, {"FS1a", 43}};
    for (const Case& c : cases)
        EXPECT_EQ(slotOfBoxText(c.text), c.slot) << '"' << c.text << '"';
}

TEST(SlotOperations, SwapMovesThePlayerButNotStringAndSide) {
    TeamInMemory team;
    std::vector<std::string> qb = slotTexts(team.doc, kQB), kk = slotTexts(team.doc, kKK);
    swapSlots(team.doc, kQB, kKK);
    std::vector<std::string> newQb = slotTexts(team.doc, kQB), newKk = slotTexts(team.doc, kKK);
    EXPECT_EQ(newQb[0], "1st");
    EXPECT_EQ(newQb[1], "OFF");
    EXPECT_EQ(newKk[0], "2nd");
    EXPECT_EQ(newKk[1], "OFF");
    EXPECT_EQ(std::vector<std::string>(newQb.begin() + 2, newQb.end()),
              std::vector<std::string>(kk.begin() + 2, kk.end()));
    EXPECT_EQ(std::vector<std::string>(newKk.begin() + 2, newKk.end()),
              std::vector<std::string>(qb.begin() + 2, qb.end()));
}

TEST(SlotOperations, SwapCutsTextsToTheirBoxLengths) {
    TeamInMemory team;
    setFieldText(team.doc, kQB, SlotField::playerName, std::string(35, 'L'));
    setFieldText(team.doc, kQB, SlotField::icon, "123");
    setFieldText(team.doc, kQB, SlotField::position, "QBX");
    setFieldText(team.doc, kQB, SlotField::strength, "5000");
    swapSlots(team.doc, kQB, kSS);
    EXPECT_EQ(fieldText(team.doc, kSS, SlotField::playerName), std::string(29, 'L'));
    EXPECT_EQ(fieldText(team.doc, kSS, SlotField::icon), "12");
    EXPECT_EQ(fieldText(team.doc, kSS, SlotField::position), "QB");
    EXPECT_EQ(fieldText(team.doc, kSS, SlotField::strength), "500");

    // A slot swapped with itself only has its texts cut.
    setFieldText(team.doc, kKK, SlotField::playerName, std::string(31, 'S'));
    std::vector<std::string> before = slotTexts(team.doc, kKK);
    swapSlots(team.doc, kKK, kKK);
    before[static_cast<int>(SlotField::playerName)].resize(29);
    EXPECT_EQ(slotTexts(team.doc, kKK), before);
}

TEST(SlotOperations, EraseGivesThePagesValuesAndClearsThePlayer) {
    struct Case {
        SlotIndex slot;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {kLTa, {"2nd", "OFF", "", "OC", "0", "1", "0", "0", "0", "0", "0"}},
        {kSS, {"1st", "DEF", "", "NT", "0", "1", "0", "0", "0", "0", "0"}},
        {kQB, {"1st", "OFF", "", "OC", "0", "1", "0", "0", "0", "0", "0"}},
        {40, {"2nd", "DEF", "", "NT", "0", "1", "0", "0", "0", "0", "0"}},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, c.slot, SlotField::depthString, "3rd");
        eraseSlot(team.doc, c.slot);
        EXPECT_EQ(slotTexts(team.doc, c.slot), c.expected) << SlotTable[c.slot].label;
        EXPECT_EQ(settleSpinnerPosition(team.doc, c.slot, SlotField::icon), 1);
    }
}

TEST(SlotOperations, NewTeamPutsEverythingBack) {
    TeamInMemory fresh;
    TeamInMemory team;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            setFieldText(team.doc, slot, field, "500");
    team.doc.colors[stripeColor] = 0x123456;
    team.doc.currentPath = "team.fbt";
    resetToNewTeam(team.doc);
    resetToNewTeam(team.doc);
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(slotTexts(team.doc, slot), slotTexts(fresh.doc, slot)) << SlotTable[slot].label;
    EXPECT_EQ(team.doc.colors, kDefaultTeamColors);
    EXPECT_TRUE(team.doc.currentPath.empty());
}

TEST(SlotOperations, AClonedTeamIsEditedApartFromItsOriginal) {
    TeamInMemory original;
    setFieldText(original.doc, kQB, SlotField::playerName, "Original");
    original.doc.colors[stripeColor] = 0x010203;
    original.doc.currentPath = "team.fbt";
    TeamInMemory clone = original.clone();
    EXPECT_EQ(encodeTeam(clone.doc), encodeTeam(original.doc));
    EXPECT_EQ(clone.doc.currentPath, original.doc.currentPath);

    setFieldText(clone.doc, kQB, SlotField::playerName, "Clone");
    setSpinnerValue(clone.doc, kQB, SlotField::speed, 100);
    clone.doc.colors[stripeColor] = 0x040506;
    EXPECT_EQ(fieldText(original.doc, kQB, SlotField::playerName), "Original");
    EXPECT_EQ(fieldText(original.doc, kQB, SlotField::speed), "50");
    EXPECT_EQ(original.doc.colors[stripeColor], 0x010203u);
}

TEST(SlotOperations, SpeedClicksMoveBy25AndWrap) {
    struct Case {
        const char* start;
        std::vector<int> deltas;
        std::vector<const char*> shown;
    };
    const Case cases[] = {
        {"50", {+1, +1}, {"75", "100"}},
        {"50", {-1}, {"25"}},
        {"125", {+1, +1}, {"150", "0"}},
        {"0", {-1}, {"150"}},
        {"130", {+1}, {"0"}},
        {"130", {-1}, {"105"}},
        {"60", {+1}, {"85"}},
        {"", {+1}, {"75"}}, // an emptied box steps from its last valid position, 50
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, kQB, SlotField::speed, c.start);
        for (std::size_t i = 0; i < c.deltas.size(); ++i) {
            clickSpeed(team, kQB, c.deltas[i]);
            EXPECT_EQ(fieldText(team.doc, kQB, SlotField::speed), c.shown[i])
                << "from " << c.start << " step " << i;
        }
    }
}

TEST(SlotOperations, OtherSpinnersStepByOneFromTheirLastValidPosition) {
    struct Case {
        SlotField field;
        const char* typed;
        int delta;
        const char* shown;
    };
    const Case cases[] = {
        {SlotField::icon, "14", +1, "1"},     {SlotField::number, "0", -1, "99"},
        {SlotField::strength, "", +1, "41"},  {SlotField::strength, "500", -1, "39"},
        {SlotField::agility, "100", +1, "0"}, {SlotField::number, "7", +1, "8"},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, kQB, c.field, c.typed);
        clickModelSpinner(team.storage, team.doc, kQB, c.field, c.delta);
        EXPECT_EQ(fieldText(team.doc, kQB, c.field), c.shown) << "'" << c.typed << "' " << c.delta;
    }
}

TEST(TotalPoints, AddsTheSpinnerPositionsOfTheFiveRatings) {
    TeamInMemory team;
    EXPECT_EQ(settlePositionsAndTotalPoints(team.doc), 4500);
    clickSpeed(team, kQB, +1);
    EXPECT_EQ(settlePositionsAndTotalPoints(team.doc), 4525);
    setFieldText(team.doc, kQB, SlotField::strength, "150");
    setFieldText(team.doc, kKK, SlotField::agility, "");
    EXPECT_EQ(settlePositionsAndTotalPoints(team.doc), 4525);
    setFieldText(team.doc, kQB, SlotField::strength, "41");
    EXPECT_EQ(settlePositionsAndTotalPoints(team.doc), 4526);
    setFieldText(team.doc, kQB, SlotField::number, "99");
    EXPECT_EQ(settlePositionsAndTotalPoints(team.doc), 4526);
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        eraseSlot(team.doc, slot);
    EXPECT_EQ(settlePositionsAndTotalPoints(team.doc), 0);
}
