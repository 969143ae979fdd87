#include "roster/slot_operations.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

struct SwappedField {
    SlotField field;
    std::size_t length;
};

constexpr std::array<SwappedField, 9> kSwappedFields = {{
    {SlotField::playerName, kNameCapacity},
    {SlotField::position, 2},
    {SlotField::number, 3},
    {SlotField::icon, 2},
    {SlotField::speed, 3},
    {SlotField::strength, 3},
    {SlotField::agility, 3},
    {SlotField::intelligence, 3},
    {SlotField::discipline, 3},
}};

struct ErasedPage {
    std::string_view depthString;
    std::string_view side;
    std::string_view position;
};

constexpr std::array<ErasedPage, kRosterPageCount> kErasedPages = {{
    {"1st", "OFF", "OC"},
    {"2nd", "OFF", "OC"},
    {"1st", "DEF", "NT"},
    {"2nd", "DEF", "NT"},
}};

constexpr std::size_t kLongestLabel = 4;

std::array<std::string, kSwappedFields.size()> playerTexts(const TeamDocument& doc, SlotIndex slot) {
    std::array<std::string, kSwappedFields.size()> texts;
    for (std::size_t i = 0; i < kSwappedFields.size(); ++i)
        texts[i] = fieldText(doc, slot, kSwappedFields[i].field).substr(0, kSwappedFields[i].length);
    return texts;
}

void setPlayerTexts(TeamDocument& doc, SlotIndex slot,
                    const std::array<std::string, kSwappedFields.size()>& texts) {
    for (std::size_t i = 0; i < kSwappedFields.size(); ++i)
        setFieldText(doc, slot, kSwappedFields[i].field, texts[i]);
}

} // namespace

TeamInMemory::TeamInMemory(const TeamInMemory& original, Cloning) : storage(original.storage) {
    doc.spinnerPositions = original.doc.spinnerPositions;
    doc.colors = original.doc.colors;
    doc.currentPath = original.doc.currentPath;
}

void resetToNewTeam(TeamDocument& doc) {
    doc.currentPath.clear();
    doc.colors = kDefaultTeamColors;
    applySlotDefaults(doc);
}

std::optional<SlotIndex> slotOfBoxText(std::string_view boxText) {
    return slotByLabel(boxText.substr(0, kLongestLabel));
}

void swapSlots(TeamDocument& doc, SlotIndex a, SlotIndex b) {
    auto textsA = playerTexts(doc, a);
    auto textsB = playerTexts(doc, b);
    setPlayerTexts(doc, a, textsB);
    setPlayerTexts(doc, b, textsA);
}

void eraseSlot(TeamDocument& doc, SlotIndex slot) {
    const ErasedPage& page = kErasedPages[slotPage(slot)];
    selectListValue(doc, slot, SlotField::depthString, page.depthString);
    selectListValue(doc, slot, SlotField::side, page.side);
    setFieldText(doc, slot, SlotField::playerName, "");
    selectListValue(doc, slot, SlotField::position, page.position);
    setSpinnerValue(doc, slot, SlotField::number, 0);
    setSpinnerValue(doc, slot, SlotField::icon, 1);
    for (SlotField rating : kRatingFields)
        setSpinnerValue(doc, slot, rating, 0);
}

void prepareSpinnerStep(TeamDocument& doc, SlotIndex slot, SlotField field, int delta) {
    const int position = settleSpinnerPosition(doc, slot, field);
    const int next =
        field == SlotField::speed ? static_cast<std::int16_t>((position + 24 * delta) & 0xFFFF) : position;
    setSpinnerValue(doc, slot, field, next);
    // The stepping spinner has read its box before asking: it steps from what it takes over now.
    takeSpinnerPositionFromText(doc, slot, field);
}
