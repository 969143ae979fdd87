// The four roster pages: modeless child dialogs whose controls show and hold the team's 44 slots.
#pragma once

#include <windows.h>

#include "app/editor.h"

// Fills the newly created roster page index of the shell: the lists, the name limit, the spinner
// ranges and every slot's table row.
void initRosterPage(Editor& ed, PageIndex index);

INT_PTR CALLBACK rosterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
