#include <gtest/gtest.h>

#include "cli/csv_table.h"
#include "cli/quoting.h"
#include "tests/cli/cli_test_support.h"

using namespace layout;

namespace {

// A CSV of one slot row under a header of the slot and one field.
std::string oneFieldCsv(std::string_view label, SlotField field, std::string_view text) {
    return "Slot," + csvField(fieldCaption(field)) + "\r\n" + std::string(label) + "," + csvField(text) +
           "\r\n";
}

std::string oneFieldJson(std::string_view label, SlotField field, const std::string& value) {
    return R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": ")" + std::string(label) +
           R"(", ")" + std::string(fieldKey(field)) + "\": " + value + "}]}";
}

} // namespace

// The cases of saving typed texts from the editor: import types the same texts into the same boxes
// and must store the same bytes.
TEST(Import, AppliesTheClampsMappingsAndPageDefaultsOfSaving) {
    struct Case {
        const char* label;
        SlotField field;
        const char* text;
        std::size_t offset;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {"QB", SlotField::depthString, "2ND", kDepthStringOffset, 0x02},
        {"QB", SlotField::depthString, "1st ", kDepthStringOffset, 0x01},
        {"QB", SlotField::depthString, "1stXYZ", kDepthStringOffset, 0x01},
        {"KK", SlotField::depthString, "1s", kDepthStringOffset, 0x02},
        {"KK", SlotField::depthString, "", kDepthStringOffset, 0x02},
        {"SS", SlotField::depthString, "3rd", kDepthStringOffset, 0x01},
        {"SSa", SlotField::depthString, "3rd", kDepthStringOffset, 0x02},
        {"KK", SlotField::depthString, "1st", kDepthStringOffset, 0x01},
        {"QB", SlotField::side, "def", kSideOffset, 0x01},
        {"QB", SlotField::side, "XYZ", kSideOffset, 0x00},
        {"KK", SlotField::side, "", kSideOffset, 0x00},
        {"SS", SlotField::side, "XYZ", kSideOffset, 0x01},
        {"SSa", SlotField::side, "off", kSideOffset, 0x00},
        {"SS", SlotField::position, "qb", kPosGroupOffset, 0x08},
        {"SS", SlotField::position, "QBX", kPosGroupOffset, 0x08},
        {"SS", SlotField::position, "QX", kPosGroupOffset, 0x01},
        {"SS", SlotField::position, "", kPosGroupOffset, 0x01},
        {"SS", SlotField::position, "O", kPosGroupOffset, 0x01},
        {"SS", SlotField::position, "lb", kPosGroupOffset, 0x0A},
        {"KK", SlotField::number, "100", kNumberOffset, 0x00},
        {"KK", SlotField::number, "99", kNumberOffset, 0x63},
        {"KK", SlotField::number, "", kNumberOffset, 0x00},
        {"KK", SlotField::icon, "15", kIconOffset, 0x01},
        {"KK", SlotField::icon, "14", kIconOffset, 0x0E},
        {"KK", SlotField::icon, "0", kIconOffset, 0x00},
        {"KK", SlotField::icon, "", kIconOffset, 0x00},
        {"KK", SlotField::speed, "150", kSpeedStepOffset, 6},
        {"KK", SlotField::speed, "174", kSpeedStepOffset, 6},
        {"KK", SlotField::speed, "1000", kSpeedStepOffset, 6},
        {"KK", SlotField::speed, "49", kSpeedStepOffset, 1},
        {"KK", SlotField::speed, "24", kSpeedStepOffset, 0},
        {"KK", SlotField::speed, "4294967296", kSpeedStepOffset, 0},
        {"KK", SlotField::strength, "101", kStrengthOffset, 100},
        {"KK", SlotField::strength, "255", kStrengthOffset, 100},
        {"KK", SlotField::agility, "007", kAgilityOffset, 7},
        {"KK", SlotField::discipline, "100", kDisciplineOffset, 100},
    };
    for (const Case& c : cases) {
        const Imported csv = importText(oneFieldCsv(c.label, c.field, c.text), false);
        ASSERT_TRUE(csv.parsed.ok) << csv.parsed.error;
        EXPECT_EQ(csv.bytes[slotByteOffset(slotNamed(c.label), c.offset)], c.expected)
            << c.label << " " << fieldCaption(c.field) << " '" << c.text << "'";

        const Imported json = importText(oneFieldJson(c.label, c.field, inQuotes(c.text)), true);
        ASSERT_TRUE(json.parsed.ok) << json.parsed.error;
        EXPECT_EQ(json.bytes, csv.bytes) << c.label << " " << fieldCaption(c.field) << " '" << c.text << "'";
    }
}

