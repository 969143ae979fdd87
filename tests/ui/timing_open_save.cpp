// Open and Save benchmark through the real editor: the time from posting the Open dialog's OK until
// the pages show the file's values, and from posting File > Save until the file on disk holds the
// team. Two teams alternate so that every run changes what the pages and the file hold. Prints every
// run and the medians. Usage: ui_timing [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "teamfile/writer.h"
#include "tests/support/team_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"
#include "tests/ui/dialogs.h"
#include "tests/ui/page_differences.h"

namespace {

constexpr SlotIndex kLastReadSlot = 43; // the file's last player record
constexpr double kTimeoutMs = 10000;

class Stopwatch {
  public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double elapsedMs() const {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

  private:
    LARGE_INTEGER start_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void printRuns(const char* what, const std::vector<double>& ms) {
    std::printf("%-5s", what);
    for (double value : ms)
        std::printf(" %6.1f", value);
    std::printf("\n");
}

struct OpenTiming {
    double dialogClosedMs = -1; // the system dialog's part
    double shownMs = -1;        // the pages show the file's values
};

// Open through the dialog, timed from OK; negative times when the run failed.
OpenTiming timeOneOpen(EditorProcess& editor, const std::string& path, const TeamDocument& team) {
    OpenTiming timing;
    HWND dialog = openCommandDialog(editor, IDM_OPEN);
    if (dialog == nullptr || !enterFileName(dialog, path))
        return timing;
    HWND lastName = editor.control(kLastReadSlot, fieldControlOffset(SlotField::playerName));
    HWND lastRating = editor.control(kLastReadSlot, fieldControlOffset(SlotField::discipline));
    const std::string name = fieldText(team, kLastReadSlot, SlotField::playerName);
    const std::string rating = fieldText(team, kLastReadSlot, SlotField::discipline);
    const Stopwatch watch;
    confirmDialog(dialog);
    // Asking the pages waits for the editor's thread, so first watch the dialog go without asking it.
    while (IsWindowVisible(dialog) && watch.elapsedMs() < kTimeoutMs)
        Sleep(1);
    const double closedMs = watch.elapsedMs();
    // The editor reads the file right after its dialog has gone and answers a sent message only
    // when it is done, so this waits without asking the pages while they are being filled.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(editor.mainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
    const double ms = watch.elapsedMs();
    if (windowText(lastRating) != rating || windowText(lastName) != name)
        return timing;
    if (ms >= kTimeoutMs || !waitForDialogGone(dialog))
        return timing;
    settle(editor.mainWindow());
    if (pageDifferences(editor, team).empty())
        timing = {closedMs, ms};
    return timing;
}

// The file's size and time of last writing, asked without opening it: under Wine a file that is open
// anywhere cannot be replaced, so the editor's save must not meet a reader.
bool fileStamp(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& stamp) {
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &stamp) != 0;
}

bool sameStamp(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0 && a.nFileSizeLow == b.nFileSizeLow;
}

// File > Save of the current file; the time from the command until the file was replaced whole (the
// editor moves a finished file over the old one), checked afterwards against the team's bytes.
double timeOneSave(EditorProcess& editor, const std::string& path, TeamDocument& team,
                   const std::string& name) {
    editFirstName(editor, team, name);
    WIN32_FILE_ATTRIBUTE_DATA before;
    if (!fileStamp(path, before))
        return -1;
    const Stopwatch watch;
    editor.command(IDM_SAVE);
    WIN32_FILE_ATTRIBUTE_DATA now = before;
    while ((!fileStamp(path, now) || sameStamp(now, before)) && watch.elapsedMs() < kTimeoutMs)
        Sleep(1);
    const double ms = watch.elapsedMs();
    settle(editor.mainWindow());
    return ms < kTimeoutMs && readFileBytes(path) == encoded(team) ? ms : -1;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
    TempFolder folder;
    TeamInMemory plain;
    TeamInMemory varied;
    makeVariedTeam(varied.doc);
    const std::string paths[2] = {folder.file("plain.fbt"), folder.file("varied.fbt")};
    TeamDocument* teams[2] = {&plain.doc, &varied.doc};
    for (int i = 0; i < 2; ++i)
        if (!writeTeamFile(*teams[i], paths[i]).ok) {
            std::printf("cannot write %s\n", paths[i].c_str());
            return 1;
        }

    EditorProcess editor;
    if (!editor.started()) {
        std::printf("the editor did not start\n");
        return 1;
    }
    std::vector<double> opens;
    std::vector<double> dialogCloses;
    for (int run = 0; run < runs; ++run) {
        const int which = 1 - run % 2; // the first open changes the new team's pages too
        const OpenTiming timing = timeOneOpen(editor, paths[which], *teams[which]);
        if (timing.shownMs < 0) {
            std::printf("open run %d failed\n", run + 1);
            return 1;
        }
        opens.push_back(timing.shownMs);
        dialogCloses.push_back(timing.dialogClosedMs);
    }

    // Save goes to the varied team's file, opened once more.
    if (timeOneOpen(editor, paths[1], varied.doc).shownMs < 0) {
        std::printf("cannot open %s for saving\n", paths[1].c_str());
        return 1;
    }
    std::vector<double> saves;
    for (int run = 0; run < runs; ++run) {
        const double ms =
            timeOneSave(editor, paths[1], varied.doc, "Saved In Run " + std::to_string(run + 1));
        if (ms < 0) {
            std::printf("save run %d failed\n", run + 1);
            return 1;
        }
        saves.push_back(ms);
    }

    // The same safe write (temporary file, flushed, moved over the target) from this process, for
    // comparison: the part of a save that is the file system's.
    std::vector<double> directWrites;
    for (int run = 0; run < runs; ++run) {
        const Stopwatch watch;
        if (!writeTeamFile(varied.doc, folder.file("direct.fbt")).ok) {
            std::printf("direct write %d failed\n", run + 1);
            return 1;
        }
        directWrites.push_back(watch.elapsedMs());
    }

    printRuns("open", opens);
    printRuns("close", dialogCloses);
    printRuns("save", saves);
    printRuns("write", directWrites);
    std::printf("median over %d runs: open (OK to pages showing the file) %.1f ms, of which the Open dialog "
                "closing %.1f ms; save (command to file complete) %.1f ms; the same write from this process "
                "%.1f ms\n",
                runs, median(opens), median(dialogCloses), median(saves), median(directWrites));
    std::fflush(stdout);
    return 0;
}
