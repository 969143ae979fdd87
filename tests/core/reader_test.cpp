#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "teamfile/decoder.h"
#include "teamfile/encoder.h"
#include "teamfile/reader.h"
#include "teamfile/writer.h"
#include "tests/core/decoder_test_support.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"

using namespace layout;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes fileOf(const TeamDocument& doc) {
    const TeamFileBytes bytes = encodeTeam(doc);
    return {bytes.begin(), bytes.end()};
}

Bytes newTeamFile() {
    return fileOf(TeamInMemory().doc);
}

void putBytes(Bytes& file, std::size_t offset, const Bytes& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
        file.at(offset + i) = bytes[i];
}

// Every list field holds a text that no file byte selects, so a field the decoder leaves alone shows.
void markListFields(TeamDocument& doc) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        setFieldText(doc, slot, SlotField::depthString, "d?");
        setFieldText(doc, slot, SlotField::side, "s?");
        setFieldText(doc, slot, SlotField::position, "p?");
    }
}

TeamState decodedState(const Bytes& file) {
    TeamInMemory team;
    decodeTeam(team.doc, file);
    return teamState(team.doc);
}

// The colour component by the iterative square root the game's reader uses.
int iterativeColorComponent(std::uint16_t v) {
    const double n = v + 1.0;
    double s = n / 2;
    do
        s = (n / s + s) / 2;
    while (std::fabs(s * s - n) > 1e-7);
    return static_cast<int>(s) - 1;
}

constexpr ColorRef gray(int x) {
    return makeColor(x, x, x);
}

// The fields of a slot whose bytes the decoder found past the end of the file after a name step.
void expectSlotReadPastTheEnd(const TeamDocument& doc, const TeamState& before, SlotIndex slot,
                              const char* what) {
    EXPECT_EQ(fieldText(doc, slot, SlotField::depthString), before.texts[slot][0])
        << what << " slot " << slot;
    EXPECT_EQ(fieldText(doc, slot, SlotField::side), "OFF") << what << " slot " << slot;
    EXPECT_EQ(fieldText(doc, slot, SlotField::playerName), "") << what << " slot " << slot;
    EXPECT_EQ(fieldText(doc, slot, SlotField::position), before.texts[slot][3]) << what << " slot " << slot;
    EXPECT_EQ(fieldText(doc, slot, SlotField::number), "0") << what << " slot " << slot;
    EXPECT_EQ(fieldText(doc, slot, SlotField::icon), "1") << what << " slot " << slot;
    for (SlotField field : kRatingFields)
        EXPECT_EQ(fieldText(doc, slot, field), "0") << what << " slot " << slot;
}

} // namespace

