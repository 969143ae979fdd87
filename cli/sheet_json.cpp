#include <algorithm>
#include <optional>
#include <unordered_map>

#include "cli/color_hex.h"
#include "cli/cp1252.h"
#include "cli/json_tree.h"
#include "cli/json_writer.h"
#include "cli/quoting.h"
#include "cli/sheets.h"
#include "cli/team_names.h"

namespace {

using nlohmann::ordered_json;
using Kind = JsonNode::Kind;

constexpr std::string_view kTeamsKey = "teams";

ordered_json teamMembers(const TeamDocument& doc) {
    ordered_json team = ordered_json::object();
    ordered_json colors = ordered_json::object();
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        colors[std::string(colorKey(static_cast<TeamColorEntry>(entry)))] = colorText(doc.colors[entry]);
    team["colors"] = colors;
    ordered_json slots = ordered_json::array();
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        ordered_json record;
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
    return team;
}

// The member's value, or none.
const JsonNode* memberOf(const JsonNode& object, std::string_view key) {
    const auto found = std::find(object.keys.begin(), object.keys.end(), key);
    return found == object.keys.end() ? nullptr
                                      : &object.items[static_cast<std::size_t>(found - object.keys.begin())];
}

// Checks a JSON text against the team shape, collecting what it gives into a team's input.
class TeamJsonReader {
  public:
    explicit TeamJsonReader(const std::string& source) : source_(source) {}

    // "format" and "version" of the top object: the shape this reader expects.
    std::string readHeader(const JsonNode& root, std::string_view format) const {
        if (root.kind != Kind::object)
            return problem(JsonPointer(), "the top value must be a JSON object, not " + root.shown());
        const JsonNode* given = memberOf(root, "format");
        const JsonNode* version = memberOf(root, "version");
        if (given == nullptr || version == nullptr)
            return problem(JsonPointer(), "the top object must say its \"format\" (\"" + std::string(format) +
                                              "\") and \"version\" (" + std::to_string(kJsonFormatVersion) +
                                              ")");
        if (given->kind != Kind::string || given->text != format)
            return problem(JsonPointer("/format"), "the format must be \"" + std::string(format) +
                                                       "\", not " + given->shown() +
                                                       otherShapeHint(*given, format));
        if (version->kind != Kind::number || version->text != std::to_string(kJsonFormatVersion))
            return problem(JsonPointer("/version"), "version " + version->shown() +
                                                        " is not one this program reads (it reads version " +
                                                        std::to_string(kJsonFormatVersion) + ")");
        return {};
    }

    // The members of a team object; the names in others are read by the caller.
    std::string readTeam(const JsonNode& team, const JsonPointer& at,
                         std::span<const std::string_view> others, TeamInput& input) const {
        for (std::size_t i = 0; i < team.keys.size(); ++i) {
            const std::string& key = team.keys[i];
            const JsonPointer member = at / key;
            std::string read;
            if (key == "colors")
                read = readColors(team.items[i], member, input);
            else if (key == "slots")
                read = readSlots(team.items[i], member, input);
            else if (std::find(others.begin(), others.end(), key) == others.end())
                read = unknownName(member, key);
            if (!read.empty())
                return read;
        }
        return {};
    }

    std::string problem(const JsonPointer& at, const std::string& text) const {
        return jsonProblem(source_, at, text);
    }
    std::string unknownName(const JsonPointer& at, std::string_view key) const {
        return problem(at, "unknown field name " + quotedInput(key));
    }

  private:
    static std::string otherShapeHint(const JsonNode& given, std::string_view expected) {
        if (given.text == kLeagueFormatName)
            return " (a league sheet: import it with --league)";
        if (given.text == kJsonFormatName && expected == kLeagueFormatName)
            return " (one team: import it without --league)";
        return {};
    }

    std::string readColors(const JsonNode& colors, const JsonPointer& at, TeamInput& input) const {
        if (colors.kind != Kind::object)
            return problem(at, "the colours must be a JSON object, not " + colors.shown());
        for (std::size_t i = 0; i < colors.keys.size(); ++i) {
            const std::string& key = colors.keys[i];
            const JsonNode& color = colors.items[i];
            const std::optional<TeamColorEntry> entry = itemNamed(kAllTeamColors, colorKey, key);
            if (!entry)
                return unknownName(at / key, key);
            const std::optional<ColorRef> parsed =
                color.kind == Kind::string ? parseColorText(color.text) : std::nullopt;
            if (!parsed)
                return problem(at / key, color.shown() + " is not a colour of the form \"#RRGGBB\"");
            input.colors.push_back({*entry, *parsed});
            input.colorGiven[*entry] = true;
        }
        return {};
    }

    std::string readSlots(const JsonNode& slots, const JsonPointer& at, TeamInput& input) const {
        if (slots.kind != Kind::array)
            return problem(at, "the slots must be a JSON array, not " + slots.shown());
        for (std::size_t i = 0; i < slots.items.size(); ++i)
            if (std::string read = readSlot(slots.items[i], at / i, input); !read.empty())
                return read;
        return {};
    }

    std::string readSlot(const JsonNode& record, const JsonPointer& at, TeamInput& input) const {
        if (record.kind != Kind::object)
            return problem(at, "a slot must be a JSON object, not " + record.shown());
        const JsonNode* label = memberOf(record, "slot");
        if (label == nullptr || label->kind != Kind::string)
            return problem(at, "a slot must name its \"slot\" label as a string");
        const std::optional<SlotIndex> slot = slotByLabel(label->text);
        if (!slot)
            return problem(at / "slot", "unknown slot label " + label->shown());
        if (input.slotGiven[*slot])
            return problem(at / "slot", "the slot " + label->shown() + " appears twice");
        input.slotGiven[*slot] = true;
        for (std::size_t i = 0; i < record.keys.size(); ++i)
            if (record.keys[i] != "slot")
                if (std::string read =
                        readField(record.items[i], at / record.keys[i], *slot, record.keys[i], input);
                    !read.empty())
                    return read;
        return {};
    }

