// The pages' word to the main window, their parent, that edits may have become a step of the edit
// history. Sent, the main window records them at once; posted, once what is being handled now has
// finished (a list shows the chosen item in its box only after telling its page about the choice).
#pragma once

#include <windows.h>

inline constexpr UINT kRecordEditsMessage = WM_APP;
