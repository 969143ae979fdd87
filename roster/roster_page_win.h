// The four roster pages: modeless child dialogs whose controls show and hold the team's 44 slots.
#pragma once

#include <windows.h>

#include "roster/team_document.h"

// Fills a newly created roster page: the lists, the name limit, the spinner ranges and every
// slot's table row.
void initRosterPage(TeamDocument& doc, HWND page, PageIndex index);

INT_PTR CALLBACK rosterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
