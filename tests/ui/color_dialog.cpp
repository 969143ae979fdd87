#include "tests/ui/color_dialog.h"

#include <colordlg.h>

#include <cstdlib>

#include "tests/ui/dialogs.h"

namespace {

constexpr int kCustomColumns = 8;
constexpr int kCustomRows = 2;

int boxNumber(HWND dialog, int id) {
    const std::string text = windowText(GetDlgItem(dialog, id));
    return text.empty() ? -1 : std::atoi(text.c_str());
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Rgb& color) {
    return out << "(" << color.red << ", " << color.green << ", " << color.blue << ")";
}

Rgb dialogColor(HWND colorDialog) {
    return {boxNumber(colorDialog, COLOR_RED), boxNumber(colorDialog, COLOR_GREEN),
            boxNumber(colorDialog, COLOR_BLUE)};
}

bool setDialogColor(HWND colorDialog, Rgb color) {
    setWindowText(GetDlgItem(colorDialog, COLOR_RED), std::to_string(color.red));
    setWindowText(GetDlgItem(colorDialog, COLOR_GREEN), std::to_string(color.green));
    setWindowText(GetDlgItem(colorDialog, COLOR_BLUE), std::to_string(color.blue));
    return dialogColor(colorDialog) == color;
}

Rgb offeredColor(EditorProcess& editor, int colorCommand) {
    HWND dialog = openCommandDialog(editor, colorCommand);
    if (dialog == nullptr)
        return {-1, -1, -1};
    const Rgb shown = dialogColor(dialog);
    cancelDialog(dialog);
    waitForDialogGone(dialog);
    return shown;
}

void addCustomColor(HWND colorDialog) {
    SendMessageA(colorDialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(colorDialog, COLOR_ADD)));
}

Rgb pickCustomColor(HWND colorDialog, int index) {
    RECT cells;
    GetWindowRect(GetDlgItem(colorDialog, COLOR_CUSTOM1), &cells);
    POINT corner = {cells.left, cells.top};
    ScreenToClient(colorDialog, &corner);
    const int column = index % kCustomColumns;
    const int row = index / kCustomColumns;
    const int x = corner.x + (2 * column + 1) * (cells.right - cells.left) / (2 * kCustomColumns);
    const int y = corner.y + (2 * row + 1) * (cells.bottom - cells.top) / (2 * kCustomRows);
    SendMessageA(colorDialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(colorDialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return dialogColor(colorDialog);
}
