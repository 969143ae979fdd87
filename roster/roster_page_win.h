// The four roster pages: modeless child dialogs whose controls show and hold the team's 44 slots.
#pragma once

#include <windows.h>

#include "roster/page_storage_win.h"
#include "roster/team_document.h"

// What the roster pages work on: the team and the pages' controls that hold its slots' texts. Each
// page is created with a pointer to it (CreateDialogParam's parameter) and keeps it as its DWLP_USER.
struct RosterPageTeam {
    TeamDocument& doc;
    const PageFieldStorage& controls;
};

// Fills the newly created roster page index: the lists, the name limit, the spinner ranges and every
// slot's table row.
void initRosterPage(const RosterPageTeam& team, PageIndex index);

INT_PTR CALLBACK rosterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
