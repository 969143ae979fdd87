// The main window as a person meets it: what it shows after start-up, the tab strip, the About box,
// the ways to end the program and the command numbers it does not know.
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"

namespace {

using StartUp = EditorTest;

TEST_F(StartUp, ShowsTheTitleTheTabsAndOnlyTheFirstPage) {
    EXPECT_EQ(windowText(editor.mainWindow()), "Squadwright");
    EXPECT_EQ(editor.tabCaptions(), (std::vector<std::string>{"Off Starters", "Off Reserves", "Def Starters",
                                                              "Def Reserves", "Slot Tools"}));
    EXPECT_EQ(editor.selectedTab(), 0);
    EXPECT_EQ(editor.visiblePage(), kOffensiveStarters);
    EXPECT_FALSE(editor.saveEnabled());
    // The tab strip starts at the top left corner of the client area, below the menu bar.
    RECT tabs{};
    ASSERT_TRUE(GetWindowRect(editor.tabStrip(), &tabs));
    POINT clientOrigin{0, 0};
    ASSERT_TRUE(ClientToScreen(editor.mainWindow(), &clientOrigin));
    EXPECT_EQ(tabs.left, clientOrigin.x);
    EXPECT_EQ(tabs.top, clientOrigin.y);
}

TEST_F(StartUp, EverySlotShowsItsTableRow) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields)
            EXPECT_EQ(text(slot, field), tableTexts(slot)[static_cast<int>(field)])
                << SlotTable[slot].label << " field " << static_cast<int>(field);
}

TEST_F(StartUp, ListsOfferTheirItemsInOrder) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : {SlotField::depthString, SlotField::side, SlotField::position})
            EXPECT_EQ(comboItems(box(slot, field)), expectedItems(field))
                << SlotTable[slot].label << " field " << static_cast<int>(field);
}

TEST_F(StartUp, SlotToolsOfferTheLabelsAndStartOnTheFirstSlot) {
    std::vector<std::string> labels;
    for (const SlotDefinition& row : SlotTable)
        labels.emplace_back(row.label);
    for (int id : {IDC_SWAP_FIRST, IDC_SWAP_SECOND, IDC_ERASE_SLOT}) {
        EXPECT_EQ(comboItems(slotTool(id)), labels) << id;
        EXPECT_EQ(windowText(slotTool(id)), "QB") << id;
    }
}

TEST_F(StartUp, MenuItemsCarryTheirStates) {
    for (int id = IDM_NEW; id <= IDM_TOTAL_POINTS; ++id)
        EXPECT_EQ(editor.menuState(id) & (MF_GRAYED | MF_DISABLED), 0u) << "command " << id;
    EXPECT_NE(editor.menuState(IDM_SAVE) & MF_GRAYED, 0u);
}

using SystemDialogs = EditorTest;

// Open, Save As and a colour dialog each open and cancel with the editor still running.
TEST_F(SystemDialogs, OpenAndCancelWithTheEditorRunning) {
    for (int command : {IDM_OPEN, IDM_SAVE_AS, IDM_HELMET}) {
        const HWND dialog = openCommandDialog(editor, command);
        ASSERT_NE(dialog, nullptr) << "command " << command
                                   << (editor.running() ? "" : ": the editor has ended");
        cancelDialog(dialog);
        ASSERT_TRUE(waitForDialogGone(dialog)) << "command " << command;
        EXPECT_TRUE(editor.running()) << "command " << command;
    }
}

using TabStrip = EditorTest;

TEST_F(TabStrip, EachClickShowsExactlyItsPage) {
    const PageIndex order[] = {1, 2, 3, 4, 0, 4, 2, 2, 0, 3};
    for (PageIndex page : order) {
        editor.clickTab(page);
        EXPECT_TRUE(waitUntil([&] { return editor.visiblePage() == page; }))
            << "after a click on tab " << page;
        EXPECT_EQ(editor.selectedTab(), page);
    }
}

TEST_F(TabStrip, HiddenPagesKeepTheirContents) {
    editor.clickTab(kDefensiveReserves);
    typeText(box(slotAt(kDefensiveReserves, 2), SlotField::playerName), "Kept While Hidden");
    editor.clickTab(kSlotToolsPage);
    editor.clickTab(kOffensiveStarters);
    editor.clickTab(kDefensiveReserves);
    EXPECT_EQ(text(slotAt(kDefensiveReserves, 2), SlotField::playerName), "Kept While Hidden");
}

