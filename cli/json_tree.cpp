#include "cli/json_tree.h"

#include <algorithm>
#include <unordered_set>

#include "cli/ansi_text.h"
#include "cli/csv_table.h"

namespace {

using Kind = JsonNode::Kind;

// Line and column (1-based, in bytes) of a byte offset.
std::string placeOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i)
        if (endsLine(text, i))
            ++line, lineStart = i + 1;
    return std::to_string(line) + ":" + std::to_string(offset - lineStart + 1);
}

// The library's description of a syntax error, without its leading error number and position and
// without the raw bytes it last read, which are shown quoted instead.
std::string syntaxProblem(const std::string& what, const std::string& lastToken) {
    const std::size_t prefixEnd = what.find(": ", what.find(']'));
    std::string problem = prefixEnd == std::string::npos ? what : what.substr(prefixEnd + 2);
    problem = problem.substr(0, problem.find("; last read"));
    return lastToken.empty() ? problem : problem + " (at " + quotedInput(lastToken) + ")";
}

// A league sheet nests five levels deep (the sheet, its teams, a team, its slots, a slot); deeper
// JSON is no sheet, and is refused before it is built, so the tree stays shallow.
constexpr std::size_t kDeepestNesting = 8;

// The library's error number of a number that a double cannot hold.
constexpr int kNumberOverflow = 406;

// From this many digits on, a whole number may be more than a double holds, and the library stops at
// it. Such numbers are read as strings of the same digits, which the team's fields take alike.
constexpr std::size_t kLongWholeNumber = 309;

bool isNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// The text with every whole number of kLongWholeNumber digits or more (outside strings, without a
// sign, fraction or exponent) put in quotes, and the offsets in the text of the numbers so quoted.
struct QuotedLongNumbers {
    std::string text;
    std::vector<std::size_t> quoted;
};

QuotedLongNumbers quoteLongWholeNumbers(std::string_view text) {
    QuotedLongNumbers result;
    bool inString = false;
    std::size_t copied = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
            continue;
        }
        if (c < '0' || c > '9' || (i > 0 && isNumberCharacter(text[i - 1])))
            continue;
        std::size_t end = i;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        if (end - i >= kLongWholeNumber && (end == text.size() || !isNumberCharacter(text[end]))) {
            result.text.append(text.substr(copied, i - copied)).append("\"");
            result.text.append(text.substr(i, end - i)).append("\"");
            copied = end;
            result.quoted.push_back(i);
        }
        i = end - 1;
    }
    if (!result.quoted.empty())
        result.text.append(text.substr(copied));
    return result;
}

struct Frame {
    JsonNode node;
    bool streamed = false;                 // the array whose elements go to the item handler
    std::size_t count = 0;                 // elements of an array seen so far
    std::unordered_set<std::string> names; // an object's member names, to find one given twice
};

class TreeBuilder : public nlohmann::json_sax<nlohmann::json> {
  public:
    // text is the sheet as written; quoted says which numbers of it the parsed text has in quotes.
    TreeBuilder(std::string_view text, const std::vector<std::size_t>& quoted, const std::string& source,
                const std::string& streamedKey, const JsonItemHandler& onItem)
        : text_(text), quoted_(quoted), source_(source), streamedKey_(streamedKey), onItem_(onItem) {}

    JsonTree result() { return {std::move(root_), std::move(error_)}; }

    bool null() override { return add({Kind::null, "null", {}, {}}); }
    bool boolean(bool value) override { return add({Kind::boolean, value ? "true" : "false", {}, {}}); }
    bool number_integer(number_integer_t value) override {
        return add({Kind::number, std::to_string(value), {}, {}});
    }
    bool number_unsigned(number_unsigned_t value) override {
        return add({Kind::number, std::to_string(value), {}, {}});
    }
    bool number_float(number_float_t, const string_t& written) override {
        return add({Kind::number, written, {}, {}});
    }
    bool string(string_t& value) override { return add({Kind::string, std::move(value), {}, {}}); }
    bool binary(binary_t&) override { return add({}); }

    bool start_object(std::size_t) override {
        if (!roomForAnother())
            return false;
        stack_.push_back({{Kind::object, {}, {}, {}}, false, 0, {}});
        return true;
    }
    bool key(string_t& name) override {
        Frame& object = stack_.back();
        if (!object.names.insert(name).second) {
            error_ = jsonProblem(source_, pointerOf(stack_.size()) / name,
                                 "the name " + quotedInput(name) + " appears twice in this object");
            return false;
        }
        object.node.keys.push_back(std::move(name));
        return true;
    }
    bool end_object() override { return endContainer(); }