TEST(Import, SlotsAndColoursLeftOutKeepTheNewTeamsValues) {
    const Imported imported = importText("Slot\r\n", false);
    ASSERT_TRUE(imported.parsed.ok);
    EXPECT_EQ(imported.bytes, newTeamBytes());

    const Imported colorsOnly = importText(R"({"version": 1, "format": "squadwright-team",
                                               "colors": {"stripe": "#0a0B0c"}})",
                                           true);
    ASSERT_TRUE(colorsOnly.parsed.ok) << colorsOnly.parsed.error;
    TeamInMemory expected;
    expected.doc.colors[stripeColor] = makeColor(0x0A, 0x0B, 0x0C);
    EXPECT_EQ(colorsOnly.bytes, encodeTeam(expected.doc));
}

TEST(Import, CsvNamesKeepQuotesCommasAndAll29Characters) {
    const std::string name = "O'Neil \"The Wall\", Jr. 1234"; // 27 characters
    const std::string longest = name + "xy";                  // 29
    const std::string csv = "Slot,Player Name,#\r\n"
                            "QB," +
                            csvField(longest) +
                            ",12\r\n"
                            "KK,\"" +
                            std::string(" \"\"x\"\",  ") + "\",3\r\n";
    const Imported imported = importText(csv, false);
    ASSERT_TRUE(imported.parsed.ok) << imported.parsed.error;
    const std::size_t qb = slotByteOffset(slotNamed("QB"), 0);
    EXPECT_EQ(imported.bytes[qb + kNameLengthOffset], 29);
    EXPECT_EQ(std::string(imported.bytes.begin() + qb + kNameOffset,
                          imported.bytes.begin() + qb + kNameOffset + 29),
              longest);
    EXPECT_EQ(imported.bytes[qb + kNumberOffset], 12);
    const std::size_t kk = slotByteOffset(slotNamed("KK"), 0);
    EXPECT_EQ(std::string(imported.bytes.begin() + kk + kNameOffset,
                          imported.bytes.begin() + kk + kNameOffset + imported.bytes[kk + kNameLengthOffset]),
              " \"x\",  ");
}

TEST(Import, ColumnsMayComeInAnyOrderAndRowsMayCarryEmptyCellsAtTheEnd) {
    const Imported reordered = importText("Slot,DIS,Player Name,String\nWR1,77,Ann,2nd\nJersey,,,#102030,,\n"
                                          "FS1a,,Bo,1st,,\n",
                                          false);
    ASSERT_TRUE(reordered.parsed.ok) << reordered.parsed.error;
    TeamInMemory expected;
    setFieldText(expected.doc, slotNamed("WR1"), SlotField::discipline, "77");
    setFieldText(expected.doc, slotNamed("WR1"), SlotField::playerName, "Ann");
    setFieldText(expected.doc, slotNamed("WR1"), SlotField::depthString, "2nd");
    setFieldText(expected.doc, slotNamed("FS1a"), SlotField::discipline, "");
    setFieldText(expected.doc, slotNamed("FS1a"), SlotField::playerName, "Bo");
    setFieldText(expected.doc, slotNamed("FS1a"), SlotField::depthString, "1st");
    expected.doc.colors[jerseyColor] = makeColor(0x10, 0x20, 0x30);
    EXPECT_EQ(reordered.bytes, encodeTeam(expected.doc));
}

