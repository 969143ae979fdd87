// Undo and Redo of team edits. The history keeps the team's values as of its last step (the
// baseline): every slot field's text, each numeric field's spinner position as the field stands for it
// (shownSpinnerPosition), and the five colours. Recording compares the document with the baseline and
// makes whatever differs one step, so every way of editing counts without bookkeeping of its own; a
// step keeps only the fields it changed, before and after. Undo and Redo write a step's values back
// through the field operations. The current file is not part of the history.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "roster/team_document.h"

// The most steps kept; recording one more forgets the oldest.
inline constexpr std::size_t kUndoLimit = 100;

// A field as the page shows it: its text and, for a numeric field, its spinner position.
struct FieldState {
    std::string text;
    int position = 0;
    bool operator==(const FieldState&) const = default;
};

// The field's text, read once (on the pages a numeric box answers slowly under Wine, where the
// spinner attached to it looks itself up in the window server for every message the box gets), and
// for a numeric field the position it stands for (shownSpinnerPosition).
FieldState fieldState(const TeamDocument& doc, SlotIndex slot, SlotField field);

struct FieldChange {
    SlotIndex slot;
    SlotField field;
    FieldState before;
    FieldState after;
};

struct ColorChange {
    TeamColorEntry entry;
    ColorRef before;
    ColorRef after;
};

// One user action: the fields and colours it changed.
struct EditStep {
    std::vector<FieldChange> fields;
    std::vector<ColorChange> colors;
};

class EditHistory {
  public:
    // Forgets every step and takes the team as it stands as the baseline. Until the first restart
    // nothing is recorded.
    void restart(const TeamDocument& doc);
    // Makes what differs from the baseline one step, which also drops the steps that were undone;
    // false when nothing differs.
    bool record(const TeamDocument& doc);
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // Records what differs first (an edit not yet recorded is undone as a step of its own), then puts
    // back the values the last step changed. False when there is nothing to undo.
    bool undo(TeamDocument& doc);
    // Records what differs first, then puts back the values of the step last undone (none, when
    // something was recorded). False when there is nothing to redo.
    bool redo(TeamDocument& doc);

  private:
    struct TeamValues {
        std::array<std::array<FieldState, kSlotFieldCount>, kSlotCount> fields;
        TeamColors colors;
    };

    void apply(TeamDocument& doc, const EditStep& step, bool forward);

    std::optional<TeamValues> baseline_;
    std::deque<EditStep> steps_;
    std::size_t done_ = 0; // steps_[0, done_) can be undone, the rest redone
};
