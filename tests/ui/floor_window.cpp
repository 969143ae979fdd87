// The floor of the editor's start-up under Wine: the editor's window with its menu, the five page
// dialogs created from the editor's own resources (linked in) by procedures that do nothing, and the
// tab strip; nothing is filled. What the editor takes beyond this program is the filling of its pages.
// The start-up benchmark measures the editor against it and against bare_window.
#include <array>

#include <windows.h>

#include <commctrl.h>

#include "res/resource.h"

namespace {

constexpr std::array<int, 5> kPageResources = {
    IDD_OFFENSIVE_STARTERS, IDD_OFFENSIVE_RESERVES, IDD_DEFENSIVE_STARTERS,
    IDD_DEFENSIVE_RESERVES, IDD_SLOT_TOOLS,
};
constexpr std::array<const char*, 5> kTabCaptions = {
    "Off Starters", "Off Reserves", "Def Starters", "Def Reserves", "Slot Tools",
};

INT_PTR CALLBACK idlePageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

void createPages(HWND window) {
    for (std::size_t index = 0; index < kPageResources.size(); ++index) {
        HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPageResources[index]),
                                       window, idlePageProc, 0);
        ShowWindow(page, index == 0 ? SW_SHOW : SW_HIDE);
    }
}

void createTabStrip(HWND window, HINSTANCE instance) {
    RECT client{};
    GetClientRect(window, &client);
    HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right, 323, window,
                                nullptr, instance, nullptr);
    SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (std::size_t index = 0; index < kTabCaptions.size(); ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kTabCaptions[index]);
        SendMessageA(tabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
}

LRESULT CALLBACK floorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: createPages(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_TAB_CLASSES | ICC_UPDOWN_CLASS;
    InitCommonControlsEx(&classes);
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = floorWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SQUADWRIGHT));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszMenuName = "MAINAPPMENU";
    windowClass.lpszClassName = "FloorWindowClass";
    if (RegisterClassA(&windowClass) == 0)
        return 1;
    HWND window = CreateWindowExA(0, "FloorWindowClass", "Floor window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 717, 375, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    createTabStrip(window, instance);
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
