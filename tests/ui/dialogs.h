// The system's own dialogs that the editor's commands open (Open, Save As, the overwrite question,
// message boxes), found and answered from the test process as a person would. Everything that opens
// or closes a modal dialog is posted, never sent, so a nested box cannot block the test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/ui/driver.h"

// Waits for a message box over the main window, answers it (IDOK, IDYES, IDNO or IDCANCEL), waits
// until the editor has handled the answer and checks that the box's text held text.
::testing::AssertionResult answerBox(const EditorProcess& editor, const std::string& text, int answer);
// The same for the unsaved-changes question that the editor asks before its team is replaced or it
// ends, naming name (any name when it is empty).
::testing::AssertionResult answerUnsavedChanges(const EditorProcess& editor, const std::string& name,
                                                int answer);
// Posts the command (New, Open...) and answers the unsaved-changes question that it asks first with No,
// so that the edits on the pages are dropped.
::testing::AssertionResult runDroppingEdits(EditorProcess& editor, int commandId);

// Posts the menu command and waits for the dialog it opens, owned by the main window; nullptr when
// none appears in time. With dropEdits, the unsaved-changes question that comes first is answered No.
HWND openCommandDialog(EditorProcess& editor, int commandId, bool dropEdits = false);
// A box opened by a dialog of the editor (the overwrite question, an error box), waited for.
HWND waitForOwnedDialog(const EditorProcess& editor, HWND owner, int timeoutMs = 5000);
bool waitForDialogGone(HWND dialog, int timeoutMs = 5000);
void confirmDialog(HWND dialog); // posts OK
void cancelDialog(HWND dialog);  // posts Cancel

// Runs a command's dialog to its end: opens it (dropping the edits on the pages first, if asked), lets
// fill set it up, then confirms or cancels it and waits until it is gone.
::testing::AssertionResult runCommandDialog(EditorProcess& editor, int command, bool confirm,
                                            const std::function<::testing::AssertionResult(HWND)>& fill,
                                            bool dropEdits = false);
// Puts the path into an Open or Save As dialog's file name box; false when the box does not show it.
bool enterFileName(HWND fileDialog, const std::string& path);
// Runs a file command's dialog to its end: types the name and confirms, or cancels.
::testing::AssertionResult runFileDialog(EditorProcess& editor, int command, const std::string& typed,
                                         bool confirm = true, bool dropEdits = false);
// Posts Yes or No to a question box.
void answerQuestion(HWND question, bool yes);

// A message box as it stands on the screen.
struct ShownMessage {
    std::string caption;
    std::string text;
    bool hasIcon = false;
};
ShownMessage readMessage(HWND box);
// True once the box's icon shows the system's error icon, compared pixel by pixel on the screen.
bool showsErrorIcon(HWND box, int timeoutMs = 3000);
// The editor has handled everything posted to it, and no dialog or box is open over its main window.
bool noDialogOpen(const EditorProcess& editor);
// Posts OK and waits until the box is gone.
bool closeMessage(HWND box);
// Tools > Total Points: the text of the box it shows, which is then closed, or what was wrong with the
// box (its caption, an icon, no box at all).
std::string shownTotalPoints(EditorProcess& editor);
