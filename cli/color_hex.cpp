#include "cli/color_hex.h"

#include <cstdio>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string colorText(ColorRef color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colorRed(color), colorGreen(color), colorBlue(color));
    return text;
}

std::optional<ColorRef> parseColorText(std::string_view text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    int components[3];
    for (int c = 0; c < 3; ++c) {
        const int high = hexDigit(text[1 + 2 * c]);
        const int low = hexDigit(text[2 + 2 * c]);
        if (high < 0 || low < 0)
            return std::nullopt;
        components[c] = high * 16 + low;
    }
    return makeColor(components[0], components[1], components[2]);
}
