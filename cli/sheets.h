// The team's CSV and JSON shapes (described in cli/README.md): written by export, read by import.
// A league sheet holds many teams, each under the team file it belongs to.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/team_input.h"

inline constexpr std::string_view kJsonFormatName = "squadwright-team";
inline constexpr std::string_view kLeagueFormatName = "squadwright-league";
inline constexpr int kJsonFormatVersion = 1;
// The caption of a league sheet's first column, and its JSON name.
inline constexpr std::string_view kFileCaption = "File";
inline constexpr std::string_view kFileKey = "file";

// The header row of the column captions (after a "File" column when league), records ending with
// CRLF.
void writeCsvHeader(std::ostream& out, bool league);
// One row per slot in SlotIndex order, then one row per colour (its name, and #RRGGBB under
// "String"); each row after the file's cell when file is given.
void writeTeamCsvRows(const TeamDocument& doc, std::ostream& out, const std::string* file = nullptr);

// {"format": "squadwright-team", "version": 1, "colors": {...}, "slots": [...]}
void writeTeamJson(const TeamDocument& doc, std::ostream& out);
// A league: {"format": "squadwright-league", "version": 1, "teams": [{"file": ..., "colors": ...,
// "slots": ...}, ...]}, written one team at a time between its start and its end.
void writeLeagueJsonStart(std::ostream& out);
void writeLeagueJsonTeam(const std::string& file, const TeamDocument& doc, bool first, std::ostream& out);
void writeLeagueJsonEnd(std::ostream& out);

// source names the input in messages ("team.csv:4:17: ...", "team.json: /slots/3/icon: ..."). The
// sheet is read from in as a stream.
TeamInputResult parseTeamCsv(std::istream& in, const std::string& source);
TeamInputResult parseTeamJson(std::istream& in, const std::string& source);

struct LeagueTeamInput {
    std::string file; // as the sheet names it (UTF-8)
    InputPlace place; // where the sheet first names it
    TeamInput input;
};
struct LeagueInputResult {
    bool ok = true;
    std::vector<LeagueTeamInput> teams; // in the order the sheet first names them
    std::string error;
};
LeagueInputResult parseLeagueCsv(std::istream& in, const std::string& source);
LeagueInputResult parseLeagueJson(std::istream& in, const std::string& source);

// A league sheet names at most this many team files: every team's input is held until the sheet
// has been read, since a team's rows may stand anywhere in it.
inline constexpr std::size_t kMostLeagueTeams = 100000;
// Why the text of a league's "File" (the teams-th file that the sheet names) can name no team file,
// or nothing: a control character in it (a zero byte among them, which would end the name early),
// or one file too many.
std::string leagueFileProblem(std::string_view file, std::size_t teams);
