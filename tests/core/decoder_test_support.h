// What a decoded team looks like from outside: every field's text, the spinner positions and the
// colours, with a readable account of the first difference between two of them.
#pragma once

#include <array>
#include <cstdint>
#include <sstream>
#include <string>

#include "roster/team_document.h"
#include "teamfile/reader.h"

struct TeamState {
    std::array<std::array<std::string, kSlotFieldCount>, kSlotCount> texts;
    std::array<std::array<int, kSpinnerFieldCount>, kSlotCount> spinnerPositions;
    TeamColors colors;

    bool operator==(const TeamState&) const = default;
};

inline TeamState teamState(const TeamDocument& doc) {
    TeamState state;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            state.texts[slot][static_cast<int>(field)] = fieldText(doc, slot, field);
    state.spinnerPositions = doc.spinnerPositions;
    state.colors = doc.colors;
    return state;
}

// Gives every field and colour something that no decoded file holds.
inline void scrambleTeam(TeamDocument& doc) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            setFieldText(doc, slot, field, "junk");
    for (auto& positions : doc.spinnerPositions)
        positions.fill(-1);
    doc.colors.fill(0x123456);
}

// Empty when the states are equal.
inline std::string firstDifference(const TeamState& a, const TeamState& b) {
    std::ostringstream out;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        for (int field = 0; field < kSlotFieldCount; ++field)
            if (a.texts[slot][field] != b.texts[slot][field]) {
                out << "slot " << slot << " field " << field << ": '" << a.texts[slot][field] << "' vs '"
                    << b.texts[slot][field] << "'";
                return out.str();
            }
        for (int spinner = 0; spinner < kSpinnerFieldCount; ++spinner)
            if (a.spinnerPositions[slot][spinner] != b.spinnerPositions[slot][spinner]) {
                out << "slot " << slot << " spinner " << spinner << ": " << a.spinnerPositions[slot][spinner]
                    << " vs " << b.spinnerPositions[slot][spinner];
                return out.str();
            }
    }
    for (int color = 0; color < kTeamColorCount; ++color)
        if (a.colors[color] != b.colors[color]) {
            out << "colour " << color << ": " << std::hex << a.colors[color] << " vs " << b.colors[color];
            return out.str();
        }
    return {};
}

// Opens a team file as the editor's File > Open does: what the path names is examined, the file is
// read and its bytes are decoded into doc; a refused or unreadable file changes nothing.
inline FileResult openTeamFileInto(TeamDocument& doc, const std::filesystem::path& path,
                                   FileStatus& examined) {
    if (FileResult refused = examineTeamFile(path, examined); !refused.ok)
        return refused;
    const TeamFileRead file = readTeamFile(path);
    if (file.result.ok)
        decodeTeam(doc, file.delivered());
    return file.result;
}
