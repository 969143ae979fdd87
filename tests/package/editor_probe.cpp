// Checks a running editor that someone else started (a shell, or the shell's file association):
// waits for its main window, waits until the first roster slot's name box shows the expected name,
// then closes the editor. Prints what it saw; exit status 0 when the name was shown and the editor
// ended with status 0.
// Usage: editor_probe.exe NAME
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "roster/page_storage_win.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kPollMs = 100;

// The name box of the first slot of the first roster page, once the page exists.
HWND firstNameBox(HWND main) {
    const int id = controlId(slotAt(0, 0), fieldControlOffset(SlotField::playerName));
    for (HWND page = FindWindowExA(main, nullptr, "#32770", nullptr); page;
         page = FindWindowExA(main, page, "#32770", nullptr))
        if (HWND box = GetDlgItem(page, id))
            return box;
    return nullptr;
}

// Polls until the name box shows the name; returns the last text seen.
std::string waitForName(const std::string& name) {
    std::string seen;
    for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
        HWND main = FindWindowA(kMainWindowClass, nullptr);
        HWND box = main ? firstNameBox(main) : nullptr;
        if (box) {
            seen = windowText(box);
            if (seen == name)
                break;
        }
        Sleep(kPollMs);
    }
    return seen;
}

// Closes the editor as its window's close box does; returns its exit code (STILL_ACTIVE if it
// does not end in time).
DWORD closeEditor(HWND main) {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process)
        return STILL_ACTIVE;
    PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, kTimeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: editor_probe NAME\n", stderr);
        return 2;
    }
    const std::string seen = waitForName(argv[1]);
    HWND main = FindWindowA(kMainWindowClass, nullptr);
    if (!main) {
        std::puts("no editor window");
        return 1;
    }
    std::printf("first name: %s\n", seen.c_str());
    const DWORD code = closeEditor(main);
    std::printf("editor exit code: %lu\n", code);
    return seen == argv[1] && code == 0 ? 0 : 1;
}
