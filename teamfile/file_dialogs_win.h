// File > Open..., Save As... and Save: the system's file dialogs, the reader and the writer. A file
// that cannot be read or written is reported in a message box and changes nothing.
#pragma once

#include <windows.h>

#include "roster/team_document.h"

void openTeamFile(TeamDocument& doc, HWND mainWindow);
void saveTeamFileAs(TeamDocument& doc, HWND mainWindow);
// Writes the current file without a dialog; without a current file it asks like Save As.
void saveTeamFile(TeamDocument& doc, HWND mainWindow);
