#include "cli/team_input.h"

#include <algorithm>

#include "cli/ansi_text.h"
#include "cli/team_text.h"
#include "teamfile/reader.h"

namespace {

// Whether the text that the saved file reads back as says what the given text said.
bool readsBackAsGiven(SlotField field, const std::string& given, const std::string& readBack) {
    if (isListField(field))
        return equalsIgnoringCase(given, readBack);
    if (isSpinnerField(field))
        return numericValue(given) == numericValue(readBack);
    return given == readBack;
}

} // namespace

TeamInputResult inputError(const std::string& where, const std::string& problem) {
    return {false, {}, where + ": " + problem};
}

BoxText boxText(SlotField field, std::string_view utf8) {
    if (isSpinnerField(field)) {
        const bool digits =
            std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits)
            return {false,
                    {},
                    std::string(fieldCaption(field)) + " \"" + std::string(utf8) +
                        "\" is not a number: the box takes digits only"};
        return {true, std::string(utf8), {}};
    }
    AnsiConversion ansi = utf8ToAnsi(utf8);
    if (!ansi.ok)
        return {false, {}, std::string(fieldCaption(field)) + ": " + ansi.problem};
    return {true, std::move(ansi.text), {}};
}

void applyTeamInput(TeamDocument& doc, const TeamInput& input) {
    for (const FieldInput& given : input.fields)
        setFieldText(doc, given.slot, given.field, given.text);
    for (const ColorInput& color : input.colors)
        doc.colors[color.entry] = color.color;
}

std::vector<std::string> importWarnings(const TeamInput& input, const TeamFileBytes& saved,
                                        const std::string& source) {
    std::vector<std::string> warnings;
    std::string missing;
    int missingCount = 0;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        if (input.slotGiven[slot])
            continue;
        missing += (missingCount++ == 0 ? "" : ", ") + std::string(SlotTable[slot].label);
    }
    if (missingCount == 1)
        warnings.push_back(source + ": 1 slot is not in the input and keeps its defaults: " + missing);
    else if (missingCount > 1)
        warnings.push_back(source + ": " + std::to_string(missingCount) +
                           " slots are not in the input and keep their defaults: " + missing);

    TeamInMemory readBack;
    decodeTeam(readBack.doc, saved);
    for (const FieldInput& given : input.fields) {
        const std::string text = fieldText(readBack.doc, given.slot, given.field);
        if (readsBackAsGiven(given.field, given.text, text))
            continue;
        warnings.push_back(given.where + ": " + std::string(SlotTable[given.slot].label) + " " +
                           std::string(fieldCaption(given.field)) + " \"" + displayText(given.text) +
                           "\" will read back as \"" + displayText(text) + "\"");
    }
    return warnings;
}
