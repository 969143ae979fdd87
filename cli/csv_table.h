// RFC 4180 CSV through libcsv in strict mode: quoted fields may hold commas, quotes (doubled) and
// line breaks; records end with CRLF or LF; blank lines are skipped and nothing is trimmed. Every
// cell keeps the line and column (1-based, in bytes) where it starts, for messages about it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CsvCell {
    std::string text;
    int line = 0;
    int column = 0;
};
using CsvRow = std::vector<CsvCell>;

struct CsvTable {
    bool ok = true;
    std::vector<CsvRow> rows;
    // When not ok: where reading stopped and why.
    int line = 0;
    int column = 0;
    std::string problem;
};

// A UTF-8 byte order mark at the start is skipped.
CsvTable readCsv(std::string_view text);

// The field as it stands in a CSV record: quoted, with its quotes doubled, when it holds a comma, a
// quote, a line break or a blank at either end; as it is otherwise.
std::string csvField(std::string_view text);
