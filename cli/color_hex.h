// A colour as the tool's text shows it: #RRGGBB.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "roster/team_document.h"

std::string colorText(ColorRef color);
// Hex digits in either case; none for any other text.
std::optional<ColorRef> parseColorText(std::string_view text);
