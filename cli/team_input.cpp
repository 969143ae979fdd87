#include "cli/team_input.h"

#include <algorithm>

#include "cli/ansi_text.h"
#include "cli/quoting.h"
#include "cli/team_names.h"
#include "roster/slot_operations.h"
#include "teamfile/reader.h"

namespace {

// The digits without their leading zeros: the unbounded number they mean, in plain decimal.
std::string_view plainDigits(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? digits.substr(digits.empty() ? 0 : digits.size() - 1)
                                           : digits.substr(first);
}

// Whether the text that the saved file reads back as says what the given text said.
bool readsBackAsGiven(SlotField field, const std::string& given, const std::string& readBack) {
    if (isListField(field))
        return equalsIgnoringCase(given, readBack);
    if (isSpinnerField(field))
        return !given.empty() && plainDigits(given) == readBack;
    return given == readBack;
}

// "1 slot is not in the input and keeps its default" / "3 slots are not ... keep their defaults".
std::string leftOutWarning(const std::string& source, const std::vector<std::string>& names,
                           const std::string& one, const std::string& many, const std::string& what) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    const bool single = names.size() == 1;
    return source + ": " + std::to_string(names.size()) + " " + (single ? one : many) +
           (single ? " is not in the input and keeps " : " are not in the input and keep ") + what + ": " +
           list;
}

void warnOfLeftOuts(const TeamInput& input, const std::string& source, std::vector<std::string>& warnings) {
    std::vector<std::string> slots;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        if (!input.slotGiven[slot])
            slots.emplace_back(SlotTable[slot].label);
    if (!slots.empty())
        warnings.push_back(leftOutWarning(source, slots, "slot", "slots", "the new team's values"));

    std::vector<std::string> columns;
    for (SlotField field : kAllSlotFields)
        if (!input.fieldGiven[static_cast<std::size_t>(field)])
            columns.push_back(inQuotes(fieldCaption(field)));
    if (!columns.empty())
        warnings.push_back(leftOutWarning(source, columns, "column", "columns", "the new team's values"));

    std::vector<std::string> colors;
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        if (!input.colorGiven[entry])
            colors.emplace_back(kTeamColorNames[entry]);
    if (!colors.empty())
        warnings.push_back(leftOutWarning(source, colors, "colour", "colours", "the new team's values"));
}

} // namespace

std::string placeText(const std::string& source, const InputPlace& place) {
    if (!place.pointer.empty())
        return source + ": " + shownPointer(place.pointer);
    return source + ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
}

bool isDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TeamInputResult inputError(const std::string& error) {
    return {false, {}, error};
}

BoxText boxText(SlotField field, std::string_view utf8) {
    if (isSpinnerField(field)) {
        if (!isDigits(utf8))
            return {false,
                    {},
                    std::string(fieldCaption(field)) + " " + quotedInput(utf8) +
                        " is not a number: the box takes digits only"};
        return {true, std::string(utf8), {}};
    }
    AnsiConversion ansi = utf8ToAnsi(utf8);
    if (!ansi.ok)
        return {false, {}, std::string(fieldCaption(field)) + ": " + ansi.problem};
    return {true, std::move(ansi.text), {}};
}

void applyTeamInput(TeamDocument& doc, const TeamInput& input) {
    for (const FieldInput& given : input.fields)
        setFieldText(doc, given.slot, given.field, given.text.substr(0, given.text.find('\0')));
    for (const ColorInput& color : input.colors)
        doc.colors[color.entry] = color.color;
}

std::vector<std::string> importWarnings(const TeamInput& input, const TeamFileBytes& saved,
                                        const std::string& source, const WarningOptions& options) {
    std::vector<std::string> warnings;
    if (options.leftOuts)
        warnOfLeftOuts(input,
                       options.team.empty() ? source : source + ": for " + inQuotes(shownPath(options.team)),
                       warnings);

    TeamInMemory readBack;
    decodeTeam(readBack.doc, saved);
    for (const FieldInput& given : input.fields) {
        const std::string text = fieldText(readBack.doc, given.slot, given.field);
        if (readsBackAsGiven(given.field, given.text, text))
            continue;
        warnings.push_back(placeText(source, given.place) + ": " + std::string(SlotTable[given.slot].label) +
                           " " + std::string(fieldCaption(given.field)) + " " + quotedAnsi(given.text) +
                           " will read back as " + quotedAnsi(text));
    }
    return warnings;
}