TEST(Import, NamesOfTheCodePageBecomeItsBytes) {
    const Imported imported =
        importText(oneFieldJson("QB", SlotField::playerName, "\"M\\u00fcller \\u20ac\""), true);
    ASSERT_TRUE(imported.parsed.ok);
    const std::size_t qb = slotByteOffset(slotNamed("QB"), 0);
    EXPECT_EQ(
        std::string(imported.bytes.begin() + qb + kNameOffset, imported.bytes.begin() + qb + kNameOffset + 8),
        "M\xFCller \x80");
}

TEST(Import, WarnsOfLeftOutSlotsAndOfTextsThatReadBackOtherwise) {
    const std::string csv = "Slot,String,POS,Player Name,#,Icon,SPD,STR\r\n"
                            "QB,2nd,qb,Al,7,3,50,40\r\n"
                            "KK,,XY," +
                            std::string(31, 'n') + ",100,0,140,500\r\n";
    const Imported imported = importText(csv, false, "team.csv");
    ASSERT_TRUE(imported.parsed.ok) << imported.parsed.error;
    const std::vector<std::string>& warnings = imported.warnings;

    ASSERT_EQ(warnings.size(), 10u);
    EXPECT_EQ(warnings[0].substr(0, 84),
              "team.csv: 42 slots are not in the input and keep the new team's values: FB, WR1, LT,");
    EXPECT_EQ(warnings[1],
              "team.csv: 4 columns are not in the input and keep the new team's values: \"Side\", "
              "\"AGI\", \"INT\", \"DIS\"");
    EXPECT_EQ(warnings[2], "team.csv: 5 colours are not in the input and keep the new team's values: Jersey, "
                           "Helmet, Stripe, Pants (home), Pants (away)");
    EXPECT_EQ(warnings[3], "team.csv:3:4: KK String \"\" will read back as \"2nd\"");
    EXPECT_EQ(warnings[4], "team.csv:3:5: KK POS \"XY\" will read back as \"OC\"");
    EXPECT_EQ(warnings[5], "team.csv:3:8: KK Player Name \"" + std::string(31, 'n') +
                               "\" will read back as \"" + std::string(29, 'n') + "\"");
    EXPECT_EQ(warnings[6], "team.csv:3:40: KK # \"100\" will read back as \"0\"");
    EXPECT_EQ(warnings[7], "team.csv:3:44: KK Icon \"0\" will read back as \"1\"");
    EXPECT_EQ(warnings[8], "team.csv:3:46: KK SPD \"140\" will read back as \"125\"");
    EXPECT_EQ(warnings[9], "team.csv:3:50: KK STR \"500\" will read back as \"100\"");
}

// A sheet that gives no slot at all still names every kind it leaves out, columns included.
TEST(Import, ASheetWithoutSlotsNamesEveryColumnItLeavesOut) {
    for (const auto& [text, json] :
         {std::pair{"Slot\r\n", false}, std::pair{R"({"format": "squadwright-team", "version": 1})", true}}) {
        const Imported imported = importText(text, json, "t");
        ASSERT_TRUE(imported.parsed.ok) << imported.parsed.error;
        const std::vector<std::string>& warnings = imported.warnings;
        ASSERT_EQ(warnings.size(), 3u) << text;
        EXPECT_EQ(warnings[1].substr(0, 75),
                  "t: 11 columns are not in the input and keep the new team's values: \"String\"");
    }
}

