// The current file as the menu shows it: File > Save is enabled exactly while there is one.
#pragma once

#include <windows.h>

#include "roster/team_document.h"

void enableSaveForCurrentFile(const TeamDocument& doc, HWND mainWindow);
