// File > Open..., Save and Save As... through the system's own dialogs, and a team opened from outside
// (the command line, files dropped on the window), checked on disk and on the pages; failures are
// shown in a message box and lose nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "roster/page_storage_win.h"
#include "teamfile/decoder.h"
#include "teamfile/writer.h"
#include "tests/support/team_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"
#include "tests/ui/color_dialog.h"
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"
#include "tests/ui/page_differences.h"

namespace {

std::vector<std::uint8_t> newTeamBytes() {
    return encoded(TeamInMemory().doc);
}

::testing::AssertionResult saveAs(EditorProcess& editor, const std::string& typed) {
    return runFileDialog(editor, IDM_SAVE_AS, typed, true);
}

::testing::AssertionResult openFile(EditorProcess& editor, const std::string& path) {
    return runFileDialog(editor, IDM_OPEN, path, true);
}

// A varied team written to path by the core, and the document it came from.
struct WrittenTeam : TeamInMemory {
    explicit WrittenTeam(const std::string& path) {
        makeVariedTeam(doc);
        result = writeTeamFile(doc, path);
    }
    FileResult result;
};

// File > Save, waited for until the editor has handled it.
void saveCommand(EditorProcess& editor) {
    editor.command(IDM_SAVE);
    settle(editor.mainWindow());
}

// The message box that reports a failed file operation: owned by the main window, captioned
// "Squadwright", with the error icon and a text that names the file. Closes it.
::testing::AssertionResult failureShown(EditorProcess& editor, const std::string& path) {
    HWND box = waitForOwnedDialog(editor, editor.mainWindow());
    if (box == nullptr)
        return ::testing::AssertionFailure() << "the failure is not shown";
    const ShownMessage shown = readMessage(box);
    const bool errorIcon = showsErrorIcon(box);
    if (!closeMessage(box))
        return ::testing::AssertionFailure() << "the message box stays open";
    settle(editor.mainWindow());
    if (shown.caption != "Squadwright")
        return ::testing::AssertionFailure() << "caption \"" << shown.caption << "\"";
    if (shown.text.find(path) == std::string::npos)
        return ::testing::AssertionFailure() << "the text does not name the file: " << shown.text;
    if (!errorIcon)
        return ::testing::AssertionFailure() << "no error icon";
    return ::testing::AssertionSuccess();
}

// Another program holding a file open for writing, sharing it with nobody.
class ExclusiveWriter {
  public:
    explicit ExclusiveWriter(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {}
    ~ExclusiveWriter() { close(); }
    ExclusiveWriter(const ExclusiveWriter&) = delete;
    ExclusiveWriter& operator=(const ExclusiveWriter&) = delete;
    bool holds() const { return file_ != INVALID_HANDLE_VALUE; }
    void close() {
        if (holds())
            CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE file_;
};

void putColor(std::vector<std::uint8_t>& bytes, std::size_t offset, int red, int green, int blue) {
    for (int component : {red, green, blue}) {
        const std::uint16_t stored = layout::encodeColorComponent(component);
        bytes[offset++] = static_cast<std::uint8_t>(stored >> 8);
        bytes[offset++] = static_cast<std::uint8_t>(stored & 0xFF);
    }
}

using FileCommands = EditorTest;

} // namespace

TEST_F(FileCommands, SavingWithoutACurrentFileWritesTheNewTeamUnderTheTypedName) {
    struct Case {
        int command;
        const char* typed;
        const char* written;
    };
    const Case cases[] = {
        {IDM_SAVE_AS, "team", "team.fbt"},
        {IDM_SAVE_AS, "named.fbt", "named.fbt"},
        {IDM_SAVE, "viasave", "viasave.fbt"}, // Save without a current file asks like Save As
    };
    std::vector<std::string> written;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        editor.command(IDM_NEW);
        ASSERT_TRUE(settle(editor.mainWindow()));
        ASSERT_FALSE(editor.saveEnabled());
        ASSERT_TRUE(runFileDialog(editor, c.command, folder.file(c.typed), true));
        EXPECT_EQ(readFileBytes(folder.file(c.written)), newTeamBytes());
        EXPECT_EQ(readFileBytes(folder.file(c.written)).size(), layout::kTeamFileSize);
        written.push_back(c.written);
        std::sort(written.begin(), written.end());
        EXPECT_EQ(folder.entries(), written);
        EXPECT_TRUE(editor.saveEnabled());
    }
}

TEST_F(FileCommands, SaveAfterSaveAsRewritesTheSameFileWithoutADialog) {
    ASSERT_TRUE(saveAs(editor, folder.file("team")));
    ASSERT_EQ(readFileBytes(folder.file("team.fbt")), newTeamBytes());

    TeamInMemory expected;
    editFirstName(editor, expected.doc, "Saved Again");
    saveCommand(editor);
    EXPECT_EQ(readFileBytes(folder.file("team.fbt")), encoded(expected.doc));
    EXPECT_TRUE(noDialogOpen(editor));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"team.fbt"});
    EXPECT_TRUE(editor.saveEnabled());
}

