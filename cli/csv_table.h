// RFC 4180 CSV through libcsv in strict mode: quoted fields may hold separators, quotes (doubled) and
// line breaks; records end with CRLF or LF; blank lines are skipped and nothing is trimmed. The
// separator is told from the header line: its first comma, semicolon or tab outside quotes (a comma
// when it has none), since spreadsheets in many locales save with semicolons. Every cell keeps the
// line and column (1-based, in bytes) where it starts, for messages about it.
#pragma once

#include <functional>
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

// Hands each record of text to onRow as soon as it is read. A UTF-8 byte order mark at the start is
// skipped; UTF-16 text is refused. The first problem is returned, onRow's as it is and the reader's
// own as "source:line:column: problem"; nothing when every record was read.
std::string readCsvRows(std::string_view text, const std::string& source, const CsvRowHandler& onRow);

// Whether text[i] ends a line: a line feed, or a carriage return that no line feed follows, so that
// CRLF, LF and CR alone each end one line, as the readers take them.
bool endsLine(std::string_view text, std::size_t i);

// Whether text is UTF-16 (a byte order mark, or a zero byte among the first two), as some programs
// save "Unicode text"; the tool reads UTF-8 only.
bool isUtf16Text(std::string_view text);
inline constexpr std::string_view kUtf16Problem =
    "the sheet is UTF-16 text: save it as UTF-8 (\"CSV UTF-8\" in a spreadsheet) and import it again";

// The field as it stands in a CSV record: quoted, with its quotes doubled, when it holds a comma, a
// semicolon, a tab, a quote, a line break or a blank at either end; as it is otherwise.
std::string csvField(std::string_view text);

// A text cell as export writes it for spreadsheets: a text that begins with =, +, - or @ (which a
// spreadsheet would take for a formula), or with the apostrophe itself, gets an apostrophe in front.
// sheetText takes it off again, so every text reads back as it was.
std::string sheetCell(std::string_view text);
std::string_view sheetText(std::string_view cell);
