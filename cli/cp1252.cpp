#include "cli/cp1252.h"

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

} // namespace

char32_t codePointOfByte(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControlRow[byte - 0x80] : static_cast<char32_t>(byte);
}

Utf8Front utf8Front(std::string_view text) {
    const std::string_view sequence = text.substr(0, kLongestSequence);
    if (utf8::find_invalid(sequence) == 0)
        return {};
    auto end = sequence.begin();
    const char32_t cp = utf8::next(end, sequence.end());
    return {cp, static_cast<std::size_t>(end - sequence.begin())};
}

std::string ansiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        utf8::append(codePointOfByte(static_cast<unsigned char>(c)), out);
    return out;
}

AnsiConversion utf8ToAnsi(std::string_view utf8) {
    AnsiConversion result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, length] = utf8Front(utf8.substr(i));
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
    return byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte <= 0x9F && codePointOfByte(byte) == byte);
}

std::size_t utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count)
        i += std::max<std::size_t>(utf8Front(utf8.substr(i)).length, 1);
    return count;
}

bool isUtf8(std::string_view text) {
    return utf8::find_invalid(text) == std::string_view::npos;
}
