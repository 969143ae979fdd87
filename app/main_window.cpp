#include "app/main_window.h"

#include <array>
#include <string>

#include <commctrl.h>
#include <shellapi.h>

#include "app/about_box.h"
#include "app/edit_menu.h"
#include "app/editor.h"
#include "res/resource.h"
#include "roster/record_edits_win.h"
#include "roster/roster_page_win.h"
#include "roster/slot_operations.h"
#include "roster/slot_tools_page_win.h"
#include "teamfile/current_file_win.h"
#include "teamfile/file_dialogs_win.h"
#include "tools/total_points_win.h"

namespace {

// The page dialogs by PageIndex.
constexpr std::array<int, kPageCount> kPageResources = {
    IDD_OFFENSIVE_STARTERS, IDD_OFFENSIVE_RESERVES, IDD_DEFENSIVE_STARTERS,
    IDD_DEFENSIVE_RESERVES, IDD_SLOT_TOOLS,
};

// The page's first box (on page 0 the String box of QB) takes the focus, its text selected as Tab
// selects it.
void focusFirstControl(HWND page) {
    SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetNextDlgTabItem(page, nullptr, FALSE)),
                 TRUE);
}

// Creates the pages in PageIndex order, page 0 shown, and fills each before the next is created.
// Each new page takes the focus into its first box; page 0 gets it back at the end. A roster page is
// created with the team and its controls, the slot tools page with the document.
void createPages(Editor& ed, HWND window) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    for (PageIndex index = 0; index < kPageCount; ++index) {
        const bool roster = index != kSlotToolsPage;
        const LPARAM parameter =
            roster ? reinterpret_cast<LPARAM>(&ed.pageTeam) : reinterpret_cast<LPARAM>(&ed.doc);
        HWND page = CreateDialogParamA(module, MAKEINTRESOURCEA(kPageResources[index]), window,
                                       roster ? rosterPageProc : slotToolsPageProc, parameter);
        ed.shell.pages[index] = page;
        ShowWindow(page, index == 0 ? SW_SHOW : SW_HIDE);
        if (roster)
            initRosterPage(ed.pageTeam, index);
        else
            initSlotToolsPage(page);
    }
    focusFirstControl(ed.shell.pages[0]);
}

// The pages with their start values, which are the team's baseline: nothing is unsaved yet.
void startEditor(Editor& ed, HWND window) {
    createPages(ed, window);
    ed.baseline = baselineOf(ed.doc);
}

// Every way of replacing the team or ending the editor asks here first; true when the team may go.
bool mayLeaveTeam(Editor& ed) {
    return askToSaveChanges(ed.doc, ed.baseline, ed.shell.mainWindow);
}

// The tab's page, or -1 when no tab is selected.
PageIndex selectedPage(const ShellHandles& shell) {
    const auto selected = static_cast<PageIndex>(SendMessageA(shell.tabStrip, TCM_GETCURSEL, 0, 0));
    return selected >= 0 && selected < kPageCount ? selected : -1;
}

// Marks only the selected tab as pressed. Wine's tab control can keep an older tab's pressed flag
// after a keyboard selection and then ignore mouse clicks on other tabs; on Windows this changes
// nothing.
void markSelectedTab(const ShellHandles& shell, PageIndex selected) {
    for (PageIndex index = 0; index < kPageCount; ++index) {
        TCITEMA item{};
        item.mask = TCIF_STATE;
        item.dwStateMask = TCIS_BUTTONPRESSED;
        item.dwState = index == selected ? TCIS_BUTTONPRESSED : 0;
        SendMessageA(shell.tabStrip, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
}

void showPage(const ShellHandles& shell, PageIndex page) {
    ShowWindow(shell.pages[page], SW_SHOW);
    focusFirstControl(shell.pages[page]);
}

// Hides the old page before the selection moves and shows the new one after.
void switchPages(const ShellHandles& shell, const NMHDR& header) {
    const UINT code = header.code;
    if (code != static_cast<UINT>(TCN_SELCHANGING) && code != static_cast<UINT>(TCN_SELCHANGE))
        return;
    const PageIndex selected = selectedPage(shell);
    if (code == static_cast<UINT>(TCN_SELCHANGE))
        markSelectedTab(shell, selected);
    if (selected < 0)
        return;
    if (code == static_cast<UINT>(TCN_SELCHANGE))
        showPage(shell, selected);
    else
        ShowWindow(shell.pages[selected], SW_HIDE);
}

// Ctrl+Tab and Ctrl+PgDn (step 1), Ctrl+Shift+Tab and Ctrl+PgUp (step -1): the next or previous tab,
// round from the last to the first.
void showNeighbourPage(const ShellHandles& shell, int step) {
    const PageIndex current = selectedPage(shell);
    if (current < 0)
        return;
    const PageIndex next = (current + step + kPageCount) % kPageCount;
    ShowWindow(shell.pages[current], SW_HIDE);
    SendMessageA(shell.tabStrip, TCM_SETCURSEL, next, 0);
    markSelectedTab(shell, next);
    showPage(shell, next);
}

bool canTakeFocus(HWND window, HWND control) {
    return IsChild(window, control) && IsWindowVisible(control) && IsWindowEnabled(control);
}

// The control that had the focus when the window was deactivated, by a dialog, a message box or
// another program, gets it back when the window is active again. Without one (at start, or when that
// control is no longer shown), a shown control that has the focus keeps it, else the first box of
// the page on show gets it.
void onActivate(Editor& ed, HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); IsChild(window, focus))
            ed.focusedControl = focus;
        return;
    }
    if (HIWORD(wParam) != 0) // minimised
        return;
    if (canTakeFocus(window, ed.focusedControl))
        SetFocus(ed.focusedControl);
    else if (const PageIndex page = selectedPage(ed.shell); page >= 0 && !canTakeFocus(window, GetFocus()))
        focusFirstControl(ed.shell.pages[page]);
}

