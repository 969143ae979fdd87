// Start-up benchmark: the time from process start until the main window is idle, for the editor, for
// the floor program (its window and page dialogs, nothing filled) and for a bare Win32 window program,
// started in turn, run after run, in the same Wine prefix. Idle means that WaitForInputIdle has
// returned, the main window is visible and it has answered a sent WM_NULL, which its thread can only do
// from its message loop (Wine's WaitForInputIdle may return before a young process has created its idle
// event). Prints every run, the medians and the median ratio of each program's runs to the next one's.
// Usage: ui_startup_bench [runs [program.exe ...]]    (other programs, for instance variants of the
// editor, take the place of the three)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kTimeoutMs = 20000;

struct Program {
    std::string name;
    std::string path;
    std::vector<double> milliseconds;
};

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findMainWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != wanted->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    wanted->found = window;
    return FALSE;
}

// The build passes host paths; Wine reaches the host's root as drive Z:.
std::string windowsPath(std::string path) {
    if (path.empty() || path[0] != '/')
        return path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

double elapsedMs(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Starts the program, waits until its main window is idle, closes it; the start-up time, or a
// negative number when the run failed.
double timeOneStart(const std::string& path) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + path + "\"";
    LARGE_INTEGER start;
    LARGE_INTEGER idle;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    const DWORD waited = WaitForInputIdle(process.hProcess, kTimeoutMs);
    WindowSearch search = {process.dwProcessId, nullptr};
    for (int polls = 0; search.found == nullptr && polls < kTimeoutMs; ++polls) {
        EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(1);
    }
    DWORD_PTR ignored = 0;
    const bool answered =
        search.found != nullptr &&
        SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored) != 0;
    QueryPerformanceCounter(&idle);

    if (search.found != nullptr)
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waited == 0 && answered ? elapsedMs(start, idle) : -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The file name without its folder and extension.
std::string programName(const std::string& path) {
    const std::size_t start = path.find_last_of("\\/") + 1;
    return path.substr(start, path.find_last_of('.') - start);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<std::string> paths = {SQUADWRIGHT_EDITOR_EXE, FLOOR_WINDOW_EXE, BARE_WINDOW_EXE};
    if (argc > 2)
        paths.assign(argv + 2, argv + argc);
    std::vector<Program> programs;
    for (const std::string& path : paths)
        programs.push_back({programName(path), windowsPath(path), {}});
    for (const Program& program : programs)
        if (timeOneStart(program.path) < 0) { // warm-up, not counted
            std::printf("%s: cannot start %s\n", program.name.c_str(), program.path.c_str());
            return 1;
        }
    for (int run = 0; run < runs; ++run)
        for (Program& program : programs) {
            const double ms = timeOneStart(program.path);
            if (ms < 0) {
                std::printf("%s: run %d failed\n", program.name.c_str(), run + 1);
                return 1;
            }
            program.milliseconds.push_back(ms);
        }
    for (const Program& program : programs) {
        std::printf("%-16s", program.name.c_str());
        for (double ms : program.milliseconds)
            std::printf(" %6.1f", ms);
        std::printf("\n");
    }
    // The ratios are taken run by run, of programs started one after the other, so that a machine
    // whose speed drifts during the series still compares like with like.
    std::printf("median start-up to idle over %d runs each, and the median of the run-by-run ratios:\n",
                runs);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        std::printf("  %-16s %7.1f ms", programs[i].name.c_str(), median(programs[i].milliseconds));
        if (i + 1 < programs.size()) {
            std::vector<double> ratios;
            for (int run = 0; run < runs; ++run)
                ratios.push_back(programs[i].milliseconds[run] / programs[i + 1].milliseconds[run]);
            std::printf("  %.2f times %s", median(ratios), programs[i + 1].name.c_str());
        }
        std::printf("\n");
    }
    std::fflush(stdout);
    return 0;
}
