#include "cli/csv_table.h"

#include <csv.h>

namespace {

constexpr char kFormulaGuard = '\'';
constexpr std::size_t kReadBlock = 1 << 16;

// What the parser's callbacks build, and where the current row and field began.
struct CsvBuilder {
    const CsvRowHandler& onRow;
    const std::string& source;
    CsvRow row;
    bool inRow = false;
    bool fieldPending = false; // a field just ended inside the row: the next byte starts another
    TextPlace rowStart;
    std::size_t rowBytes = 0;
    TextPlace fieldStart;
    std::string problem; // the row handler's, or the row's size, which stops the reading
};

std::string problemAt(const std::string& source, TextPlace at, const std::string& problem) {
    return source + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " + problem;
}

void onField(void* data, std::size_t length, void* context) {
    auto& builder = *static_cast<CsvBuilder*>(context);
    if (builder.row.size() == kMostFields) {
        if (builder.problem.empty())
            builder.problem = problemAt(builder.source, builder.fieldStart,
                                        "this row has more than " + std::to_string(kMostFields) +
                                            " fields, which no sheet has: is it the right file?");
        return;
    }
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

// Where the first line ends outside quotes: npos while it has not ended.
std::size_t firstLineEnd(std::string_view text) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (!quoted && (text[i] == '\r' || text[i] == '\n'))
            return i;
    }
    return std::string_view::npos;
}

// The first comma, semicolon or tab outside quotes on the first line; a comma when there is none.
unsigned char separatorOf(std::string_view text) {
    const std::string_view line = text.substr(0, firstLineEnd(text));
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ',' || c == ';' || c == '\t'))
            return static_cast<unsigned char>(c);
    }
    return ',';
}

std::string parseProblem(int error, char c) {
    if (error != CSV_EPARSE)
        return csv_strerror(error);
    return c == '"' ? "a quote inside a field that does not begin with one (quote the whole field and double "
                      "the quotes inside it)"
                    : "a character after the closing quote of a field";
}

// Appends what in delivers next, a block at most; false at its end.
bool readMore(std::istream& in, std::string& text) {
    char block[kReadBlock];
    in.read(block, sizeof block);
    text.append(block, static_cast<std::size_t>(in.gcount()));
    return in.gcount() > 0;
}

// Feeds the parser one byte at a time, so that each cell's start is known.
class CsvFeed {
  public:
    CsvFeed(const std::string& source, const CsvRowHandler& onRow)
        : builder_{onRow, source, {}, false, false, {}, 0, {}, {}} {}
    ~CsvFeed() {
        if (ready_)
            csv_free(&parser_);
    }

    std::string start(unsigned char separator) {
        if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0)
            return problemAt(builder_.source, {}, "out of memory");
        ready_ = true;
        csv_set_space_func(&parser_, noBlanks);
        csv_set_delim(&parser_, separator);
        return {};
    }

    // The problem that stops the reading, or nothing. A cell can begin only after a separator or a
    // line end, so a run of the bytes between those, and quotes, goes to the parser at once.
    std::string feed(std::string_view bytes) {
        const char special[] = {static_cast<char>(csv_get_delim(&parser_)), '"', '\r', '\n'};
        const std::string_view specials(special, sizeof special);
        for (std::size_t i = 0; i < bytes.size();) {
            const char c = bytes[i];
            const bool lineEnd = c == '\r' || c == '\n';
            const TextPlace at = places_.pass(c);
            const std::size_t next = specials.find(c) != std::string_view::npos
                                         ? i + 1
                                         : std::min(bytes.find_first_of(specials, i + 1), bytes.size());
            places_.passPlain(next - i - 1);
            if (!builder_.inRow && !lineEnd) {
                builder_.inRow = true;
                builder_.fieldPending = false;
                builder_.rowStart = at;
                builder_.rowBytes = 0;
                builder_.fieldStart = at;
            } else if (builder_.inRow && builder_.fieldPending) {
                builder_.fieldPending = false;
                builder_.fieldStart = at;
            }
            if (builder_.inRow && (builder_.rowBytes += next - i) > kLongestRow)
                return problemAt(builder_.source, builder_.rowStart,
                                 "this row is longer than " + std::to_string(kLongestRow >> 20) +
                                     " MB, which no sheet's row is: is it the right file?");
            if (csv_parse(&parser_, bytes.data() + i, next - i, onField, onRecordEnd, &builder_) != next - i)
                return problemAt(builder_.source, at, parseProblem(csv_error(&parser_), c));
            if (!builder_.problem.empty())
                return builder_.problem;
            i = next;
        }
        return {};
    }

    std::string finish() {
        if (csv_fini(&parser_, onField, onRecordEnd, &builder_) != 0)
            return problemAt(builder_.source, builder_.fieldStart,
                             "a quoted field without its closing quote");
        return builder_.problem;
    }

  private:
    CsvBuilder builder_;
    csv_parser parser_{};
    bool ready_ = false;
    TextPlaces places_;
};

} // namespace

void TextPlaces::passPlain(std::size_t count) {
    next_.column += static_cast<int>(count);
    afterReturn_ = afterReturn_ && count == 0;
}

TextPlace TextPlaces::pass(char c) {
    const TextPlace at = c == '\n' && afterReturn_ ? lineFeedAfterReturn_ : next_;
    if (c == '\r') {
        lineFeedAfterReturn_ = {next_.line, next_.column + 1};
        next_ = {next_.line + 1, 1};
    } else if (c == '\n' && !afterReturn_) {
        next_ = {next_.line + 1, 1};
    } else if (c != '\n') {
        ++next_.column;
    }
    afterReturn_ = c == '\r';
    return at;
}

SheetStart sheetStart(std::string_view first, bool json) {
    if (first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF") ||
        (first.size() >= 2 && (first[0] == '\0' || first[1] == '\0')))
        return {0, std::string("the sheet is UTF-16 text: save it as UTF-8") +
                       (json ? "" : " (\"CSV UTF-8\" in a spreadsheet)") + " and import it again"};
    if (!first.starts_with(kUtf8Mark))
        return {};
    if (first.substr(kUtf8Mark.size()).starts_with(kUtf8Mark))
        return {0,
                "a second byte-order mark at the start of the sheet: save it as UTF-8 with one mark or none"};
    return {kUtf8Mark.size(), {}};
}

std::string readCsvRows(std::istream& in, const std::string& source, const CsvRowHandler& onRow) {
    // The header line tells the separator, so it is read whole before anything is parsed.
    std::string pending;
    while (pending.size() < 2 * kUtf8Mark.size() && readMore(in, pending)) {
    }
    const SheetStart start = sheetStart(pending, false);
    if (!start.problem.empty())
        return problemAt(source, {}, start.problem);
    pending.erase(0, start.skip);
    while (firstLineEnd(pending) == std::string::npos && pending.size() <= kLongestRow &&
           readMore(in, pending)) {
    }

    CsvFeed feed(source, onRow);
    if (std::string problem = feed.start(separatorOf(pending)); !problem.empty())
        return problem;
    do {
        if (std::string problem = feed.feed(pending); !problem.empty())
            return problem;
        pending.clear();
    } while (readMore(in, pending));
    return feed.finish();
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
        !text.empty() && std::string_view("=+-@\t\r'").find(text.front()) != std::string_view::npos;
    return csvField(guarded ? kFormulaGuard + std::string(text) : std::string(text));
}

std::string_view sheetText(std::string_view cell) {
    return cell.starts_with(kFormulaGuard) ? cell.substr(1) : cell;
}