    bool start_array(std::size_t) override {
        if (!roomForAnother())
            return false;
        const bool streamed = !streamedKey_.empty() && stack_.size() == 1 &&
                              stack_.back().node.kind == Kind::object &&
                              stack_.back().node.keys.back() == streamedKey_;
        stack_.push_back({{Kind::array, {}, {}, {}}, streamed, 0, {}});
        return true;
    }
    bool end_array() override { return endContainer(); }

    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& problem) override {
        // A syntax error stands at the last character read; a number that is too large begins where
        // its token does.
        const std::size_t offset = problem.id == kNumberOverflow
                                       ? position - std::min(position, lastToken.size())
                                       : position - std::min<std::size_t>(position, 1);
        const std::string at = source_ + ":" + placeOf(text_, writtenOffset(offset)) + ": ";
        error_ = problem.id == kNumberOverflow
                     ? at + "the number " + quotedInput(lastToken) + " is too large to read"
                     : at + "invalid JSON: " + syntaxProblem(problem.what(), lastToken);
        return false;
    }

  private:
    // The offset in the text as written of an offset in the parsed text: two quotes fewer for each
    // number quoted before it.
    std::size_t writtenOffset(std::size_t parsed) const {
        std::size_t quotes = 0;
        for (std::size_t at : quoted_)
            if (at + quotes < parsed)
                quotes += 2;
        return parsed - std::min(parsed, quotes);
    }

    // The place of what frames [0, depth) hold next: the key just read, or the next element.
    JsonPointer pointerOf(std::size_t depth) const {
        JsonPointer pointer;
        for (std::size_t i = 1; i < depth; ++i) {
            const Frame& parent = stack_[i - 1];
            if (parent.node.kind == Kind::object)
                pointer /= parent.node.keys.back();
            else
                pointer /= parent.count;
        }
        return pointer;
    }

    bool roomForAnother() {
        if (stack_.size() < kDeepestNesting)
            return true;
        error_ = jsonProblem(source_, pointerOf(stack_.size() + 1),
                             "the JSON nests deeper than " + std::to_string(kDeepestNesting) +
                                 " levels, which no team or league sheet needs");
        return false;
    }

    bool endContainer() {
        JsonNode node = std::move(stack_.back().node);
        stack_.pop_back();
        return add(std::move(node));
    }

    bool add(JsonNode node) {
        if (stack_.empty()) {
            root_ = std::move(node);
            return true;
        }
        Frame& parent = stack_.back();
        if (parent.streamed) {
            error_ = onItem_(node, pointerOf(stack_.size() + 1));
            ++parent.count;
            return error_.empty();
        }
        parent.node.items.push_back(std::move(node));
        ++parent.count;
        return true;
    }

    std::string_view text_;
    const std::vector<std::size_t>& quoted_;
    const std::string& source_;
    const std::string& streamedKey_;
    const JsonItemHandler& onItem_;
    std::vector<Frame> stack_;
    JsonNode root_;
    std::string error_;
};

} // namespace

std::string JsonNode::shown() const {
    switch (kind) {
    case Kind::string: return quotedInput(text);
    case Kind::array: return "an array";
    case Kind::object: return "an object";
    default: return text.size() > kQuotedCharacters ? quotedInput(text) : text;
    }
}

JsonTree readJson(std::string_view text, const std::string& source, const std::string& streamedKey,
                  const JsonItemHandler& onItem) {
    if (isUtf16Text(text))
        return {{}, source + ":1:1: " + std::string(kUtf16Problem)};
    const QuotedLongNumbers parsed = quoteLongWholeNumbers(text);
    TreeBuilder builder(text, parsed.quoted, source, streamedKey, onItem);
    if (parsed.quoted.empty())
        nlohmann::json::sax_parse(text, &builder);
    else
        nlohmann::json::sax_parse(parsed.text, &builder);
    return builder.result();
}

std::string jsonProblem(const std::string& source, const JsonPointer& at, const std::string& problem) {
    return source + ": " + shownPointer(at.to_string()) + ": " + problem;
}
