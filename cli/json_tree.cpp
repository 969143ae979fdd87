#include "cli/json_tree.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <unordered_set>

#include "cli/csv_table.h"
#include "cli/quoting.h"

namespace {

using Kind = JsonNode::Kind;

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

constexpr std::size_t kReadBlock = 1 << 16;

bool isNumberCharacter(int c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

// The text that the library reads: the sheet as it streams in, with every whole number of
// kLongWholeNumber digits or more (outside strings, without a sign, fraction or exponent) put in
// quotes, and where in the sheet each byte that it hands out stands.
class JsonFeed {
  public:
    explicit JsonFeed(std::istream& in) : in_(in) {
        while (block_.size() < 2 * kUtf8Mark.size() && readMore()) {
        }
        const SheetStart start = sheetStart(block_, true);
        problem_ = start.problem;
        at_ = start.skip;
    }

    bool atEnd() { return !fill(); }
    char current() const { return queue_[queued_]; }
    void advance() {
        const TextPlace place = queuedPlace();
        const bool number = !inStringOut_ && isNumberCharacter(static_cast<unsigned char>(current()));
        if (number && !lastWasNumber_)
            numberStart_ = place;
        lastWasNumber_ = number;
        recent_[handed_ % recent_.size()] = place;
        ++handed_;
        ++queued_;
    }

    // Where the byte handed out as the index-th (from 0) stands (the end of the text just after the
    // last one), or the start of the last number when it lies further back (the library places a
    // number that is too large at its first byte).
    TextPlace placeOfHanded(std::size_t index) const {
        if (index == handed_)
            return places_.next();
        return index + recent_.size() > handed_ && index < handed_ ? recent_[index % recent_.size()]
                                                                   : numberStart_;
    }

    // A value of the sheet begins: what follows counts towards kLongestJsonValue anew.
    void startValue() { sinceValue_ = 0; }
    // Why the feed ended the text early, or nothing.
    const std::string& problem() const { return problem_; }
    bool tooLong() const { return tooLong_; }

  private:
    bool readMore() {
        char block[kReadBlock];
        in_.read(block, sizeof block);
        block_.erase(0, at_);
        at_ = 0;
        block_.append(block, static_cast<std::size_t>(in_.gcount()));
        return in_.gcount() > 0;
    }

    // The next byte of the sheet, or -1 at its end.
    int peek() {
        if (at_ == block_.size() && !readMore())
            return -1;
        return static_cast<unsigned char>(block_[at_]);
    }

    // Takes the next byte of the sheet (peek first), and its place.
    bool take(char& c, TextPlace& place) {
        if (!problem_.empty())
            return false;
        if (++sinceValue_ > kLongestJsonValue) {
            problem_ = "longer than " + std::to_string(kLongestJsonValue >> 20) + " MB";
            tooLong_ = true;
            return false;
        }
        c = block_[at_++];
        place = places_.pass(c);
        return true;
    }

    TextPlace queuedPlace() const {
        if (!runQueued_)
            return queuePlaces_[queued_];
        // A run of digits on one line, maybe between quotes that stand where its first digit does
        // and after its last.
        const std::size_t digit = quotedRun_ && queued_ > 0 ? queued_ - 1 : queued_;
        return {runStart_.line, runStart_.column + static_cast<int>(digit)};
    }

    // Makes sure the queue holds a byte to hand out; false at the end of the text.
    bool fill() {
        if (queued_ < queue_.size())
            return true;
        queue_.clear();
        queuePlaces_.clear();
        queued_ = 0;
        runQueued_ = false;
        const int next = peek();
        if (next < 0)
            return false;
        if (!inString_ && isDigit(next) && !isNumberCharacter(previous_))
            return fillDigits();
        char c = 0;
        TextPlace place;
        if (!take(c, place))
            return false;
        queue_ += c;
        queuePlaces_.push_back(place);
        if (inString_ && escaped_)
            escaped_ = false;
        else if (inString_ && c == '\\')
            escaped_ = true;
        else if (c == '"')
            inString_ = !inString_;
        inStringOut_ = inString_ || c == '"';
        previous_ = static_cast<unsigned char>(c);
        return true;
    }

    // A run of digits that begins a number, read whole to tell whether it is a long whole number.
    bool fillDigits() {
        char c = 0;
        TextPlace place;
        while (isDigit(peek()) && take(c, place)) {
            if (queue_.empty())
                runStart_ = place;
            queue_ += c;
        }
        if (queue_.empty())
            return false;
        quotedRun_ = queue_.size() >= kLongWholeNumber && !isNumberCharacter(peek());
        if (quotedRun_)
            queue_ = '"' + queue_ + '"';
        runQueued_ = true;
        inStringOut_ = quotedRun_;
        previous_ = static_cast<unsigned char>(c);
        return true;
    }

    std::istream& in_;
    std::string block_;
    std::size_t at_ = 0;
    TextPlaces places_;
    std::string problem_;
    bool tooLong_ = false;
    std::size_t sinceValue_ = 0;

    std::string queue_;
    std::vector<TextPlace> queuePlaces_;
    std::size_t queued_ = 0;
    bool runQueued_ = false;
    bool quotedRun_ = false;
    TextPlace runStart_;

    bool inString_ = false;
    bool escaped_ = false;
    bool inStringOut_ = false;
    int previous_ = -1;

    std::array<TextPlace, 4> recent_{};
    std::size_t handed_ = 0;
    TextPlace numberStart_;
    bool lastWasNumber_ = false;
};

struct Frame {
    JsonNode node;
    bool streamed = false;                 // the array whose elements go to the item handler
    std::size_t count = 0;                 // elements of an array seen so far
    std::unordered_set<std::string> names; // an object's member names, to find one given twice
};

class TreeBuilder : public nlohmann::json_sax<nlohmann::json> {
  public:
    TreeBuilder(JsonFeed& feed, const std::string& source, const std::string& streamedKey,
                const JsonItemHandler& onItem)
        : feed_(feed), source_(source), streamedKey_(streamedKey), onItem_(onItem) {}

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
        if (stack_.size() == 1)
            startValue();
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
        if (streamed)
            startValue();
        return true;
    }
    bool end_array() override { return endContainer(); }

    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& problem) override {
        if (feed_.tooLong()) {
            error_ = jsonProblem(source_, valueAt_,
                                 "this value takes more than " + std::to_string(kLongestJsonValue >> 20) +
                                     " MB of the sheet, far more than any team needs: is it the right file?");
            return false;
        }
        if (!feed_.problem().empty()) {
            error_ = source_ + ":1:1: " + feed_.problem();
            return false;
        }
        // A syntax error stands at the last character read; a number that is too large begins where
        // its token does.
        const std::size_t offset = problem.id == kNumberOverflow
                                       ? position - std::min(position, lastToken.size())
                                       : position - std::min<std::size_t>(position, 1);
        const TextPlace place = feed_.placeOfHanded(offset);
        const std::string at =
            source_ + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": ";
        error_ = problem.id == kNumberOverflow
                     ? at + "the number " + quotedInput(lastToken) + " is too large to read"
                     : at + "invalid JSON: " + syntaxProblem(problem.what(), lastToken);
        return false;
    }

