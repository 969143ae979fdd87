#include "cli/csv_table.h"

#include <csv.h>

namespace {

constexpr char kFormulaGuard = '\'';

struct Position {
    int line = 1;
    int column = 1;
};

// What the parser's callbacks build, and where the current row and field began.
struct CsvBuilder {
    const CsvRowHandler& onRow;
    CsvRow row;
    bool inRow = false;
    bool fieldPending = false; // a field just ended inside the row: the next byte starts another
    Position fieldStart;
    std::string problem; // the row handler's, which stops the reading
};

void onField(void* data, std::size_t length, void* context) {
    auto& builder = *static_cast<CsvBuilder*>(context);
    builder.row.push_back({std::string(static_cast<const char*>(data), length), builder.fieldStart.line,
                           builder.fieldStart.column});
    builder.fieldPending = true;
}

void onRecordEnd(int, void* context) {
    auto& builder = *static_cast<CsvBuilder*>(context);
    if (builder.problem.empty())
        builder.problem = builder.onRow(builder.row);
    builder.row.clear();
    builder.inRow = false;
}

// Nothing counts as a blank to trim: a name keeps its spaces.
int noBlanks(unsigned char) {
    return 0;
}

// The first comma, semicolon or tab outside quotes on the first line; a comma when there is none.
unsigned char separatorOf(std::string_view text) {
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
        else if (!quoted && (c == ',' || c == ';' || c == '\t'))
            return static_cast<unsigned char>(c);
    }
    return ',';
}

std::string problemAt(const std::string& source, Position at, const std::string& problem) {
    return source + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " + problem;
}

std::string parseProblem(int error, char c) {
    if (error != CSV_EPARSE)
        return csv_strerror(error);
    return c == '"' ? "a quote inside a field that does not begin with one (quote the whole field and double "
                      "the quotes inside it)"
                    : "a character after the closing quote of a field";
}

} // namespace

std::string readCsvRows(std::string_view text, const std::string& source, const CsvRowHandler& onRow) {
    if (isUtf16Text(text))
        return problemAt(source, {}, std::string(kUtf16Problem));
    if (text.starts_with(kUtf8Mark))
        text.remove_prefix(kUtf8Mark.size());

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return problemAt(source, {}, "out of memory");
    csv_set_space_func(&parser, noBlanks);
    csv_set_delim(&parser, separatorOf(text));

    CsvBuilder builder{onRow, {}, false, false, {}, {}};
    Position at;
    // One byte at a time, so that each cell's start is known.
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        const bool lineEnd = c == '\r' || c == '\n';
        if (!builder.inRow && !lineEnd) {
            builder.inRow = true;
            builder.fieldPending = false;
            builder.fieldStart = at;
        } else if (builder.inRow && builder.fieldPending) {
            builder.fieldPending = false;
            builder.fieldStart = at;
        }
        if (csv_parse(&parser, &c, 1, onField, onRecordEnd, &builder) != 1) {
            const int error = csv_error(&parser);
            csv_free(&parser);
            return problemAt(source, at, parseProblem(error, c));
        }
        if (!builder.problem.empty()) {
            csv_free(&parser);
            return builder.problem;
        }
        if (endsLine(text, i))
            at = {at.line + 1, 1};
        else
            ++at.column;
    }
    const int finished = csv_fini(&parser, onField, onRecordEnd, &builder);
    csv_free(&parser);
    if (finished != 0)
        return problemAt(source, builder.fieldStart, "a quoted field without its closing quote");
    return builder.problem;
}

bool endsLine(std::string_view text, std::size_t i) {
    return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

bool isUtf16Text(std::string_view text) {
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ||
           (text.size() >= 2 && (text[0] == '\0' || text[1] == '\0'));
}

std::string csvField(std::string_view text) {
    const bool quote = text.find_first_of(",;\t\"\r\n") != std::string_view::npos ||
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

std::string sheetCell(std::string_view text) {
    const bool guarded =
        !text.empty() && std::string_view("=+-@'").find(text.front()) != std::string_view::npos;
    return csvField(guarded ? kFormulaGuard + std::string(text) : std::string(text));
}

std::string_view sheetText(std::string_view cell) {
    return cell.starts_with(kFormulaGuard) ? cell.substr(1) : cell;
}