TEST_F(FileCommands, AnExistingFileIsReplacedOnlyWhenTheOverwriteQuestionIsConfirmed) {
    const std::vector<std::uint8_t> oldBytes = {1, 2, 3, 4, 5};
    const std::string path = folder.file("old.fbt");
    ASSERT_TRUE(writeFileBytes(path, oldBytes));
    for (bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "Yes" : "No");
        HWND dialog = openCommandDialog(editor, IDM_SAVE_AS);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(enterFileName(dialog, path));
        confirmDialog(dialog);
        HWND question = waitForOwnedDialog(editor, dialog);
        ASSERT_NE(question, nullptr) << "no overwrite question";
        EXPECT_EQ(readFileBytes(path), oldBytes) << "written before the answer";
        answerQuestion(question, replace);
        ASSERT_TRUE(waitForDialogGone(question));
        if (!replace) {
            EXPECT_TRUE(IsWindowVisible(dialog)) << "No returns to the Save As dialog";
            cancelDialog(dialog);
        }
        ASSERT_TRUE(waitForDialogGone(dialog));
        settle(editor.mainWindow());

        if (replace)
            EXPECT_EQ(readFileBytes(path), newTeamBytes());
        else
            EXPECT_EQ(readFileBytes(path), oldBytes);
        EXPECT_EQ(editor.saveEnabled(), replace);
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"old.fbt"});
    }
}

TEST_F(FileCommands, OpenShowsTheFileOnThePagesAndSaveWritesBackToIt) {
    const std::string path = folder.file("varied.fbt");
    WrittenTeam written(path);
    ASSERT_TRUE(written.result.ok) << written.result.reason;

    ASSERT_TRUE(openFile(editor, path));
    EXPECT_EQ(pageDifferences(editor, written.doc), std::vector<std::string>{});
    EXPECT_TRUE(editor.saveEnabled());
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        EXPECT_EQ(offeredColor(editor, IDM_JERSEY + entry), rgbOf(written.doc.colors[entry]))
            << kTeamColorNames[entry];

    editFirstName(editor, written.doc, "Back To The File");
    saveCommand(editor);
    EXPECT_EQ(readFileBytes(path), encoded(written.doc));
    EXPECT_TRUE(noDialogOpen(editor));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"varied.fbt"});
}

