// Program entry: the main window class, the main window with its pages, the tab strip and the
// message loop.
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "app/edit_menu.h"
#include "app/editor.h"
#include "app/main_window.h"
#include "res/resource.h"
#include "teamfile/file_dialogs_win.h"

namespace {

// The sizes at 96 DPI with the usual dialog font, where the pages fit them; where the pages come out
// larger (a higher DPI, a wider font) the window and the tab strip grow to hold them.
constexpr int kMainWindowWidth = 717;
constexpr int kMainWindowHeight = 375;
constexpr int kTabStripHeight = 323;
constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW;

// Tab captions by PageIndex.
constexpr std::array<const char*, kPageCount> kTabCaptions = {
    "Off Starters", "Off Reserves", "Def Starters", "Def Reserves", "Slot Tools",
};

// The tab strip and spinner classes, which the pages created with the main window contain.
void initCommonControls() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_TAB_CLASSES | ICC_UPDOWN_CLASS;
    InitCommonControlsEx(&classes);
}

void registerMainClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SQUADWRIGHT));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszMenuName = "MAINAPPMENU";
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassA(&windowClass);
}

// The pages' place in the main window's client area: where their templates put them, at the size
// their dialog units come to in the dialog font at this DPI (all five come from the same frame).
RECT pagesRect(const ShellHandles& shell) {
    RECT pages{};
    for (HWND page : shell.pages) {
        RECT rect{};
        GetWindowRect(page, &rect);
        MapWindowPoints(nullptr, shell.mainWindow, reinterpret_cast<POINT*>(&rect), 2);
        UnionRect(&pages, &pages, &rect);
    }
    return pages;
}

// Grows the main window and the tab strip, before the window is shown, where the pages need more
// room than the usual sizes give: the tab strip reaches as far past the pages' right edge as their
// place lies in from its left edge, and its display area (the tab row and frame, TCM_ADJUSTRECT)
// reaches below the pages; the client area holds the tab strip. The pages keep their place.
void fitWindowToPages(const ShellHandles& shell) {
    const RECT pages = pagesRect(shell);
    RECT tabsNeeded = pages;
    SendMessageA(shell.tabStrip, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tabsNeeded));
    const int tabsWidth = pages.right + pages.left;
    const int tabsHeight = std::max<int>(kTabStripHeight, tabsNeeded.bottom);

    RECT client{};
    GetClientRect(shell.mainWindow, &client);
    RECT window{0, 0, std::max<int>(client.right, tabsWidth), std::max<int>(client.bottom, tabsHeight)};
    AdjustWindowRectEx(&window, kMainWindowStyle, TRUE, 0);
    SetWindowPos(shell.mainWindow, nullptr, 0, 0, std::max<int>(kMainWindowWidth, window.right - window.left),
                 std::max<int>(kMainWindowHeight, window.bottom - window.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(shell.mainWindow, &client);
    SetWindowPos(shell.tabStrip, nullptr, 0, 0, client.right, tabsHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The tab strip across the top of the client area as it is now; it keeps that size.
HWND createTabStrip(const ShellHandles& shell, HFONT font) {
    RECT client{};
    GetClientRect(shell.mainWindow, &client);
    HWND tabs =
        CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right, kTabStripHeight,
                        shell.mainWindow, reinterpret_cast<HMENU>(IDC_TAB_STRIP), shell.instance, nullptr);
    SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (PageIndex index = 0; index < kPageCount; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kTabCaptions[index]);
        SendMessageA(tabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
    return tabs;
}

// Roster pages get the dialog keyboard handling (Tab between boxes); the slot tools page does not.
bool takenByRosterPage(const ShellHandles& shell, MSG& message) {
    for (PageIndex index = 0; index < kRosterPageCount; ++index)
        if (IsDialogMessageA(shell.pages[index], &message))
            return true;
    return false;
}

// A team file named on the command line (what Explorer passes for a double-click, "Open with" or a
// file dropped on the program's icon) is opened as File > Open does; only the first argument counts.
// The command line is read wide, so that any name arrives whole. The window is shown by then, so that
// a failure's message box has its owner. An empty argument names no file.
void openCommandLineFile(Editor& ed) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return;
    const std::wstring path = count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    if (!path.empty())
        openTeamFileAt(ed.doc, ed.baseline, ed.shell.mainWindow, path); // nothing is unsaved yet
}

// Keyboard shortcuts come first, before the roster pages' dialog handling would take Ctrl+Tab for
// Tab and the boxes Ctrl+Z for their own undo.
int runMessageLoop(const ShellHandles& shell) {
    HACCEL shortcuts = LoadAcceleratorsA(shell.instance, "MAINAPPKEYS");
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(shell.mainWindow, shortcuts, &message) || takenByRosterPage(shell, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    initCommonControls();
    const auto editor = std::make_unique<Editor>(); // the main window's, for as long as it runs
    Editor& ed = *editor;
    ShellHandles& shell = ed.shell;
    const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    registerMainClass(instance);
    shell.instance = instance;
    shell.mainWindow =
        CreateWindowExA(0, kMainWindowClass, "Squadwright", kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, &ed);
    shell.tabStrip = createTabStrip(shell, font);
    fitWindowToPages(shell);
    DragAcceptFiles(shell.mainWindow, TRUE);
    ShowWindow(shell.mainWindow, showCommand);
    openCommandLineFile(ed);
    startEditHistory(ed);
    return runMessageLoop(shell);
}
