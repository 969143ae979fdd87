// File > Open..., Save As... and Save: the system's file dialogs, the reader and the writer, and the
// questions that keep a user's work: before unsaved changes are dropped, and before Save writes over
// a file that held no team or that another program changed. A file that cannot be read or written is
// reported in a message box and changes nothing. The baseline is the team and its file as they stood
// after the last New, Open, Save or Save As; the commands here renew it.
#pragma once

#include <filesystem>

#include <windows.h>

#include "roster/team_document.h"
#include "teamfile/baseline.h"

// The unsaved-changes question, asked before anything replaces the team or ends the editor: with
// unsaved changes, "Do you want to save changes to NAME?" with Yes (saves as Save does), No and
// Cancel. True when the team may go: nothing was unsaved, Yes saved it, or No.
bool askToSaveChanges(TeamDocument& doc, Baseline& baseline, HWND mainWindow);

void openTeamFile(TeamDocument& doc, Baseline& baseline, HWND mainWindow);
// Opens the team file at path as File > Open does once its dialog has closed; a relative path is
// taken from the working folder, and the current file keeps the full path.
void openTeamFileAt(TeamDocument& doc, Baseline& baseline, HWND mainWindow,
                    const std::filesystem::path& path);
// Both true once the team is saved.
bool saveTeamFileAs(TeamDocument& doc, Baseline& baseline, HWND mainWindow);
// Writes the current file without a dialog; without a current file it asks like Save As.
bool saveTeamFile(TeamDocument& doc, Baseline& baseline, HWND mainWindow);