TEST_F(FileCommands, OpenOfOddBytesShowsWhatTheDecodingTablesSay) {
    // Fields that hold typed text before the open, so that "unchanged" can be seen.
    struct Typed {
        SlotIndex slot;
        SlotField field;
        const char* text;
    };
    const Typed typed[] = {
        {11, SlotField::depthString, "3rd"},
        {22, SlotField::side, "MID"},
        {1, SlotField::position, "ZZ"},
        {8, SlotField::position, "YY"},
    };
    struct Odd {
        SlotIndex slot;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        SlotField field;
        const char* shown;
    };
    const Odd odd[] = {
        {11, layout::kDepthStringOffset, {0x00}, SlotField::depthString, "3rd"},
        {22, layout::kSideOffset, {0x02}, SlotField::side, "MID"},
        {1, layout::kPosGroupOffset, {0x06, 0x00, 0x05}, SlotField::position, "ZZ"},
        {8, layout::kPosGroupOffset, {0x08, 0x00, 0x00}, SlotField::position, "QB"},
        {2, layout::kNumberOffset, {0x65}, SlotField::number, "0"},
        {9, layout::kNumberOffset, {0x64}, SlotField::number, "99"},
        {3, layout::kIconOffset, {0x00}, SlotField::icon, "1"},
        {4, layout::kIconOffset, {0x0F}, SlotField::icon, "14"},
        {5, layout::kIconOffset, {0xC8}, SlotField::icon, "1"},
        {6, layout::kSpeedStepOffset, {0x07}, SlotField::speed, "0"},
        {10, layout::kStrengthOffset, {0x65}, SlotField::strength, "0"},
        {7, layout::kNameLengthOffset, {5, 0x41, 0x42, 0x00, 0x43, 0x44}, SlotField::playerName, "AB"},
    };
    std::vector<std::uint8_t> bytes = newTeamBytes();
    for (const Odd& o : odd)
        std::copy(o.bytes.begin(), o.bytes.end(), bytes.begin() + layout::slotByteOffset(o.slot, o.offset));
    // An older version: helmet and home pants take the jersey colour, the away pants 0xFEFEFE.
    bytes[layout::kVersionOffset] = '1';
    putColor(bytes, layout::kJerseyOffset, 10, 20, 30);
    putColor(bytes, layout::kStripeOffset, 40, 50, 60);
    for (std::size_t offset : {layout::kHelmetOffset, layout::kHomePantsOffset, layout::kAwayPantsOffset})
        putColor(bytes, offset, 255, 255, 255);

    const std::string path = folder.file("odd.fbt");
    ASSERT_TRUE(writeFileBytes(path, bytes));
    TeamInMemory expected;
    for (const Typed& t : typed) {
        typeText(editor.control(t.slot, fieldControlOffset(t.field)), t.text);
        setFieldText(expected.doc, t.slot, t.field, t.text);
    }

    ASSERT_TRUE(runFileDialog(editor, IDM_OPEN, path, true, true));
    PageFieldStorage pages(editor.pages());
    for (const Odd& o : odd)
        EXPECT_EQ(pages.text(o.slot, o.field), o.shown) << SlotTable[o.slot].label;
    decodeTeam(expected.doc, bytes);
    EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
    const Rgb jersey = {10, 20, 30};
    const Rgb expectedColors[kTeamColorCount] = {jersey, jersey, {40, 50, 60}, jersey, {254, 254, 254}};
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        EXPECT_EQ(offeredColor(editor, IDM_JERSEY + entry), expectedColors[entry]) << kTeamColorNames[entry];
}

TEST_F(FileCommands, CancelledDialogsChangeNothing) {
    WrittenTeam other(folder.file("other.fbt"));
    ASSERT_TRUE(other.result.ok) << other.result.reason;
    TeamInMemory expected;
    editFirstName(editor, expected.doc, "Not Saved Yet");
    for (bool withCurrentFile : {false, true}) {
        if (withCurrentFile) {
            ASSERT_TRUE(saveAs(editor, folder.file("current.fbt")));
            ASSERT_EQ(readFileBytes(folder.file("current.fbt")), encoded(expected.doc));
            editFirstName(editor, expected.doc, "Not Saved Either");
        }
        for (int command : {IDM_OPEN, IDM_SAVE_AS}) {
            SCOPED_TRACE(std::to_string(command) + (withCurrentFile ? " with a current file" : " without"));
            const std::vector<std::string> before = folder.entries();
            ASSERT_TRUE(runFileDialog(editor, command, folder.file("other.fbt"), false, command == IDM_OPEN));
            EXPECT_EQ(editor.saveEnabled(), withCurrentFile);
            EXPECT_EQ(folder.entries(), before);
            EXPECT_EQ(readFileBytes(folder.file("other.fbt")), encoded(other.doc));
            EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
        }
    }
    saveCommand(editor);
    EXPECT_EQ(readFileBytes(folder.file("current.fbt")), encoded(expected.doc))
        << "Save no longer writes the current file";
}

