#include "roster/field_storage.h"

#include <charconv>

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
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    setText(slot, field, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}