  private:
    // A member of the top object, or an element of the streamed array, begins.
    void startValue() {
        feed_.startValue();
        valueAt_ = pointerOf(stack_.size() + 1);
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
            startValue();
            return error_.empty();
        }
        parent.node.items.push_back(std::move(node));
        ++parent.count;
        return true;
    }

    JsonFeed& feed_;
    const std::string& source_;
    const std::string& streamedKey_;
    const JsonItemHandler& onItem_;
    std::vector<Frame> stack_;
    JsonNode root_;
    std::string error_;
    JsonPointer valueAt_; // the value that the feed counts the length of
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

namespace {

// What the JSON library reads through: an input iterator over the feed.
class FeedIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    FeedIterator() = default;
    explicit FeedIterator(JsonFeed& feed) : feed_(&feed) {}
    char operator*() const { return feed_->current(); }
    FeedIterator& operator++() {
        feed_->advance();
        return *this;
    }
    bool operator==(const FeedIterator& other) const { return atEnd() == other.atEnd(); }

  private:
    bool atEnd() const { return feed_ == nullptr || feed_->atEnd(); }
    JsonFeed* feed_ = nullptr;
};

} // namespace

JsonTree readJson(std::istream& in, const std::string& source, const std::string& streamedKey,
                  const JsonItemHandler& onItem) {
    JsonFeed feed(in);
    TreeBuilder builder(feed, source, streamedKey, onItem);
    nlohmann::json::sax_parse(FeedIterator(feed), FeedIterator(), &builder);
    return builder.result();
}

std::string jsonProblem(const std::string& source, const JsonPointer& at, const std::string& problem) {
    return source + ": " + shownPointer(at.to_string()) + ": " + problem;
}
