// File > Open..., Save As... and Save: the system's file dialogs, the reader and the writer. A file
// that cannot be read or written is reported in a message box and changes nothing.
#pragma once

#include <filesystem>

#include <windows.h>

#include "roster/team_document.h"

void openTeamFile(TeamDocument& doc, HWND mainWindow);
// Opens the team file at path as File > Open does once its dialog has closed; a relative path is
// taken from the working folder, and the current file keeps the full path. A folder is refused with
// a message that names it.
void openTeamFileAt(TeamDocument& doc, HWND mainWindow, const std::filesystem::path& path);
void saveTeamFileAs(TeamDocument& doc, HWND mainWindow);
// Writes the current file without a dialog; without a current file it asks like Save As.
void saveTeamFile(TeamDocument& doc, HWND mainWindow);