TEST_F(FileCommands, NewAfterOpenForgetsTheFile) {
    const std::string path = folder.file("opened.fbt");
    WrittenTeam written(path);
    ASSERT_TRUE(written.result.ok) << written.result.reason;
    ASSERT_TRUE(openFile(editor, path));
    ASSERT_TRUE(editor.saveEnabled());

    editor.command(IDM_NEW);
    EXPECT_TRUE(waitUntil([&] { return !editor.saveEnabled(); }));
    EXPECT_EQ(pageDifferences(editor, TeamInMemory().doc), std::vector<std::string>{});
    // With no current file Save asks for a name instead of writing over the opened file.
    ASSERT_TRUE(runFileDialog(editor, IDM_SAVE, folder.file("not-this"), false));
    EXPECT_EQ(readFileBytes(path), encoded(written.doc));
    EXPECT_FALSE(editor.saveEnabled());
}

TEST_F(FileCommands, SaveAsIntoAReadOnlyFileShowsTheReasonAndKeepsEverything) {
    const std::string path = folder.file("readonly.fbt");
    const std::vector<std::uint8_t> oldBytes = {9, 8, 7, 6};
    ASSERT_TRUE(writeFileBytes(path, oldBytes));
    ASSERT_TRUE(setReadOnly(path, true));
    TeamInMemory expected;
    editFirstName(editor, expected.doc, "Edited Before Saving");

    HWND dialog = openCommandDialog(editor, IDM_SAVE_AS);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(enterFileName(dialog, path));
    confirmDialog(dialog);
    HWND question = waitForOwnedDialog(editor, dialog);
    ASSERT_NE(question, nullptr) << "no overwrite question";
    answerQuestion(question, true);
    ASSERT_TRUE(waitForDialogGone(dialog));

    EXPECT_TRUE(failureShown(editor, path));

    EXPECT_EQ(readFileBytes(path), oldBytes);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"readonly.fbt"});
    EXPECT_FALSE(editor.saveEnabled());
    EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
}

TEST_F(FileCommands, OpenOfAFileHeldByAWriterShowsTheReasonAndKeepsEverything) {
    const std::string held = folder.file("held.fbt");
    WrittenTeam written(held);
    ASSERT_TRUE(written.result.ok) << written.result.reason;
    ASSERT_TRUE(saveAs(editor, folder.file("current.fbt")));
    ASSERT_EQ(readFileBytes(folder.file("current.fbt")), newTeamBytes());
    TeamInMemory expected;
    editFirstName(editor, expected.doc, "Kept On The Page");

    ExclusiveWriter writer(held);
    ASSERT_TRUE(writer.holds());
    HWND dialog = openCommandDialog(editor, IDM_OPEN, true);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(enterFileName(dialog, held));
    confirmDialog(dialog);
    ASSERT_TRUE(waitForDialogGone(dialog));
    EXPECT_TRUE(failureShown(editor, held));
    writer.close();

    EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
    EXPECT_TRUE(editor.saveEnabled());
    saveCommand(editor);
    EXPECT_EQ(readFileBytes(folder.file("current.fbt")), encoded(expected.doc))
        << "Save no longer writes the current file";
    EXPECT_EQ(readFileBytes(held), encoded(written.doc));
}

// A team file named on the command line (Explorer's double-click, "Open with") or dropped on the
// window opens as File > Open would: the same reader, the same current file, the same failure box.
namespace {

enum class Content { team, firstBytes, missing, folder, held };

struct CommandLineCase {
    const char* what;
    const char* name; // in the scratch folder
    Content content;
    // The rest of the command line, from the file's full path and its bare name.
    std::string (*arguments)(const std::string& path, const std::string& name);
    bool startInFolder; // the scratch folder is the editor's working folder
};

std::string quoted(const std::string& path, const std::string&) {
    return "\"" + path + "\"";
}
std::string bare(const std::string& path, const std::string&) {
    return path;
}
std::string nameOnly(const std::string&, const std::string& name) {
    return name;
}
std::string withASecond(const std::string& path, const std::string&) {
    return "\"" + path + "\" other.fbt";
}

constexpr std::size_t kShortFileSize = 1000; // ends inside the seventeenth player record

// Puts the case's file in place and returns the team the pages should then show, or nullopt when the
// open must fail.
std::optional<std::vector<std::uint8_t>> prepareFile(Content content, const std::string& path) {
    TeamInMemory varied;
    makeVariedTeam(varied.doc);
    std::vector<std::uint8_t> bytes = encoded(varied.doc);
    switch (content) {
    case Content::team: break;
    case Content::firstBytes: bytes.resize(kShortFileSize); break;
    case Content::folder: CreateDirectoryA(path.c_str(), nullptr); return std::nullopt;
    case Content::missing: return std::nullopt;
    case Content::held: writeFileBytes(path, bytes); return std::nullopt;
    }
    writeFileBytes(path, bytes);
    return bytes;
}

using Drops = EditorTest;

} // namespace

