#include "roster/slot_tools_page_win.h"

#include <array>
#include <optional>
#include <string>

#include "res/resource.h"
#include "roster/record_edits_win.h"
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

// The team the page was created with (CreateDialogParam's parameter, kept as its DWLP_USER).
TeamDocument& teamOf(HWND page) {
    return *reinterpret_cast<TeamDocument*>(GetWindowLongPtrA(page, DWLP_USER));
}

// Runs Swap or Erase, each one step of the edit history; every command, the boxes' notifications
// too, counts as handled.
INT_PTR onCommand(HWND page, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_SWAP:
        swapChosenSlots(teamOf(page), page);
        SendMessageA(GetParent(page), kRecordEditsMessage, 0, 0);
        break;
    case IDC_ERASE:
        eraseChosenSlot(teamOf(page), page);
        SendMessageA(GetParent(page), kRecordEditsMessage, 0, 0);
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

INT_PTR CALLBACK slotToolsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: SetWindowLongPtrA(page, DWLP_USER, lParam); return TRUE;
    case WM_COMMAND: return onCommand(page, wParam);
    default: return FALSE;
    }
}
