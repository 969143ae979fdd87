// The fixed roster: 44 slots on four pages, their labels and default values, the value lists of the
// list fields, the spinner ranges of the numeric fields and the control identifiers of each slot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "res/resource.h"
#include "roster/slot_rows.h"

using SlotIndex = int; // 0..43, page by page, row by row
using PageIndex = int; // 0..3 roster pages, 4 the slot tools page

inline constexpr int kSlotCount = 44;
inline constexpr int kRosterPageCount = 4;
inline constexpr int kPageCount = 5; // the roster pages and the slot tools page
inline constexpr int kRowsPerPage = 11;
// The longest player name: what a name box takes and what a team file record holds.
inline constexpr std::size_t kNameCapacity = 29;

inline constexpr PageIndex kOffensiveStarters = 0;
inline constexpr PageIndex kOffensiveReserves = 1;
inline constexpr PageIndex kDefensiveStarters = 2;
inline constexpr PageIndex kDefensiveReserves = 3;
inline constexpr PageIndex kSlotToolsPage = 4;

// The eleven fields of a roster slot, in the order a page row shows them.
enum class SlotField {
    depthString,
    side,
    playerName,
    position,
    number,
    icon,
    speed,
    strength,
    agility,
    intelligence,
    discipline,
};
inline constexpr int kSlotFieldCount = 11;
inline constexpr int kSpinnerFieldCount = 7; // number .. discipline

inline constexpr std::array<SlotField, kSlotFieldCount> kAllSlotFields = {
    SlotField::depthString, SlotField::side,         SlotField::playerName, SlotField::position,
    SlotField::number,      SlotField::icon,         SlotField::speed,      SlotField::strength,
    SlotField::agility,     SlotField::intelligence, SlotField::discipline,
};

inline constexpr std::array<SlotField, 5> kRatingFields = {
    SlotField::speed, SlotField::strength, SlotField::agility, SlotField::intelligence, SlotField::discipline,
};

constexpr bool isListField(SlotField f) {
    return f == SlotField::depthString || f == SlotField::side || f == SlotField::position;
}
constexpr bool isSpinnerField(SlotField f) {
    return static_cast<int>(f) >= static_cast<int>(SlotField::number);
}
constexpr int spinnerFieldIndex(SlotField f) {
    return static_cast<int>(f) - static_cast<int>(SlotField::number);
}

struct SpinnerRange {
    int lower;
    int upper;
};
constexpr SpinnerRange spinnerRange(SlotField field) {
    switch (field) {
    case SlotField::number: return {0, 99};
    case SlotField::icon: return {1, 14};
    case SlotField::speed: return {0, 150};
    default: return {0, 100};
    }
}

inline constexpr std::array<std::string_view, 2> kDepthStringList = {"1st", "2nd"};
inline constexpr std::array<std::string_view, 2> kSideList = {"OFF", "DEF"};
inline constexpr std::array<std::string_view, 16> PositionCode = {
    "QB", "KK", "FB", "HB", "WR", "TE", "OT", "OG", "OC", "FS", "SS", "CB", "LB", "DE", "DT", "NT",
};
// The items a list field offers, in list order; empty for the other fields.
std::span<const std::string_view> listItems(SlotField field);

// Column captions of the roster pages, the slot label column first.
#define SQUADWRIGHT_CAPTION_TEXT(caption, x, width) caption,
inline constexpr std::array<std::string_view, 12> kColumnCaptions = {
    ROSTER_COLUMNS(SQUADWRIGHT_CAPTION_TEXT)};
#undef SQUADWRIGHT_CAPTION_TEXT
inline constexpr std::array<std::string_view, 4> kRosterPageTitles = {
    OFFENSIVE_STARTERS_TITLE,
    OFFENSIVE_RESERVES_TITLE,
    DEFENSIVE_STARTERS_TITLE,
    DEFENSIVE_RESERVES_TITLE,
};

struct SlotDefinition {
    std::string_view label;
    std::string_view placeholderName;
    std::string_view depthString;
    std::string_view side;
    std::string_view position;
    int number;
    int icon;
    int speed;
    int strength;
    int agility;
    int intelligence;
    int discipline;
};

extern const std::array<SlotDefinition, kSlotCount> SlotTable;

PageIndex slotPage(SlotIndex slot);
int slotRow(SlotIndex slot);
SlotIndex slotAt(PageIndex page, int row);

// Control identifiers: slot i owns 100 + 18 * i .. 100 + 18 * i + 17, as the resource script numbers
// the pages' controls.
inline constexpr int kFirstSlotControlId = IDC_FIRST_SLOT_CONTROL;
inline constexpr int kControlsPerSlot = SLOT_CONTROL_COUNT;
int controlId(SlotIndex slot, int offset);
// Offset of a field's box within its slot; a numeric box's spinner is the next offset.
int fieldControlOffset(SlotField field);

// The default value of a spinner field from the slot's table row.
int defaultSpinnerValue(SlotIndex slot, SlotField field);
// The default text of a list field or the name from the slot's table row.
std::string_view defaultFieldText(SlotIndex slot, SlotField field);

// The slot whose label equals the text exactly (case-sensitive), if any.
std::optional<SlotIndex> slotByLabel(std::string_view label);