TEST(OpenFromOutside, TheFileOnTheCommandLineOpensAsFileOpenWould) {
    const CommandLineCase cases[] = {
        {"a team, quoted", "team.fbt", Content::team, quoted, false},
        {"a name with blanks", "my team file.fbt", Content::team, quoted, false},
        {"a path without quotes", "plain.fbt", Content::team, bare, false},
        {"a relative path", "relative.fbt", Content::team, nameOnly, true},
        {"the first of two arguments", "first.fbt", Content::team, withASecond, false},
        {"a short file", "short.fbt", Content::firstBytes, quoted, false},
        {"a missing file", "missing.fbt", Content::missing, quoted, false},
        {"a missing file, relative", "gone.fbt", Content::missing, nameOnly, true},
        {"a folder", "folder.fbt", Content::folder, quoted, false},
        {"a file held by a writer", "held.fbt", Content::held, quoted, false},
    };
    {
        SCOPED_TRACE("an empty argument: no file, no message");
        EditorProcess editor({"\"\"", ""});
        ASSERT_TRUE(editor.started());
        EXPECT_TRUE(noDialogOpen(editor));
        EXPECT_FALSE(editor.saveEnabled());
    }
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string path = folder.file(c.name);
        const auto bytes = prepareFile(c.content, path);
        std::optional<ExclusiveWriter> writer;
        if (c.content == Content::held)
            writer.emplace(path);
        EditorProcess editor({c.arguments(path, c.name), c.startInFolder ? folder.path() : ""});
        ASSERT_TRUE(editor.started());
        ASSERT_TRUE(IsWindowVisible(editor.mainWindow()));
        TeamInMemory expected;
        if (!bytes) {
            EXPECT_TRUE(failureShown(editor, path));
            EXPECT_FALSE(editor.saveEnabled());
            EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
            RemoveDirectoryA(path.c_str()); // the folder case's; the scratch folder removes only files
            continue;
        }
        ASSERT_TRUE(settle(editor.mainWindow()));
        EXPECT_TRUE(noDialogOpen(editor));
        decodeTeam(expected.doc, *bytes);
        EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
        EXPECT_TRUE(editor.saveEnabled());
        // Save writes back to the file by its full path; a short file only once the user agrees.
        editFirstName(editor, expected.doc, "Saved From The Start");
        saveCommand(editor);
        if (c.content == Content::firstBytes) {
            ASSERT_TRUE(answerBox(editor, "short.fbt was not a team file", IDYES));
        }
        EXPECT_EQ(readFileBytes(path), encoded(expected.doc));
    }
}

