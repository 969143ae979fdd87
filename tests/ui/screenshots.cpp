// Starts the editor, shows each of its five pages and its About box in turn and saves a picture of
// the screen for each (ImageMagick's import, a host program that Wine starts like any other).
// Usage: ui_screenshots <host folder for the PNG files>
#include "tests/ui/driver.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

constexpr const char* kImport = "/usr/bin/import";
constexpr DWORD kShotTimeoutMs = 30000;
constexpr int kPaintSettleMs = 300;
constexpr int kFilePollMs = 100;

const char* const kPageShots[kPageCount] = {
    "off-starters", "off-reserves", "def-starters", "def-reserves", "slot-tools",
};

// Paints everything now and gives the display server a moment to show it.
void repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    settle(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(kPaintSettleMs));
}

// A host path as Wine reaches it, through drive Z:.
std::string winePath(const std::string& hostPath) {
    std::string path("Z:");
    for (char c : hostPath)
        path.push_back(c == '/' ? '\\' : c);
    return path;
}

// The size of a host file, or -1 while it does not exist.
long long fileSize(const std::string& hostPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(winePath(hostPath).c_str(), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Wine gives no handle that waits for a host program, so the picture counts as saved once its file
// exists and has stopped growing.
bool shoot(const std::string& folder, const char* name) {
    std::string path = folder + "/" + name + ".png";
    DeleteFileA(winePath(path).c_str());
    std::string commandLine = std::string(kImport) + " -window root " + path;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("cannot run %s (error %lu)\n", kImport, GetLastError());
        return false;
    }
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    long long lastSize = -1;
    bool done = waitUntil(
        [&] {
            long long size = fileSize(path);
            bool stable = size > 0 && size == lastSize;
            lastSize = size;
            std::this_thread::sleep_for(std::chrono::milliseconds(kFilePollMs));
            return stable;
        },
        kShotTimeoutMs);
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
    EditorProcess editor;
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
