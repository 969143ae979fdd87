// The team file layout: every offset, size and code table of the .fbt format, shared by the encoder
// and the decoder. Multi-byte values are stored high byte first; the file carries no padding of its
// own beyond the zero bytes listed here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "roster/slot_table.h"

namespace layout {

inline constexpr std::array<std::uint8_t, 46> kHeader = {
    0x0E, 'T',  'e',  'a',  'm',  ' ',  'F',  'i',  'l',  'e',  ' ',  'v',  '2',  '.',  '2', 0x00,
    0x00, 0x00, 0x00, 0x00, 0x22, 0xB9, 0x04, '7',  '/',  '7',  '/',  ' ',  'R',  'e',  'c', 'e',
    'i',  'v',  'e',  'r',  0x00, 0x00, 0x00, 0x01, 0x3E, 0x76, 0x00, 0x00, 0x3E, 0x76,
};
inline constexpr std::size_t kVersionOffset = 14;
inline constexpr std::uint8_t kCurrentVersion = '2';

inline constexpr std::size_t kColorSize = 6; // red, green, blue: two bytes each
inline constexpr std::size_t kRecordSize = 58;
inline constexpr std::size_t kRecordCount = 44;
inline constexpr std::size_t kTailSize = 40;

inline constexpr std::size_t kJerseyOffset = kHeader.size();
inline constexpr std::size_t kStripeOffset = kJerseyOffset + kColorSize;
inline constexpr std::size_t kRecordsOffset = kStripeOffset + kColorSize;
inline constexpr std::size_t kHelmetOffset = kRecordsOffset + kRecordCount * kRecordSize;
inline constexpr std::size_t kHomePantsOffset = kHelmetOffset + kColorSize;
inline constexpr std::size_t kAwayPantsOffset = kHomePantsOffset + kColorSize;
inline constexpr std::size_t kTailOffset = kAwayPantsOffset + kColorSize;
inline constexpr std::size_t kTeamFileSize = kTailOffset + kTailSize;
// The reader never looks at the zero tail.
inline constexpr std::size_t kReadSize = kTailOffset;
// A file whose version byte is not kCurrentVersion takes the jersey colour for the helmet and the
// home pants, and this colour (red in the low byte) for the away pants.
inline constexpr std::uint32_t kOlderVersionAwayPants = 0xFEFEFE;

static_assert(kRecordsOffset == 58 && kHelmetOffset == 2610 && kTailOffset == 2628);
static_assert(kTeamFileSize == 2668);

// Offsets within a player record; every byte not named here is 0x00.
inline constexpr std::size_t kDepthStringOffset = 1;
inline constexpr std::size_t kSideOffset = 3;
inline constexpr std::size_t kNameLengthOffset = 4;
inline constexpr std::size_t kNameOffset = 5; // kNameCapacity bytes, then three zero bytes
inline constexpr std::size_t kPosGroupOffset = 37;
inline constexpr std::size_t kPosDetailOffset = 39;
inline constexpr std::size_t kNumberOffset = 41;
inline constexpr std::size_t kIconOffset = 45;
inline constexpr std::size_t kSpeedStepOffset = 49;
inline constexpr std::size_t kStrengthOffset = 51;
inline constexpr std::size_t kAgilityOffset = 53;
inline constexpr std::size_t kIntelligenceOffset = 55;
inline constexpr std::size_t kDisciplineOffset = 57;

static_assert(kNameOffset + kNameCapacity + 3 == kPosGroupOffset);
static_assert(kDisciplineOffset + 1 == kRecordSize);

// The reader's scratch buffer: every read lands at its start, the longest is a name (kNameCapacity bytes),
// and the name step puts a 0 after them.
inline constexpr std::size_t kScratchSize = kNameCapacity + 1;

inline constexpr int kSpeedPerStep = 25;
inline constexpr int kMaxSpeedStep = 6;
// A # or rating byte above this reads as 0.
inline constexpr int kMaxNumericByte = 100;

// Byte codes of the list fields.
inline constexpr std::array<std::uint8_t, 2> kDepthStringCodes = {0x01, 0x02}; // "1st", "2nd"
inline constexpr std::array<std::uint8_t, 2> kSideCodes = {0x00, 0x01};        // "OFF", "DEF"

struct PositionBytes {
    std::uint8_t group;
    std::uint8_t detail;
};
// In the order of PositionCode.
inline constexpr std::array<PositionBytes, 16> kPositionBytes = {{
    {0x08, 0x09},
    {0x07, 0x08},
    {0x06, 0x07},
    {0x06, 0x06},
    {0x05, 0x05},
    {0x04, 0x04},
    {0x03, 0x03},
    {0x02, 0x02},
    {0x01, 0x01},
    {0x0B, 0x07},
    {0x0B, 0x06},
    {0x0B, 0x05},
    {0x0A, 0x04},
    {0x09, 0x03},
    {0x09, 0x02},
    {0x09, 0x01},
}};
// What a position outside the sixteen codes is stored as ("OC").
inline constexpr PositionBytes kUnknownPositionBytes = {0x01, 0x01};

// Reading back: a group byte that only one position uses names it whatever the detail byte holds;
// a group byte shared by a family ("FB"/"HB", "FS"/"SS"/"CB", "DE"/"DT"/"NT") needs the detail byte
// too. The index into PositionCode, or -1 for bytes that name no position.
constexpr int decodePosition(std::uint8_t group, std::uint8_t detail) {
    int sameGroup = -1;
    int sharing = 0;
    for (std::size_t i = 0; i < kPositionBytes.size(); ++i) {
        if (kPositionBytes[i].group != group)
            continue;
        if (kPositionBytes[i].detail == detail)
            return static_cast<int>(i);
        sameGroup = static_cast<int>(i);
        ++sharing;
    }
    return sharing == 1 ? sameGroup : -1;
}

// The file keeps the roster pages in this order: Defensive Starters before Offensive Reserves.
inline constexpr std::array<PageIndex, 4> kRecordPageOrder = {kOffensiveStarters, kDefensiveStarters,
                                                              kOffensiveReserves, kDefensiveReserves};

// The slot that a record holds.
constexpr SlotIndex recordSlot(std::size_t record) {
    return kRecordPageOrder[record / kRowsPerPage] * kRowsPerPage + static_cast<int>(record % kRowsPerPage);
}
// The record that holds a slot.
constexpr std::size_t slotRecord(SlotIndex slot) {
    const auto row = static_cast<std::size_t>(slot % kRowsPerPage);
    std::size_t pageInFile = 0;
    while (kRecordPageOrder[pageInFile] != slot / kRowsPerPage)
        ++pageInFile;
    return pageInFile * kRowsPerPage + row;
}
constexpr std::size_t recordOffset(std::size_t record) {
    return kRecordsOffset + record * kRecordSize;
}
// Where a byte of a slot's record stands in the file.
constexpr std::size_t slotByteOffset(SlotIndex slot, std::size_t offsetInRecord) {
    return recordOffset(slotRecord(slot)) + offsetInRecord;
}

static_assert(slotRecord(recordSlot(0)) == 0 && slotRecord(recordSlot(25)) == 25 && slotRecord(43) == 43);

// Page defaults for String and Side texts that are neither offered value, by PageIndex.
inline constexpr std::array<std::uint8_t, 4> kPageDepthStringCode = {0x01, 0x02, 0x01, 0x02};
inline constexpr std::array<std::uint8_t, 4> kPageSideCode = {0x00, 0x00, 0x01, 0x01};

// A colour component x (0..255) is stored as (x + 1)^2 - 1.
constexpr std::uint16_t encodeColorComponent(int x) {
    return static_cast<std::uint16_t>((x + 1) * (x + 1) - 1);
}
// The inverse for any stored value: floor(sqrt(v + 1)) - 1.
constexpr int decodeColorComponent(std::uint16_t v) {
    const int n = v + 1;
    int root = 0;
    for (int bit = 256; bit > 0; bit >>= 1)
        if ((root + bit) * (root + bit) <= n)
            root += bit;
    return root - 1;
}

} // namespace layout
