#include "cli/platform.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "cli/file_lists.h"
#include "teamfile/file_io.h"

void prepareConsole() {
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> expandWildcards(const std::string& argument) {
    const std::size_t lastPart = argument.find_last_of("\\/") + 1;
    if (argument.find_first_of("*?", lastPart) == std::string::npos)
        return {argument};
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(utf8Path(argument).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = utf8Text(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            matchesWildcards(std::string_view(argument).substr(lastPart), name))
            names.push_back(argument.substr(0, lastPart) + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string systemTextToUtf8(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    const int wideSize = static_cast<int>(wide.size());
    std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr,
                                                                  0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}
