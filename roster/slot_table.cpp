#include "roster/slot_table.h"

namespace {

constexpr SlotDefinition starter(std::string_view label, std::string_view name, std::string_view depth,
                                 std::string_view side, std::string_view pos, int number, int icon) {
    return {label, name, depth, side, pos, number, icon, 50, 40, 20, 20, 20};
}

constexpr SlotDefinition filler(std::string_view label, std::string_view depth, std::string_view side,
                                std::string_view pos, int number, int icon) {
    return {label, "somebody", depth, side, pos, number, icon, 0, 0, 0, 0, 0};
}

} // namespace

const std::array<SlotDefinition, kSlotCount> SlotTable = {{
    // Offensive Starters
    starter("QB", "<QB name>", "1st", "OFF", "QB", 1, 3),
    starter("FB", "<FB name>", "1st", "OFF", "FB", 40, 2),
    starter("WR1", "<WR-1 name>", "1st", "OFF", "WR", 81, 9),
    starter("LT", "<L-T name>", "1st", "OFF", "OT", 79, 5),
    starter("LG", "<L-G name>", "1st", "OFF", "OG", 63, 5),
    starter("OC", "<C name>", "1st", "OFF", "OC", 50, 5),
    starter("RG", "<R-G name>", "1st", "OFF", "OG", 62, 5),
    starter("RT", "<R-T name>", "1st", "OFF", "OT", 78, 5),
    starter("TE1", "<TE-1 name>", "1st", "OFF", "TE", 88, 10),
    starter("HB", "<HB name>", "1st", "OFF", "HB", 20, 1),
    starter("WR2", "<WR-2 name>", "1st", "OFF", "WR", 82, 9),
    // Offensive Reserves
    starter("KK", "<K name>", "2nd", "OFF", "KK", 3, 4),
    starter("WR3", "<WR-3 name>", "2nd", "OFF", "WR", 83, 9),
    starter("TE2", "<TE-2 name>", "2nd", "OFF", "TE", 89, 10),
    filler("LTa", "2nd", "OFF", "OC", 50, 1),
    filler("LGa", "2nd", "OFF", "OC", 50, 1),
    filler("OCa", "2nd", "OFF", "OC", 50, 1),
    filler("RGa", "2nd", "OFF", "OC", 50, 1),
    filler("RTa", "2nd", "OFF", "OC", 50, 1),
    starter("WR4", "<WR-4 name>", "2nd", "OFF", "WR", 84, 9),
    filler("HBa", "2nd", "OFF", "OC", 50, 1),
    filler("WR2a", "2nd", "OFF", "OC", 50, 1),
    // Defensive Starters
    starter("SS", "<SS name>", "1st", "DEF", "SS", 41, 10),
    starter("CB2", "<CB-2 name>", "1st", "DEF", "CB", 22, 9),
    starter("SLB", "<Sam-LB name>", "1st", "DEF", "LB", 58, 1),
    starter("MLB", "<Mack-LB name>", "1st", "DEF", "LB", 54, 1),
    starter("LDE", "<L-DE name>", "1st", "DEF", "DE", 99, 5),
    starter("RDT", "<R-DT name>", "1st", "DEF", "DT", 72, 5),
    starter("LNT", "<L-DT name>", "1st", "DEF", "DT", 71, 5),
    starter("RDE", "<R-DE name>", "1st", "DEF", "DE", 98, 5),
    starter("WLB", "<Will-LB name>", "1st", "DEF", "LB", 59, 1),
    starter("CB1", "<CB-1 name>", "1st", "DEF", "CB", 21, 9),
    starter("FS1", "<FS-1 name>", "1st", "DEF", "FS", 31, 11),
    // Defensive Reserves
    filler("SSa", "2nd", "DEF", "NT", 60, 13),
    starter("LB5", "<LB-5 name>", "2nd", "DEF", "LB", 55, 1),
    starter("FS2", "<FS-2 name>", "2nd", "DEF", "FS", 32, 11),
    filler("MLBa", "2nd", "DEF", "NT", 60, 13),
    filler("LDEa", "2nd", "DEF", "NT", 60, 13),
    starter("BLB", "<Buck-LB name>", "2nd", "DEF", "LB", 53, 1),
    filler("LNTa", "2nd", "DEF", "NT", 60, 13),
    filler("RDEa", "2nd", "DEF", "NT", 60, 13),
    starter("CB3", "<CB-3 name>", "2nd", "DEF", "CB", 23, 9),
    filler("CB1a", "2nd", "DEF", "NT", 60, 13),
    filler("FS1a", "2nd", "DEF", "NT", 60, 13),
}};

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