TEST(Import, BadInputIsRefusedWithItsPlace) {
    struct Case {
        const char* text;
        bool json;
        const char* error;
    };
    const Case cases[] = {
        {"", false, "team:1:1: the header row is missing"},
        {"Player Name\r\n", false, "team:1:1: the first column must be \"Slot\", not \"Player Name\""},
        {"Slot,Name\r\n", false, "team:1:6: unknown field name \"Name\""},
        {"Slot,#,#\r\n", false, "team:1:8: the field \"#\" appears twice"},
        {"Slot,#\r\nXB,1\r\n", false, "team:2:1: unknown slot label \"XB\""},
        {"Slot,#\r\nqb,1\r\n", false, "team:2:1: unknown slot label \"qb\""},
        {"Slot,#\r\nQB,1\r\nQB,2\r\n", false, "team:3:1: \"QB\" appears twice (first on line 2)"},
        {"Slot,#,SPD\r\nQB,1\r\n", false, "team:2:1: this row has 2 fields, the header has 3"},
        {"Slot,#\r\nQB,1,x\r\n", false, "team:2:6: a value in a column that the header does not name: \"x\""},
        {"Slot,#\r\nQB,-1\r\n", false, "team:2:4: # \"-1\" is not a number: the box takes digits only"},
        {"Slot,SPD\r\nQB, 50\r\n", false, "team:2:4: SPD \" 50\" is not a number"},
        {"Slot,Player Name\r\nQB,\"a\"b\r\n", false, "team:2:7: a character after the closing quote"},
        {"Slot\r\nQB\r\nKK,\"x\r\n", false, "team:3:4: a quoted field without its closing quote"},
        {"Slot,Player Name\r\nQB,\xE4\xB8\xAD\r\n", false, "team:2:4: Player Name: the character U+4E2D"},
        {"Slot,String\r\nJersey,red\r\n", false, "team:2:8: \"red\" is not a colour of the form #RRGGBB"},
        {"Slot,String\r\nStripe,\r\n", false,
         "team:2:1: the colour \"Stripe\" has no value under \"String\""},
        {"Slot,#\r\nStripe,#000000\r\n", false, "team:2:1: a colour's value goes under \"String\", a column"},
        {"File,Slot\r\n", false, "team:1:1: a \"File\" column makes this a league sheet"},
        {"{\n  \"format\": \"squadwright-team\",\n  \"version\" 1\n}", true,
         "team:3:13: invalid JSON: syntax error while parsing object separator"},
        {"{\"slots\": [", true,
         "team:1:12: invalid JSON: syntax error while parsing value - unexpected end of input"},
        {"[]", true, "team: /: the top value must be a JSON object, not an array"},
        {"\xFF\xFE{\0", true, "team:1:1: the sheet is UTF-16 text: save it as UTF-8"},
        {R"({"format": "squadwright-team"})", true, "team: /: the top object must say its \"format\""},
        {R"({"format": "squadwright-league", "version": 1})", true,
         "team: /format: the format must be \"squadwright-team\", not \"squadwright-league\" (a league "
         "sheet"},
        {R"({"format": "other", "version": 1})", true,
         "team: /format: the format must be \"squadwright-team\""},
        {R"({"format": "squadwright-team", "version": 2})", true,
         "team: /version: version 2 is not one this"},
        {R"({"format": "squadwright-team", "version": 1, "team": 3})", true,
         "team: /team: unknown field name \"team\""},
        {R"({"format": "squadwright-team", "version": 1, "colors": {"pants": "#000000"}})", true,
         "team: /colors/pants: unknown field name \"pants\""},
        {R"({"format": "squadwright-team", "version": 1, "colors": {"jersey": "#00000"}})", true,
         "team: /colors/jersey: \"#00000\" is not a colour of the form \"#RRGGBB\""},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "XB"}]})", true,
         "team: /slots/0/slot: unknown slot label \"XB\""},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"icon": 2}]})", true,
         "team: /slots/0: a slot must name its \"slot\" label as a string"},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB"}, {"slot": "QB"}]})", true,
         "team: /slots/1/slot: the slot \"QB\" appears twice"},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", "name": "x"}]})", true,
         "team: /slots/0/name: unknown field name \"name\""},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", "a/b": 1}]})", true,
         "team: /slots/0/a~1b: unknown field name \"a/b\""},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", "icon": -1}]})", true,
         "team: /slots/0/icon: -1 is not a whole number of 0 or more"},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", "icon": 2.5}]})", true,
         "team: /slots/0/icon: 2.5 is not a whole number"},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", "icon": "2a"}]})", true,
         "team: /slots/0/icon: Icon \"2a\" is not a number"},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", "side": 1}]})", true,
         "team: /slots/0/side: 1 is not a string"},
    };
    for (const Case& c : cases) {
        const TeamInputResult result = parsedTeam(c.text, c.json);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.error.substr(0, std::string(c.error).size()), c.error) << c.text;
    }
}

