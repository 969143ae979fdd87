#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "teamfile/encoder.h"
#include "tests/support/test_team.h"

using namespace layout;

namespace {

std::vector<std::uint8_t> slice(const TeamFileBytes& bytes, std::size_t offset, std::size_t length) {
    return {bytes.begin() + offset, bytes.begin() + offset + length};
}

std::uint8_t recordByte(const TeamFileBytes& bytes, SlotIndex slot, std::size_t offset) {
    return bytes[slotByteOffset(slot, offset)];
}

constexpr SlotIndex kQB = 0, kKK = 11, kSS = 22, kSSa = 33;

} // namespace

TEST(Encoder, NewTeamMatchesTheGameFileByteForByte) {
    TeamInMemory team;
    const TeamFileBytes bytes = encodeTeam(team.doc);

    const std::vector<std::uint8_t> header = {
        0x0E, 0x54, 0x65, 0x61, 0x6D, 0x20, 0x46, 0x69, 0x6C, 0x65, 0x20, 0x76, 0x32, 0x2E, 0x32, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x22, 0xB9, 0x04, 0x37, 0x2F, 0x37, 0x2F, 0x20, 0x52, 0x65, 0x63, 0x65,
        0x69, 0x76, 0x65, 0x72, 0x00, 0x00, 0x00, 0x01, 0x3E, 0x76, 0x00, 0x00, 0x3E, 0x76};
    EXPECT_EQ(slice(bytes, 0, 46), header);
    EXPECT_EQ(slice(bytes, 46, 12), (std::vector<std::uint8_t>{0x52, 0x20, 0x52, 0x20, 0x52, 0x20, 0xBB, 0x58,
                                                               0xBD, 0x0F, 0xBD, 0x0F}));
    EXPECT_EQ(slice(bytes, 2610, 12), (std::vector<std::uint8_t>{0x52, 0x20, 0x52, 0x20, 0x52, 0x20, 0x52,
                                                                 0x20, 0x52, 0x20, 0x52, 0x20}));
    EXPECT_EQ(slice(bytes, 2622, 6), (std::vector<std::uint8_t>{0xFE, 0x00, 0xFE, 0x00, 0xFE, 0x00}));
    EXPECT_EQ(slice(bytes, 2628, 40), std::vector<std::uint8_t>(40, 0));

    std::vector<std::uint8_t> record0 = {0x00, 0x01, 0x00, 0x00, 0x09, '<', 'Q',
                                         'B',  ' ',  'n',  'a',  'm',  'e', '>'};
    record0.resize(34, 0x00);
    const std::vector<std::uint8_t> rest = {0x00, 0x00, 0x00, 0x08, 0x00, 0x09, 0x00, 0x01,
                                            0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02,
                                            0x00, 0x28, 0x00, 0x14, 0x00, 0x14, 0x00, 0x14};
    record0.insert(record0.end(), rest.begin(), rest.end());
    EXPECT_EQ(slice(bytes, 58, 58), record0);
}

TEST(Encoder, RecordsFollowTheFilesPageOrder) {
    TeamInMemory team;
    const TeamFileBytes bytes = encodeTeam(team.doc);
    struct Case {
        std::size_t offset;
        const char* name;
    };
    const Case cases[] = {{58, "<QB name>"}, {696, "<SS name>"}, {1334, "<K name>"}, {2552, "somebody"}};
    for (const Case& c : cases) {
        std::string name(bytes.begin() + c.offset + 5, bytes.begin() + c.offset + 5 + bytes[c.offset + 4]);
        EXPECT_EQ(name, c.name) << c.offset;
    }
    EXPECT_EQ(recordSlot(43), 43);
    EXPECT_EQ(recordSlot(11), 22);
    EXPECT_EQ(recordSlot(22), 11);
}

TEST(Encoder, ListTextsMapIgnoringCaseWithPageDefaults) {
    struct Case {
        SlotIndex slot;
        SlotField field;
        const char* text;
        std::size_t offset;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {kQB, SlotField::depthString, "2ND", kDepthStringOffset, 0x02},
        {kQB, SlotField::depthString, "1st ", kDepthStringOffset, 0x01},
        {kQB, SlotField::depthString, "1stXYZ", kDepthStringOffset, 0x01},
        {kKK, SlotField::depthString, "1s", kDepthStringOffset, 0x02},
        {kKK, SlotField::depthString, "", kDepthStringOffset, 0x02},
        {kSS, SlotField::depthString, "3rd", kDepthStringOffset, 0x01},
        {kSSa, SlotField::depthString, "3rd", kDepthStringOffset, 0x02},
        {kKK, SlotField::depthString, "1st", kDepthStringOffset, 0x01},
        {kQB, SlotField::side, "def", kSideOffset, 0x01},
        {kQB, SlotField::side, "XYZ", kSideOffset, 0x00},
        {kKK, SlotField::side, "XYZ", kSideOffset, 0x00},
        {kSS, SlotField::side, "XYZ", kSideOffset, 0x01},
        {kSSa, SlotField::side, "off", kSideOffset, 0x00},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, c.slot, c.field, c.text);
        EXPECT_EQ(recordByte(encodeTeam(team.doc), c.slot, c.offset), c.expected)
            << SlotTable[c.slot].label << " '" << c.text << "'";
    }
}

