// The roster pages' resource script names every slot's label, placeholder name and start values a
// second time (the boxes show them from the start); this keeps it in step with the slot table.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "roster/slot_table.h"

TEST(RosterResource, RowsMatchTheSlotTable) {
    std::ifstream in(SQUADWRIGHT_ROSTER_PAGES_RC);
    ASSERT_TRUE(in) << "cannot read " << SQUADWRIGHT_ROSTER_PAGES_RC;
    std::stringstream script;
    script << in.rdbuf();
    const std::string text = script.str();

    const std::regex row(
        R"re(ROSTER_ROW\((\d+), "([^"]*)", "([^"]*)", (NARROW|WIDE), "(\d+)", "(\d+)", (STARTER|FILLER)\))re");
    const std::regex ratings(
        R"re(define (STARTER|FILLER)_RATINGS\(row\) RATINGS\(row, "(\d+)", "(\d+)", "(\d+)", "(\d+)", "(\d+)"\))re");
    std::map<std::string, std::array<int, kRatingFields.size()>> ratingsByKind;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), ratings);
         match != std::sregex_iterator(); ++match)
        for (std::size_t i = 0; i < kRatingFields.size(); ++i)
            ratingsByKind[(*match)[1]][i] = std::stoi((*match)[2 + i]);
    ASSERT_EQ(ratingsByKind.size(), 2u);
    SlotIndex slot = 0;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), row); match != std::sregex_iterator();
         ++match, ++slot) {
        ASSERT_LT(slot, kSlotCount);
        const SlotDefinition& definition = SlotTable[slot];
        EXPECT_EQ(std::stoi((*match)[1]), slotRow(slot)) << definition.label;
        EXPECT_EQ((*match)[2].str(), definition.label);
        EXPECT_EQ((*match)[3].str(), definition.placeholderName) << definition.label;
        const bool wide = definition.label.size() == 4 || definition.label == "FS1";
        EXPECT_EQ((*match)[4].str(), wide ? "WIDE" : "NARROW") << definition.label;
        EXPECT_EQ(std::stoi((*match)[5]), definition.number) << definition.label;
        EXPECT_EQ(std::stoi((*match)[6]), definition.icon) << definition.label;
        const auto& shownRatings = ratingsByKind[(*match)[7]];
        for (std::size_t i = 0; i < kRatingFields.size(); ++i)
            EXPECT_EQ(shownRatings[i], defaultSpinnerValue(slot, kRatingFields[i]))
                << definition.label << " rating " << i;
    }
    EXPECT_EQ(slot, kSlotCount);
}
