// The main window: the five pages under the tab strip, the menu commands, closing.
#pragma once

#include <windows.h>

inline constexpr char kMainWindowClass[] = "MainAppClass";

// Created with the Editor as its parameter (CreateWindow's lpParam), which it keeps in its user data.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
