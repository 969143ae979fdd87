#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cp1252.h"
#include "cli/csv_table.h"
#include "cli/json_tree.h"
#include "cli/quoting.h"

TEST(AnsiText, EveryByteGoesToUtf8AndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const AnsiConversion back = utf8ToAnsi(ansiToUtf8(all));
    ASSERT_TRUE(back.ok) << back.problem;
    EXPECT_EQ(back.text, all);
}

TEST(AnsiText, TheCodePagesOwnCharactersMapBothWays) {
    struct Case {
        std::string ansi;
        std::string utf8;
    };
    const Case cases[] = {
        {"M\xFCller", "M\xC3\xBCller"},                                       // u with diaeresis
        {"O\x92Neil", "O\xE2\x80\x99Neil"},                                   // right single quotation mark
        {"\x80", "\xE2\x82\xAC"},                                             // euro sign
        {"\x9F", "\xC5\xB8"},                                                 // Y with diaeresis
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}, // undefined: C1 controls
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ansiToUtf8(c.ansi), c.utf8);
        EXPECT_EQ(utf8ToAnsi(c.utf8).text, c.ansi);
    }
}

TEST(AnsiText, TextOutsideTheCodePageOrNotUtf8IsRefusedWithItsOffset) {
    struct Case {
        std::string utf8;
        std::size_t offset;
        const char* problem;
    };
    const Case cases[] = {
        {"ab\xE4\xB8\xAD", 2, "U+4E2D"},            // a CJK character
        {"abc\xC2\x80", 3, "U+0080"},               // a C1 control that 0x80 does not stand for
        {"x\xFF", 1, "not valid UTF-8"},            // not UTF-8 at all
        {"x\xC3", 1, "not valid UTF-8"},            // cut sequence
        {"\xC0\xAF", 0, "not valid UTF-8"},         // overlong form
        {"\xED\xA0\x80", 0, "not valid UTF-8"},     // surrogate
        {"\xF0\x8F\xBF\xBF", 0, "not valid UTF-8"}, // overlong four-byte form
        {"\xF4\x90\x80\x80", 0, "not valid UTF-8"}, // past U+10FFFF
        {"a\xF0\x9F\x98\x80", 1, "U+1F600"},        // outside the basic plane
    };
    for (const Case& c : cases) {
        const AnsiConversion result = utf8ToAnsi(c.utf8);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.offset, c.offset);
        EXPECT_NE(result.problem.find(c.problem), std::string::npos) << result.problem;
    }
}

TEST(AnsiText, DisplayShowsControlCharactersAsEscapes) {
    EXPECT_EQ(displayText("a\tb\x7F\x81\xE9"), "a\\x09b\\x7F\\x81\xC3\xA9");
    EXPECT_EQ(utf8Length("M\xC3\xBCller \xE2\x82\xAC"), 8u);
    EXPECT_EQ(utf8Length("a\xFF\x80\xE2\x82"), 5u); // each byte that is not UTF-8 is one
}

namespace {

struct CsvTable {
    std::vector<CsvRow> rows;
    std::string problem;
    bool ok() const { return problem.empty(); }
};

CsvTable readCsv(std::string_view text) {
    CsvTable table;
    std::istringstream sheet{std::string(text)};
    table.problem = readCsvRows(sheet, "sheet", [&](const CsvRow& row) {
        table.rows.push_back(row);
        return std::string();
    });
    return table;
}

std::vector<std::vector<std::string>> cellTexts(const CsvTable& table) {
    std::vector<std::vector<std::string>> rows;
    for (const CsvRow& row : table.rows) {
        rows.emplace_back();
        for (const CsvCell& cell : row)
            rows.back().push_back(cell.text);
    }
    return rows;
}

} // namespace

TEST(CsvTable, QuotedFieldsHoldCommasQuotesAndLineBreaks) {
    const CsvTable table = readCsv("a,\"b, \"\"c\"\"\",\"line\r\nbreak\"\r\n"
                                   " x ,,\"\"\n"
                                   "\n"
                                   "last");
    ASSERT_TRUE(table.ok()) << table.problem;
    const std::vector<std::vector<std::string>> expected = {
        {"a", "b, \"c\"", "line\r\nbreak"},
        {" x ", "", ""},
        {"last"},
    };
    EXPECT_EQ(cellTexts(table), expected);
}

TEST(CsvTable, CellsKnowWhereTheyStart) {
    const CsvTable table = readCsv("\xEF\xBB\xBFSlot,#\r\n\"two\nlines\",7\r\n\r\nQB, 9");
    ASSERT_TRUE(table.ok());
    ASSERT_EQ(table.rows.size(), 3u);
    const auto at = [&](std::size_t r, std::size_t c) {
        return std::to_string(table.rows[r][c].line) + ":" + std::to_string(table.rows[r][c].column);
    };
    EXPECT_EQ(at(0, 0), "1:1");
    EXPECT_EQ(at(0, 1), "1:6");
    EXPECT_EQ(at(1, 0), "2:1");
    EXPECT_EQ(at(1, 1), "3:8");
    EXPECT_EQ(at(2, 0), "5:1");
    EXPECT_EQ(at(2, 1), "5:4");
    EXPECT_EQ(table.rows[0][0].text, "Slot");
}

