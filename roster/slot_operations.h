// Operations on whole slots and on the whole roster: New team, Swap, Erase and the speed spinner's
// step of 25. They work through the field operations only, so they act the same on every storage.
#pragma once

#include <optional>
#include <string_view>

#include "roster/field_storage.h"
#include "roster/team_document.h"

// Forgets the current file and puts back the default colours and every slot's table row.
void resetToNewTeam(TeamDocument& doc);

// A team held in memory, starting as New team leaves it: the team a fresh editor opens files into.
// Its document refers to its own storage, so a copy made member by member would write into the
// original's texts: it is not copied, only cloned.
struct TeamInMemory {
    TeamInMemory() { resetToNewTeam(doc); }
    TeamInMemory(const TeamInMemory&) = delete;
    TeamInMemory& operator=(const TeamInMemory&) = delete;

    // Another team with the same texts, spinner positions, colours and current file, in storage of
    // its own.
    TeamInMemory clone() const { return TeamInMemory(*this, Cloning{}); }

    MemoryFieldStorage storage;
    TeamDocument doc{storage};

  private:
    struct Cloning {};
    TeamInMemory(const TeamInMemory& original, Cloning);
};

// The slot named by a slot box's text: its first four characters must equal a label exactly.
std::optional<SlotIndex> slotOfBoxText(std::string_view boxText);

// Exchanges the players (name, position, number, icon, ratings) of two slots as texts, each cut to
// the length its box holds; String and Side stay with the slots.
void swapSlots(TeamDocument& doc, SlotIndex a, SlotIndex b);

// Clears a slot: its page's String, Side and POS, an empty name, number 0, icon 1, ratings 0.
void eraseSlot(TeamDocument& doc, SlotIndex slot);

// The page's part of a spinner step by delta, before the spinner adds its own step with wrap. Every
// spinner steps from the field's last valid position, whatever its box holds now (an empty box, a
// number out of range); an SPD spinner also adds 24 per step here, so one click moves it by 25.
void prepareSpinnerStep(TeamDocument& doc, SlotIndex slot, SlotField field, int delta);
