// The editor's state for the run: the window handles, the team being edited with its baseline and
// its edit history, the control to give the focus back to and the colour dialog's custom colours.
// WinMain creates it and hands it to the main window as its creation parameter; the main window keeps
// it in its user data and hands the pages their parts the same way (the roster pages pageTeam, the
// slot tools page the document). The procedures pass on the parts the operations they call need.
#pragma once

#include <array>

#include <windows.h>

#include "roster/edit_history.h"
#include "roster/page_storage_win.h"
#include "roster/roster_page_win.h"
#include "roster/team_document.h"
#include "teamfile/baseline.h"
#include "tools/team_colors_win.h"

struct ShellHandles {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND tabStrip = nullptr;
    std::array<HWND, kPageCount> pages{}; // by PageIndex
};

struct Editor {
    ShellHandles shell;
    PageFieldStorage storage{shell.pages}; // the pages' controls hold the slots' texts
    TeamDocument doc{storage};
    RosterPageTeam pageTeam{doc, storage};
    Baseline baseline; // the team and its file after the last New, Open, Save or Save As
    EditHistory history;
    HWND focusedControl = nullptr; // the main window's control that had the focus when it was deactivated
    CustomColors customColors{};
};
