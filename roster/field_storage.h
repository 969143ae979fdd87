// Where the texts of the 44 slots live. The editor keeps them in the page controls themselves; the
// in-memory storage keeps them in strings, for a team that no page shows. The rules for setting and reading
// fields are written once, in team_document.cpp, on top of this interface.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "roster/slot_table.h"

class FieldStorage {
  public:
    virtual ~FieldStorage() = default;
    virtual std::string text(SlotIndex slot, SlotField field) const = 0;
    virtual void setText(SlotIndex slot, SlotField field, std::string_view text) = 0;
    // Shows a list field's item as the chosen one; the item is one of listItems(field).
    virtual void selectItem(SlotIndex slot, SlotField field, std::string_view item) = 0;
    // Shows a spinner field's value, a number within spinnerRange(field), in its box. A spinner that
    // keeps a position of its own reads it from the box when it is next asked or stepped.
    virtual void setSpinner(SlotIndex slot, SlotField field, int value) = 0;
    // The field's text, a decimal number within range, has just become its spinner position: a
    // spinner that keeps a position of its own takes the text over too, leaving the text as it is.
    virtual void takeSpinnerPositionFromText(SlotIndex slot, SlotField field) = 0;
};

class MemoryFieldStorage final : public FieldStorage {
  public:
    std::string text(SlotIndex slot, SlotField field) const override;
    void setText(SlotIndex slot, SlotField field, std::string_view text) override;
    void selectItem(SlotIndex slot, SlotField field, std::string_view item) override;
    void setSpinner(SlotIndex slot, SlotField field, int value) override;
    // The positions live in the document alone.
    void takeSpinnerPositionFromText(SlotIndex, SlotField) override {}

  private:
    std::array<std::array<std::string, kSlotFieldCount>, kSlotCount> texts_;
};
