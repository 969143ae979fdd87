// The names of a team's fields and colours in the tool's CSV and JSON.
#pragma once

#include <string_view>

#include "roster/slot_table.h"
#include "roster/team_document.h"

// The roster pages' column caption of a field ("String", "Player Name", "#", ...).
std::string_view fieldCaption(SlotField field);
// The field's key in the JSON shape ("depthString", "playerName", "number", ...).
std::string_view fieldKey(SlotField field);
// The colour's key in the JSON shape ("jersey", "helmet", "stripe", "homePants", "awayPants").
std::string_view colorKey(TeamColorEntry entry);
