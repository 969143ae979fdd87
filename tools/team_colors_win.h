// Colors menu: the system's colour dialog for one of the five team colours.
#pragma once

#include <array>

#include <windows.h>

#include "roster/team_document.h"

// The colour dialog's 16 custom colours, kept for the whole run and shared by the five entries.
using CustomColors = std::array<COLORREF, 16>;

// Shows the colour dialog, owned by owner, opened on the entry's colour; OK stores the chosen colour,
// Cancel changes nothing. The dialog may change the custom colours either way.
void pickTeamColor(TeamDocument& doc, HWND owner, CustomColors& customColors, TeamColorEntry entry);
