#include "roster/edit_history.h"

#include <algorithm>
#include <utility>

namespace {

bool isListItem(SlotField field, const std::string& text) {
    const std::span<const std::string_view> items = listItems(field);
    return std::find(items.begin(), items.end(), text) != items.end();
}

// A list item is selected and any other text set as it stands, so that a typed text comes back as
// typed; a numeric field gets its position through the spinner, then its text.
void putField(TeamDocument& doc, SlotIndex slot, SlotField field, const FieldState& state) {
    if (isSpinnerField(field))
        setSpinnerValue(doc, slot, field, state.position);
    if (isListField(field) && isListItem(field, state.text))
        selectListValue(doc, slot, field, state.text);
    else
        setFieldText(doc, slot, field, state.text);
}

} // namespace

FieldState fieldState(const TeamDocument& doc, SlotIndex slot, SlotField field) {
    FieldState state{fieldText(doc, slot, field)};
    if (isSpinnerField(field))
        state.position = shownSpinnerPosition(doc, slot, field, state.text);
    return state;
}

void EditHistory::restart(const TeamDocument& doc) {
    TeamValues& values = baseline_.emplace();
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            values.fields[slot][static_cast<int>(field)] = fieldState(doc, slot, field);
    values.colors = doc.colors;
    steps_.clear();
    done_ = 0;
}

bool EditHistory::record(const TeamDocument& doc) {
    if (!baseline_)
        return false;
    EditStep step;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        for (SlotField field : kAllSlotFields) {
            FieldState now = fieldState(doc, slot, field);
            FieldState& then = baseline_->fields[slot][static_cast<int>(field)];
            if (now != then) {
                step.fields.push_back({slot, field, then, now});
                then = std::move(now);
            }
        }
    }
    for (int entry = 0; entry < kTeamColorCount; ++entry) {
        ColorRef& then = baseline_->colors[entry];
        if (doc.colors[entry] != then) {
            step.colors.push_back({static_cast<TeamColorEntry>(entry), then, doc.colors[entry]});
            then = doc.colors[entry];
        }
    }
    if (step.fields.empty() && step.colors.empty())
        return false;
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    if (steps_.size() > kUndoLimit)
        steps_.pop_front();
    done_ = steps_.size();
    return true;
}

bool EditHistory::undo(TeamDocument& doc) {
    record(doc);
    if (!canUndo())
        return false;
    apply(doc, steps_[--done_], false);
    return true;
}

bool EditHistory::redo(TeamDocument& doc) {
    record(doc);
    if (!canRedo())
        return false;
    apply(doc, steps_[done_++], true);
    return true;
}

// The baseline takes the fields as they read back once written.
void EditHistory::apply(TeamDocument& doc, const EditStep& step, bool forward) {
    for (const FieldChange& change : step.fields) {
        putField(doc, change.slot, change.field, forward ? change.after : change.before);
        baseline_->fields[change.slot][static_cast<int>(change.field)] =
            fieldState(doc, change.slot, change.field);
    }
    for (const ColorChange& change : step.colors) {
        doc.colors[change.entry] = forward ? change.after : change.before;
        baseline_->colors[change.entry] = doc.colors[change.entry];
    }
}
