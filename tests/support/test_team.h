// The teams the tests work on: teams drawn at random from the values a team file keeps exactly or
// from the texts the editor's boxes can hold, and one fixed team unlike the new team.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>

#include "roster/slot_operations.h"
#include "teamfile/layout.h"

// Draws teams at random; the same seed draws the same teams.
class TeamMaker {
  public:
    explicit TeamMaker(std::uint32_t seed) : random_(seed) {}

    // Every field holds an offered value, a name of 0..29 non-zero bytes, a number within its range,
    // a speed that is a multiple of 25, and any colours: the teams a file can hold exactly.
    void exactTeam(TeamDocument& doc) {
        for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
            for (SlotField field : {SlotField::depthString, SlotField::side, SlotField::position}) {
                std::span<const std::string_view> items = listItems(field);
                selectListValue(doc, slot, field, items[below(static_cast<int>(items.size()))]);
            }
            setFieldText(doc, slot, SlotField::playerName, letters(below(30), 1, 255));
            for (SlotField field : {SlotField::number, SlotField::icon, SlotField::strength,
                                    SlotField::agility, SlotField::intelligence, SlotField::discipline}) {
                SpinnerRange range = spinnerRange(field);
                setSpinnerValue(doc, slot, field, range.lower + below(range.upper - range.lower + 1));
            }
            setSpinnerValue(doc, slot, SlotField::speed,
                            layout::kSpeedPerStep * below(layout::kMaxSpeedStep + 1));
        }
        for (ColorRef& color : doc.colors)
            color = random_() & 0xFFFFFF;
    }

    // Texts that the editor's boxes can hold: picked or typed list texts, names of any characters but
    // the zero byte (up to 35 of them, longer than the box takes, as other operations can set), digits
    // as typed into a numeric box (at most three), and any colours.
    void typedTeam(TeamDocument& doc) {
        for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
            for (SlotField field : kAllSlotFields)
                setFieldText(doc, slot, field, typedText(field));
        for (ColorRef& color : doc.colors)
            color = below(0x1000000);
    }

  private:
    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string letters(std::size_t count, int lowest, int highest) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += static_cast<char>(lowest + below(highest - lowest + 1));
        return text;
    }

    std::string typedText(SlotField field) {
        if (field == SlotField::playerName)
            return letters(below(36), 1, 255);
        if (isListField(field))
            return listText(field);
        // The icon byte 0 reads back as 1, so icon texts of value 0 make files that cannot come back
        // byte for byte; that case has a test of its own.
        std::string digits;
        do
            digits = letters(below(4), '0', '9');
        while (field == SlotField::icon && numericValue(digits) == 0);
        return digits;
    }

    std::string listText(SlotField field) {
        const std::span<const std::string_view> items = listItems(field);
        std::string item(items[below(static_cast<int>(items.size()))]);
        switch (below(5)) {
        case 0: return item;
        case 1:
            for (char& c : item)
                c = below(2) ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
            return item;
        case 2: return item + letters(1 + below(3), ' ', '~');
        case 3: return letters(below(4), ' ', '~');
        default: return "";
        }
    }

    std::mt19937 random_;
};

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
