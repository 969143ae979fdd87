#include "roster/slot_tools_page_win.h"

#include <array>
#include <optional>
#include <string>

#include "app/edit_menu.h"
#include "app/editor.h"
#include "res/resource.h"
#include "roster/slot_operations.h"

namespace {

constexpr std::array<int, 3> kSlotBoxes = {IDC_SWAP_FIRST, IDC_SWAP_SECOND, IDC_ERASE_SLOT};

// The slot whose label stands in the box.
std::optional<SlotIndex> chosenSlot(HWND page, int boxId) {
    std::array<char, 5> text{}; // the longest label and its terminating zero
    GetDlgItemTextA(page, boxId, text.data(), static_cast<int>(text.size()));
    return slotOfBoxText(text.data());
}

void swapChosenSlots(TeamDocument& doc, HWND page) {
    const auto first = chosenSlot(page, IDC_SWAP_FIRST);
    if (!first)
        return;
    const auto second = chosenSlot(page, IDC_SWAP_SECOND);
    if (!second)
        return;
    swapSlots(doc, *first, *second);
}

void eraseChosenSlot(TeamDocument& doc, HWND page) {
    if (const auto slot = chosenSlot(page, IDC_ERASE_SLOT))
        eraseSlot(doc, *slot);
}

// Runs Swap or Erase, each one step of the edit history; every command, the boxes' notifications
// too, counts as handled.
INT_PTR onCommand(Editor& ed, HWND page, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_SWAP:
        swapChosenSlots(ed.doc, page);
        recordEdits(ed);
        break;
    case IDC_ERASE:
        eraseChosenSlot(ed.doc, page);
        recordEdits(ed);
        break;
    default: break;
    }
    return TRUE;
}

} // namespace

void initSlotToolsPage(HWND page) {
    std::array<HWND, kSlotBoxes.size()> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = GetDlgItem(page, kSlotBoxes[i]);
    for (const SlotDefinition& definition : SlotTable) {
        const std::string label(definition.label);
        for (HWND box : boxes)
            SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    }
    const std::string first(SlotTable[0].label);
    for (HWND box : boxes)
        SendMessageA(box, CB_SELECTSTRING, 1, reinterpret_cast<LPARAM>(first.c_str()));
}

INT_PTR CALLBACK slotToolsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: return onCommand(editor(), page, wParam);
    default: return FALSE;
    }
}