TEST(Decoder, ColorComponentEqualsTheIterativeSquareRootForEveryStoredValue) {
    int mismatches = 0;
    for (int v = 0; v <= 0xFFFF; ++v) {
        const int expected = iterativeColorComponent(static_cast<std::uint16_t>(v));
        if (decodeColorComponent(static_cast<std::uint16_t>(v)) != expected && ++mismatches <= 5)
            ADD_FAILURE() << "stored value " << v << " should give " << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Decoder, ColorBytesGiveTheirComponentInEveryColour) {
    struct Case {
        std::uint8_t high, low;
        int component;
    };
    const Case cases[] = {{0x00, 0x00, 0},   {0x00, 0x02, 0},   {0x00, 0x03, 1},
                          {0x52, 0x20, 144}, {0x52, 0x1F, 143}, {0xBB, 0x58, 218},
                          {0xBD, 0x0F, 219}, {0xFE, 0x00, 254}, {0xFF, 0xFF, 255}};
    for (const Case& c : cases) {
        Bytes file = newTeamFile();
        for (std::size_t offset :
             {kJerseyOffset, kStripeOffset, kHelmetOffset, kHomePantsOffset, kAwayPantsOffset})
            putBytes(file, offset, {c.high, c.low, c.high, c.low, c.high, c.low});
        const TeamState state = decodedState(file);
        for (ColorRef color : state.colors)
            EXPECT_EQ(color, gray(c.component)) << std::hex << int{c.high} << " " << int{c.low};
    }

    Bytes file = newTeamFile();
    putBytes(file, kStripeOffset, {0x00, 0x03, 0x52, 0x20, 0xFF, 0xFF});
    EXPECT_EQ(decodedState(file).colors[stripeColor], makeColor(1, 144, 255))
        << "red, green, blue in that order";
}

TEST(Decoder, NamesTakeTheirLengthAndEndAtTheFirstZero) {
    struct Case {
        const char* what;
        std::uint8_t length;
        Bytes text;
        std::string expected;
    };
    const Case cases[] = {
        {"empty", 0x00, {'A', 'B', 'C'}, ""},
        {"a zero inside", 0x05, {0x41, 0x42, 0x00, 0x43, 0x44}, "AB"},
        {"the length counts", 0x03, {'A', 'B', 'C', 'D', 'E'}, "ABC"},
        {"29 characters", 0x1D, Bytes(29, 'x'), std::string(29, 'x')},
        {"length 30 takes all 29", 0x1E, Bytes(29, 'y'), std::string(29, 'y')},
        {"length 255 takes all 29", 0xFF, Bytes(29, 'z'), std::string(29, 'z')},
        {"a long length ends at a zero", 0xFF, {'A', 'n', 'n', 0x00, 'L', 'e', 'e'}, "Ann"},
        {"any byte is a character", 0x03, {0xE9, 0x7F, 0x01}, "\xE9\x7F\x01"},
    };
    for (const Case& c : cases) {
        Bytes file = newTeamFile();
        Bytes field(kNameCapacity, 0x00);
        std::copy(c.text.begin(), c.text.end(), field.begin());
        putBytes(file, slotByteOffset(0, kNameLengthOffset), {c.length});
        putBytes(file, slotByteOffset(0, kNameOffset), field);
        const TeamState state = decodedState(file);
        EXPECT_EQ(state.texts[0][static_cast<int>(SlotField::playerName)], c.expected) << c.what;
        EXPECT_EQ(state.texts[1], decodedState(newTeamFile()).texts[1])
            << c.what << ": the next record is intact";
    }
}

TEST(Decoder, ListCodesSelectTheirTextOrLeaveTheFieldAlone) {
    struct Case {
        SlotField field;
        std::size_t offset;
        Bytes bytes;
        const char* expected; // nullptr: the field keeps the text it held
    };
    const Case cases[] = {
        {SlotField::depthString, kDepthStringOffset, {0x01}, "1st"},
        {SlotField::depthString, kDepthStringOffset, {0x02}, "2nd"},
        {SlotField::depthString, kDepthStringOffset, {0x00}, nullptr},
        {SlotField::depthString, kDepthStringOffset, {0x03}, nullptr},
        {SlotField::side, kSideOffset, {0x00}, "OFF"},
        {SlotField::side, kSideOffset, {0x01}, "DEF"},
        {SlotField::side, kSideOffset, {0x02}, nullptr},
        {SlotField::side, kSideOffset, {0xFF}, nullptr},
        {SlotField::position, kPosGroupOffset, {0x08, 0x00, 0x00}, "QB"},
        {SlotField::position, kPosGroupOffset, {0x08, 0x00, 0xFF}, "QB"},
        {SlotField::position, kPosGroupOffset, {0x07, 0x00, 0x00}, "KK"},
        {SlotField::position, kPosGroupOffset, {0x06, 0x00, 0x07}, "FB"},
        {SlotField::position, kPosGroupOffset, {0x06, 0x00, 0x06}, "HB"},
        {SlotField::position, kPosGroupOffset, {0x06, 0x00, 0x05}, nullptr},
        {SlotField::position, kPosGroupOffset, {0x06, 0x07, 0x00}, nullptr},
        {SlotField::position, kPosGroupOffset, {0x05, 0x00, 0x01}, "WR"},
        {SlotField::position, kPosGroupOffset, {0x04, 0x00, 0x00}, "TE"},
        {SlotField::position, kPosGroupOffset, {0x03, 0x00, 0x09}, "OT"},
        {SlotField::position, kPosGroupOffset, {0x02, 0x00, 0x00}, "OG"},
        {SlotField::position, kPosGroupOffset, {0x01, 0x00, 0x00}, "OC"},
        {SlotField::position, kPosGroupOffset, {0x0B, 0x00, 0x07}, "FS"},
        {SlotField::position, kPosGroupOffset, {0x0B, 0x00, 0x06}, "SS"},
        {SlotField::position, kPosGroupOffset, {0x0B, 0x00, 0x05}, "CB"},
        {SlotField::position, kPosGroupOffset, {0x0B, 0x00, 0x08}, nullptr},
        {SlotField::position, kPosGroupOffset, {0x0A, 0x00, 0x00}, "LB"},
        {SlotField::position, kPosGroupOffset, {0x09, 0x00, 0x03}, "DE"},
        {SlotField::position, kPosGroupOffset, {0x09, 0x00, 0x02}, "DT"},
        {SlotField::position, kPosGroupOffset, {0x09, 0x00, 0x01}, "NT"},
        {SlotField::position, kPosGroupOffset, {0x09, 0x00, 0x04}, nullptr},
        {SlotField::position, kPosGroupOffset, {0x0C, 0x00, 0x01}, nullptr},
        {SlotField::position, kPosGroupOffset, {0x00, 0x00, 0x00}, nullptr},
    };
    constexpr SlotIndex kDefensiveStarter = 25;
    for (const Case& c : cases) {
        Bytes file = newTeamFile();
        putBytes(file, slotByteOffset(kDefensiveStarter, c.offset), c.bytes);
        TeamInMemory team;
        setFieldText(team.doc, kDefensiveStarter, c.field, "typed");
        decodeTeam(team.doc, file);
        EXPECT_EQ(fieldText(team.doc, kDefensiveStarter, c.field), c.expected ? c.expected : "typed")
            << "field " << static_cast<int>(c.field) << " byte " << int{c.bytes[0]};
    }
}

TEST(Decoder, NumberBytesGoThroughTheSpinnerRange) {
    struct Case {
        SlotField field;
        std::size_t offset;
        std::uint8_t byte;
        int expected;
    };
    const Case cases[] = {
        {SlotField::number, kNumberOffset, 0x00, 0},
        {SlotField::number, kNumberOffset, 0x2A, 42},
        {SlotField::number, kNumberOffset, 0x63, 99},
        {SlotField::number, kNumberOffset, 0x64, 99},
        {SlotField::number, kNumberOffset, 0x65, 0},
        {SlotField::number, kNumberOffset, 0xFF, 0},
        {SlotField::icon, kIconOffset, 0x00, 1},
        {SlotField::icon, kIconOffset, 0x01, 1},
        {SlotField::icon, kIconOffset, 0x0E, 14},
        {SlotField::icon, kIconOffset, 0x0F, 14},
        {SlotField::icon, kIconOffset, 0x64, 14},
        {SlotField::icon, kIconOffset, 0x65, 1},
        {SlotField::icon, kIconOffset, 0xC8, 1},
        {SlotField::speed, kSpeedStepOffset, 0x00, 0},
        {SlotField::speed, kSpeedStepOffset, 0x01, 25},
        {SlotField::speed, kSpeedStepOffset, 0x06, 150},
        {SlotField::speed, kSpeedStepOffset, 0x07, 0},
        {SlotField::speed, kSpeedStepOffset, 0xFF, 0},
        {SlotField::strength, kStrengthOffset, 0x64, 100},
        {SlotField::strength, kStrengthOffset, 0x65, 0},
        {SlotField::agility, kAgilityOffset, 0x37, 55},
        {SlotField::agility, kAgilityOffset, 0x80, 0},
        {SlotField::intelligence, kIntelligenceOffset, 1, 1},
        {SlotField::intelligence, kIntelligenceOffset, 0xFF, 0},
        {SlotField::discipline, kDisciplineOffset, 0x64, 100},
        {SlotField::discipline, kDisciplineOffset, 0x9C, 0},
    };
    constexpr SlotIndex kReserve = 40;
    for (const Case& c : cases) {
        Bytes file = newTeamFile();
        putBytes(file, slotByteOffset(kReserve, c.offset), {c.byte});
        TeamInMemory team;
        setFieldText(team.doc, kReserve, c.field, "typed");
        decodeTeam(team.doc, file);
        EXPECT_EQ(fieldText(team.doc, kReserve, c.field), std::to_string(c.expected))
            << "field " << static_cast<int>(c.field) << " byte " << int{c.byte};
        EXPECT_EQ(settleSpinnerPosition(team.doc, kReserve, c.field), c.expected);
    }
}

TEST(Decoder, OlderVersionsDeriveHelmetAndPantsFromTheJersey) {
    TeamInMemory source;
    source.doc.colors = {makeColor(10, 20, 30), makeColor(40, 50, 60), makeColor(70, 80, 90),
                         makeColor(100, 110, 120), makeColor(130, 140, 150)};
    setFieldText(source.doc, 12, SlotField::playerName, "Older Player");
    const TeamState written = teamState(source.doc);

    struct Case {
        std::uint8_t version;
        bool current;
    };
    const Case cases[] = {{0x32, true}, {0x31, false}, {0x00, false}, {0x33, false}, {0xB2, false}};
    for (const Case& c : cases) {
        Bytes file = fileOf(source.doc);
        file[kVersionOffset] = c.version;
        const TeamState read = decodedState(file);
        EXPECT_EQ(read.texts, written.texts) << int{c.version};
        EXPECT_EQ(read.colors[jerseyColor], written.colors[jerseyColor]) << int{c.version};
        EXPECT_EQ(read.colors[stripeColor], written.colors[stripeColor]) << int{c.version};
        const ColorRef jersey = written.colors[jerseyColor];
        EXPECT_EQ(read.colors[helmetColor], c.current ? written.colors[helmetColor] : jersey)
            << int{c.version};
        EXPECT_EQ(read.colors[homePantsColor], c.current ? written.colors[homePantsColor] : jersey)
            << int{c.version};
        EXPECT_EQ(read.colors[awayPantsColor], c.current ? written.colors[awayPantsColor] : 0xFEFEFE)
            << int{c.version};
    }
}

TEST(Decoder, EncodedTeamsDecodeToThemselvesWhateverTheDocumentHeld) {
    TeamMaker maker(20240611);
    for (int round = 0; round < 500; ++round) {
        TeamInMemory source;
        maker.exactTeam(source.doc);
        const Bytes file = fileOf(source.doc);

        TeamInMemory target;
        scrambleTeam(target.doc);
        decodeTeam(target.doc, file);
        const std::string difference = firstDifference(teamState(target.doc), teamState(source.doc));
        ASSERT_EQ(difference, "") << "round " << round;
        EXPECT_EQ(decodedState(Bytes(file.begin(), file.begin() + kReadSize)), teamState(source.doc))
            << "round " << round << ": the zero tail is never read";
    }
}

TEST(Decoder, SavingAndReadingBringTextsIntoTheFilesValues) {
    struct Case {
        SlotField field;
        std::string typed;
        std::string read;
    };
    const Case cases[] = {
        {SlotField::icon, "0", "1"},
        {SlotField::icon, "15", "1"},
        {SlotField::speed, "140", "125"},
        {SlotField::speed, "", "0"},
        {SlotField::number, "100", "0"},
        {SlotField::strength, "250", "100"},
        {SlotField::position, "qb", "QB"},
        {SlotField::position, "XX", "OC"},
        {SlotField::depthString, "2ND", "2nd"},
        {SlotField::side, "neither", "DEF"},
        {SlotField::playerName, std::string(35, 'n'), std::string(29, 'n')},
    };
    constexpr SlotIndex kDefensiveReserve = 36;
    for (const Case& c : cases) {
        TeamInMemory source;
        setFieldText(source.doc, kDefensiveReserve, c.field, c.typed);
        TeamInMemory target;
        scrambleTeam(target.doc);
        decodeTeam(target.doc, fileOf(source.doc));
        EXPECT_EQ(fieldText(target.doc, kDefensiveReserve, c.field), c.read) << "'" << c.typed << "'";
    }
}

TEST(Decoder, EveryCutOfAFileReadsItsPrefixAndZerosAfterIt) {
    TeamMaker maker(7);
    TeamInMemory source;
    maker.exactTeam(source.doc);
    const Bytes full = fileOf(source.doc);
    const TeamState whole = decodedState(full);

    for (std::size_t cut = 0; cut <= kReadSize; ++cut) {
        TeamInMemory team;
        markListFields(team.doc);
        const TeamState before = teamState(team.doc);
        decodeTeam(team.doc, std::span<const std::uint8_t>(full.data(), cut));
        const TeamState state = teamState(team.doc);
        const std::string what = "cut at " + std::to_string(cut);

        // The first record whose name length byte is past the end: from its name step on, the
        // current byte is 0.
        std::size_t cutRecord = 0;
        while (cutRecord < kRecordCount && recordOffset(cutRecord) + kNameLengthOffset < cut)
            ++cutRecord;
        for (std::size_t record = 0; record < kRecordCount; ++record) {
            const SlotIndex slot = recordSlot(record);
            if (recordOffset(record) + kRecordSize <= cut) {
                EXPECT_EQ(state.texts[slot], whole.texts[slot]) << what << " record " << record;
            } else if (record > cutRecord) {
                expectSlotReadPastTheEnd(team.doc, before, slot, what.c_str());
            }
        }

        if (cut >= kStripeOffset) {
            EXPECT_EQ(state.colors[jerseyColor], whole.colors[jerseyColor]) << what;
        }
        if (cut >= kRecordsOffset) {
            EXPECT_EQ(state.colors[stripeColor], whole.colors[stripeColor]) << what;
        }
        const std::uint8_t versionByte = cut == 0 ? 0 : full[std::min(cut, kVersionOffset + 1) - 1];
        if (versionByte != kCurrentVersion) {
            EXPECT_EQ(state.colors[helmetColor], state.colors[jerseyColor]) << what;
            EXPECT_EQ(state.colors[homePantsColor], state.colors[jerseyColor]) << what;
            EXPECT_EQ(state.colors[awayPantsColor], 0xFEFEFEu) << what;
        } else if (cutRecord < kRecordCount) {
            EXPECT_EQ(state.colors[helmetColor], 0u) << what;
            EXPECT_EQ(state.colors[homePantsColor], 0u) << what;
            EXPECT_EQ(state.colors[awayPantsColor], 0u) << what;
        }
    }
}

TEST(Decoder, ANameCutShortKeepsWhatEarlierNamesLeftInTheScratchBuffer) {
    // Record 0 holds a 29-byte name, which fills the scratch buffer without a second read; record 1
    // announces 20 bytes but the file ends after 3 of them.
    const std::string longName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012";
    TeamInMemory source;
    setFieldText(source.doc, 0, SlotField::playerName, longName);
    Bytes file = fileOf(source.doc);
    putBytes(file, recordOffset(1) + kNameLengthOffset, {20, 'x', 'y', 'z'});
    file.resize(recordOffset(1) + kNameOffset + 3);

    TeamInMemory team;
    markListFields(team.doc);
    const TeamState before = teamState(team.doc);
    decodeTeam(team.doc, file);

    EXPECT_EQ(fieldText(team.doc, 0, SlotField::playerName), longName);
    EXPECT_EQ(fieldText(team.doc, 1, SlotField::playerName), "xyz" + longName.substr(3, 17));
    EXPECT_EQ(fieldText(team.doc, 1, SlotField::position), "p?");
    EXPECT_EQ(fieldText(team.doc, 1, SlotField::number), "0");
    EXPECT_EQ(fieldText(team.doc, 1, SlotField::icon), "1");
    for (std::size_t record = 2; record < kRecordCount; ++record)
        expectSlotReadPastTheEnd(team.doc, before, recordSlot(record), "name cut");
    EXPECT_EQ(team.doc.colors, (TeamColors{0x909090, 0, 0xDBDBDA, 0, 0}));
}

TEST(Decoder, FieldsAfterARecordCutShortTakeTheLastByteDelivered) {
    // Record 5 ends after its # byte 7: the rest of the record reads 7 again, and the next record's
    // name length is 7 over a scratch buffer that the previous names left zero.
    Bytes file = newTeamFile();
    file[recordOffset(5) + kNumberOffset] = 7;
    file.resize(recordOffset(5) + kNumberOffset + 1);

    TeamInMemory team;
    markListFields(team.doc);
    const TeamState before = teamState(team.doc);
    decodeTeam(team.doc, file);

    const SlotIndex cutSlot = recordSlot(5), nextSlot = recordSlot(6);
    EXPECT_EQ(fieldText(team.doc, cutSlot, SlotField::position), "OC");
    EXPECT_EQ(fieldText(team.doc, cutSlot, SlotField::number), "7");
    EXPECT_EQ(fieldText(team.doc, cutSlot, SlotField::icon), "7");
    EXPECT_EQ(fieldText(team.doc, cutSlot, SlotField::speed), "0");
    for (SlotField field :
         {SlotField::strength, SlotField::agility, SlotField::intelligence, SlotField::discipline})
        EXPECT_EQ(fieldText(team.doc, cutSlot, field), "7");
    EXPECT_EQ(fieldText(team.doc, nextSlot, SlotField::depthString), "d?");
    EXPECT_EQ(fieldText(team.doc, nextSlot, SlotField::side), "s?");
    EXPECT_EQ(fieldText(team.doc, nextSlot, SlotField::playerName), "\x07");
    EXPECT_EQ(fieldText(team.doc, nextSlot, SlotField::position), "p?");
    EXPECT_EQ(fieldText(team.doc, nextSlot, SlotField::icon), "1");
    for (std::size_t record = 7; record < kRecordCount; ++record)
        expectSlotReadPastTheEnd(team.doc, before, recordSlot(record), "record cut");
}

TEST(Decoder, FilesCutInTheHeaderOrTheFirstColourRepeatTheLastByte) {
    struct Case {
        std::size_t size;
        ColorRef firstColors; // jersey and stripe
        bool current;         // the version flag, from the current byte when byte 14 is missing
        const char* firstName;
    };
    const Case cases[] = {
        {10, gray(160), false, "e"}, // ... 'e' (0x65): 0x6565 gives 160, length 101 takes one 'e'
        {13, gray(112), true, "2"},  // ... 'v', '2': the current byte is the character "2"
        {15, gray(112), true, "2"},  // the version byte itself
        {47, gray(144), true, "R"},  // the jersey's first byte 0x52
    };
    for (const Case& c : cases) {
        Bytes file = newTeamFile();
        file.resize(c.size);
        TeamInMemory team;
        markListFields(team.doc);
        const TeamState before = teamState(team.doc);
        decodeTeam(team.doc, file);
        EXPECT_EQ(team.doc.colors[jerseyColor], c.firstColors) << c.size;
        EXPECT_EQ(team.doc.colors[stripeColor], c.firstColors) << c.size;
        // The current version reads the last colours from the zero that the names left behind.
        EXPECT_EQ(team.doc.colors[helmetColor], c.current ? 0 : c.firstColors) << c.size;
        EXPECT_EQ(team.doc.colors[homePantsColor], c.current ? 0 : c.firstColors) << c.size;
        EXPECT_EQ(team.doc.colors[awayPantsColor], c.current ? 0 : 0xFEFEFE) << c.size;
        EXPECT_EQ(fieldText(team.doc, 0, SlotField::depthString), "d?") << c.size;
        EXPECT_EQ(fieldText(team.doc, 0, SlotField::side), "s?") << c.size;
        EXPECT_EQ(fieldText(team.doc, 0, SlotField::playerName), c.firstName) << c.size;
        for (std::size_t record = 1; record < kRecordCount; ++record)
            expectSlotReadPastTheEnd(team.doc, before, recordSlot(record), "header cut");
    }
}

TEST(Reader, ASavedTeamReadsBackTheSameAndTheReadLeavesTheCurrentFileAlone) {
    TempFolder folder;
    const std::string path = folder.file("team.fbt");
    TeamInMemory source;
    setFieldText(source.doc, 0, SlotField::playerName, std::string(29, 'Q'));
    setFieldText(source.doc, 1, SlotField::playerName, "");
    selectListValue(source.doc, 2, SlotField::side, "DEF");
    selectListValue(source.doc, 40, SlotField::depthString, "1st");
    selectListValue(source.doc, 30, SlotField::position, "KK");
    setSpinnerValue(source.doc, 3, SlotField::number, 0);
    setSpinnerValue(source.doc, 4, SlotField::number, 99);
    setSpinnerValue(source.doc, 5, SlotField::icon, 14);
    setSpinnerValue(source.doc, 6, SlotField::speed, 150);
    setSpinnerValue(source.doc, 7, SlotField::discipline, 100);
    source.doc.colors = {0x000000, 0xFFFFFF, 0x0180FE, 0x123456, 0xABCDEF};
    ASSERT_TRUE(writeTeamFile(source.doc, path).ok);

    TeamInMemory target;
    scrambleTeam(target.doc);
    target.doc.currentPath = "previous.fbt";
    FileStatus examined;
    const FileResult result = openTeamFileInto(target.doc, path, examined);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(target.doc.currentPath, "previous.fbt");
    EXPECT_EQ(firstDifference(teamState(target.doc), teamState(source.doc)), "");
    EXPECT_EQ(examined.type, std::filesystem::file_type::regular);
    EXPECT_EQ(examined.size, kTeamFileSize);
}

TEST(Reader, TheZeroTailAndAnythingAfterItAreNeverRead) {
    TeamMaker maker(99);
    TeamInMemory source;
    maker.exactTeam(source.doc);
    const Bytes full = fileOf(source.doc);
    Bytes junkTail = full;
    std::fill(junkTail.begin() + kTailOffset, junkTail.end(), 0xCD);
    Bytes longer = full;
    longer.resize(100000, 0xAB);

    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"2668 bytes", full},
        {"2628 bytes", Bytes(full.begin(), full.begin() + kReadSize)},
        {"a tail that is not zero", junkTail},
        {"100000 bytes", longer},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.file("team.fbt");
        writeFileBytes(path, c.bytes);
        TeamInMemory target;
        scrambleTeam(target.doc);
        FileStatus examined;
        const FileResult result = openTeamFileInto(target.doc, path, examined);
        ASSERT_TRUE(result.ok) << c.what << ": " << result.reason;
        EXPECT_EQ(examined.size, c.bytes.size()) << c.what;
        EXPECT_EQ(firstDifference(teamState(target.doc), teamState(source.doc)), "") << c.what;
    }
}

