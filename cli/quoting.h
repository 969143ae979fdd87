// Text put between double quotes for messages.
#pragma once

#include <string>
#include <string_view>

inline std::string inQuotes(std::string_view text) {
    std::string out(1, '"');
    out += text;
    out += '"';
    return out;
}