    std::string readField(const JsonNode& value, const JsonPointer& at, SlotIndex slot, std::string_view key,
                          TeamInput& input) const {
        const std::optional<SlotField> field = itemNamed(kAllSlotFields, fieldKey, key);
        if (!field)
            return unknownName(at, key);
        const bool numeric = isSpinnerField(*field);
        std::string text;
        if (value.kind == Kind::string)
            text = value.text;
        else if (numeric && value.kind == Kind::number && isDigits(value.text))
            text = value.text;
        else if (numeric && value.kind == Kind::number && !value.text.starts_with('-'))
            return problem(at, value.shown() +
                                   " is not a whole number written in digits (the box takes digits "
                                   "only)");
        else
            return problem(at, value.shown() +
                                   (numeric ? " is not a whole number of 0 or more" : " is not a string"));
        BoxText box = boxText(*field, text);
        if (!box.ok)
            return problem(at, box.problem);
        input.fields.add({slot, *field, std::move(box.text), {0, 0, at.to_string()}});
        input.fieldGiven[static_cast<std::size_t>(*field)] = true;
        return {};
    }

    const std::string& source_;
};

constexpr std::string_view kTopNames[] = {"format", "version"};

} // namespace

void writeTeamJson(const TeamDocument& doc, std::ostream& out) {
    ordered_json team;
    team["format"] = kJsonFormatName;
    team["version"] = kJsonFormatVersion;
    team.update(teamMembers(doc));
    out << jsonText(team, 2) << '\n';
}

void writeLeagueJsonStart(std::ostream& out) {
    ordered_json head;
    head["format"] = kLeagueFormatName;
    head["version"] = kJsonFormatVersion;
    head[std::string(kTeamsKey)] = ordered_json::array();
    writeJsonUpToArray(head, out);
}

void writeLeagueJsonTeam(const std::string& file, const TeamDocument& doc, bool first, std::ostream& out) {
    ordered_json team;
    team[std::string(kFileKey)] = file;
    team.update(teamMembers(doc));
    writeJsonArrayItem(team, 2, first, out);
}

void writeLeagueJsonEnd(std::ostream& out) {
    ordered_json tail;
    tail[std::string(kTeamsKey)] = ordered_json::array();
    writeJsonFromArray(tail, out);
}

TeamInputResult parseTeamJson(std::istream& in, const std::string& source) {
    const JsonTree tree = readJson(in, source);
    if (!tree.error.empty())
        return inputError(tree.error);
    const TeamJsonReader reader(source);
    if (std::string header = reader.readHeader(tree.root, kJsonFormatName); !header.empty())
        return inputError(header);
    TeamInputResult result;
    if (std::string read = reader.readTeam(tree.root, JsonPointer(), kTopNames, result.input); !read.empty())
        return inputError(read);
    return result;
}

LeagueInputResult parseLeagueJson(std::istream& in, const std::string& source) {
    const TeamJsonReader reader(source);
    LeagueInputResult result;
    constexpr std::string_view fileName[] = {kFileKey};
    std::unordered_map<std::string, std::size_t> teamOfFile;
    const JsonItemHandler readLeagueTeam = [&](const JsonNode& team, const JsonPointer& at) -> std::string {
        if (team.kind != Kind::object)
            return reader.problem(at, "a team must be a JSON object, not " + team.shown());
        const JsonNode* file = memberOf(team, kFileKey);
        if (file == nullptr || file->kind != Kind::string || file->text.empty())
            return reader.problem(at, "a team must name its team file in \"file\"");
        const auto earlier = teamOfFile.find(file->text);
        if (earlier != teamOfFile.end())
            return reader.problem(at / std::string(kFileKey),
                                  "the file " + file->shown() + " appears twice (first at " +
                                      shownPointer(result.teams[earlier->second].place.pointer) + ")");
        if (const std::string refused = leagueFileProblem(file->text, result.teams.size()); !refused.empty())
            return reader.problem(at / std::string(kFileKey), refused);
        teamOfFile.emplace(file->text, result.teams.size());
        LeagueTeamInput entry{file->text, {0, 0, (at / std::string(kFileKey)).to_string()}, {}};
        if (std::string read = reader.readTeam(team, at, fileName, entry.input); !read.empty())
            return read;
        result.teams.push_back(std::move(entry));
        return {};
    };
    const JsonTree tree = readJson(in, source, std::string(kTeamsKey), readLeagueTeam);
    if (!tree.error.empty())
        return {false, {}, tree.error};
    if (std::string header = reader.readHeader(tree.root, kLeagueFormatName); !header.empty())
        return {false, {}, header};
    for (std::size_t i = 0; i < tree.root.keys.size(); ++i) {
        const std::string& key = tree.root.keys[i];
        if (key == kTeamsKey && tree.root.items[i].kind != Kind::array)
            return {false, {}, reader.problem(JsonPointer() / key, "the teams must be a JSON array")};
        if (key != kTeamsKey && key != "format" && key != "version")
            return {false, {}, reader.unknownName(JsonPointer() / key, key)};
    }
    if (result.teams.empty())
        return {false, {}, reader.problem(JsonPointer(), "the league names no team in \"teams\"")};
    return result;
}