TEST(Encoder, PositionsUseTheirTwoBytesAndUnknownTextsBecomeOC) {
    struct Case {
        const char* text;
        std::uint8_t group, detail;
    };
    const Case cases[] = {
        {"qb", 0x08, 0x09}, {"QBX", 0x08, 0x09}, {"QX", 0x01, 0x01}, {"", 0x01, 0x01},   {"Q", 0x01, 0x01},
        {"KK", 0x07, 0x08}, {"FB", 0x06, 0x07},  {"HB", 0x06, 0x06}, {"WR", 0x05, 0x05}, {"TE", 0x04, 0x04},
        {"OT", 0x03, 0x03}, {"OG", 0x02, 0x02},  {"OC", 0x01, 0x01}, {"FS", 0x0B, 0x07}, {"SS", 0x0B, 0x06},
        {"CB", 0x0B, 0x05}, {"lb", 0x0A, 0x04},  {"DE", 0x09, 0x03}, {"dt", 0x09, 0x02}, {"NT", 0x09, 0x01},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, kSS, SlotField::position, c.text);
        const TeamFileBytes bytes = encodeTeam(team.doc);
        EXPECT_EQ(recordByte(bytes, kSS, kPosGroupOffset), c.group) << c.text;
        EXPECT_EQ(recordByte(bytes, kSS, kPosGroupOffset + 1), 0x00) << c.text;
        EXPECT_EQ(recordByte(bytes, kSS, kPosDetailOffset), c.detail) << c.text;
    }
}

TEST(Encoder, NumbersAreClampedOrMappedPerField) {
    struct Case {
        SlotField field;
        const char* text;
        std::size_t offset;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {SlotField::number, "100", kNumberOffset, 0x00},
        {SlotField::number, "99", kNumberOffset, 0x63},
        {SlotField::number, "", kNumberOffset, 0x00},
        {SlotField::icon, "15", kIconOffset, 0x01},
        {SlotField::icon, "14", kIconOffset, 0x0E},
        {SlotField::icon, "0", kIconOffset, 0x00},
        {SlotField::icon, "", kIconOffset, 0x00},
        {SlotField::speed, "150", kSpeedStepOffset, 6},
        {SlotField::speed, "174", kSpeedStepOffset, 6},
        {SlotField::speed, "175", kSpeedStepOffset, 6},
        {SlotField::speed, "1000", kSpeedStepOffset, 6},
        {SlotField::speed, "49", kSpeedStepOffset, 1},
        {SlotField::speed, "24", kSpeedStepOffset, 0},
        {SlotField::speed, "4294967295", kSpeedStepOffset, 6},
        {SlotField::strength, "101", kStrengthOffset, 100},
        {SlotField::strength, "255", kStrengthOffset, 100},
        {SlotField::agility, "007", kAgilityOffset, 7},
        {SlotField::intelligence, "x", kIntelligenceOffset, 0},
        {SlotField::discipline, "100", kDisciplineOffset, 100},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, kKK, c.field, c.text);
        EXPECT_EQ(recordByte(encodeTeam(team.doc), kKK, c.offset), c.expected) << "'" << c.text << "'";
    }
}

TEST(Encoder, NamesTakeAtMost29CharactersWithoutTerminator) {
    struct Case {
        std::string name;
        std::uint8_t length;
    };
    const Case cases[] = {{"", 0},
                          {"A", 1},
                          {std::string(29, 'x'), 29},
                          {std::string(30, 'y'), 29},
                          {std::string(40, 'z'), 29}};
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, kQB, SlotField::playerName, c.name);
        const TeamFileBytes bytes = encodeTeam(team.doc);
        EXPECT_EQ(bytes[58 + kNameLengthOffset], c.length);
        std::vector<std::uint8_t> expected(c.name.begin(), c.name.begin() + c.length);
        expected.resize(kNameCapacity, 0x00);
        EXPECT_EQ(slice(bytes, 58 + kNameOffset, kNameCapacity), expected) << c.name;
        EXPECT_EQ(slice(bytes, 58 + 34, 3), std::vector<std::uint8_t>(3, 0)) << c.name;
    }
}

TEST(Encoder, ColorComponentsAreStoredAsSquaresHighByteFirst) {
    struct Case {
        int component;
        std::uint8_t high, low;
    };
    const Case cases[] = {{0, 0x00, 0x00},   {1, 0x00, 0x03},   {63, 0x0F, 0xFF},  {144, 0x52, 0x20},
                          {218, 0xBB, 0x58}, {219, 0xBD, 0x0F}, {254, 0xFE, 0x00}, {255, 0xFF, 0xFF}};
    for (const Case& c : cases) {
        TeamInMemory team;
        team.doc.colors[awayPantsColor] = makeColor(c.component, 0, 255);
        const TeamFileBytes bytes = encodeTeam(team.doc);
        EXPECT_EQ(slice(bytes, kAwayPantsOffset, 6),
                  (std::vector<std::uint8_t>{c.high, c.low, 0x00, 0x00, 0xFF, 0xFF}))
            << c.component;
    }
}

// The clamps and page defaults go into the bytes only: the document, whose storage the encoder could
// reach through its reference, keeps every text and spinner position it had.
TEST(Encoder, LeavesTheDocumentAsItWas) {
    TeamInMemory team;
    setFieldText(team.doc, kQB, SlotField::strength, "500");
    setFieldText(team.doc, kQB, SlotField::position, "qbx");
    setFieldText(team.doc, kKK, SlotField::depthString, "");
    setFieldText(team.doc, kKK, SlotField::icon, "0");
    setFieldText(team.doc, kSS, SlotField::playerName, std::string(40, 'z'));
    setFieldText(team.doc, kSSa, SlotField::speed, "174");
    auto texts = [&team] {
        std::vector<std::string> all;
        for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
            for (SlotField field : kAllSlotFields)
                all.push_back(fieldText(team.doc, slot, field));
        return all;
    };
    const std::vector<std::string> textsBefore = texts();
    const auto positionsBefore = team.doc.spinnerPositions;

    encodeTeam(team.doc);
    EXPECT_EQ(texts(), textsBefore);
    EXPECT_EQ(team.doc.spinnerPositions, positionsBefore);
}
