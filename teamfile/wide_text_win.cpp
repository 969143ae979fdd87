#include "teamfile/wide_text_win.h"

#include <windows.h>

std::wstring wideText(std::string_view text, unsigned int codePage) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string narrowText(std::wstring_view wide, unsigned int codePage) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(
                         WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr,
                        nullptr);
    return text;
}
