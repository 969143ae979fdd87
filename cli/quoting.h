// Text for messages: quoted, escaped, cut to a readable length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text put between double quotes.
inline std::string inQuotes(std::string_view text) {
    std::string out(1, '"');
    out += text;
    out += '"';
    return out;
}

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
