// RFC 4180 CSV through libcsv in strict mode: quoted fields may hold separators, quotes (doubled) and
// line breaks; records end with CRLF or LF; blank lines are skipped and nothing is trimmed. The
// separator is told from the header line: its first comma, semicolon or tab outside quotes (a comma
// when it has none), since spreadsheets in many locales save with semicolons. Every cell keeps the
// line and column (1-based, in bytes) where it starts, for messages about it.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

struct CsvCell {
    std::string text;
    int line = 0;
    int column = 0;
};
using CsvRow = std::vector<CsvCell>;

// Handles one record; returns a problem that stops the reading, or nothing to go on.
using CsvRowHandler = std::function<std::string(const CsvRow&)>;

// The UTF-8 byte order mark, which Excel needs at the start of a sheet to read it as UTF-8.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A sheet is read as a stream, a row at a time; a row of more than kLongestRow bytes or
// kMostFields fields is no sheet's and stops the reading at once, so memory stays that of one row.
inline constexpr std::size_t kLongestRow = 1 << 20;
inline constexpr std::size_t kMostFields = 1000;

// Hands each record of the text that in delivers to onRow as soon as it is read. A UTF-8 byte order
// mark at the start is skipped; UTF-16 text, and a second mark, are refused. The first problem is
// returned, onRow's as it is and the reader's own as "source:line:column: problem"; nothing when
// every record was read.
std::string readCsvRows(std::istream& in, const std::string& source, const CsvRowHandler& onRow);

// Where the bytes of a text stand as they pass: line and column, 1-based and in bytes. A line ends
// at a line feed, at a carriage return alone and at CRLF (which ends one line), as the readers take
// line ends.
struct TextPlace {
    int line = 1;
    int column = 1;
};
class TextPlaces {
  public:
    // The place of c, the next byte of the text.
    TextPlace pass(char c);
    // Passes count bytes that end no line.
    void passPlain(std::size_t count);
    // The place of the byte after those passed (after the end of a text that has ended).
    TextPlace next() const { return next_; }

  private:
    TextPlace next_;
    TextPlace lineFeedAfterReturn_; // where a line feed right after a carriage return stands
    bool afterReturn_ = false;
};

// How a sheet starts: a UTF-8 byte order mark to skip, or why it is no sheet this tool reads (UTF-16
// text, a second mark). first holds the sheet's first bytes, at least six when it has them.
struct SheetStart {
    std::size_t skip = 0;
    std::string problem;
};
SheetStart sheetStart(std::string_view first, bool json);

// The field as it stands in a CSV record: quoted, with its quotes doubled, when it holds a comma, a
// semicolon, a tab, a quote, a line break or a blank at either end; as it is otherwise.
std::string csvField(std::string_view text);

// A text cell as export writes it for spreadsheets: a text that begins with =, +, - or @ (which a
// spreadsheet would take for a formula), with a tab or a carriage return (which some take the same
// way), or with the apostrophe itself, gets an apostrophe in front.
// sheetText takes it off again, so every text reads back as it was.
std::string sheetCell(std::string_view text);
std::string_view sheetText(std::string_view cell);
