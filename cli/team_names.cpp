#include "cli/team_names.h"

namespace {

constexpr std::array<std::string_view, kSlotFieldCount> kFieldKeys = {
    "depthString", "side",     "playerName", "position",     "number",     "icon",
    "speed",       "strength", "agility",    "intelligence", "discipline",
};
constexpr std::array<std::string_view, kTeamColorCount> kColorKeys = {"jersey", "helmet", "stripe",
                                                                      "homePants", "awayPants"};

} // namespace

std::string_view fieldCaption(SlotField field) {
    return kColumnCaptions[1 + static_cast<std::size_t>(field)];
}

std::string_view fieldKey(SlotField field) {
    return kFieldKeys[static_cast<std::size_t>(field)];
}

std::string_view colorKey(TeamColorEntry entry) {
    return kColorKeys[entry];
}
