// The roster pages' resource script names every slot's label and placeholder name a second time;
// this keeps it in step with the slot table.
#include <gtest/gtest.h>

#include <fstream>
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

    const std::regex row(R"re(ROSTER_ROW\((\d+), "([^"]*)", "([^"]*)", (NARROW|WIDE)\))re");
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
    }
    EXPECT_EQ(slot, kSlotCount);
}
