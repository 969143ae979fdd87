#include "cli/quoting.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

#include <utf8cpp/utf8.h>

#include "cli/cp1252.h"

namespace {

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

std::string displayText(std::string_view ansi) {
    std::string out;
    for (char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (isControlByte(byte)) {
            appendEscaped(out, byte);
        } else {
            utf8::append(codePointOfByte(byte), out);
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
        const auto [cp, length] = utf8Front(utf8.substr(i));
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
            appendShown(shown, codePointOfByte(byte));
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
