#include "cli/platform.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "cli/file_lists.h"
#include "teamfile/file_io.h"
#include "teamfile/wide_text_win.h"

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
    return narrowText(wideText(text, CP_ACP), CP_UTF8);
}
