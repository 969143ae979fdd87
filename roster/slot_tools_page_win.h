// The Slot Tools page: Swap exchanges the players of two slots, Erase clears one; slots are chosen
// by their labels in three editable lists. The page is created with a pointer to the team it works on
// (a TeamDocument, CreateDialogParam's parameter) and keeps it as its DWLP_USER.
#pragma once

#include <windows.h>

#include "roster/slot_table.h"

// Fills the three slot boxes with the 44 labels and selects "QB" in each.
void initSlotToolsPage(HWND page);

INT_PTR CALLBACK slotToolsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
