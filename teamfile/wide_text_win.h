// Text between a code page (CP_ACP, CP_UTF8) and the UTF-16 of Windows' wide calls. Bytes that the
// code page does not define, and unpaired surrogates, become U+FFFD or '?' as the system converts them.
#pragma once

#include <string>
#include <string_view>

std::wstring wideText(std::string_view text, unsigned int codePage);
std::string narrowText(std::wstring_view wide, unsigned int codePage);
