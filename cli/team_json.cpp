#include <nlohmann/json.hpp>

#include <optional>

#include "cli/ansi_text.h"
#include "cli/team_formats.h"
#include "cli/team_text.h"

namespace {

using nlohmann::json;

// The JSON pointer of a member of the value at path: the key with "~" and "/" escaped.
std::string memberPath(const std::string& path, std::string_view key) {
    std::string member = path;
    member += '/';
    for (char c : key) {
        if (c == '~')
            member += "~0";
        else if (c == '/')
            member += "~1";
        else
            member += c;
    }
    return member;
}

// Checks a JSON document against the team shape, collecting what it gives into input.
class TeamJsonReader {
  public:
    explicit TeamJsonReader(const std::string& source) : source_(source) {}

    TeamInputResult read(const json& root) {
        if (!root.is_object())
            return fail("", "the team must be a JSON object");
        if (!root.contains("format") || !root.contains("version"))
            return fail("", "the team must say its \"format\" (\"" + std::string(kJsonFormatName) +
                                "\") and \"version\" (" + std::to_string(kJsonFormatVersion) + ")");
        for (const auto& [key, value] : root.items()) {
            const std::string path = memberPath("", key);
            const bool read = key == "format"    ? readFormat(path, value)
                              : key == "version" ? readVersion(path, value)
                              : key == "colors"  ? readColors(path, value)
                              : key == "slots"   ? readSlots(path, value)
                                                 : unknownName(path, key);
            if (!read)
                return {false, {}, error_};
        }
        return {true, std::move(input_), {}};
    }

  private:
    TeamInputResult fail(const std::string& path, const std::string& problem) {
        error_ = source_ + ": " + (path.empty() ? "/" : path) + ": " + problem;
        return {false, {}, error_};
    }
    // Notes the problem; false, for "not read".
    bool problem(const std::string& path, const std::string& text) { return fail(path, text).ok; }
    bool unknownName(const std::string& path, std::string_view key) {
        return problem(path, "unknown field name " + inQuotes(key));
    }

    bool readFormat(const std::string& path, const json& value) {
        if (!value.is_string() || value.get<std::string>() != kJsonFormatName)
            return problem(path, "the format must be \"" + std::string(kJsonFormatName) + "\", not " +
                                     value.dump());
        return true;
    }

    bool readVersion(const std::string& path, const json& value) {
        if (!value.is_number_integer() || value.get<long long>() != kJsonFormatVersion)
            return problem(path, "version " + value.dump() +
                                     " is not one this program reads (it reads version " +
                                     std::to_string(kJsonFormatVersion) + ")");
        return true;
    }

    bool readColors(const std::string& path, const json& value) {
        if (!value.is_object())
            return problem(path, "the colours must be a JSON object");
        for (const auto& [key, color] : value.items()) {
            const std::string at = memberPath(path, key);
            std::optional<TeamColorEntry> entry;
            for (int e = 0; e < kTeamColorCount; ++e)
                if (colorKey(static_cast<TeamColorEntry>(e)) == key)
                    entry = static_cast<TeamColorEntry>(e);
            if (!entry)
                return unknownName(at, key);
            const std::optional<ColorRef> parsed =
                color.is_string() ? parseColorText(color.get<std::string>()) : std::nullopt;
            if (!parsed)
                return problem(at, color.dump() + " is not a colour of the form \"#RRGGBB\"");
            input_.colors.push_back({*entry, *parsed});
        }
        return true;
    }

    bool readSlots(const std::string& path, const json& value) {
        if (!value.is_array())
            return problem(path, "the slots must be a JSON array");
        for (std::size_t i = 0; i < value.size(); ++i)
            if (!readSlot(memberPath(path, std::to_string(i)), value[i]))
                return false;
        return true;
    }

    bool readSlot(const std::string& path, const json& value) {
        if (!value.is_object())
            return problem(path, "a slot must be a JSON object");
        const auto label = value.find("slot");
        if (label == value.end() || !label->is_string())
            return problem(path, "a slot must name its \"slot\" label as a string");
        const std::optional<SlotIndex> slot = slotByLabel(label->get<std::string>());
        if (!slot)
            return problem(memberPath(path, "slot"), "unknown slot label " + label->dump());
        if (input_.slotGiven[*slot])
            return problem(memberPath(path, "slot"), "the slot " + label->dump() + " appears twice");
        input_.slotGiven[*slot] = true;
        for (const auto& [key, field] : value.items())
            if (key != "slot" && !readField(memberPath(path, key), *slot, key, field))
                return false;
        return true;
    }

    bool readField(const std::string& path, SlotIndex slot, std::string_view key, const json& value) {
        std::optional<SlotField> field;
        for (SlotField f : kAllSlotFields)
            if (fieldKey(f) == key)
                field = f;
        if (!field)
            return unknownName(path, key);
        std::string text;
        if (value.is_string())
            text = value.get<std::string>();
        else if (isSpinnerField(*field) && value.is_number_unsigned())
            text = std::to_string(value.get<std::uint64_t>());
        else
            return problem(path,
                           value.dump() + (isSpinnerField(*field) ? " is not a whole number of 0 or more"
                                                                  : " is not a string"));
        BoxText box = boxText(*field, text);
        if (!box.ok)
            return problem(path, box.problem);
        input_.fields.push_back({slot, *field, std::move(box.text), source_ + ": " + path});
        return true;
    }

    const std::string& source_;
    TeamInput input_;
    std::string error_;
};

// Line and column (1-based, in bytes) of a byte offset.
std::string placeOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i)
        if (text[i] == '\n')
            ++line, lineStart = i + 1;
    return std::to_string(line) + ":" + std::to_string(offset - lineStart + 1);
}

// The parser's own words without its prefix of error number and position, nor the raw bytes it
// last read (which need not be valid text).
std::string parseProblem(const std::string& what) {
    std::size_t start = what.find("column ");
    start = start == std::string::npos ? 0 : what.find(": ", start);
    std::string problem = start == std::string::npos ? what : what.substr(start + 2);
    const std::size_t lastRead = problem.find("; last read:");
    return lastRead == std::string::npos ? problem : problem.substr(0, lastRead);
}

} // namespace

void writeTeamJson(const TeamDocument& doc, std::ostream& out) {
    nlohmann::ordered_json team;
    team["format"] = kJsonFormatName;
    team["version"] = kJsonFormatVersion;
    nlohmann::ordered_json colors = nlohmann::ordered_json::object();
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        colors[std::string(colorKey(static_cast<TeamColorEntry>(entry)))] = colorText(doc.colors[entry]);
    team["colors"] = colors;
    nlohmann::ordered_json slots = nlohmann::ordered_json::array();
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        nlohmann::ordered_json record;
        record["slot"] = SlotTable[slot].label;
        for (SlotField field : kAllSlotFields) {
            const std::string key(fieldKey(field));
            if (isSpinnerField(field))
                record[key] = fieldValue(doc, slot, field);
            else
                record[key] = ansiToUtf8(fieldText(doc, slot, field));
        }
        slots.push_back(record);
    }
    team["slots"] = slots;
    out << team.dump(2) << '\n';
}

TeamInputResult parseTeamJson(std::string_view text, const std::string& source) {
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        return inputError(source + ":" + placeOf(text, e.byte == 0 ? 0 : e.byte - 1),
                          "invalid JSON: " + parseProblem(e.what()));
    }
    return TeamJsonReader(source).read(root);
}
