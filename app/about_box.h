// Help > About: a modal box that only OK (or Enter) closes.
#pragma once

#include <windows.h>

void showAboutBox(HINSTANCE instance, HWND owner);

INT_PTR CALLBACK aboutBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
