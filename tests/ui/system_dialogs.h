// The system's own dialogs that the editor's commands open (Open, Save As, the overwrite question,
// the colour dialog, message boxes), found and answered from the test process as a person would.
// Everything that opens or closes a modal dialog is posted, never sent, so a nested box cannot block
// the test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "roster/team_document.h"
#include "tests/ui/driver.h"

// A folder of its own under the system's temporary folder, removed with its files afterwards (the
// read-only ones included). Paths are Windows paths, as a person types them into a file dialog.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const;
    // The names of the files in the folder, sorted.
    std::vector<std::string> entries() const;

  private:
    std::string path_;
};

// Read a file the editor saves only once it has handled the command (settle): under Wine a file that
// is open anywhere cannot be replaced, so polling it while the editor saves makes the save fail.
// Paths are UTF-8, as everywhere in the tests' dealings with file names.
std::vector<std::uint8_t> readFileBytes(const std::string& path);
bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool setReadOnly(const std::string& path, bool readOnly);

// Posts the menu command and waits for the dialog it opens, owned by the main window; nullptr when
// none appears in time.
HWND openCommandDialog(Editor& editor, int commandId, int timeoutMs = 5000);
// A box opened by a dialog of the editor (the overwrite question, an error box), waited for.
HWND waitForOwnedDialog(const Editor& editor, HWND owner, int timeoutMs = 5000);
bool waitForDialogGone(HWND dialog, int timeoutMs = 5000);
void confirmDialog(HWND dialog); // posts OK
void cancelDialog(HWND dialog);  // posts Cancel

// Puts the path into an Open or Save As dialog's file name box; false when the box does not show it.
bool enterFileName(HWND fileDialog, const std::string& path);
// Runs a file command's dialog to its end: types the name and confirms, or cancels.
::testing::AssertionResult runFileDialog(Editor& editor, int command, const std::string& typed,
                                         bool confirm = true);
// Posts Yes or No to a question box.
void answerQuestion(HWND question, bool yes);

// The colour dialog's red, green and blue boxes and its custom colours.
struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& color);
inline Rgb rgbOf(ColorRef color) {
    return {colorRed(color), colorGreen(color), colorBlue(color)};
}

Rgb dialogColor(HWND colorDialog);
// Types the three components into the red, green and blue boxes; false when they do not show them.
bool setDialogColor(HWND colorDialog, Rgb color);
// Opens the colour dialog of a Colors command, reads the colour it offers and cancels it; -1
// components when no dialog appears.
Rgb offeredColor(Editor& editor, int colorCommand);
// "Add to Custom Colors": stores the chosen colour in the next custom colour cell.
void addCustomColor(HWND colorDialog);
// Clicks custom colour cell index (0..15, two rows of eight) and returns the colour it selects.
Rgb pickCustomColor(HWND colorDialog, int index);

// Gives every slot and colour of the document a value other than the new team's, each one a value
// that a team file keeps exactly (offered list items, names of at most 29 characters, numbers in
// range, speeds in steps of 25).
void makeVariedTeam(TeamDocument& doc);

// What the pages show against a document: one line per field that differs, empty when all 44 slots
// agree.
std::vector<std::string> pageDifferences(const Editor& editor, const TeamDocument& expected);

// A message box as it stands on the screen.
struct ShownMessage {
    std::string caption;
    std::string text;
    bool hasIcon = false;
};
ShownMessage readMessage(HWND box);
// True once the box's icon shows the system's error icon, compared pixel by pixel on the screen.
bool showsErrorIcon(HWND box, int timeoutMs = 3000);
// Posts OK and waits until the box is gone.
bool closeMessage(HWND box);
// Tools > Total Points: the text of the box it shows, which is then closed, or what was wrong with the
// box (its caption, an icon, no box at all).
std::string shownTotalPoints(Editor& editor);
