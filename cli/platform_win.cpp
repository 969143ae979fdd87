#include "cli/file_lists.h"
#include "cli/messages.h"
#include "cli/platform.h"
#include "cli/run_cli.h"
#include "teamfile/file_io.h"
#include "teamfile/wide_text_win.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

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

namespace {

// The handler's thread waits for this section, which the main thread holds while it changes what
// the handler reads.
CRITICAL_SECTION held;

struct HeldSection {
    HeldSection() { InitializeCriticalSection(&held); }
};
const HeldSection heldSection;

// Runs on a thread of its own, which the system starts for the event.
BOOL WINAPI onConsoleEvent(DWORD) {
    EnterCriticalSection(&held);
    const InterruptionState& state = interruptionState();
    for (const std::wstring& temporary : state.temporaries)
        if (!temporary.empty())
            removeFileAt(temporary);
    const std::string text = std::string(kProgram) + ": " + state.message + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
              nullptr);
    ExitProcess(kExitError);
}

} // namespace

void catchInterruptions() {
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void holdInterruptions() {
    EnterCriticalSection(&held);
}

void releaseInterruptions() {
    LeaveCriticalSection(&held);
}

std::string unsafeFileName(const std::filesystem::path& name) {
    const std::wstring& text = name.native();
    if (text.find(L':') != std::wstring::npos)
        return "a colon in a file name names a stream inside another file on Windows";
    std::wstring stem = text.substr(0, text.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
    static const std::wstring devices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    const bool numbered = stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
                          stem[3] >= L'0' && stem[3] <= L'9';
    if (numbered || std::find(std::begin(devices), std::end(devices), stem) != std::end(devices))
        return "the name is a device's on Windows";
    return {};
}

bool isUnicodeName(const std::filesystem::path& name) {
    const std::wstring& text = name.native();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        if (low || (high && (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)))
            return false;
        i += high ? 1 : 0;
    }
    return true;
}