namespace {

std::vector<std::string> warningsOf(const std::string& text, bool json) {
    const TeamInputResult parsed = parsedTeam(text, json);
    if (!parsed.ok)
        return {parsed.error};
    return buildTeam(parsed.input, nullptr, "team", {false, {}}).warnings;
}

std::string nameOf(const TeamFileBytes& bytes, SlotIndex slot) {
    const std::size_t record = slotByteOffset(slot, 0);
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(record + kNameOffset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(record + kNameOffset +
                                                                   bytes[record + kNameLengthOffset]));
}

} // namespace

// Whole numbers of any size are read as their digits; a number a double cannot hold is an error with
// its place, never a crash.
TEST(Import, JsonNumbersAreReadAsTheDigitsTheyAreWrittenWith) {
    struct Case {
        const char* value;
        const char* error; // nullptr when the number is taken
        std::uint8_t stored;
    };
    const std::string beyondADouble(309, '9');
    const Case cases[] = {
        {"18446744073709551616", nullptr, 0},
        {beyondADouble.c_str(), nullptr, 0},
        {"\"18446744073709551616\"", nullptr, 0},
        {"18446744073709551615", nullptr, 0},
        {"99", nullptr, 99},
        {"1e400", "team:1:81: the number \"1e400\" is too large to read", 0},
        {"-1e400", "team:1:81: the number \"-1e400\" is too large to read", 0},
        {"5.0", "team: /slots/0/number: 5.0 is not a whole number written in digits", 0},
        {"1e2", "team: /slots/0/number: 1e2 is not a whole number written in digits", 0},
        {"-0", nullptr, 0},
        {"-7", "team: /slots/0/number: -7 is not a whole number of 0 or more", 0},
    };
    for (const Case& c : cases) {
        const Imported imported = importText(oneFieldJson("QB", SlotField::number, c.value), true);
        if (c.error == nullptr) {
            ASSERT_TRUE(imported.parsed.ok) << c.value << ": " << imported.parsed.error;
            EXPECT_EQ(imported.bytes[slotByteOffset(slotNamed("QB"), kNumberOffset)], c.stored) << c.value;
        } else {
            EXPECT_EQ(imported.parsed.error.substr(0, std::string(c.error).size()), c.error)
                << imported.parsed.error;
        }
    }
}

TEST(Import, JsonNamesGivenTwiceInAnObjectAreRefusedWithTheirPlace) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", "number": 7, "number": 9}]})",
         "team: /slots/0/number: the name \"number\" appears twice in this object"},
        {R"({"format": "squadwright-team", "version": 1, "version": 1})",
         "team: /version: the name \"version\" appears twice"},
        {R"({"format": "squadwright-team", "version": 1, "colors": {"a/b~": 1, "a/b~": 2}})",
         "team: /colors/a~1b~0: the name \"a/b~\" appears twice"},
        {R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB"}, {"slot": "KK", "slot": "QB"}]})",
         "team: /slots/1/slot: the name \"slot\" appears twice"},
    };
    for (const Case& c : cases) {
        const TeamInputResult result = parsedTeam(c.text, true);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.error.substr(0, std::string(c.error).size()), c.error) << result.error;
    }
}

// Windows text ends at a zero byte: the name box holds what comes before it, and so does the file.
TEST(Import, ANameWithAZeroByteIsSavedAsTheBoxWouldHoldIt) {
    const std::string csv = std::string("Slot,Player Name\r\nQB,\"ab\0cd\"\r\n", 29);
    const std::string json = oneFieldJson("QB", SlotField::playerName, "\"ab\\u0000cd\"");
    for (const std::string& text : {csv, json}) {
        const bool isJson = text == json;
        const Imported imported = importText(text, isJson);
        ASSERT_TRUE(imported.parsed.ok) << imported.parsed.error;
        EXPECT_EQ(imported.bytes[slotByteOffset(slotNamed("QB"), kNameLengthOffset)], 2);
        EXPECT_EQ(nameOf(imported.bytes, slotNamed("QB")), "ab");
        const std::vector<std::string> warnings = warningsOf(text, isJson);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_NE(warnings[0].find("QB Player Name \"ab\\x00cd\" will read back as \"ab\""),
                  std::string::npos)
            << warnings[0];
    }
}

