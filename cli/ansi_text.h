// Team files hold names as single-byte text in the Windows-1252 code page; the tool's text formats
// and its output are UTF-8. The mapping covers all 256 byte values: the five bytes that the code page
// leaves undefined stand for the C1 control characters of the same number, as Windows maps them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

std::string ansiToUtf8(std::string_view ansi);

struct AnsiConversion {
    bool ok = true;
    std::string text;       // the single-byte text when ok
    std::size_t offset = 0; // byte offset of the offending character in the UTF-8 input
    std::string problem;    // what is wrong with it
};
AnsiConversion utf8ToAnsi(std::string_view utf8);

// Single-byte text for people to read: UTF-8, with control characters written as \xNN.
std::string displayText(std::string_view ansi);

// Text from the input quoted for a message: at most its first kQuotedCharacters characters, control
// characters and bytes that are not UTF-8 written as \xNN, characters that show nothing (a byte order
// mark, a zero-width space, a direction mark, ...) as \uXXXX, and the whole length when it was cut.
inline constexpr std::size_t kQuotedCharacters = 40;
std::string quotedInput(std::string_view utf8);
// The same for single-byte text as a team file holds it.
std::string quotedAnsi(std::string_view ansi);
// A path for people to read, escaped as a quoted text is: whole up to
// kShownPathCharacters characters (more than any system's paths take), cut with "..." after that.
inline constexpr std::size_t kShownPathCharacters = 1000;
std::string shownPath(std::string_view utf8);
// A JSON pointer for messages ("/" for the whole text): escaped as a path is, and cut with "..."
// after kShownPointerCharacters characters, as member names come from the input.
inline constexpr std::size_t kShownPointerCharacters = 100;
std::string shownPointer(std::string_view pointer);

// Whether text is well-formed UTF-8.
bool isUtf8(std::string_view text);

// Characters of UTF-8 text, for lining up columns; a byte that is not UTF-8 counts as one.
std::size_t utf8Length(std::string_view utf8);

// True for the bytes that are control characters in the code page (C0, DEL and the C1 stand-ins).
bool isControlByte(unsigned char byte);
