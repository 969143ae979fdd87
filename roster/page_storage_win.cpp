#include "roster/page_storage_win.h"

#include <algorithm>
#include <charconv>
#include <string>

#include <commctrl.h>

HWND PageFieldStorage::control(SlotIndex slot, SlotField field, bool spinner) const {
    return slotControl(slot, fieldControlOffset(field) + (spinner ? 1 : 0));
}

HWND PageFieldStorage::slotControl(SlotIndex slot, int offset) const {
    const PageIndex page = slotPage(slot);
    if (!collected_[page])
        collectControls(page);
    return controls_[slot][offset];
}

// One walk over the page's children finds every slot control on it.
void PageFieldStorage::collectControls(PageIndex page) const {
    if (pages_[page] == nullptr)
        return;
    const int first = controlId(0, 0);
    for (HWND child = GetWindow(pages_[page], GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const int index = GetDlgCtrlID(child) - first;
        if (index >= 0 && index < kSlotCount * kControlsPerSlot)
            controls_[index / kControlsPerSlot][index % kControlsPerSlot] = child;
    }
    collected_[page] = true;
}

std::string windowText(HWND box) {
    // One message for the usual short text; a longer one is read again at its full length, asked by
    // WM_GETTEXTLENGTH because GetWindowTextLengthA does not ask a window of another process.
    char shortText[64];
    const auto copied = static_cast<std::size_t>(
        SendMessageA(box, WM_GETTEXT, sizeof shortText, reinterpret_cast<LPARAM>(shortText)));
    if (copied + 1 < sizeof shortText)
        return std::string(shortText, copied);
    const auto length = static_cast<std::size_t>(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    text.resize(static_cast<std::size_t>(
        SendMessageA(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::string PageFieldStorage::text(SlotIndex slot, SlotField field) const {
    return windowText(control(slot, field, false));
}

void PageFieldStorage::setText(SlotIndex slot, SlotField field, std::string_view text) {
    if (this->text(slot, field) == text)
        return;
    const std::string value(text);
    SendMessageA(control(slot, field, false), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void PageFieldStorage::selectItem(SlotIndex slot, SlotField field, std::string_view item) {
    HWND list = control(slot, field, false);
    const std::span<const std::string_view> items = listItems(field);
    const auto index = static_cast<LRESULT>(std::find(items.begin(), items.end(), item) - items.begin());
    if (SendMessageA(list, CB_GETCURSEL, 0, 0) == index && text(slot, field) == item)
        return;
    const std::string itemText(item);
    SendMessageA(list, CB_SELECTSTRING, 1, reinterpret_cast<LPARAM>(itemText.c_str()));
}

// Only the box is written. The spinner reads its box whenever it is asked for its position or about to
// step, so it needs no position of its own until then (a step being prepared hands it over with
// takeSpinnerPositionFromText).
void PageFieldStorage::setSpinner(SlotIndex slot, SlotField field, int value) {
    char digits[12];
    *std::to_chars(digits, digits + sizeof digits - 1, value).ptr = '\0';
    SendMessageA(control(slot, field, false), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(digits));
}

void PageFieldStorage::takeSpinnerPositionFromText(SlotIndex slot, SlotField field) {
    SendMessageA(control(slot, field, true), UDM_GETPOS, 0, 0);
}
