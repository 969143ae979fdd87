// File > New: the default team, no current file.
#pragma once

#include <windows.h>

#include "roster/team_document.h"
#include "teamfile/baseline.h"

// Also makes the new team the baseline: it has no unsaved changes.
void newTeam(TeamDocument& doc, Baseline& baseline, HWND mainWindow);
