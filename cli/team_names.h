// The names of a team's fields and colours in the tool's CSV and JSON.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "roster/slot_table.h"
#include "roster/team_document.h"

// The roster pages' column caption of a field ("String", "Player Name", "#", ...).
std::string_view fieldCaption(SlotField field);
// The field's key in the JSON shape ("depthString", "playerName", "number", ...).
std::string_view fieldKey(SlotField field);
// The colour's key in the JSON shape ("jersey", "helmet", "stripe", "homePants", "awayPants").
std::string_view colorKey(TeamColorEntry entry);

inline constexpr std::array<TeamColorEntry, kTeamColorCount> kAllTeamColors = {
    jerseyColor, helmetColor, stripeColor, homePantsColor, awayPantsColor,
};

// The item of items whose name by nameOf is name ("#" of the fields by fieldCaption, "jersey" of
// kAllTeamColors by colorKey); none when no item has that name.
template <typename Items, typename NameOf>
std::optional<typename Items::value_type> itemNamed(const Items& items, NameOf nameOf,
                                                    std::string_view name) {
    for (const auto& item : items)
        if (nameOf(item) == name)
            return item;
    return std::nullopt;
}
