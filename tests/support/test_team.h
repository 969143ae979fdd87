// The teams the tests work on: a new team held in memory, and teams made of values that a team file
// keeps exactly.
#pragma once

#include <algorithm>
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

// The item shift places after item in the field's list, round to its start.
inline std::string_view otherItem(SlotField field, std::string_view item, int shift) {
    const auto items = listItems(field);
    const auto at = std::find(items.begin(), items.end(), item);
    return items[(static_cast<std::size_t>(at - items.begin()) + shift) % items.size()];
}

// Gives every slot and colour of the document a value other than the new team's, each one a value
// that a team file keeps exactly (offered list items, names of at most 29 characters, numbers in
// range, speeds in steps of 25).
inline void makeVariedTeam(TeamDocument& doc) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        const SlotDefinition& row = SlotTable[slot];
        selectListValue(doc, slot, SlotField::depthString,
                        otherItem(SlotField::depthString, row.depthString, 1));
        selectListValue(doc, slot, SlotField::side, otherItem(SlotField::side, row.side, 1));
        std::string name = "Varied Player ";
        name += std::to_string(slot);
        setFieldText(doc, slot, SlotField::playerName, name);
        selectListValue(doc, slot, SlotField::position,
                        otherItem(SlotField::position, row.position, 5 + slot % 7));
        setSpinnerValue(doc, slot, SlotField::number, (row.number + 17) % 100);
        setSpinnerValue(doc, slot, SlotField::icon, row.icon % 14 + 1);
        setSpinnerValue(doc, slot, SlotField::speed, (row.speed + 75) % 175);
        setSpinnerValue(doc, slot, SlotField::strength, (row.strength + 33) % 101);
        setSpinnerValue(doc, slot, SlotField::agility, (row.agility + 7 + slot) % 101);
        setSpinnerValue(doc, slot, SlotField::intelligence, (row.intelligence + 61) % 101);
        setSpinnerValue(doc, slot, SlotField::discipline, (row.discipline + 89) % 101);
    }
    doc.colors = {makeColor(16, 32, 48), makeColor(64, 80, 96), makeColor(112, 128, 144),
                  makeColor(160, 176, 192), makeColor(208, 224, 240)};
}
