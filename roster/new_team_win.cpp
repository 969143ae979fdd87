#include "roster/new_team_win.h"

#include "roster/slot_operations.h"
#include "teamfile/current_file_win.h"

void newTeam(TeamDocument& doc, HWND mainWindow) {
    resetToNewTeam(doc);
    enableSaveForCurrentFile(doc, mainWindow);
}