TEST(Import, ColoursAreReadFromTheStringColumnWhereverItStands) {
    const Imported byHeader = importText("Slot,Player Name,String\r\nJersey,,#123456\r\n", false);
    ASSERT_TRUE(byHeader.parsed.ok) << byHeader.parsed.error;
    TeamInMemory expected;
    expected.doc.colors[jerseyColor] = makeColor(0x12, 0x34, 0x56);
    EXPECT_EQ(byHeader.bytes, encodeTeam(expected.doc));

    // A colour row shorter than the header is an error, as a slot row is.
    const Imported shortRow = importText("Slot,Player Name,String,#\r\nJersey,,#123456\r\n", false);
    EXPECT_EQ(shortRow.parsed.error, "team:2:1: this row has 3 fields, the header has 4");

    const Imported underTheName = importText("Slot,Player Name,String\r\nJersey,#123456,\r\n", false);
    EXPECT_FALSE(underTheName.parsed.ok);
    EXPECT_EQ(underTheName.parsed.error,
              "team:2:8: a colour row has a value under \"Player Name\": \"#123456\"");
}

// The value that a number's digits mean, read without a bound, is what the file must read back as;
// another spelling of the same value needs no word.
TEST(Import, WarnsWhenTheSavedNumberIsNotTheNumberGiven) {
    struct Case {
        const char* label;
        SlotField field;
        const char* text;
        const char* readBack; // nullptr: no warning
    };
    const Case cases[] = {
        {"QB", SlotField::discipline, "4294967296", "0"},
        {"QB", SlotField::discipline, "4294967396", "0"},
        {"QB", SlotField::number, "", "0"},
        {"QB", SlotField::icon, "", "1"},
        {"QB", SlotField::strength, "101", "100"},
        {"QB", SlotField::agility, "007", nullptr},
        {"QB", SlotField::discipline, "0100", nullptr},
        {"QB", SlotField::number, "0", nullptr},
        {"QB", SlotField::position, "wr", nullptr},
    };
    for (const Case& c : cases) {
        for (bool json : {false, true}) {
            const std::string text = json ? oneFieldJson(c.label, c.field, inQuotes(c.text))
                                          : oneFieldCsv(c.label, c.field, c.text);
            const std::vector<std::string> warnings = warningsOf(text, json);
            if (c.readBack == nullptr) {
                EXPECT_TRUE(warnings.empty()) << c.text << ": " << warnings[0];
                continue;
            }
            ASSERT_EQ(warnings.size(), 1u) << c.text;
            EXPECT_NE(
                warnings[0].find(std::string(" \"") + c.text + "\" will read back as \"" + c.readBack + "\""),
                std::string::npos)
                << warnings[0];
        }
    }
}

TEST(Import, SemicolonAndTabSeparatedSheetsReadLikeCommaSeparatedOnes) {
    const Imported comma =
        importText("Slot,Player Name,#,String\r\nQB,\"Carter, Sam\",7,\r\nStripe,,,#0A0B0C\r\n", false);
    ASSERT_TRUE(comma.parsed.ok) << comma.parsed.error;
    for (const char* text :
         {"Slot;Player Name;#;String\r\nQB;Carter, Sam;7;\r\nStripe;;;#0A0B0C\r\n",
          "Slot\tPlayer Name\t#\tString\r\nQB\tCarter, Sam\t7\t\r\nStripe\t\t\t#0A0B0C\r\n"}) {
        const Imported other = importText(text, false);
        ASSERT_TRUE(other.parsed.ok) << other.parsed.error;
        EXPECT_EQ(other.bytes, comma.bytes) << text;
    }
}
