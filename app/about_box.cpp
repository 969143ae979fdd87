#include "app/about_box.h"

void showAboutBox(HINSTANCE instance, HWND owner) {
    DialogBoxParamA(instance, "ABOUTDLG", owner, aboutBoxProc, 0);
}

namespace {

// Only the OK command ends the box: Escape's IDCANCEL is left unhandled.
INT_PTR onCommand(HWND box, WPARAM wParam) {
    if (wParam != IDOK)
        return FALSE;
    EndDialog(box, IDOK);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK aboutBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: return onCommand(box, wParam);
    default: return FALSE;
    }
}