// File > New: the default team with no current file, which is also the baseline: nothing is unsaved.
void newTeam(Editor& ed) {
    resetToNewTeam(ed.doc);
    ed.baseline = baselineOf(ed.doc);
    enableSaveForCurrentFile(ed.doc, ed.shell.mainWindow);
}

void runCommand(Editor& ed, WORD command) {
    HWND main = ed.shell.mainWindow;
    switch (command) {
    case IDM_NEW:
        if (mayLeaveTeam(ed))
            newTeam(ed);
        break;
    case IDM_OPEN:
        if (mayLeaveTeam(ed))
            openTeamFile(ed.doc, ed.baseline, main);
        break;
    case IDM_SAVE_AS: saveTeamFileAs(ed.doc, ed.baseline, main); break;
    case IDM_EXIT: PostMessageA(main, WM_CLOSE, 0, 0); break;
    case IDM_JERSEY:
    case IDM_HELMET:
    case IDM_STRIPE:
    case IDM_PANTS_HOME:
    case IDM_PANTS_AWAY:
        pickTeamColor(ed.doc, main, ed.customColors, static_cast<TeamColorEntry>(command - IDM_JERSEY));
        break;
    case IDM_ABOUT: showAboutBox(ed.shell.instance, main); break;
    case IDM_TOTAL_POINTS: showTotalPoints(ed.doc, main); break;
    case IDM_SAVE: saveTeamFile(ed.doc, ed.baseline, main); break;
    case IDM_UNDO: undoEdit(ed); break;
    case IDM_REDO: redoEdit(ed); break;
    case IDM_NEXT_PAGE: showNeighbourPage(ed.shell, 1); break;
    case IDM_PREVIOUS_PAGE: showNeighbourPage(ed.shell, -1); break;
    default: break;
    }
}

// A command comes from the menu (high word 0) or a keyboard shortcut (1); any other high word is no
// command. What was typed before the command becomes a step of its own, and what the command changed
// another; Undo and Redo record what was typed themselves.
void onCommand(Editor& ed, WPARAM wParam) {
    if (HIWORD(wParam) > 1)
        return;
    const WORD command = LOWORD(wParam);
    const bool recorded = command != IDM_UNDO && command != IDM_REDO;
    if (recorded)
        recordEdits(ed);
    runCommand(ed, command);
    if (recorded)
        recordEdits(ed);
}

// The first of the files dropped on the window, on any page, opened as File > Open does; the rest
// are left alone. While a dialog or message box of the editor is open (the main window is disabled
// under it) a drop does nothing.
void openDroppedFile(Editor& ed, HDROP drop) {
    std::wstring path(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
    DragFinish(drop);
    if (!path.empty() && IsWindowEnabled(ed.shell.mainWindow) && mayLeaveTeam(ed))
        openTeamFileAt(ed.doc, ed.baseline, ed.shell.mainWindow, path);
}

// Exit, the close box and Alt+F4; not while a dialog or message box of the editor is open over the
// main window, which it would take down with it.
void closeEditor(Editor& ed, HWND window) {
    if (IsWindowEnabled(window) && mayLeaveTeam(ed))
        DestroyWindow(window);
}

// Like a command, a drop makes what was typed before it a step, and the opened team another.
void onDropFiles(Editor& ed, HDROP drop) {
    recordEdits(ed);
    openDroppedFile(ed, drop);
    recordEdits(ed);
}

void destroyPages(ShellHandles& shell) {
    for (HWND page : shell.pages)
        DestroyWindow(page);
    PostQuitMessage(0);
}

// The editor the window was created with (CreateWindow's parameter), kept in the window's user data
// from WM_NCCREATE on; none for the messages before it.
Editor* editorOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto& creation = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation.lpCreateParams));
    }
    return reinterpret_cast<Editor*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

} // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor* editor = editorOf(window, message, lParam);
    if (editor == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    Editor& ed = *editor;
    switch (message) {
    case WM_CREATE: startEditor(ed, window); return 0;
    case WM_COMMAND: onCommand(ed, wParam); return 0;
    case WM_NOTIFY: switchPages(ed.shell, *reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_ACTIVATE: onActivate(ed, window, wParam); return 0;
    case WM_INITMENU: recordEdits(ed); return 0;
    case kRecordEditsMessage: recordEdits(ed); return 0;
    case WM_DROPFILES: onDropFiles(ed, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CLOSE: closeEditor(ed, window); return 0;
    case WM_QUERYENDSESSION: return mayLeaveTeam(ed); // Windows ends only when the team may go
    case WM_DESTROY: destroyPages(ed.shell); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
