// The one team being edited: the 44 slots (their texts in a FieldStorage, plus each numeric field's
// spinner position), the five team colours and the current file. All reads and writes of slot
// fields go through the field operations declared here.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "roster/field_storage.h"
#include "roster/slot_table.h"

// A colour as the platform holds it: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = std::uint32_t;

enum TeamColorEntry {
    jerseyColor,
    helmetColor,
    stripeColor,
    homePantsColor,
    awayPantsColor,
    kTeamColorCount
};
using TeamColors = std::array<ColorRef, kTeamColorCount>;

inline constexpr TeamColors kDefaultTeamColors = {0x909090, 0x909090, 0xDBDBDA, 0x909090, 0xFEFEFE};
inline constexpr std::array<std::string_view, kTeamColorCount> kTeamColorNames = {
    "Jersey", "Helmet", "Stripe", "Pants (home)", "Pants (away)",
};

constexpr ColorRef makeColor(int red, int green, int blue) {
    return static_cast<ColorRef>(red) | static_cast<ColorRef>(green) << 8 | static_cast<ColorRef>(blue) << 16;
}
constexpr int colorRed(ColorRef c) {
    return c & 0xFF;
}
constexpr int colorGreen(ColorRef c) {
    return (c >> 8) & 0xFF;
}
constexpr int colorBlue(ColorRef c) {
    return (c >> 16) & 0xFF;
}

struct TeamDocument {
    // The slots start with the table's spinner positions; their texts are whatever the storage holds
    // until applySlotDefaults (or the pages' own start values) fill them.
    explicit TeamDocument(FieldStorage& fieldStorage);

    // Where the slots' texts live; read and written through the field operations below only.
    FieldStorage& storage;
    std::array<std::array<int, kSpinnerFieldCount>, kSlotCount> spinnerPositions;
    TeamColors colors = kDefaultTeamColors;
    std::filesystem::path currentPath; // empty when there is no current file
};

// Picks the first item of the field's list that begins with text (ignoring case), searching from the
// third item to the end and then from the first; without a match the field keeps its text.
void selectListValue(TeamDocument& doc, SlotIndex slot, SlotField field, std::string_view text);
void setFieldText(TeamDocument& doc, SlotIndex slot, SlotField field, std::string_view text);
// Brings the value into the field's range, shows it and makes it the spinner position.
void setSpinnerValue(TeamDocument& doc, SlotIndex slot, SlotField field, int value);
std::string fieldText(const TeamDocument& doc, SlotIndex slot, SlotField field);
// The unsigned 32-bit number of the digits at the start of the text after leading blanks; 0 for no
// digits or a number too large for 32 bits.
std::uint32_t fieldValue(const TeamDocument& doc, SlotIndex slot, SlotField field);
// The spinner position a numeric field stands for with text, its text as the caller read it, without
// settling it: the text's number when that is a decimal within the field's range, else the position
// last set or settled.
int shownSpinnerPosition(const TeamDocument& doc, SlotIndex slot, SlotField field, std::string_view text);
// Settles the field's spinner position and returns it: a text that is a decimal number within the
// field's range becomes the position first (the storage's spinner takes it over as well).
int settleSpinnerPosition(TeamDocument& doc, SlotIndex slot, SlotField field);
// The field's text, a decimal number within range, has just become its spinner position: the
// storage's spinner takes it over too.
void takeSpinnerPositionFromText(TeamDocument& doc, SlotIndex slot, SlotField field);
// The spinner stepped on its own and now stands at position, which its box already shows: that
// becomes the field's spinner position (brought into range).
void rememberSpinnerPosition(TeamDocument& doc, SlotIndex slot, SlotField field, int position);
// Gives every slot, or one slot, its table row: list fields by selectListValue, the name by
// setFieldText, the numeric fields by setSpinnerValue, except that a numeric box showing its default
// already only has its spinner position set.
void applySlotDefaults(TeamDocument& doc);
void applySlotDefaults(TeamDocument& doc, SlotIndex slot);

// The value rule on a bare text, shared with the file encoder.
std::uint32_t numericValue(std::string_view text);
// Comparisons ignoring the case of ASCII letters, as in the "C" locale the program runs in.
constexpr char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}
constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}
