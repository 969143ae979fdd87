#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/quoting.h"
#include "cli/run_cli.h"
#include "cli/sheets.h"
#include "cli/team_names.h"
#include "roster/slot_operations.h"
#include "teamfile/decoder.h"
#include "teamfile/encoder.h"
#include "tests/support/team_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"

// What a command run in the process returned and wrote, with input as its standard input.
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome runCommand(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, in, out, err);
    return {status, out.str(), err.str()};
}

inline void putText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string textOf(const std::string& path) {
    const std::vector<std::uint8_t> bytes = readFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

// The team that a text in one of the tool's shapes makes, as import saves it (a new team, as import
// without --into); the parse result tells why there is none.
struct Imported {
    TeamInputResult parsed;
    TeamFileBytes bytes{};
    std::vector<std::string> warnings;
};

// A team's sheet read from its text.
inline TeamInputResult parsedTeam(const std::string& text, bool json, const std::string& source = "team") {
    std::istringstream sheet(text);
    return json ? parseTeamJson(sheet, source) : parseTeamCsv(sheet, source);
}

inline Imported importText(const std::string& text, bool json, const std::string& source = "team") {
    Imported imported{parsedTeam(text, json, source), {}, {}};
    if (imported.parsed.ok) {
        BuiltTeam built = buildTeam(imported.parsed.input, nullptr, source, {});
        imported.bytes = built.bytes;
        imported.warnings = std::move(built.warnings);
    }
    return imported;
}

// What export writes for the team in a file's bytes, read as the editor reads it.
inline std::string exportText(const TeamFileBytes& bytes, bool json) {
    TeamInMemory team;
    decodeTeam(team.doc, bytes);
    std::ostringstream out;
    if (json) {
        writeTeamJson(team.doc, out);
    } else {
        writeCsvHeader(out, false);
        writeTeamCsvRows(team.doc, out);
    }
    return out.str();
}

inline SlotIndex slotNamed(std::string_view label) {
    return *slotByLabel(label);
}

inline TeamFileBytes newTeamBytes() {
    TeamInMemory team;
    return encodeTeam(team.doc);
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
