// A team read from CSV or JSON, before it becomes a team file: the texts to put into the slots'
// boxes and the colours to pick. Import types every given text into its box, as a person would in
// the editor, and saves through the encoder, so the clamps, mappings and page defaults of saving
// apply exactly as they do there.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "teamfile/encoder.h"

struct FieldInput {
    SlotIndex slot;
    SlotField field;
    std::string text;  // single-byte text, as the box would hold it
    std::string where; // the place in the input, for messages
};

struct ColorInput {
    TeamColorEntry entry;
    ColorRef color;
};

struct TeamInput {
    std::vector<FieldInput> fields;
    std::vector<ColorInput> colors;
    std::array<bool, kSlotCount> slotGiven{};
};

struct TeamInputResult {
    bool ok = true;
    TeamInput input;
    std::string error; // "where: problem" when not ok
};

TeamInputResult inputError(const std::string& where, const std::string& problem);

struct BoxText {
    bool ok = true;
    std::string text;    // single-byte text when ok
    std::string problem; // why the text cannot go into the box otherwise
};
// Given UTF-8 text for a field, the single-byte text its box holds. A numeric box takes digits only
// and may be empty; the other boxes take any text that the team file's code page can hold.
BoxText boxText(SlotField field, std::string_view utf8);

// Puts each given text into its box (setFieldText) and sets the given colours.
void applyTeamInput(TeamDocument& doc, const TeamInput& input);

// What the person importing may not expect: the slots that the input leaves out (they keep the new
// team's values), and each given text that the saved file reads back as something else (a clamped
// number, a list text saved as its page default, a name cut to 29 characters).
std::vector<std::string> importWarnings(const TeamInput& input, const TeamFileBytes& saved,
                                        const std::string& source);
