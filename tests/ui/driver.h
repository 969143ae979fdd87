// Drives the real squadwright.exe from the test process, as a person would: by its window class,
// its resource identifiers, posted input and the system dialogs it opens.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "roster/page_storage_win.h"
#include "roster/slot_table.h"

// The editor's exe, as the build passes it to the tests.
std::string editorPath();

// What the editor is started with: the rest of its command line, as Explorer or a shell passes it
// (paths with blanks in quotes), and the working folder (empty: the test's own). Both are UTF-8 and
// reach the editor wide, as a shell passes any name.
struct StartOptions {
    std::string arguments;
    std::string workingFolder;
};

class EditorProcess {
  public:
    // Starts the editor and waits until its main window is idle; a failure to start fails the test.
    explicit EditorProcess(const StartOptions& options = {});
    // Ends the editor if it still runs (WM_CLOSE, then terminates it as a last resort).
    ~EditorProcess();
    EditorProcess(const EditorProcess&) = delete;
    EditorProcess& operator=(const EditorProcess&) = delete;

    // All handles were found: the main window, the tab strip and the five pages.
    bool started() const;
    DWORD processId() const;
    DWORD threadId() const; // the editor's one GUI thread
    HANDLE processHandle() const;
    HWND mainWindow() const;
    HWND tabStrip() const;
    // The page dialogs, indexed by PageIndex; the array can back a PageFieldStorage.
    const std::array<HWND, kPageCount>& pages() const;
    HWND control(SlotIndex slot, int offset) const;
    HWND pageItem(PageIndex page, int id) const;

    void command(int id); // posts WM_COMMAND id to the main window
    // Drops the files (UTF-8 paths) on the main window as the shell does: a drop handle with wide names
    // made inside the editor's process, posted with WM_DROPFILES; false when the handle could not be
    // made.
    bool dropFiles(const std::vector<std::string>& paths);
    void clickTab(PageIndex page); // a mouse click on the tab's centre
    PageIndex visiblePage() const; // the one visible page, or -1 when not exactly one is visible
    int selectedTab() const;       // TCM_GETCURSEL
    std::vector<std::string> tabCaptions() const;
    UINT menuState(int commandId) const; // GetMenuState of the main window's menu item
    bool saveEnabled() const;            // File > Save
    HWND focus() const;                  // the window with the keyboard focus in the editor's thread
    bool running() const;
    // Waits for the process to end and returns its exit code; STILL_ACTIVE when it does not end in time.
    DWORD waitForExit(DWORD timeoutMs = 5000);

  private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    HWND tabs_ = nullptr;
    std::array<HWND, kPageCount> pages_{};
    PageFieldStorage controls_{pages_}; // finds each page's slot controls in one walk over them
};

// Polls until the condition holds; false on timeout.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 3000);
// Waits until the editor owning the window has handled everything posted to it so far (also while a
// modal dialog runs); false when the editor is gone or does not answer in time.
bool settle(HWND editorWindow);

void setWindowText(HWND window, const std::string& text); // WM_SETTEXT
void focusWindow(HWND window); // SetFocus in the editor's thread (AttachThreadInput)
// Typing as a person: focus the box (an edit or an editable combo box), select all it holds and post
// the characters (WM_CHAR), so the typed text replaces the old one; then wait until processed.
void typeText(HWND box, const std::string& text);
void clearText(HWND box);                           // selects all and types a backspace
void appendText(HWND box, const std::string& text); // types after what the box holds
void pressKey(HWND window, UINT virtualKey);    // posted WM_KEYDOWN / WM_KEYUP, then waits until processed
void pressAltKey(HWND window, UINT virtualKey); // the same with Alt held (WM_SYSKEYDOWN / WM_SYSKEYUP)
void clickSpinner(HWND upDown, bool up);        // posted mouse click on the spinner's upper or lower half
// The same key press and click, posted without waiting: for many in a row, followed by one settle.
void postKeyPress(HWND window, UINT virtualKey);
void postSpinnerClick(HWND upDown, bool up);
// Keys typed through the system's keyboard input, as a person types them: the keys, modifiers
// (VK_CONTROL, VK_SHIFT) first, go down in order and up in reverse, to the foreground window, which
// is made the editor's main window first. Unlike posted keys, the editor sees the modifiers held, so
// its keyboard shortcuts answer. Does not wait: typed input is handled after everything posted, so
// wait for its effect.
void typeKeys(HWND mainWindow, const std::vector<WORD>& keys);
void clickButton(HWND button); // posted BM_CLICK, then waits until processed
std::vector<std::string> comboItems(HWND combo);

// A visible top-level dialog (#32770) of the process owned by owner, now; nullptr when there is none.
HWND findDialog(DWORD processId, HWND owner);
// The same, waited for.
HWND waitForDialog(DWORD processId, HWND owner, int timeoutMs = 5000);
// Posts a button click (BN_CLICKED) to a dialog; never sent, so nested modal boxes cannot block the test.
void clickDialogButton(HWND dialog, int id);
// Text of a message box (static 0xFFFF), in UTF-8.
std::string messageBoxText(HWND box);
// A window's text read and set through the wide messages, in UTF-8: for file names, which may hold
// characters outside the system's code page.
std::string wideWindowText(HWND window);
void setWideWindowText(HWND window, const std::string& text);
