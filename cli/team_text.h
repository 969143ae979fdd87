// The team as text: the names of fields and colours in the tool's CSV and JSON, colours as
// #RRGGBB, the readable table of show and the differences of diff.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "roster/slot_operations.h"

// The roster pages' column caption of a field ("String", "Player Name", "#", ...).
std::string_view fieldCaption(SlotField field);
// The field's key in the JSON shape ("depthString", "playerName", "number", ...).
std::string_view fieldKey(SlotField field);
// The colour's key in the JSON shape ("jersey", "helmet", "stripe", "homePants", "awayPants").
std::string_view colorKey(TeamColorEntry entry);

// The text between double quotes, for messages.
std::string inQuotes(std::string_view text);

std::string colorText(ColorRef color); // #RRGGBB
std::optional<ColorRef> parseColorText(std::string_view text);

// The roster page by page under the pages' column captions, then the five colours.
void writeTeamTable(const TeamDocument& doc, std::ostream& out);

// A field or colour in which two teams differ, with its text in each (#RRGGBB for a colour).
struct TeamDifference {
    SlotIndex slot = -1; // -1 for a colour
    SlotField field = SlotField::depthString;
    TeamColorEntry color = jerseyColor;
    std::string before;
    std::string after;
};
// Every field and colour in which the teams differ, slots in SlotIndex order, then the colours.
std::vector<TeamDifference> teamDifferences(const TeamDocument& a, const TeamDocument& b);
// "WR1: Player Name: "<WR-1 name>" -> "Ann Lee"", "Stripe: #DADBDB -> #010203".
std::string differenceLine(const TeamDifference& difference);
