#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/team_formats.h"
#include "cli/team_text.h"
#include "teamfile/encoder.h"
#include "teamfile/reader.h"

// The team that a text in one of the tool's shapes makes, as import saves it; the parse result
// tells why there is none.
struct Imported {
    TeamInputResult parsed;
    TeamFileBytes bytes{};
};

inline Imported importText(const std::string& text, bool json, const std::string& source = "team") {
    Imported imported{json ? parseTeamJson(text, source) : parseTeamCsv(text, source)};
    if (imported.parsed.ok) {
        TeamInMemory team;
        applyTeamInput(team.doc, imported.parsed.input);
        imported.bytes = encodeTeam(team.doc);
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

inline std::size_t recordOf(SlotIndex slot) {
    for (std::size_t r = 0; r < layout::kRecordCount; ++r)
        if (layout::recordSlot(r) == slot)
            return r;
    return layout::kRecordCount;
}

inline std::size_t fieldOffset(SlotIndex slot, std::size_t offsetInRecord) {
    return layout::recordOffset(recordOf(slot)) + offsetInRecord;
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
