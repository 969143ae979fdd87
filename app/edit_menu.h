// Edit > Undo and Redo: the team's edit history, the points where an edit becomes a step, and the
// two menu items, grayed while there is nothing to undo or redo.
#pragma once

#include <windows.h>

#include "app/editor.h"

// Posted to the main window to record the edits once what is being handled now has finished (a
// list shows the chosen item in its box only after telling its page about the choice).
inline constexpr UINT kRecordEditsMessage = WM_APP;

// The team as it stands is where Undo stops: at start, once the pages are filled and any file named
// on the command line is open.
void startEditHistory(Editor& ed);
// Whatever changed since the last step becomes a step.
void recordEdits(Editor& ed);
void undoEdit(Editor& ed);
void redoEdit(Editor& ed);
