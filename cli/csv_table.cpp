#include "cli/csv_table.h"

#include <csv.h>

namespace {

struct Position {
    int line = 1;
    int column = 1;
};

// What the parser's callbacks build, and where the current row and field began.
struct CsvBuilder {
    std::vector<CsvRow> rows;
    CsvRow row;
    bool inRow = false;
    bool fieldPending = false; // a field just ended inside the row: the next byte starts another
    Position fieldStart;
};

void onField(void* data, std::size_t length, void* context) {
    auto& builder = *static_cast<CsvBuilder*>(context);
    builder.row.push_back({std::string(static_cast<const char*>(data), length), builder.fieldStart.line,
                           builder.fieldStart.column});
    builder.fieldPending = true;
}

void onRow(int, void* context) {
    auto& builder = *static_cast<CsvBuilder*>(context);
    builder.rows.push_back(std::move(builder.row));
    builder.row.clear();
    builder.inRow = false;
}

// Nothing counts as a blank to trim: a name keeps its spaces.
int noBlanks(unsigned char) {
    return 0;
}

CsvTable failure(Position at, std::string problem) {
    return {false, {}, at.line, at.column, std::move(problem)};
}

} // namespace

CsvTable readCsv(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return failure({}, "out of memory");
    csv_set_space_func(&parser, noBlanks);

    CsvBuilder builder;
    Position at;
    // One byte at a time, so that each cell's start is known; team files are a few kilobytes.
    for (char c : text) {
        const bool lineEnd = c == '\r' || c == '\n';
        if (!builder.inRow && !lineEnd) {
            builder.inRow = true;
            builder.fieldPending = false;
            builder.fieldStart = at;
        } else if (builder.inRow && builder.fieldPending) {
            builder.fieldPending = false;
            builder.fieldStart = at;
        }
        if (csv_parse(&parser, &c, 1, onField, onRow, &builder) != 1) {
            const int error = csv_error(&parser);
            csv_free(&parser);
            if (error != CSV_EPARSE)
                return failure(at, csv_strerror(error));
            return failure(at, c == '"' ? "a quote inside a field that does not begin with one (quote the "
                                          "whole field and double the quotes inside it)"
                                        : "a character after the closing quote of a field");
        }
        if (c == '\n')
            at = {at.line + 1, 1};
        else
            ++at.column;
    }
    const int finished = csv_fini(&parser, onField, onRow, &builder);
    csv_free(&parser);
    if (finished != 0)
        return failure(builder.fieldStart, "a quoted field without its closing quote");
    return {true, std::move(builder.rows), 0, 0, {}};
}

std::string csvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}
