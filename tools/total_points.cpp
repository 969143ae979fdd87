#include "tools/total_points.h"

int settlePositionsAndTotalPoints(TeamDocument& doc) {
    int total = 0;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField rating : kRatingFields)
            total += settleSpinnerPosition(doc, slot, rating);
    return total;
}
