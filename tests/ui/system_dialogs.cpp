#include "tests/ui/system_dialogs.h"

#include <colordlg.h>
#include <dlgs.h>

#include "roster/page_storage_win.h"
#include "teamfile/file_io.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

constexpr int kCustomColumns = 8;
constexpr int kCustomRows = 2;

std::string folderName(int attempt) {
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, temp);
    std::string base = length != 0 && length < MAX_PATH ? std::string(temp, length) : std::string(".\\");
    return base + "squadwright-ui-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt);
}

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

int boxNumber(HWND dialog, int id) {
    const std::string text = windowText(GetDlgItem(dialog, id));
    return text.empty() ? -1 : std::atoi(text.c_str());
}

std::string_view otherItem(SlotField field, std::string_view item, int shift) {
    const auto items = listItems(field);
    const auto at = std::find(items.begin(), items.end(), item);
    return items[(static_cast<std::size_t>(at - items.begin()) + shift) % items.size()];
}

} // namespace

ScratchFolder::ScratchFolder() {
    for (int attempt = 0; path_.empty(); ++attempt)
        if (CreateDirectoryA(folderName(attempt).c_str(), nullptr))
            path_ = folderName(attempt);
}

ScratchFolder::~ScratchFolder() {
    for (const std::string& name : entries()) {
        const std::string path = file(name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(path_.c_str());
}

std::string ScratchFolder::file(const std::string& name) const {
    return path_ + "\\" + name;
}

std::vector<std::string> ScratchFolder::entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(file("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    HANDLE file = CreateFileW(utf8Path(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<std::uint8_t> bytes;
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    std::uint8_t chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got != 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(utf8Path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

bool setReadOnly(const std::string& path, bool readOnly) {
    return SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

HWND openCommandDialog(Editor& editor, int commandId, int timeoutMs) {
    editor.command(commandId);
    return waitForDialog(editor.processId(), editor.mainWindow(), timeoutMs);
}

HWND waitForOwnedDialog(const Editor& editor, HWND owner, int timeoutMs) {
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

Rgb offeredColor(Editor& editor, int colorCommand) {
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

void makeVariedTeam(TeamDocument& doc) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        const SlotDefinition& row = SlotTable[slot];
        selectListValue(doc, slot, SlotField::depthString,
                        otherItem(SlotField::depthString, row.depthString, 1));
        selectListValue(doc, slot, SlotField::side, otherItem(SlotField::side, row.side, 1));
        std::string name = "Varied Player ";
        name += std::to_string(slot);
        setFieldText(doc, slot, SlotField::playerName, name);
        selectListValue(doc, slot, SlotField::position,
                        otherItem(SlotField::position, row.position, 5 + slot % 7));
        setSpinnerValue(doc, slot, SlotField::number, (row.number + 17) % 100);
        setSpinnerValue(doc, slot, SlotField::icon, row.icon % 14 + 1);
        setSpinnerValue(doc, slot, SlotField::speed, (row.speed + 75) % 175);
        setSpinnerValue(doc, slot, SlotField::strength, (row.strength + 33) % 101);
        setSpinnerValue(doc, slot, SlotField::agility, (row.agility + 7 + slot) % 101);
        setSpinnerValue(doc, slot, SlotField::intelligence, (row.intelligence + 61) % 101);
        setSpinnerValue(doc, slot, SlotField::discipline, (row.discipline + 89) % 101);
    }
    doc.colors = {makeColor(16, 32, 48), makeColor(64, 80, 96), makeColor(112, 128, 144),
                  makeColor(160, 176, 192), makeColor(208, 224, 240)};
}

std::vector<std::string> pageDifferences(const Editor& editor, const TeamDocument& expected) {
    PageFieldStorage pages(editor.pages());
    std::vector<std::string> differences;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields) {
            const std::string shown = pages.text(slot, field);
            const std::string wanted = fieldText(expected, slot, field);
            if (shown != wanted)
                differences.push_back("slot " + std::string(SlotTable[slot].label) + " " +
                                      std::string(kColumnCaptions[1 + static_cast<int>(field)]) +
                                      ": shows \"" + shown + "\", expected \"" + wanted + "\"");
        }
    return differences;
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

bool closeMessage(HWND box) {
    clickDialogButton(box, IDOK);
    return waitForDialogGone(box);
}

::testing::AssertionResult runFileDialog(Editor& editor, int command, const std::string& typed,
                                         bool confirm) {
    HWND dialog = openCommandDialog(editor, command);
    if (dialog == nullptr)
        return ::testing::AssertionFailure() << "command " << command << " opened no dialog";
    if (!enterFileName(dialog, typed))
        return ::testing::AssertionFailure() << "the file name box does not show " << typed;
    if (confirm)
        confirmDialog(dialog);
    else
        cancelDialog(dialog);
    if (!waitForDialogGone(dialog))
        return ::testing::AssertionFailure() << "the dialog of command " << command << " stays open";
    settle(editor.mainWindow());
    return ::testing::AssertionSuccess();
}

std::string shownTotalPoints(Editor& editor) {
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
