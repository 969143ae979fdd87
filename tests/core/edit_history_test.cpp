#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "roster/edit_history.h"
#include "teamfile/decoder.h"
#include "teamfile/encoder.h"
#include "tests/core/spinner_model.h"
#include "tests/support/test_team.h"
#include "tools/total_points.h"

namespace {

constexpr SlotIndex kQB = 0, kKK = 11, kSS = 22;

// What the pages show and Save and Total Points see: every text, every spinner position, the colours.
struct ShownTeam {
    std::array<std::array<FieldState, kSlotFieldCount>, kSlotCount> fields;
    TeamColors colors;
    bool operator==(const ShownTeam&) const = default;
};

ShownTeam shown(const TeamDocument& doc) {
    ShownTeam team;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            team.fields[slot][static_cast<int>(field)] = fieldState(doc, slot, field);
    team.colors = doc.colors;
    return team;
}

std::string name(const TeamDocument& doc) {
    return fieldText(doc, kQB, SlotField::playerName);
}

} // namespace

TEST(EditHistory, EachKindOfActionIsOneStepThatUndoesAndRedoes) {
    struct Case {
        const char* action;
        std::function<void(TeamInMemory&)> run;
    };
    const Case cases[] = {
        {"typed name",
         [](TeamInMemory& t) { setFieldText(t.doc, kQB, SlotField::playerName, "Typed Name"); }},
        {"typed list text", [](TeamInMemory& t) { setFieldText(t.doc, kQB, SlotField::position, "zz"); }},
        {"list choice", [](TeamInMemory& t) { selectListValue(t.doc, kKK, SlotField::position, "wr"); }},
        {"typed number in range",
         [](TeamInMemory& t) { setFieldText(t.doc, kQB, SlotField::strength, "70"); }},
        {"typed number out of range",
         [](TeamInMemory& t) { setFieldText(t.doc, kQB, SlotField::strength, "500"); }},
        {"emptied number", [](TeamInMemory& t) { setFieldText(t.doc, kQB, SlotField::icon, ""); }},
        {"spinner step",
         [](TeamInMemory& t) { clickModelSpinner(t.storage, t.doc, kQB, SlotField::speed, 1); }},
        {"spinner step from a number out of range",
         [](TeamInMemory& t) { clickModelSpinner(t.storage, t.doc, kQB, SlotField::discipline, -1); }},
        {"swap", [](TeamInMemory& t) { swapSlots(t.doc, kQB, kKK); }},
        {"erase", [](TeamInMemory& t) { eraseSlot(t.doc, kSS); }},
        {"colour", [](TeamInMemory& t) { t.doc.colors[stripeColor] = makeColor(1, 2, 3); }},
        {"new", [](TeamInMemory& t) { resetToNewTeam(t.doc); }},
        {"open", [](TeamInMemory& t) { decodeTeam(t.doc, encodeTeam(TeamInMemory().doc)); }},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        makeVariedTeam(team.doc);
        setFieldText(team.doc, kKK, SlotField::agility, "70"); // its position is taken from the text later
        setFieldText(team.doc, kQB, SlotField::discipline, "500"); // counts with its previous position
        team.doc.currentPath = "kept.fbt";
        EditHistory history;
        history.restart(team.doc);
        const ShownTeam before = shown(team.doc);

        c.run(team);
        const ShownTeam after = shown(team.doc);
        const std::filesystem::path currentFile = team.doc.currentPath;
        ASSERT_NE(after, before) << c.action;
        EXPECT_TRUE(history.record(team.doc)) << c.action;
        EXPECT_FALSE(history.record(team.doc)) << c.action << ": recorded twice";
        EXPECT_EQ(settlePositionsAndTotalPoints(team.doc), settlePositionsAndTotalPoints(team.doc));
        EXPECT_FALSE(history.record(team.doc)) << c.action << ": settling the positions is no edit";

        EXPECT_TRUE(history.undo(team.doc)) << c.action;
        EXPECT_EQ(shown(team.doc), before) << c.action;
        EXPECT_EQ(team.doc.currentPath, currentFile) << c.action << ": Undo keeps the current file";
        EXPECT_FALSE(history.canUndo()) << c.action;
        EXPECT_TRUE(history.redo(team.doc)) << c.action;
        EXPECT_EQ(shown(team.doc), after) << c.action;
        EXPECT_FALSE(history.canRedo()) << c.action;
    }
}

TEST(EditHistory, NewStepsDropRedoPendingEditsCountAndTheOldestGo) {
    TeamInMemory team;
    EditHistory history;
    setFieldText(team.doc, kQB, SlotField::playerName, "before any restart");
    EXPECT_FALSE(history.record(team.doc));

    history.restart(team.doc);
    for (const char* typed : {"A", "B"}) {
        setFieldText(team.doc, kQB, SlotField::playerName, typed);
        history.record(team.doc);
    }
    history.undo(team.doc);
    EXPECT_TRUE(history.canRedo());
    setFieldText(team.doc, kQB, SlotField::playerName, "C");
    history.record(team.doc);
    EXPECT_FALSE(history.canRedo()) << "a new step after Undo drops the undone one";
    EXPECT_FALSE(history.redo(team.doc));

    setFieldText(team.doc, kQB, SlotField::playerName, "typed, not recorded");
    EXPECT_TRUE(history.undo(team.doc));
    EXPECT_EQ(name(team.doc), "C") << "Undo first makes pending typing a step, then undoes it";
    EXPECT_TRUE(history.redo(team.doc));
    EXPECT_EQ(name(team.doc), "typed, not recorded");

    history.restart(team.doc);
    for (std::size_t i = 0; i < kUndoLimit + 5; ++i) {
        setFieldText(team.doc, kQB, SlotField::playerName, std::to_string(i));
        history.record(team.doc);
    }
    std::size_t undone = 0;
    while (history.undo(team.doc))
        ++undone;
    EXPECT_EQ(undone, kUndoLimit);
    EXPECT_EQ(name(team.doc), "4") << "the oldest steps were forgotten";
}
