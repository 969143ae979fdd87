#include "roster/field_storage.h"

std::string MemoryFieldStorage::text(SlotIndex slot, SlotField field) const {
    return texts_[slot][static_cast<int>(field)];
}

void MemoryFieldStorage::setText(SlotIndex slot, SlotField field, std::string_view text) {
    texts_[slot][static_cast<int>(field)] = text;
}

void MemoryFieldStorage::selectItem(SlotIndex slot, SlotField field, std::string_view item) {
    setText(slot, field, item);
}

void MemoryFieldStorage::setSpinner(SlotIndex slot, SlotField field, int value) {
    setText(slot, field, std::to_string(value));
}
