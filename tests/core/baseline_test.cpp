#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "roster/slot_operations.h"
#include "teamfile/baseline.h"
#include "teamfile/writer.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

// Unsaved changes are what Save would write differently from right after the last New, Open, Save or
// Save As: every way of editing counts, and an edit put back, or one that Save writes as before, is
// no change.
TEST(Baseline, UnsavedChangesAreWhatSaveWouldWriteDifferently) {
    struct Case {
        const char* what;
        void (*edit)(TeamDocument&);
        bool changed;
    };
    const Case cases[] = {
        {"nothing", [](TeamDocument&) {}, false},
        {"a name typed", [](TeamDocument& doc) { setFieldText(doc, 3, SlotField::playerName, "New Name"); },
         true},
        {"a name typed and put back",
         [](TeamDocument& doc) {
             const std::string name = fieldText(doc, 3, SlotField::playerName);
             setFieldText(doc, 3, SlotField::playerName, "New Name");
             setFieldText(doc, 3, SlotField::playerName, name);
         },
         false},
        {"a colour", [](TeamDocument& doc) { doc.colors[helmetColor] = 0x123456; }, true},
        {"a rating stepped", [](TeamDocument& doc) { setSpinnerValue(doc, 40, SlotField::agility, 21); },
         true},
        {"a swap", [](TeamDocument& doc) { swapSlots(doc, 0, 1); }, true},
        {"a swap and its undoing",
         [](TeamDocument& doc) {
             swapSlots(doc, 0, 1);
             swapSlots(doc, 0, 1);
         },
         false},
        {"an erase", [](TeamDocument& doc) { eraseSlot(doc, 12); }, true},
        {"a position typed in small letters",
         [](TeamDocument& doc) { setFieldText(doc, 0, SlotField::position, "qb"); }, false},
        {"a speed within the same step",
         [](TeamDocument& doc) { setFieldText(doc, 0, SlotField::speed, "60"); }, false},
        {"New after edits",
         [](TeamDocument& doc) {
             setFieldText(doc, 3, SlotField::playerName, "New Name");
             resetToNewTeam(doc);
         },
         false},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        const Baseline baseline = baselineOf(team.doc);
        c.edit(team.doc);
        EXPECT_EQ(hasUnsavedChanges(team.doc, baseline), c.changed) << c.what;
    }
}

// The status of a file on disk tells a save by another program, whether it writes into the file or
// puts another file in its place; a file that is gone is no change.
TEST(Baseline, AFileWrittenOrReplacedByAnotherProgramHasChanged) {
    TempFolder folder;
    const std::string path = folder.file("team.fbt");
    TeamInMemory team;
    ASSERT_TRUE(writeTeamFile(team.doc, path).ok);
    FileStatus saved;
    ASSERT_TRUE(fileStatus(path, saved).ok);
    const Baseline baseline = baselineOf(team.doc, saved);
    FileStatus now;
    ASSERT_TRUE(fileStatus(path, now).ok);
    EXPECT_FALSE(changedOnDisk(baseline, now)) << "examined twice";

    const std::vector<std::uint8_t> bytes = readFileBytes(path);
    ASSERT_TRUE(writeFileBytes(path, bytes));
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5));
    ASSERT_TRUE(fileStatus(path, now).ok);
    EXPECT_TRUE(changedOnDisk(baseline, now)) << "written in place with the same bytes";

    ASSERT_TRUE(writeFileBytes(folder.file("other.fbt"), bytes));
    fs::rename(folder.file("other.fbt"), path);
    ASSERT_TRUE(fileStatus(path, now).ok);
    now.modified = saved.modified; // the same size and time: only the identity tells
    EXPECT_TRUE(changedOnDisk(baseline, now)) << "another file under the name";

    fs::remove(path);
    ASSERT_TRUE(fileStatus(path, now).ok);
    EXPECT_FALSE(changedOnDisk(baseline, now)) << "gone: saving it loses nothing";
}