TEST_F(TabStrip, KeepsItsPlaceAndSizeWhenTheWindowIsResized) {
    auto screenRect = [](HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return std::vector<LONG>{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    };
    RECT client{};
    GetClientRect(editor.mainWindow(), &client);
    RECT tabs{};
    GetClientRect(editor.tabStrip(), &tabs);
    EXPECT_EQ(tabs.right, client.right);
    EXPECT_EQ(tabs.bottom, 323);
    const auto tabsBefore = screenRect(editor.tabStrip());
    const auto pageBefore = screenRect(editor.pages()[kOffensiveStarters]);

    ShowWindow(editor.mainWindow(), SW_MAXIMIZE);
    ASSERT_TRUE(settle(editor.mainWindow()));
    RECT maximised{};
    GetClientRect(editor.mainWindow(), &maximised);
    EXPECT_GT(maximised.right, client.right) << "the window did not grow";
    EXPECT_EQ(screenRect(editor.tabStrip())[2], tabsBefore[2]);
    EXPECT_EQ(screenRect(editor.tabStrip())[3], tabsBefore[3]);
    EXPECT_EQ(screenRect(editor.pages()[kOffensiveStarters])[2], pageBefore[2]);
    EXPECT_EQ(screenRect(editor.pages()[kOffensiveStarters])[3], pageBefore[3]);
    EXPECT_EQ(editor.visiblePage(), kOffensiveStarters);
}

using AboutBox = EditorTest;

TEST_F(AboutBox, IsModalAndEscapeLeavesItOpen) {
    editor.command(IDM_ABOUT);
    HWND about = waitForDialog(editor.processId(), editor.mainWindow());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(windowText(about), "About Squadwright");
    EXPECT_EQ(windowText(GetDlgItem(about, IDC_ABOUT_NAME)), "Squadwright Application");
    EXPECT_EQ(windowText(GetDlgItem(about, IDC_ABOUT_PURPOSE)),
              "Written as an all-purpose team editor for Vantor");
    EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";
    EXPECT_FALSE(IsWindowEnabled(editor.mainWindow()));
    EXPECT_EQ(editor.focus(), GetDlgItem(about, IDOK));

    pressKey(editor.focus(), VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_FALSE(IsWindowEnabled(editor.mainWindow()));

    clickDialogButton(about, IDOK);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(editor.mainWindow()) != FALSE; }));
    EXPECT_EQ(editor.visiblePage(), kOffensiveStarters);
}

TEST_F(AboutBox, EnterClosesIt) {
    editor.clickTab(kDefensiveStarters);
    editor.command(IDM_ABOUT);
    HWND about = waitForDialog(editor.processId(), editor.mainWindow());
    ASSERT_NE(about, nullptr);
    pressKey(editor.focus(), VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));
    EXPECT_EQ(editor.visiblePage(), kDefensiveStarters);
    EXPECT_TRUE(editor.running());
}

// Each way to end the program ends it at once with exit code 0 while nothing is unsaved.
class Ending : public EditorTest, public ::testing::WithParamInterface<int> {};

enum { endByExitCommand, endByClose, endByAltF4 };

TEST_P(Ending, EndsWithExitCodeZero) {
    focusWindow(box(0, SlotField::playerName));
    switch (GetParam()) {
    case endByExitCommand: editor.command(IDM_EXIT); break;
    case endByClose: PostMessageA(editor.mainWindow(), WM_CLOSE, 0, 0); break;
    case endByAltF4: pressAltKey(editor.focus(), VK_F4); break;
    }
    EXPECT_EQ(editor.waitForExit(), 0u);
}

std::string endingName(const ::testing::TestParamInfo<int>& info) {
    const char* const names[] = {"ExitCommand", "CloseMessage", "AltF4"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Ways, Ending, ::testing::Values(endByExitCommand, endByClose, endByAltF4),
                         endingName);

using UnknownCommands = EditorTest;

TEST_F(UnknownCommands, AreIgnored) {
    typeText(box(0, SlotField::playerName), "Edited");
    typeText(box(0, SlotField::strength), "77");
    editor.clickTab(kOffensiveReserves);
    const TeamTexts before = teamTexts();
    // 0x20001 and 0x2000A are New and About with a notification code in the high word (1 there marks
    // a keyboard shortcut's command).
    for (int id : {0, 17, 100, 0xFFFF, 0x20001, 0x2000A}) {
        editor.command(id);
        ASSERT_TRUE(settle(editor.mainWindow())) << "the editor ended on command " << id;
        EXPECT_EQ(findDialog(editor.processId(), editor.mainWindow()), nullptr) << id;
        EXPECT_EQ(slotTexts(0), before[0]) << id;
        EXPECT_EQ(editor.visiblePage(), kOffensiveReserves) << id;
        EXPECT_FALSE(editor.saveEnabled()) << id;
    }
    EXPECT_EQ(teamTexts(), before);
}

} // namespace