TEST(Reader, AFileOfSeveralGigabytesIsReadFromItsStart) {
    TempFolder folder;
    const std::string path = folder.file("huge.fbt");
    TeamInMemory source;
    setFieldText(source.doc, 43, SlotField::playerName, "Last Player");
    writeFileBytes(path, fileOf(source.doc));
    std::error_code error;
    std::filesystem::resize_file(path, 5ull << 30, error);
    if (error)
        GTEST_SKIP() << "no sparse file of 5 GiB here: " << error.message();

    TeamInMemory target;
    FileStatus examined;
    const FileResult result = openTeamFileInto(target.doc, path, examined);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(firstDifference(teamState(target.doc), teamState(source.doc)), "");
}

TEST(Reader, AnEmptyFileIsReadAsEveryReadDeliveringNothing) {
    TempFolder folder;
    const std::string path = folder.file("empty.fbt");
    writeFileBytes(path, {});

    TeamInMemory team;
    setFieldText(team.doc, 5, SlotField::depthString, "3rd");
    setFieldText(team.doc, 30, SlotField::position, "XX");
    team.doc.currentPath = "previous.fbt";
    const TeamState before = teamState(team.doc);
    FileStatus examined;
    const FileResult result = openTeamFileInto(team.doc, path, examined);

    ASSERT_TRUE(result.ok) << result.reason;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        expectSlotReadPastTheEnd(team.doc, before, slot, "empty file");
    EXPECT_EQ(fieldText(team.doc, 5, SlotField::depthString), "3rd");
    EXPECT_EQ(fieldText(team.doc, 30, SlotField::position), "XX");
    EXPECT_EQ(team.doc.colors, (TeamColors{0x000000, 0x000000, 0x000000, 0x000000, 0xFEFEFE}));
}

