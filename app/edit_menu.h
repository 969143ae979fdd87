// Edit > Undo and Redo: the team's edit history, the points where an edit becomes a step, and the
// two menu items, grayed while there is nothing to undo or redo.
#pragma once

#include <windows.h>

#include "app/editor.h"

// The team as it stands is where Undo stops: at start, once the pages are filled and any file named
// on the command line is open.
void startEditHistory(Editor& ed);
// Whatever changed since the last step becomes a step.
void recordEdits(Editor& ed);
void undoEdit(Editor& ed);
void redoEdit(Editor& ed);
