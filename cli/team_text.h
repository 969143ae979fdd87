// The team as text for people to read: the table of show and the differences of diff.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "roster/slot_operations.h"

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
