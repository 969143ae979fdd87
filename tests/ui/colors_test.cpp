// The Colors menu through the system's colour dialog: the colour it opens with, OK and Cancel, the
// custom colours kept for the whole run, and the colour as saved.
#include <gtest/gtest.h>

#include "tests/support/team_bytes.h"
#include "tests/support/test_team.h"
#include "tests/ui/color_dialog.h"
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"

namespace {

// Opens the entry's colour dialog, types the colour and closes it with OK or Cancel.
::testing::AssertionResult pickColor(EditorProcess& editor, int command, Rgb color, bool confirm) {
    return runCommandDialog(editor, command, confirm, [&](HWND dialog) {
        if (!setDialogColor(dialog, color))
            return ::testing::AssertionFailure() << "the dialog does not show " << color;
        return ::testing::AssertionSuccess();
    });
}

using ColorsMenu = EditorTest;

} // namespace

TEST_F(ColorsMenu, EachDialogOpensWithItsEntrysColour) {
    struct Case {
        int command;
        Rgb shown;
    };
    const Case cases[] = {
        {IDM_JERSEY, {144, 144, 144}},     {IDM_HELMET, {144, 144, 144}},     {IDM_STRIPE, {218, 219, 219}},
        {IDM_PANTS_HOME, {144, 144, 144}}, {IDM_PANTS_AWAY, {254, 254, 254}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(offeredColor(editor, c.command), c.shown) << "command " << c.command;
    EXPECT_FALSE(editor.saveEnabled());
}

TEST_F(ColorsMenu, OkStoresTheColourAndCancelKeepsTheOldOne) {
    ASSERT_TRUE(pickColor(editor, IDM_JERSEY, {1, 2, 3}, false));
    EXPECT_EQ(offeredColor(editor, IDM_JERSEY), (Rgb{144, 144, 144}));

    ASSERT_TRUE(pickColor(editor, IDM_JERSEY, {1, 2, 3}, true));
    EXPECT_EQ(offeredColor(editor, IDM_JERSEY), (Rgb{1, 2, 3}));
    EXPECT_EQ(offeredColor(editor, IDM_HELMET), (Rgb{144, 144, 144})) << "another entry changed";
    EXPECT_FALSE(editor.saveEnabled());

    ASSERT_TRUE(runDroppingEdits(editor, IDM_NEW));
    EXPECT_EQ(offeredColor(editor, IDM_JERSEY), (Rgb{144, 144, 144}));
}

TEST_F(ColorsMenu, WhiteAwayPantsAreSavedAsSixFFBytes) {
    ASSERT_TRUE(pickColor(editor, IDM_PANTS_AWAY, {255, 255, 255}, true));

    ASSERT_TRUE(runFileDialog(editor, IDM_SAVE_AS, folder.file("white")));

    TeamInMemory expected;
    expected.doc.colors[awayPantsColor] = makeColor(255, 255, 255);
    const std::vector<std::uint8_t> saved = readFileBytes(folder.file("white.fbt"));
    EXPECT_EQ(saved, encoded(expected.doc));
    ASSERT_EQ(saved.size(), layout::kTeamFileSize);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + 2622, saved.begin() + 2628),
              std::vector<std::uint8_t>(6, 0xFF));
}

TEST_F(ColorsMenu, ACustomColourDefinedForTheHelmetIsOfferedForTheWholeRun) {
    const Rgb custom = {10, 20, 30};
    HWND helmet = openCommandDialog(editor, IDM_HELMET);
    ASSERT_NE(helmet, nullptr);
    ASSERT_TRUE(setDialogColor(helmet, custom));
    addCustomColor(helmet);
    confirmDialog(helmet);
    ASSERT_TRUE(waitForDialogGone(helmet));
    settle(editor.mainWindow());

    for (bool afterNew : {false, true}) {
        SCOPED_TRACE(afterNew ? "after New" : "before New");
        if (afterNew) {
            ASSERT_TRUE(runDroppingEdits(editor, IDM_NEW));
            EXPECT_EQ(offeredColor(editor, IDM_HELMET), (Rgb{144, 144, 144}))
                << "New keeps the picked helmet";
        }
        HWND pants = openCommandDialog(editor, IDM_PANTS_AWAY);
        ASSERT_NE(pants, nullptr);
        EXPECT_EQ(dialogColor(pants), (Rgb{254, 254, 254}));
        EXPECT_EQ(pickCustomColor(pants, 0), custom);
        EXPECT_EQ(pickCustomColor(pants, 1), (Rgb{0, 0, 0}));
        cancelDialog(pants);
        ASSERT_TRUE(waitForDialogGone(pants));
        settle(editor.mainWindow());
        EXPECT_EQ(offeredColor(editor, IDM_PANTS_AWAY), (Rgb{254, 254, 254}));
    }
}
