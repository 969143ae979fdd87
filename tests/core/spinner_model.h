// A click on a numeric field's spinner, with the up-down control played by the test: the page's part
// (prepareSpinnerStep), then the control's own step, which adds delta to the position the page left
// it at, goes on from the other end past either bound, shows the new position in the box (the
// document's storage, written as the control writes it) and reports it back to the page
// (rememberSpinnerPosition).
#pragma once

#include <string>

#include "roster/slot_operations.h"

inline int wrappedSpinnerStep(SlotField field, int position, int delta) {
    const SpinnerRange range = spinnerRange(field);
    const int span = range.upper - range.lower + 1;
    return range.lower + ((position - range.lower + delta) % span + span) % span;
}

inline void clickModelSpinner(FieldStorage& storage, TeamDocument& doc, SlotIndex slot, SlotField field,
                              int delta) {
    prepareSpinnerStep(doc, slot, field, delta);
    const int next = wrappedSpinnerStep(field, std::stoi(fieldText(doc, slot, field)), delta);
    storage.setSpinner(slot, field, next);
    rememberSpinnerPosition(doc, slot, field, next);
}
