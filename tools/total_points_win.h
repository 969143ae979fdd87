// Tools > Total Points: the team's rating points in a message box.
#pragma once

#include <windows.h>

#include "roster/team_document.h"

void showTotalPoints(TeamDocument& doc, HWND owner);
