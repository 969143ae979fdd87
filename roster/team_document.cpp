#include "roster/team_document.h"

#include <algorithm>
#include <string>

namespace {

// A text made only of decimal digits whose value lies within range; the digits' value, or -1.
int decimalWithin(std::string_view text, SpinnerRange range) {
    if (text.empty())
        return -1;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
        if (value > range.upper)
            return -1;
    }
    return value >= range.lower ? static_cast<int>(value) : -1;
}

// A box that shows the default already is only read, as the storage's spinner set writes whatever the
// box shows: the pages start with the defaults in their boxes, so start-up only reads them.
void applySpinnerDefault(TeamDocument& doc, SlotIndex slot, SlotField field) {
    const int value = defaultSpinnerValue(slot, field);
    if (fieldText(doc, slot, field) == std::to_string(value))
        doc.spinnerPositions[slot][spinnerFieldIndex(field)] = value;
    else
        setSpinnerValue(doc, slot, field, value);
}

} // namespace

TeamDocument::TeamDocument(FieldStorage& fieldStorage) : storage(fieldStorage) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            if (isSpinnerField(field))
                spinnerPositions[slot][spinnerFieldIndex(field)] = defaultSpinnerValue(slot, field);
}

void selectListValue(TeamDocument& doc, SlotIndex slot, SlotField field, std::string_view text) {
    const std::span<const std::string_view> items = listItems(field);
    const std::size_t first = std::min<std::size_t>(2, items.size());
    for (std::size_t step = 0; step < items.size(); ++step) {
        const std::size_t i = first + step < items.size() ? first + step : first + step - items.size();
        if (startsWithIgnoringCase(items[i], text)) {
            doc.storage.selectItem(slot, field, items[i]);
            return;
        }
    }
}

void setFieldText(TeamDocument& doc, SlotIndex slot, SlotField field, std::string_view text) {
    doc.storage.setText(slot, field, text);
}

void setSpinnerValue(TeamDocument& doc, SlotIndex slot, SlotField field, int value) {
    SpinnerRange range = spinnerRange(field);
    value = std::clamp(value, range.lower, range.upper);
    doc.spinnerPositions[slot][spinnerFieldIndex(field)] = value;
    doc.storage.setSpinner(slot, field, value);
}

std::string fieldText(const TeamDocument& doc, SlotIndex slot, SlotField field) {
    return doc.storage.text(slot, field);
}

std::uint32_t numericValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > 0xFFFFFFFFu)
            return 0;
    }
    return static_cast<std::uint32_t>(value);
}

std::uint32_t fieldValue(const TeamDocument& doc, SlotIndex slot, SlotField field) {
    return numericValue(fieldText(doc, slot, field));
}

int shownSpinnerPosition(const TeamDocument& doc, SlotIndex slot, SlotField field, std::string_view text) {
    const int fromText = decimalWithin(text, spinnerRange(field));
    return fromText >= 0 ? fromText : doc.spinnerPositions[slot][spinnerFieldIndex(field)];
}

int settleSpinnerPosition(TeamDocument& doc, SlotIndex slot, SlotField field) {
    int& position = doc.spinnerPositions[slot][spinnerFieldIndex(field)];
    int fromText = decimalWithin(fieldText(doc, slot, field), spinnerRange(field));
    if (fromText >= 0) {
        position = fromText;
        takeSpinnerPositionFromText(doc, slot, field);
    }
    return position;
}

void takeSpinnerPositionFromText(TeamDocument& doc, SlotIndex slot, SlotField field) {
    doc.storage.takeSpinnerPositionFromText(slot, field);
}

void rememberSpinnerPosition(TeamDocument& doc, SlotIndex slot, SlotField field, int position) {
    const SpinnerRange range = spinnerRange(field);
    doc.spinnerPositions[slot][spinnerFieldIndex(field)] = std::clamp(position, range.lower, range.upper);
}

void applySlotDefaults(TeamDocument& doc, SlotIndex slot) {
    for (SlotField field : kAllSlotFields) {
        if (isListField(field))
            selectListValue(doc, slot, field, defaultFieldText(slot, field));
        else if (field == SlotField::playerName)
            setFieldText(doc, slot, field, defaultFieldText(slot, field));
        else
            applySpinnerDefault(doc, slot, field);
    }
}

void applySlotDefaults(TeamDocument& doc) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        applySlotDefaults(doc, slot);
}
