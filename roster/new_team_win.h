// File > New: the default team, no current file.
#pragma once

#include <windows.h>

#include "roster/team_document.h"

void newTeam(TeamDocument& doc, HWND mainWindow);
