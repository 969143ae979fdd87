// The editor's field storage: the texts of the 44 slots live in the roster pages' controls, so what
// the pages show is the document. Works on page dialogs of this process or, through the same
// messages, of another process.
#pragma once

#include <array>

#include <windows.h>

#include "roster/field_storage.h"

// The text of a window of this process or another one, read with WM_GETTEXT whatever its length.
std::string windowText(HWND window);

class PageFieldStorage final : public FieldStorage {
  public:
    // pages is the shell's table of page dialogs, indexed by PageIndex; it is read at each use, so
    // it may be filled while the pages are being created.
    explicit PageFieldStorage(const std::array<HWND, kPageCount>& pages) : pages_(pages) {}

    std::string text(SlotIndex slot, SlotField field) const override;
    void setText(SlotIndex slot, SlotField field, std::string_view text) override;
    // The sets leave a box or list that shows the value already as it is.
    // CB_SELECTSTRING with start index 1, as the pages' lists expect.
    void selectItem(SlotIndex slot, SlotField field, std::string_view item) override;
    // Writes the number into the field's box, whatever it shows, and leaves the spinner alone.
    void setSpinner(SlotIndex slot, SlotField field, int value) override;
    // UDM_GETPOS: the spinner reads its box, a number within its range, and takes it as its own
    // position, so that it keeps agreeing with the document when the box is later emptied or holds a
    // number out of range.
    void takeSpinnerPositionFromText(SlotIndex slot, SlotField field) override;

    // A field's box, or with spinner its spinner. The controls of a page are found at the first use
    // and kept, since the pages live as long as the storage is used. The pages' start-up filling finds
    // its controls here too.
    HWND control(SlotIndex slot, SlotField field, bool spinner) const;
    // The slot's control at offset (0 to kControlsPerSlot - 1), found the same way.
    HWND slotControl(SlotIndex slot, int offset) const;
    // The page dialog of the index, as the shell's table holds it now.
    HWND page(PageIndex index) const { return pages_[index]; }

  private:
    void collectControls(PageIndex page) const;

    const std::array<HWND, kPageCount>& pages_;
    mutable std::array<std::array<HWND, kControlsPerSlot>, kSlotCount> controls_{};
    mutable std::array<bool, kPageCount> collected_{};
};