TEST(CsvTable, MalformedRecordsStopAtTheOffendingCharacter) {
    struct Case {
        std::string text;
        const char* problem;
    };
    const Case cases[] = {
        {"a,b\nc,d\"e\n", "sheet:2:4: a quote inside a field"},
        {"a,\"b\"x,c\n", "sheet:1:6: a character after the closing quote"},
        {"a,\"b\" ,c\n", "sheet:1:6: a character after the closing quote"},
        {"a\nb,\"open\nstill open", "sheet:2:3: a quoted field without its closing quote"},
        {std::string("\xFF\xFES\0l\0", 6), "sheet:1:1: the sheet is UTF-16 text: save it as UTF-8"},
        {std::string("S\0l\0o\0t\0", 8), "sheet:1:1: the sheet is UTF-16 text"},
    };
    for (const Case& c : cases) {
        const CsvTable table = readCsv(c.text);
        EXPECT_EQ(table.problem.substr(0, std::string(c.problem).size()), c.problem) << table.problem;
    }
}

TEST(CsvTable, FieldsAreQuotedOnlyWhenTheyNeedIt) {
    EXPECT_EQ(csvField("plain text"), "plain text");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField(" padded"), "\" padded\"");
    const std::string tricky = " \"a\",\r\nb ";
    const CsvTable back = readCsv(csvField(tricky) + "," + csvField("x"));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.rows[0][0].text, tricky);
}

TEST(CsvTable, TheHeaderLineTellsTheSeparator) {
    struct Case {
        const char* text;
        std::vector<std::vector<std::string>> rows;
    };
    const Case cases[] = {
        {"Slot;Player Name;#\r\nQB;\"a;b, c\";7\r\n", {{"Slot", "Player Name", "#"}, {"QB", "a;b, c", "7"}}},
        {"Slot\tPlayer Name\nQB\tAl, Jr.\n", {{"Slot", "Player Name"}, {"QB", "Al, Jr."}}},
        {"\"Slot;x\",#\nQB,7\n", {{"Slot;x", "#"}, {"QB", "7"}}},
        {"Slot\nQB\n", {{"Slot"}, {"QB"}}},
    };
    for (const Case& c : cases) {
        const CsvTable table = readCsv(c.text);
        ASSERT_TRUE(table.ok()) << table.problem;
        EXPECT_EQ(cellTexts(table), c.rows) << c.text;
    }
}

TEST(CsvTable, FormulaCellsAreGuardedAndReadBackUnchanged) {
    struct Case {
        const char* text;
        const char* cell;
    };
    const Case cases[] = {
        {"=SUM(A1)", "'=SUM(A1)"}, {"+1", "'+1"},       {"-", "'-"},         {"@x", "'@x"},
        {"'quoted'", "''quoted'"}, {"Al", "Al"},        {"a=b", "a=b"},      {"", ""},
        {"=a,b", "\"'=a,b\""},     {"\tx", "\"'\tx\""}, {"\rx", "\"'\rx\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sheetCell(c.text), c.cell);
        const CsvTable back = readCsv(sheetCell(c.text) + "\n");
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(sheetText(back.rows.empty() ? "" : back.rows[0][0].text), c.text);
    }
}

TEST(AnsiText, MessagesQuoteAShortPrefixWithControlBytesEscaped) {
    EXPECT_EQ(quotedInput("Al"), "\"Al\"");
    EXPECT_EQ(quotedInput(std::string("a\0b\x1B[2J\xFF\xC2\x85", 10)), "\"a\\x00b\\x1B[2J\\xFF\\xC2\\x85\"");
    EXPECT_EQ(quotedInput(std::string(50000000, 'n')),
              "\"" + std::string(kQuotedCharacters, 'n') + "...\" (50000000 bytes)");
    EXPECT_EQ(quotedAnsi("M\xFCller\x1B"), "\"M\xC3\xBCller\\x1B\"");
    // Characters that show nothing: a byte order mark, a zero-width space, a tag, a soft hyphen.
    EXPECT_EQ(quotedInput("\xEF\xBB\xBFSlot"), "\"\\uFEFFSlot\"");
    EXPECT_EQ(quotedInput("a\xE2\x80\x8B\xF3\xA0\x80\x81"), "\"a\\u200B\\U000E0001\"");
    EXPECT_EQ(quotedAnsi("x\xADy"), "\"x\\u00ADy\"");
}

TEST(CsvTable, ASheetStartsWithOneByteOrderMarkAtMost) {
    struct Case {
        std::string text;
        std::string problem;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBFSlot\r\n", ""},
        {"\xEF\xBB\xBF\xEF\xBB\xBFSlot\r\n", "sheet:1:1: a second byte-order mark at the start of the sheet"},
        {std::string("\xFF\xFES\0l\0", 6),
         "sheet:1:1: the sheet is UTF-16 text: save it as UTF-8 (\"CSV UTF-8\" in a spreadsheet)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readCsv(c.text).problem.substr(0, c.problem.size()), c.problem);
    std::istringstream json(std::string("\xFF\xFE{\0", 4));
    EXPECT_EQ(readJson(json, "sheet").error,
              "sheet:1:1: the sheet is UTF-16 text: save it as UTF-8 and import it again");
}
