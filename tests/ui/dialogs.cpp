#include "tests/ui/dialogs.h"

#include <dlgs.h>

namespace {

HWND iconStatic(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

std::vector<COLORREF> pixels(HDC dc, int left, int top, int width, int height) {
    std::vector<COLORREF> colors;
    colors.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            colors.push_back(GetPixel(dc, left + x, top + y));
    return colors;
}

// The system's error icon drawn on the dialog background, as a message box shows it.
std::vector<COLORREF> errorIconPixels(int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, IDI_HAND), 0, 0, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> colors = pixels(memory, 0, 0, width, height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colors;
}

std::vector<COLORREF> screenPixels(const RECT& area) {
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> colors =
        pixels(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
    ReleaseDC(nullptr, screen);
    return colors;
}

} // namespace

::testing::AssertionResult answerBox(const EditorProcess& editor, const std::string& text, int answer) {
    HWND box = waitForOwnedDialog(editor, editor.mainWindow());
    if (box == nullptr)
        return ::testing::AssertionFailure() << "no box saying " << text;
    const std::string shown = messageBoxText(box);
    clickDialogButton(box, answer);
    if (!waitForDialogGone(box))
        return ::testing::AssertionFailure() << "the box stays open";
    settle(editor.mainWindow());
    if (shown.find(text) == std::string::npos)
        return ::testing::AssertionFailure() << "the box says \"" << shown << "\"";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult answerUnsavedChanges(const EditorProcess& editor, const std::string& name,
                                                int answer) {
    return answerBox(editor, "Do you want to save changes to " + name, answer);
}

::testing::AssertionResult runDroppingEdits(EditorProcess& editor, int commandId) {
    editor.command(commandId);
    return answerUnsavedChanges(editor, "", IDNO);
}

HWND openCommandDialog(EditorProcess& editor, int commandId, bool dropEdits) {
    if (dropEdits) {
        if (!runDroppingEdits(editor, commandId))
            return nullptr;
    } else {
        editor.command(commandId);
    }
    return waitForDialog(editor.processId(), editor.mainWindow());
}

HWND waitForOwnedDialog(const EditorProcess& editor, HWND owner, int timeoutMs) {
    return waitForDialog(editor.processId(), owner, timeoutMs);
}

bool waitForDialogGone(HWND dialog, int timeoutMs) {
    return waitUntil([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs);
}

void confirmDialog(HWND dialog) {
    clickDialogButton(dialog, IDOK);
}

void cancelDialog(HWND dialog) {
    clickDialogButton(dialog, IDCANCEL);
}

bool enterFileName(HWND fileDialog, const std::string& path) {
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = GetDlgItem(fileDialog, cmb13)) != nullptr; }))
        return false;
    setWideWindowText(box, path);
    return wideWindowText(box) == path;
}

void answerQuestion(HWND question, bool yes) {
    clickDialogButton(question, yes ? IDYES : IDNO);
}

ShownMessage readMessage(HWND box) {
    HWND icon = iconStatic(box);
    return {windowText(box), messageBoxText(box),
            icon != nullptr && SendMessageA(icon, STM_GETICON, 0, 0) != 0};
}

bool showsErrorIcon(HWND box, int timeoutMs) {
    HWND icon = iconStatic(box);
    if (icon == nullptr)
        return false;
    RECT area;
    GetWindowRect(icon, &area);
    const std::vector<COLORREF> expected = errorIconPixels(area.right - area.left, area.bottom - area.top);
    return waitUntil([&] { return screenPixels(area) == expected; }, timeoutMs);
}

bool noDialogOpen(const EditorProcess& editor) {
    return settle(editor.mainWindow()) && findDialog(editor.processId(), editor.mainWindow()) == nullptr;
}

bool closeMessage(HWND box) {
    clickDialogButton(box, IDOK);
    return waitForDialogGone(box);
}

::testing::AssertionResult runCommandDialog(EditorProcess& editor, int command, bool confirm,
                                            const std::function<::testing::AssertionResult(HWND)>& fill,
                                            bool dropEdits) {
    HWND dialog = openCommandDialog(editor, command, dropEdits);
    if (dialog == nullptr)
        return ::testing::AssertionFailure() << "command " << command << " opened no dialog";
    if (::testing::AssertionResult filled = fill(dialog); !filled)
        return filled;
    if (confirm)
        confirmDialog(dialog);
    else
        cancelDialog(dialog);
    if (!waitForDialogGone(dialog))
        return ::testing::AssertionFailure() << "the dialog of command " << command << " stays open";
    settle(editor.mainWindow());
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult runFileDialog(EditorProcess& editor, int command, const std::string& typed,
                                         bool confirm, bool dropEdits) {
    return runCommandDialog(
        editor, command, confirm,
        [&](HWND dialog) {
            if (!enterFileName(dialog, typed))
                return ::testing::AssertionFailure() << "the file name box does not show " << typed;
            return ::testing::AssertionSuccess();
        },
        dropEdits);
}

std::string shownTotalPoints(EditorProcess& editor) {
    HWND box = openCommandDialog(editor, IDM_TOTAL_POINTS);
    if (box == nullptr)
        return "no message box";
    const ShownMessage shown = readMessage(box);
    if (!closeMessage(box))
        return "the box stays open";
    settle(editor.mainWindow());
    if (shown.caption != "Total Points")
        return "caption \"" + shown.caption + "\"";
    if (shown.hasIcon)
        return "a box with an icon";
    return shown.text;
}
