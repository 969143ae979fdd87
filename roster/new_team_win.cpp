#include "roster/new_team_win.h"

#include "roster/slot_operations.h"
#include "teamfile/current_file_win.h"

void newTeam(TeamDocument& doc, Baseline& baseline, HWND mainWindow) {
    resetToNewTeam(doc);
    baseline = baselineOf(doc);
    enableSaveForCurrentFile(doc, mainWindow);
}
