#include "cli/team_input.h"

#include <algorithm>

#include "cli/cp1252.h"
#include "cli/quoting.h"
#include "cli/sheets.h"
#include "cli/team_differences.h"
#include "cli/team_names.h"
#include "roster/slot_operations.h"
#include "teamfile/decoder.h"
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

// Unsigned numbers in 7-bit groups, low first; signed ones with the sign in the lowest bit.
void putNumber(std::string& out, std::uint64_t value) {
    for (; value >= 0x80; value >>= 7)
        out += static_cast<char>((value & 0x7F) | 0x80);
    out += static_cast<char>(value);
}

std::uint64_t takeNumber(std::string_view& in) {
    std::uint64_t value = 0;
    for (int shift = 0; !in.empty(); shift += 7) {
        const auto byte = static_cast<unsigned char>(in.front());
        in.remove_prefix(1);
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            break;
    }
    return value;
}

void putDifference(std::string& out, std::int64_t difference) {
    putNumber(out,
              static_cast<std::uint64_t>(difference) << 1 ^ static_cast<std::uint64_t>(difference >> 63));
}

std::int64_t takeDifference(std::string_view& in) {
    const std::uint64_t value = takeNumber(in);
    return static_cast<std::int64_t>(value >> 1 ^ (~(value & 1) + 1));
}

void putText(std::string& out, std::string_view text) {
    putNumber(out, text.size());
    out += text;
}

std::string_view takeText(std::string_view& in) {
    const std::size_t length = takeNumber(in);
    const std::string_view text = in.substr(0, length);
    in.remove_prefix(text.size());
    return text;
}

} // namespace

// A field's first byte: the field, and which of its slot, its line and its JSON pointer differ from
// the field before, and so follow.
constexpr unsigned kFieldBits = 0x0F;
constexpr unsigned kNewSlot = 0x10;
constexpr unsigned kNewLine = 0x20;
constexpr unsigned kNewPointer = 0x40;

void GivenFields::add(const FieldInput& given) {
    const std::string& pointer = given.place.pointer;
    const std::size_t shared = static_cast<std::size_t>(
        std::mismatch(pointer.begin(), pointer.end(), last_.pointer.begin(), last_.pointer.end()).first -
        pointer.begin());
    const bool newPointer = shared != pointer.size() || shared != last_.pointer.size();
    std::string packed(
        1,
        static_cast<char>(static_cast<unsigned>(given.field) | (given.slot != lastSlot_ ? kNewSlot : 0) |
                          (given.place.line != last_.line ? kNewLine : 0) | (newPointer ? kNewPointer : 0)));
    if (given.slot != lastSlot_)
        packed += static_cast<char>(given.slot);
    putText(packed, given.text);
    if (given.place.line != last_.line)
        putDifference(packed, given.place.line - last_.line);
    putDifference(packed, given.place.column - last_.column);
    if (newPointer) {
        putNumber(packed, shared);
        putText(packed, std::string_view(pointer).substr(shared));
    }
    // Grown by a quarter at a time: thousands of teams are held at once.
    if (packed_.capacity() < packed_.size() + packed.size())
        packed_.reserve(packed_.size() + packed.size() + packed_.size() / 4);
    packed_.insert(packed_.end(), packed.begin(), packed.end());
    last_ = given.place;
    lastSlot_ = given.slot;
}

void GivenFields::forEach(const std::function<void(const FieldInput&)>& each) const {
    std::string_view in(packed_.data(), packed_.size());
    FieldInput given;
    given.slot = -1;
    while (!in.empty()) {
        const auto head = static_cast<unsigned char>(in.front());
        in.remove_prefix(1);
        given.field = static_cast<SlotField>(head & kFieldBits);
        if (head & kNewSlot) {
            given.slot = static_cast<SlotIndex>(static_cast<unsigned char>(in.front()));
            in.remove_prefix(1);
        }
        given.text = takeText(in);
        if (head & kNewLine)
            given.place.line += static_cast<int>(takeDifference(in));
        given.place.column += static_cast<int>(takeDifference(in));
        if (head & kNewPointer) {
            given.place.pointer.resize(takeNumber(in));
            given.place.pointer += takeText(in);
        }
        each(given);
    }
}

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
    input.fields.forEach([&](const FieldInput& given) {
        setFieldText(doc, given.slot, given.field, given.text.substr(0, given.text.find('\0')));
    });
    for (const ColorInput& color : input.colors)
        doc.colors[color.entry] = color.color;
}

namespace {

std::vector<std::string> importWarnings(const TeamInput& input, const TeamDocument& readBack,
                                        const std::string& source, const WarningOptions& options) {
    std::vector<std::string> warnings;
    if (options.leftOuts)
        warnOfLeftOuts(input,
                       options.team.empty() ? source : source + ": for " + inQuotes(shownPath(options.team)),
                       warnings);

    input.fields.forEach([&](const FieldInput& given) {
        const std::string text = fieldText(readBack, given.slot, given.field);
        if (!readsBackAsGiven(given.field, given.text, text))
            warnings.push_back(placeText(source, given.place) + ": " +
                               std::string(SlotTable[given.slot].label) + " " +
                               std::string(fieldCaption(given.field)) + " " + quotedAnsi(given.text) +
                               " will read back as " + quotedAnsi(text));
    });
    return warnings;
}

} // namespace

BuiltTeam buildTeam(const TeamInput& input, const TeamFileRead* base, const std::string& source,
                    const WarningOptions& warnings) {
    TeamInMemory team;
    if (base != nullptr)
        decodeTeam(team.doc, base->delivered());
    const TeamInMemory before = team.clone();
    applyTeamInput(team.doc, input);
    BuiltTeam built{encodeTeam(team.doc), 0, {}};
    TeamInMemory after;
    decodeTeam(after.doc, built.bytes);
    built.warnings = importWarnings(input, after.doc, source, warnings);
    built.changes = teamDifferences(before.doc, after.doc).size();
    return built;
}

std::string leagueFileProblem(std::string_view file, std::size_t teams) {
    if (std::any_of(file.begin(), file.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return "the file name " + quotedInput(file) +
               " holds a control character, which no team file's name may hold";
    if (teams == kMostLeagueTeams)
        return "the sheet names more than " + std::to_string(kMostLeagueTeams) +
               " team files, more than one import takes: split the league into several sheets";
    return {};
}