TEST_F(Drops, OnAnyPageOpenTheFirstFileAndAFolderIsRefused) {
    const std::string files[2] = {folder.file("first.fbt"), folder.file("second.fbt")};
    TeamInMemory teams[2];
    for (int i = 0; i < 2; ++i) {
        makeVariedTeam(teams[i].doc);
        for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
            setFieldText(teams[i].doc, slot, SlotField::playerName,
                         "Team " + std::to_string(i + 1) + " Player " + std::to_string(slot));
        ASSERT_TRUE(writeTeamFile(teams[i].doc, files[i]).ok);
    }
    EXPECT_NE(GetWindowLongA(editor.mainWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0)
        << "the window takes no files from the shell";

    // A folder: a message that names it, and nothing changes.
    TeamInMemory expected;
    editFirstName(editor, expected.doc, "Before The Drops");
    editor.clickTab(kDefensiveReserves);
    ASSERT_TRUE(editor.dropFiles({folder.path()}));
    ASSERT_TRUE(answerUnsavedChanges(editor, "the new team", IDNO));
    EXPECT_TRUE(failureShown(editor, folder.path()));
    EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
    EXPECT_FALSE(editor.saveEnabled());

    struct Drop {
        const char* what;
        std::vector<std::string> files;
        PageIndex page;
        int opened;        // index into teams
        bool droppedEdits; // the edit made before is still unsaved
    };
    const Drop drops[] = {
        {"one file on the Slot Tools page", {files[1]}, kSlotToolsPage, 1, true},
        {"two files: the first opens", {files[0], files[1]}, kOffensiveReserves, 0, false},
    };
    for (const Drop& d : drops) {
        SCOPED_TRACE(d.what);
        editor.clickTab(d.page);
        ASSERT_TRUE(editor.dropFiles(d.files));
        if (d.droppedEdits) {
            ASSERT_TRUE(answerUnsavedChanges(editor, "the new team", IDNO));
        }
        ASSERT_TRUE(settle(editor.mainWindow()));
        EXPECT_TRUE(noDialogOpen(editor));
        EXPECT_EQ(pageDifferences(editor, teams[d.opened].doc), std::vector<std::string>{});
        EXPECT_TRUE(editor.saveEnabled());
        EXPECT_EQ(editor.visiblePage(), d.page);
    }
    // The last drop made the first file the current one.
    editFirstName(editor, teams[0].doc, "Saved After The Drop");
    saveCommand(editor);
    EXPECT_EQ(readFileBytes(files[0]), encoded(teams[0].doc));
    EXPECT_EQ(readFileBytes(files[1]), encoded(teams[1].doc));
}

// A name of characters from several code pages (Polish, Greek, Cyrillic): whichever way it comes in,
// the editor opens that file, saves back to it and names it whole in a failure message.
TEST(FileNames, ANameOutsideTheCodePageOpensSavesAndIsNamedWhole) {
    enum class Way { commandLine, drop, openDialog };
    const std::pair<Way, const char*> ways[] = {{Way::commandLine, "from the command line"},
                                                {Way::drop, "dropped"},
                                                {Way::openDialog, "by File > Open"}};
    for (const auto& [way, what] : ways) {
        SCOPED_TRACE(what);
        TempFolder folder;
        const std::string path = folder.file("Łódź Ωμέγα Жук.fbt");
        TeamInMemory expected;
        makeVariedTeam(expected.doc);
        ASSERT_TRUE(writeFileBytes(path, encoded(expected.doc)));
        EditorProcess editor(way == Way::commandLine ? StartOptions{"\"" + path + "\"", ""} : StartOptions{});
        ASSERT_TRUE(editor.started());
        if (way == Way::drop) {
            ASSERT_TRUE(editor.dropFiles({path}));
        } else if (way == Way::openDialog) {
            ASSERT_TRUE(openFile(editor, path));
        }
        ASSERT_TRUE(settle(editor.mainWindow()));
        EXPECT_TRUE(noDialogOpen(editor));
        EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
        editFirstName(editor, expected.doc, "Saved Back");
        saveCommand(editor);
        EXPECT_EQ(readFileBytes(path), encoded(expected.doc));
        EXPECT_EQ(folder.entries().size(), 1u);
    }

    TempFolder folder;
    EditorProcess editor;
    ASSERT_TRUE(editor.started());
    TeamInMemory expected;
    editFirstName(editor, expected.doc, "Saved As");
    ASSERT_TRUE(saveAs(editor, folder.file("Ελλάδα Россия")));
    const std::string savedAs = folder.file("Ελλάδα Россия.fbt");
    EXPECT_EQ(readFileBytes(savedAs), encoded(expected.doc));
    editFirstName(editor, expected.doc, "Saved Again");
    saveCommand(editor);
    EXPECT_EQ(readFileBytes(savedAs), encoded(expected.doc));

    const std::string missing = folder.file("Łódź nie ma.fbt");
    ASSERT_TRUE(editor.dropFiles({missing}));
    EXPECT_TRUE(failureShown(editor, missing));
}