// Anything but a regular file is refused before it is opened, so that a pipe without a writer or a
// device cannot hold the reader up.
TEST(Reader, AFileThatCannotBeReadChangesNothing) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("folder.fbt"));
    struct Case {
        const char* what;
        std::string path;
        FileFailure failure;
        const char* reason; // nullptr: the system's own
    };
    std::vector<Case> cases = {
        {"missing file", folder.file("missing.fbt"), FileFailure::notFound, nullptr},
        {"missing folder", folder.file("no-such-folder/team.fbt"), FileFailure::notFound, nullptr},
        {"a folder", folder.file("folder.fbt"), FileFailure::other, "This is a folder, not a team file."},
        {"empty path", "", FileFailure::notFound, nullptr},
    };
#ifdef _WIN32
    cases.push_back({"the device NUL", "NUL", FileFailure::other, "This is a device, not a team file."});
    cases.push_back({"NUL in a folder", folder.file("nul.fbt"), FileFailure::other,
                     "This is a device, not a team file."});
#else
    ASSERT_EQ(mkfifo(folder.file("pipe.fbt").c_str(), 0600), 0);
    cases.push_back({"a pipe without a writer", folder.file("pipe.fbt"), FileFailure::other,
                     "This is a pipe, not a team file."});
    cases.push_back({"a device", "/dev/zero", FileFailure::other, "This is a device, not a team file."});
#endif
    for (const Case& c : cases) {
        TeamInMemory team;
        setFieldText(team.doc, 9, SlotField::playerName, "Kept");
        team.doc.colors[stripeColor] = 0x010203;
        team.doc.currentPath = "previous.fbt";
        const TeamState before = teamState(team.doc);

        FileStatus examined;
        const FileResult result = openTeamFileInto(team.doc, c.path, examined);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.failure, c.failure) << c.what << ": " << result.reason;
        EXPECT_FALSE(result.reason.empty()) << c.what;
        if (c.reason) {
            EXPECT_EQ(result.reason, c.reason) << c.what;
        }
        EXPECT_EQ(firstDifference(teamState(team.doc), before), "") << c.what;
        EXPECT_EQ(team.doc.currentPath, "previous.fbt") << c.what;
    }
}
