#include "roster/roster_page_win.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include <commctrl.h>

#include "roster/record_edits_win.h"
#include "roster/slot_operations.h"

namespace {

void addListItem(HWND list, std::string_view item) {
    const std::string itemText(item);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
}

// The String and Side lists are filled side by side, item by item; then the position codes. The lists
// do not redraw meanwhile.
void fillLists(const PageFieldStorage& controls, SlotIndex slot) {
    const std::array<HWND, 3> lists = {controls.control(slot, SlotField::depthString, false),
                                       controls.control(slot, SlotField::side, false),
                                       controls.control(slot, SlotField::position, false)};
    for (HWND list : lists)
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = 0; i < kDepthStringList.size(); ++i) {
        addListItem(lists[0], kDepthStringList[i]);
        addListItem(lists[1], kSideList[i]);
    }
    for (std::string_view code : PositionCode)
        addListItem(lists[2], code);
    for (HWND list : lists)
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// Width in pixels of the widest three digits in the box's font, and room for the caret after them.
int threeDigitsWidth(HWND box) {
    HDC dc = GetDC(box);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, "888", 3, &size);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    return size.cx + 2;
}

// A numeric box beside its spinner shows three digits whole and refuses a fourth, whatever the
// dialog font: its inner margins are set so that just three digits and the caret fit. (With Wine's
// dialog font and margins the box would otherwise hold only two.) A page's numeric boxes share their
// size and font, so the margins measured on one serve them all: the EM_SETMARGINS argument.
LPARAM threeDigitMargins(HWND box) {
    RECT format{};
    SendMessageA(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const LRESULT margins = SendMessageA(box, EM_GETMARGINS, 0, 0);
    const int room = static_cast<int>(format.right - format.left) + LOWORD(margins) + HIWORD(margins);
    const int spare = std::max(0, room - threeDigitsWidth(box));
    return MAKELPARAM(spare / 2, spare - spare / 2);
}

void prepareNumberFields(const PageFieldStorage& controls, SlotIndex slot, LPARAM threeDigits) {
    for (SlotField field : kAllSlotFields) {
        if (!isSpinnerField(field))
            continue;
        SendMessageA(controls.control(slot, field, false), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     threeDigits);
        const SpinnerRange range = spinnerRange(field);
        SendMessageA(controls.control(slot, field, true), UDM_SETRANGE, 0,
                     MAKELPARAM(range.upper, range.lower));
    }
}

struct SpinnerOfSlot {
    SlotIndex slot;
    SlotField field;
};

// The slot and field whose spinner has the identifier, if it is one of the slots' spinners.
std::optional<SpinnerOfSlot> spinnerWithId(UINT_PTR id) {
    const int first = controlId(0, 0);
    if (id < static_cast<UINT_PTR>(first) || id >= static_cast<UINT_PTR>(controlId(kSlotCount, 0)))
        return std::nullopt;
    const SlotIndex slot = static_cast<int>(id - first) / kControlsPerSlot;
    for (SlotField field : kAllSlotFields)
        if (isSpinnerField(field) && controlId(slot, fieldControlOffset(field) + 1) == static_cast<int>(id))
            return SpinnerOfSlot{slot, field};
    return std::nullopt;
}

// The team the page was created with; none before its WM_INITDIALOG.
const RosterPageTeam* teamOf(HWND page) {
    return reinterpret_cast<const RosterPageTeam*>(GetWindowLongPtrA(page, DWLP_USER));
}

// The spinner with the identifier, if it is one of the slots' spinners and its slot is on the page.
std::optional<SpinnerOfSlot> pageSpinnerWithId(const RosterPageTeam* team, HWND page, UINT_PTR id) {
    const auto spinner = spinnerWithId(id);
    if (team == nullptr || !spinner || team->controls.page(slotPage(spinner->slot)) != page)
        return std::nullopt;
    return spinner;
}

// Answers every notification with 0, so the controls go on as usual.
INT_PTR onNotify(HWND page, const NMHDR& header) {
    if (header.code == static_cast<UINT>(UDN_DELTAPOS)) {
        const RosterPageTeam* team = teamOf(page);
        if (const auto spinner = pageSpinnerWithId(team, page, header.idFrom))
            prepareSpinnerStep(team->doc, spinner->slot, spinner->field,
                               reinterpret_cast<const NMUPDOWN&>(header).iDelta);
    }
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    return TRUE;
}

// The up-down control reports each step it made (SB_THUMBPOSITION with its new position, after
// writing the position into its box); the document remembers that position, so that a step from a
// box emptied afterwards, or holding a number out of range, starts from it, and the total counts it.
// Each step is a step of the edit history.
void onSpinnerStepped(HWND page, WPARAM wParam, HWND upDown) {
    if (LOWORD(wParam) != SB_THUMBPOSITION)
        return;
    const RosterPageTeam* team = teamOf(page);
    if (const auto spinner = pageSpinnerWithId(team, page, static_cast<UINT_PTR>(GetDlgCtrlID(upDown))))
        rememberSpinnerPosition(team->doc, spinner->slot, spinner->field, static_cast<short>(HIWORD(wParam)));
    SendMessageA(GetParent(page), kRecordEditsMessage, 0, 0);
}

// What was typed into a box becomes a step of the edit history when the box loses the focus; a
// choice from a list at once, but only after the list has put the item into its box, which it does
// after this notification. Nothing else of the boxes' notifications matters to the page.
void onBoxNotification(HWND page, WPARAM wParam) {
    switch (HIWORD(wParam)) {
    case EN_KILLFOCUS:
    case CBN_KILLFOCUS: SendMessageA(GetParent(page), kRecordEditsMessage, 0, 0); break;
    case CBN_SELCHANGE: PostMessageA(GetParent(page), kRecordEditsMessage, 0, 0); break;
    default: break;
    }
}

} // namespace

void initRosterPage(const RosterPageTeam& team, PageIndex index) {
    const PageFieldStorage& controls = team.controls;
    const LPARAM threeDigits =
        threeDigitMargins(controls.control(slotAt(index, 0), SlotField::number, false));
    for (int row = 0; row < kRowsPerPage; ++row) {
        const SlotIndex slot = slotAt(index, row);
        fillLists(controls, slot);
        SendMessageA(controls.control(slot, SlotField::playerName, false), EM_LIMITTEXT, kNameCapacity, 0);
        prepareNumberFields(controls, slot, threeDigits);
        applySlotDefaults(team.doc, slot);
    }
}

INT_PTR CALLBACK rosterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: SetWindowLongPtrA(page, DWLP_USER, lParam); return TRUE;
    case WM_NOTIFY: return onNotify(page, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_VSCROLL: onSpinnerStepped(page, wParam, reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_COMMAND: onBoxNotification(page, wParam); return FALSE;
    default: return FALSE;
    }
}
