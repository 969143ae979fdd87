// The teams the tests work on: a new team held in memory, and teams made of values that a team file
// keeps exactly.
#pragma once

#include <random>
#include <span>
#include <string>
#include <string_view>

#include "roster/slot_operations.h"
#include "teamfile/layout.h"

// A new team held in memory.
struct TestTeam {
    TestTeam() { resetToNewTeam(doc); }
    MemoryFieldStorage storage;
    TeamDocument doc{storage};
};

// A team whose every field holds an offered value, a name of 0..29 non-zero bytes, a number within
// its range, a speed that is a multiple of 25, and any colours: the teams a file can hold exactly.
inline void makeRandomTeam(TeamDocument& doc, std::mt19937& random) {
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        for (SlotField field : {SlotField::depthString, SlotField::side, SlotField::position}) {
            std::span<const std::string_view> items = listItems(field);
            selectListValue(doc, slot, field, items[below(static_cast<int>(items.size()))]);
        }
        std::string name(below(30), ' ');
        for (char& c : name)
            c = static_cast<char>(1 + below(255));
        setFieldText(doc, slot, SlotField::playerName, name);
        for (SlotField field : {SlotField::number, SlotField::icon, SlotField::strength, SlotField::agility,
                                SlotField::intelligence, SlotField::discipline}) {
            SpinnerRange range = spinnerRange(field);
            setSpinnerValue(doc, slot, field, range.lower + below(range.upper - range.lower + 1));
        }
        setSpinnerValue(doc, slot, SlotField::speed,
                        layout::kSpeedPerStep * below(layout::kMaxSpeedStep + 1));
    }
    for (ColorRef& color : doc.colors)
        color = random() & 0xFFFFFF;
}
