// How two teams differ, field by field and colour by colour: what diff reports and import counts.
#pragma once

#include <string>
#include <vector>

#include "roster/slot_operations.h"

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
