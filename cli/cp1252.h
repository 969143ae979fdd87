// Team files hold names as single-byte text in the Windows-1252 code page; the tool's text formats
// and its output are UTF-8. The mapping covers all 256 byte values: the five bytes that the code page
// leaves undefined stand for the C1 control characters of the same number, as Windows maps them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

std::string ansiToUtf8(std::string_view ansi);
// The code point that a byte of the code page stands for.
char32_t codePointOfByte(unsigned char byte);

struct AnsiConversion {
    bool ok = true;
    std::string text;       // the single-byte text when ok
    std::size_t offset = 0; // byte offset of the offending character in the UTF-8 input
    std::string problem;    // what is wrong with it
};
AnsiConversion utf8ToAnsi(std::string_view utf8);

// Whether text is well-formed UTF-8.
bool isUtf8(std::string_view text);

// Characters of UTF-8 text, for lining up columns; a byte that is not UTF-8 counts as one.
std::size_t utf8Length(std::string_view utf8);

// True for the bytes that are control characters in the code page (C0, DEL and the C1 stand-ins).
bool isControlByte(unsigned char byte);

// The code point at the front of UTF-8 text and its length in bytes; length 0 when the bytes there
// are not well-formed UTF-8 (an overlong form, a surrogate, a code point past U+10FFFF, a cut
// sequence).
struct Utf8Front {
    char32_t cp = 0;
    std::size_t length = 0;
};
Utf8Front utf8Front(std::string_view text);
