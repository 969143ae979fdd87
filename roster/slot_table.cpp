#include "roster/slot_table.h"

// A slot's definition from its row in the roster's list (slot_rows.h); String and Side are its
// page's, the ratings its kind's.
#define SLOT_DEFINITION(depth, side, row, label, name, position, number, icon, kind, labelBox)               \
    SlotDefinition{label, name, depth, side, position, number, icon, kind##_RATINGS},
#define OFFENSIVE_STARTER(...) SLOT_DEFINITION("1st", "OFF", __VA_ARGS__)
#define OFFENSIVE_RESERVE(...) SLOT_DEFINITION("2nd", "OFF", __VA_ARGS__)
#define DEFENSIVE_STARTER(...) SLOT_DEFINITION("1st", "DEF", __VA_ARGS__)
#define DEFENSIVE_RESERVE(...) SLOT_DEFINITION("2nd", "DEF", __VA_ARGS__)

const std::array<SlotDefinition, kSlotCount> SlotTable = {
    {OFFENSIVE_STARTERS_SLOTS(OFFENSIVE_STARTER) OFFENSIVE_RESERVES_SLOTS(OFFENSIVE_RESERVE)
         DEFENSIVE_STARTERS_SLOTS(DEFENSIVE_STARTER) DEFENSIVE_RESERVES_SLOTS(DEFENSIVE_RESERVE)}};

std::span<const std::string_view> listItems(SlotField field) {
    switch (field) {
    case SlotField::depthString: return kDepthStringList;
    case SlotField::side: return kSideList;
    case SlotField::position: return PositionCode;
    default: return {};
    }
}

PageIndex slotPage(SlotIndex slot) {
    return slot / kRowsPerPage;
}

int slotRow(SlotIndex slot) {
    return slot - kRowsPerPage * slotPage(slot);
}

SlotIndex slotAt(PageIndex page, int row) {
    return page * kRowsPerPage + row;
}

int controlId(SlotIndex slot, int offset) {
    return kFirstSlotControlId + kControlsPerSlot * slot + offset;
}

int fieldControlOffset(SlotField field) {
    int f = static_cast<int>(field);
    return isSpinnerField(field) ? 4 + 2 * spinnerFieldIndex(field) : f;
}

int defaultSpinnerValue(SlotIndex slot, SlotField field) {
    const SlotDefinition& d = SlotTable[slot];
    switch (field) {
    case SlotField::number: return d.number;
    case SlotField::icon: return d.icon;
    case SlotField::speed: return d.speed;
    case SlotField::strength: return d.strength;
    case SlotField::agility: return d.agility;
    case SlotField::intelligence: return d.intelligence;
    case SlotField::discipline: return d.discipline;
    default: return 0;
    }
}

std::string_view defaultFieldText(SlotIndex slot, SlotField field) {
    const SlotDefinition& d = SlotTable[slot];
    switch (field) {
    case SlotField::depthString: return d.depthString;
    case SlotField::side: return d.side;
    case SlotField::playerName: return d.placeholderName;
    case SlotField::position: return d.position;
    default: return {};
    }
}

std::optional<SlotIndex> slotByLabel(std::string_view label) {
    std::optional<SlotIndex> found;
    for (SlotIndex i = 0; i < kSlotCount; ++i)
        if (SlotTable[i].label == label)
            found = i;
    return found;
}
