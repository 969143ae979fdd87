#include "cli/ansi_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <utility>

#include <utf8cpp/utf8.h>

namespace {

// Code points of the bytes 0x80..0x9F; the others stand for the code point of their own value.
constexpr std::array<char32_t, 32> kHighControlRow = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codePointOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControlRow[byte - 0x80] : static_cast<char32_t>(byte);
}

// The byte for a code point, or -1 when the code page has none.
int byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControlRow.size(); ++i)
        if (kHighControlRow[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

// The longest UTF-8 sequence, in bytes.
constexpr std::size_t kLongestSequence = 4;

// The code point at the front of text and its length in bytes; length 0 when the bytes there are
// not well-formed UTF-8 (an overlong form, a surrogate, a code point past U+10FFFF, a cut sequence).
struct Decoded {
    char32_t cp = 0;
    std::size_t length = 0;
};

Decoded decodeFront(std::string_view text) {
    const std::string_view sequence = text.substr(0, kLongestSequence);
    if (utf8::find_invalid(sequence) == 0)
        return {};
    auto end = sequence.begin();
    const char32_t cp = utf8::next(end, sequence.end());
    return {cp, static_cast<std::size_t>(end - sequence.begin())};
}

void appendEscaped(std::string& out, unsigned char byte) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    out += escaped;
}

// Characters that show nothing, or change the text around them without showing themselves: the
// format characters of Unicode (the byte order mark, zero-width spaces and joiners, direction marks
// and overrides, the soft hyphen, tags, ...) and the line and paragraph separators.
bool isInvisible(char32_t cp) {
    constexpr std::pair<char32_t, char32_t> kInvisible[] = {
        {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
        {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
        {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
        {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F},
    };
    return std::any_of(std::begin(kInvisible), std::end(kInvisible),
                       [&](const auto& range) { return cp >= range.first && cp <= range.second; });
}

// A character for a message: an invisible one as \uXXXX (\U00XXXXXX past the first plane).
void appendShown(std::string& out, char32_t cp) {
    if (!isInvisible(cp)) {
        utf8::append(cp, out);
        return;
    }
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, cp > 0xFFFF ? "\\U%08X" : "\\u%04X", static_cast<unsigned>(cp));
    out += escaped;
}

} // namespace

std::string ansiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        utf8::append(codePointOf(static_cast<unsigned char>(c)), out);
    return out;
}

AnsiConversion utf8ToAnsi(std::string_view utf8) {
    AnsiConversion result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, length] = decodeFront(utf8.substr(i));
        if (length == 0)
            return {false, {}, i, "the text is not valid UTF-8"};
        const int byte = byteOf(cp);
        if (byte < 0) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
            return {false,
                    {},
                    i,
                    std::string("the character ") + name +
                        " has no place in a team file's "
                        "single-byte text (Windows-1252)"};
        }
        result.text += static_cast<char>(byte);
        i += length;
    }
    return result;
}

bool isControlByte(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte <= 0x9F && codePointOf(byte) == byte);
}

std::string displayText(std::string_view ansi) {
    std::string out;
    for (char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (isControlByte(byte)) {
            appendEscaped(out, byte);
        } else {
            utf8::append(codePointOf(byte), out);
        }
    }
    return out;
}

namespace {

// Escapes control characters and bytes that are not UTF-8; stops after limit characters. The
// number of bytes taken.
std::size_t appendReadable(std::string& out, std::string_view utf8, std::size_t limit) {
    std::size_t i = 0;
    for (std::size_t count = 0; i < utf8.size() && count < limit; ++count) {
        const auto [cp, length] = decodeFront(utf8.substr(i));
        if (length == 0 || cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F)) {
            for (std::size_t end = i + std::max<std::size_t>(length, 1); i < end; ++i)
                appendEscaped(out, static_cast<unsigned char>(utf8[i]));
            continue;
        }
        appendShown(out, cp);
        i += length;
    }
    return i;
}

std::string quoted(std::string_view text, std::string shown, std::size_t taken) {
    std::string out = "\"" + shown + (taken < text.size() ? "...\"" : "\"");
    if (taken < text.size())
        out += " (" + std::to_string(text.size()) + " bytes)";
    return out;
}

} // namespace

std::string quotedInput(std::string_view utf8) {
    std::string shown;
    const std::size_t taken = appendReadable(shown, utf8, kQuotedCharacters);
    return quoted(utf8, shown, taken);
}

std::string quotedAnsi(std::string_view ansi) {
    const std::size_t taken = std::min(ansi.size(), kQuotedCharacters);
    std::string shown;
    for (char c : ansi.substr(0, taken)) {
        const auto byte = static_cast<unsigned char>(c);
        if (isControlByte(byte))
            appendEscaped(shown, byte);
        else
            appendShown(shown, codePointOf(byte));
    }
    return quoted(ansi, shown, taken);
}

namespace {

// Escaped as appendReadable escapes, with "..." when cut after limit characters.
std::string shownCut(std::string_view utf8, std::size_t limit) {
    std::string shown;
    if (appendReadable(shown, utf8, limit) < utf8.size())
        shown += "...";
    return shown;
}

} // namespace

std::string shownPath(std::string_view utf8) {
    return shownCut(utf8, kShownPathCharacters);
}

std::string shownPointer(std::string_view pointer) {
    return pointer.empty() ? "/" : shownCut(pointer, kShownPointerCharacters);
}

std::size_t utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count)
        i += std::max<std::size_t>(decodeFront(utf8.substr(i)).length, 1);
    return count;
}

bool isUtf8(std::string_view text) {
    return utf8::find_invalid(text) == std::string_view::npos;
}
