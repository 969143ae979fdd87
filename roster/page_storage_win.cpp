#include "roster/page_storage_win.h"

#include <string>

#include <commctrl.h>

namespace {

// The box that shows a field; a numeric box's spinner has the next identifier.
int fieldBoxId(SlotIndex slot, SlotField field) {
    return controlId(slot, fieldControlOffset(field));
}

} // namespace

std::string PageFieldStorage::text(SlotIndex slot, SlotField field) const {
    HWND page = pages_[slotPage(slot)];
    const int id = fieldBoxId(slot, field);
    // Asked by message: GetWindowTextLengthA does not ask a window of another process.
    const auto length = static_cast<int>(SendDlgItemMessageA(page, id, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const UINT copied = GetDlgItemTextA(page, id, text.data(), length + 1);
    text.resize(copied);
    return text;
}

void PageFieldStorage::setText(SlotIndex slot, SlotField field, std::string_view text) {
    SetDlgItemTextA(pages_[slotPage(slot)], fieldBoxId(slot, field), std::string(text).c_str());
}

void PageFieldStorage::selectItem(SlotIndex slot, SlotField field, std::string_view item) {
    const std::string itemText(item);
    SendDlgItemMessageA(pages_[slotPage(slot)], fieldBoxId(slot, field), CB_SELECTSTRING, 1,
                        reinterpret_cast<LPARAM>(itemText.c_str()));
}

void PageFieldStorage::setSpinner(SlotIndex slot, SlotField field, int value) {
    SendDlgItemMessageA(pages_[slotPage(slot)], fieldBoxId(slot, field) + 1, UDM_SETPOS, 0,
                        MAKELPARAM(value, 0));
}
