// The editor from the keyboard: where the focus stands, the shortcuts typed as a person types them,
// and Edit > Undo and Redo of each kind of edit.
#include <functional>

#include "teamfile/writer.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"
#include "tests/ui/color_dialog.h"
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"

namespace {

using Keyboard = EditorTest;

const std::vector<WORD> kUndo = {VK_CONTROL, 'Z'};

// The focus is on the box, or on the edit inside it for a list.
::testing::AssertionResult focusIn(const EditorProcess& editor, HWND box) {
    if (waitUntil([&] { return editor.focus() == box || GetParent(editor.focus()) == box; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the focus is on control " << GetDlgCtrlID(editor.focus()) << ", not " << GetDlgCtrlID(box);
}

bool grayed(const EditorProcess& editor, int command) {
    return (editor.menuState(command) & MF_GRAYED) != 0;
}

// The dialog the keys open, owned by the main window.
HWND dialogOfKeys(EditorProcess& editor, const std::vector<WORD>& keys) {
    typeKeys(editor.mainWindow(), keys);
    return waitForDialog(editor.processId(), editor.mainWindow());
}

TEST_F(Keyboard, TheFocusStartsInTheFirstBoxAndComesBackAfterADialog) {
    EXPECT_TRUE(focusIn(editor, box(0, SlotField::depthString)));
    const HWND name = box(3, SlotField::playerName);
    focusWindow(name);
    const HWND about = dialogOfKeys(editor, {VK_F1});
    ASSERT_NE(about, nullptr) << "F1 shows the About box";
    pressKey(editor.focus(), VK_RETURN);
    ASSERT_TRUE(waitForDialogGone(about));
    EXPECT_TRUE(focusIn(editor, name));
}

TEST_F(Keyboard, EachShortcutRunsItsCommand) {
    TempFolder folder;
    const std::string path = folder.file("team.fbt");
    TeamInMemory varied;
    makeVariedTeam(varied.doc);
    ASSERT_TRUE(writeTeamFile(varied.doc, path).ok);

    // Save is grayed, so Ctrl+S does nothing; the page keys after it are handled only after it.
    typeKeys(editor.mainWindow(), {VK_CONTROL, 'S'});
    struct Move {
        std::vector<WORD> keys;
        PageIndex page;
        HWND firstBox;
    };
    const Move moves[] = {
        {{VK_CONTROL, VK_TAB}, 1, box(slotAt(1, 0), SlotField::depthString)},
        {{VK_CONTROL, VK_SHIFT, VK_TAB}, 0, box(0, SlotField::depthString)},
        {{VK_CONTROL, VK_SHIFT, VK_TAB}, kSlotToolsPage, slotTool(IDC_SWAP_FIRST)},
        {{VK_CONTROL, VK_TAB}, 0, box(0, SlotField::depthString)},
        {{VK_CONTROL, VK_NEXT}, 1, box(slotAt(1, 0), SlotField::depthString)},
        {{VK_CONTROL, VK_PRIOR}, 0, box(0, SlotField::depthString)},
    };
    for (const Move& move : moves) {
        typeKeys(editor.mainWindow(), move.keys);
        EXPECT_TRUE(waitUntil([&] { return editor.visiblePage() == move.page; })) << "to page " << move.page;
        EXPECT_EQ(editor.selectedTab(), move.page);
        EXPECT_TRUE(focusIn(editor, move.firstBox)) << "on page " << move.page;
    }
    EXPECT_EQ(findDialog(editor.processId(), editor.mainWindow()), nullptr) << "Ctrl+S while Save is grayed";

    const HWND open = dialogOfKeys(editor, {VK_CONTROL, 'O'});
    ASSERT_NE(open, nullptr) << "Ctrl+O";
    ASSERT_TRUE(enterFileName(open, path));
    confirmDialog(open);
    ASSERT_TRUE(waitForDialogGone(open));
    EXPECT_TRUE(waitUntil([&] { return text(0, SlotField::playerName) == "Varied Player 0"; }));

    typeText(box(0, SlotField::playerName), "Saved by Ctrl+S");
    typeKeys(editor.mainWindow(), {VK_CONTROL, 'S'});
    EXPECT_TRUE(waitUntil([&] {
        const std::vector<std::uint8_t> saved = readFileBytes(path);
        return std::string(saved.begin(), saved.end()).find("Saved by Ctrl+S") != std::string::npos;
    }));

    const HWND saveAs = dialogOfKeys(editor, {VK_CONTROL, VK_SHIFT, 'S'});
    ASSERT_NE(saveAs, nullptr) << "Ctrl+Shift+S";
    cancelDialog(saveAs);
    ASSERT_TRUE(waitForDialogGone(saveAs));

    typeKeys(editor.mainWindow(), {VK_CONTROL, 'N'});
    EXPECT_TRUE(waitUntil([&] { return !editor.saveEnabled(); })) << "Ctrl+N";
    EXPECT_EQ(text(0, SlotField::playerName), "<QB name>");

    // Undo of New brings the team back, not the file.
    typeKeys(editor.mainWindow(), kUndo);
    EXPECT_TRUE(waitUntil([&] { return text(0, SlotField::playerName) == "Saved by Ctrl+S"; }));
    EXPECT_FALSE(editor.saveEnabled());
}

// What Undo and Redo put back: every box of the team and, for a colour, the colour the dialog offers.
struct Shown {
    TeamTexts team;
    Rgb stripe{-1, -1, -1};
    bool operator==(const Shown&) const = default;
};

TEST_F(Keyboard, UndoAndRedoTakeBackAndRepeatEachKindOfEdit) {
    EXPECT_TRUE(grayed(editor, IDM_UNDO));
    EXPECT_TRUE(grayed(editor, IDM_REDO));
    struct Case {
        const char* edit;
        std::function<void()> make;
        bool colour = false;
        std::vector<WORD> redo = {VK_CONTROL, 'Y'};
        bool stepAtOnce = true; // typing becomes a step when the box loses the focus, or by Undo
    };
    const Case cases[] = {
        {"a name typed, undone while its box has the focus",
         [&] { typeText(box(5, SlotField::playerName), "Typed Name"); },
         false,
         {VK_CONTROL, 'Y'},
         false},
        {"a spinner step", [&] { pressKey(box(7, SlotField::speed), VK_UP); }},
        {"a list choice",
         [&] { pressKey(FindWindowExA(box(8, SlotField::position), nullptr, "Edit", nullptr), VK_DOWN); }},
        {"a swap",
         [&] {
             editor.clickTab(kSlotToolsPage);
             typeText(slotTool(IDC_SWAP_FIRST), "QB");
             typeText(slotTool(IDC_SWAP_SECOND), "KK");
             clickButton(slotTool(IDC_SWAP));
         },
         false,
         {VK_CONTROL, VK_SHIFT, 'Z'}},
        {"an erase",
         [&] {
             typeText(slotTool(IDC_ERASE_SLOT), "SS");
             clickButton(slotTool(IDC_ERASE));
         }},
        {"a colour",
         [&] {
             ASSERT_TRUE(runCommandDialog(editor, IDM_STRIPE, true, [](HWND dialog) {
                 return ::testing::AssertionResult(setDialogColor(dialog, {1, 2, 3}));
             }));
         },
         true},
    };
    // Each case but the first starts with Redo available, as the case before ends undone: an edit
    // that is a step of its own at once grays it.
    for (const Case& c : cases) {
        auto shown = [&] {
            return Shown{teamTexts(), c.colour ? offeredColor(editor, IDM_STRIPE) : Rgb{-1, -1, -1}};
        };
        const Shown before = shown();
        c.make();
        const Shown after = shown();
        ASSERT_FALSE(after == before) << c.edit << " changed nothing";
        if (c.stepAtOnce) {
            EXPECT_TRUE(waitUntil([&] { return grayed(editor, IDM_REDO); })) << c.edit << " is no step";
        }

        typeKeys(editor.mainWindow(), kUndo);
        EXPECT_TRUE(waitUntil([&] { return !grayed(editor, IDM_REDO); })) << c.edit;
        EXPECT_TRUE(shown() == before) << c.edit << " is not undone";
        typeKeys(editor.mainWindow(), c.redo);
        EXPECT_TRUE(waitUntil([&] { return grayed(editor, IDM_REDO); })) << c.edit;
        EXPECT_TRUE(shown() == after) << c.edit << " is not redone";
        EXPECT_FALSE(grayed(editor, IDM_UNDO)) << c.edit;
        typeKeys(editor.mainWindow(), kUndo);
        EXPECT_TRUE(waitUntil([&] { return !grayed(editor, IDM_REDO); })) << c.edit;
    }
}

} // namespace
