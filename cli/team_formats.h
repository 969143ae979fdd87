// The team's CSV and JSON shapes (described in cli/README.md): written by export, read by import.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/team_input.h"

// The header row of the column captions, one row per slot in SlotIndex order, then one row per
// colour (its name and #RRGGBB, the other cells empty); records end with CRLF.
void writeTeamCsv(const TeamDocument& doc, std::ostream& out);
// {"format": "squadwright-team", "version": 1, "colors": {...}, "slots": [...]}
void writeTeamJson(const TeamDocument& doc, std::ostream& out);

// source names the input in messages ("team.csv:4:17: ...", "team.json: /slots/3/icon: ...").
TeamInputResult parseTeamCsv(std::string_view text, const std::string& source);
TeamInputResult parseTeamJson(std::string_view text, const std::string& source);

inline constexpr std::string_view kJsonFormatName = "squadwright-team";
inline constexpr int kJsonFormatVersion = 1;
