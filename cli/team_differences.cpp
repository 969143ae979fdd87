#include "cli/team_differences.h"

#include "cli/color_hex.h"
#include "cli/quoting.h"
#include "cli/team_names.h"

std::vector<TeamDifference> teamDifferences(const TeamDocument& a, const TeamDocument& b) {
    std::vector<TeamDifference> differences;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        for (SlotField field : kAllSlotFields) {
            std::string before = fieldText(a, slot, field);
            std::string after = fieldText(b, slot, field);
            if (before != after)
                differences.push_back({slot, field, jerseyColor, std::move(before), std::move(after)});
        }
    }
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        if (a.colors[entry] != b.colors[entry])
            differences.push_back({-1, SlotField::depthString, static_cast<TeamColorEntry>(entry),
                                   colorText(a.colors[entry]), colorText(b.colors[entry])});
    return differences;
}

std::string differenceLine(const TeamDifference& difference) {
    if (difference.slot < 0)
        return std::string(kTeamColorNames[difference.color]) + ": " + difference.before + " -> " +
               difference.after;
    const std::string quote = difference.field == SlotField::playerName ? "\"" : "";
    return std::string(SlotTable[difference.slot].label) + ": " +
           std::string(fieldCaption(difference.field)) + ": " + quote + displayText(difference.before) +
           quote + " -> " + quote + displayText(difference.after) + quote;
}
