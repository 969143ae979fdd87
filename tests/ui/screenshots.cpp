// Starts the editor, shows each of its five pages and its About box in turn and saves a picture of
// the screen for each (ImageMagick's import, a host program that Wine starts like any other).
// Usage: ui_screenshots <host folder for the PNG files>
#include "tests/ui/driver.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr const char* kImport = "/usr/bin/import";
constexpr DWORD kShotTimeoutMs = 30000;
constexpr int kPaintSettleMs = 300;

const char* const kPageShots[kPageCount] = {
    "off-starters", "off-reserves", "def-starters", "def-reserves", "slot-tools",
};

// Paints everything now and gives the display server a moment to show it.
void repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    settle(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(kPaintSettleMs));
}

bool shoot(const std::string& folder, const char* name) {
    std::string path = folder + "/" + name + ".png";
    std::string commandLine = std::string(kImport) + " -window root " + path;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("cannot run %s (error %lu)\n", kImport, GetLastError());
        return false;
    }
    bool done = WaitForSingleObject(process.hProcess, kShotTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%s %s\n", done ? "saved" : "timed out on", path.c_str());
    std::fflush(stdout);
    return done;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: ui_screenshots <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    Editor editor;
    if (!editor.started()) {
        std::printf("the editor did not start\n");
        return 1;
    }
    bool ok = true;
    for (PageIndex page = kPageCount - 1; page >= 0; --page) {
        editor.clickTab(page);
        ok = waitUntil([&] { return editor.visiblePage() == page; }) && ok;
        repaint(editor.mainWindow());
        ok = shoot(folder, kPageShots[page]) && ok;
    }
    editor.command(IDM_ABOUT);
    HWND about = waitForDialog(editor.processId(), editor.mainWindow());
    if (about) {
        repaint(about);
        ok = shoot(folder, "about") && ok;
        clickDialogButton(about, IDOK);
        waitUntil([&] { return !IsWindow(about); });
    } else {
        std::printf("the About box did not open\n");
        ok = false;
    }
    editor.command(IDM_EXIT);
    ok = editor.waitForExit() == 0 && ok;
    return ok ? 0 : 1;
}
