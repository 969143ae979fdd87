// The editor never loses a user's work: it asks before unsaved edits are dropped, before Save writes
// over a file that held no team or that another program changed, refuses what is not a file at once,
// keeps a saved file's permissions and links, ignores drops while a dialog is open and takes names
// as long as the system allows.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <io.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "teamfile/decoder.h"
#include "teamfile/writer.h"
#include "tests/support/team_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"
#include "tests/ui/dialogs.h"
#include "tests/ui/editor_fixture.h"
#include "tests/ui/page_differences.h"

namespace {

HWND nameBox(const EditorProcess& editor) {
    return editor.control(0, fieldControlOffset(SlotField::playerName));
}

// Windows asking whether the session may end, from a thread of its own since the editor's answer
// may wait for a question; joined by answer().
class EndSession {
  public:
    explicit EndSession(HWND main)
        : thread_([this, main] { allowed_ = SendMessageA(main, WM_QUERYENDSESSION, 0, 0) != FALSE; }) {}
    ~EndSession() { answer(); }
    bool answer() {
        if (thread_.joinable())
            thread_.join();
        return allowed_;
    }

  private:
    std::atomic<bool> allowed_ = false;
    std::thread thread_;
};

// The host's own path of a file, where Wine runs the tests; empty elsewhere.
std::string hostPath(const std::string& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide = pathOfText(path).wstring();
    char* name = unixName ? unixName(wide.c_str()) : nullptr;
    const std::string host = name ? name : "";
    if (name)
        HeapFree(GetProcessHeap(), 0, name);
    return host;
}

// Runs a shell command on the host (Wine starts a host program by its path, but gives no handle to
// wait on, so the command leaves a mark when it is done); true once it has ended with status 0.
bool runOnHost(const std::string& command, bool wait = true) {
    static int count = 0;
    const std::string done =
        std::filesystem::temp_directory_path().string() + "\\host-" + std::to_string(++count);
    std::string line = "/bin/sh -c \"" + command + (wait ? "; echo $? >'" + hostPath(done) + "'" : "") + "\"";
    // Wine closes the standard output it hands to a host program in the caller too: the test's own
    // output goes on through a copy.
    fflush(stdout);
    const int output = _dup(1);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    _dup2(output, 1);
    _close(output);
    SetStdHandle(STD_OUTPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(1)));
    if (!started)
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!wait)
        return true;
    const bool ended = waitUntil([&] { return readFileBytes(done).size() >= 2; }, 10000);
    const std::vector<std::uint8_t> status = readFileBytes(done);
    DeleteFileA(done.c_str());
    return ended && status[0] == '0';
}

// Removes a folder on the host when it goes: the scratch folder's own clean-up does not get past a
// pipe, a symbolic link or a name past the old limit of 260 characters under Wine.
class HostRemoval {
  public:
    explicit HostRemoval(const std::string& hostName) : name_(hostName) {}
    ~HostRemoval() { runOnHost("rm -rf '" + name_ + "'"); }
    HostRemoval(const HostRemoval&) = delete;
    HostRemoval& operator=(const HostRemoval&) = delete;

  private:
    std::string name_;
};

enum class Way { exitCommand, closeBox, altF4, newTeam, open, drop, endSession };
enum class Answer { yes, no, cancel, editPutBack };

struct WayOut {
    Way way;
    const char* what;
    bool ends; // the editor ends when the team may go
};

constexpr WayOut kWaysOut[] = {
    {Way::exitCommand, "File > Exit", true},
    {Way::closeBox, "the close box", true},
    {Way::altF4, "Alt+F4", true},
    {Way::newTeam, "File > New", false},
    {Way::open, "File > Open", false},
    {Way::drop, "a drop", false},
    {Way::endSession, "Windows ending", false},
};

using UnsavedNewTeam = EditorTest;
using Drops = EditorTest;
using LongNames = EditorTest;

} // namespace

// On every way out, unsaved edits bring up the question: Yes saves them to the current file and goes
// on, No goes on without saving, Cancel keeps everything as it was. An edit put back asks nothing.
TEST(UnsavedChanges, AreAskedAboutOnEveryWayOut) {
    const std::pair<Answer, const char*> answers[] = {{Answer::yes, "Yes"},
                                                      {Answer::no, "No"},
                                                      {Answer::cancel, "Cancel"},
                                                      {Answer::editPutBack, "put back"}};
    for (const WayOut& w : kWaysOut) {
        for (const auto& [answer, answerName] : answers) {
            SCOPED_TRACE(std::string(w.what) + ", " + answerName);
            TempFolder folder;
            const std::string path = folder.file("team.fbt");
            TeamInMemory onDisk;
            makeVariedTeam(onDisk.doc);
            ASSERT_TRUE(writeTeamFile(onDisk.doc, path).ok);
            TeamInMemory dropped;
            ASSERT_TRUE(writeTeamFile(dropped.doc, folder.file("dropped.fbt")).ok);
            EditorProcess editor({"\"" + path + "\"", ""});
            ASSERT_TRUE(editor.started());
            TeamInMemory edited;
            makeVariedTeam(edited.doc);
            const std::string name = windowText(nameBox(editor));
            editFirstName(editor, edited.doc, "Unsaved Edit");
            if (answer == Answer::editPutBack)
                editFirstName(editor, edited.doc, name);

            std::optional<EndSession> endSession;
            switch (w.way) {
            case Way::exitCommand: editor.command(IDM_EXIT); break;
            case Way::closeBox: PostMessageA(editor.mainWindow(), WM_CLOSE, 0, 0); break;
            case Way::altF4:
                focusWindow(nameBox(editor));
                pressAltKey(editor.focus(), VK_F4);
                break;
            case Way::newTeam: editor.command(IDM_NEW); break;
            case Way::open: editor.command(IDM_OPEN); break;
            case Way::drop: ASSERT_TRUE(editor.dropFiles({folder.file("dropped.fbt")})); break;
            case Way::endSession: endSession.emplace(editor.mainWindow()); break;
            }
            const int button = answer == Answer::yes ? IDYES : answer == Answer::no ? IDNO : IDCANCEL;
            if (answer != Answer::editPutBack) {
                ASSERT_TRUE(answerUnsavedChanges(editor, "team.fbt", button));
            }
            const bool goesOn = answer != Answer::cancel;
            if (w.ends)
                EXPECT_EQ(editor.waitForExit(goesOn ? 5000 : 500), goesOn ? 0u : STILL_ACTIVE);
            else
                settle(editor.mainWindow());
            EXPECT_EQ(readFileBytes(path), encoded(answer == Answer::yes ? edited.doc : onDisk.doc));

            if (endSession) {
                EXPECT_EQ(endSession->answer(), goesOn);
            } else if (w.way == Way::open) {
                HWND dialog = goesOn ? waitForOwnedDialog(editor, editor.mainWindow()) : nullptr;
                EXPECT_EQ(dialog != nullptr, goesOn) << "the Open dialog";
                if (dialog != nullptr) {
                    EXPECT_NE(GetDlgItem(dialog, cmb13), nullptr) << "not the Open dialog";
                    cancelDialog(dialog);
                    waitForDialogGone(dialog);
                }
            } else if (!w.ends) {
                const TeamInMemory newTeam;
                const TeamDocument& shown = !goesOn              ? edited.doc
                                            : w.way == Way::drop ? dropped.doc
                                                                 : newTeam.doc;
                EXPECT_EQ(pageDifferences(editor, shown), std::vector<std::string>{});
            }
            if (!w.ends || !goesOn) {
                EXPECT_TRUE(noDialogOpen(editor));
            }
        }
    }
}

// Without a current file Yes asks for a name first; cancelling that keeps the editor and the edits.
TEST_F(UnsavedNewTeam, IsSavedUnderANameAskedFor) {
    TeamInMemory edited;
    editFirstName(editor, edited.doc, "Never Saved");
    for (bool named : {false, true}) {
        SCOPED_TRACE(named ? "named" : "cancelled");
        editor.command(IDM_EXIT);
        ASSERT_TRUE(answerUnsavedChanges(editor, "the new team", IDYES));
        HWND saveAs = waitForOwnedDialog(editor, editor.mainWindow());
        ASSERT_NE(saveAs, nullptr) << "no Save As dialog";
        if (named) {
            ASSERT_TRUE(enterFileName(saveAs, folder.file("named")));
            confirmDialog(saveAs);
        } else {
            cancelDialog(saveAs);
        }
        ASSERT_TRUE(waitForDialogGone(saveAs));
        EXPECT_EQ(editor.waitForExit(named ? 5000 : 500), named ? 0u : STILL_ACTIVE);
    }
    EXPECT_EQ(readFileBytes(folder.file("named.fbt")), encoded(edited.doc));
}

namespace {

// Another program's hand on the current file between the open and the save.
enum class Meddling { none, rewritten, replaced };

struct SaveCase {
    const char* what;
    std::vector<std::uint8_t> before; // the file's bytes when it is opened
    Meddling meddling;
    const char* question; // what Save asks first; nullptr: nothing
};

// Another program's save, in place or by a new file put in its place, a few seconds later than
// the file's own time, as a person would make it.
void meddle(const std::string& path, Meddling meddling, const std::vector<std::uint8_t>& bytes) {
    const std::string written = meddling == Meddling::replaced ? path + ".new" : path;
    writeFileBytes(written, bytes);
    namespace fs = std::filesystem;
    fs::last_write_time(pathOfText(written), fs::last_write_time(pathOfText(path)) + std::chrono::seconds(3));
    if (meddling == Meddling::replaced)
        fs::rename(pathOfText(written), pathOfText(path));
}

} // namespace

// Save asks before it writes over a file that held no team when it was opened, or that another
// program changed since: No writes nothing, Yes replaces it; the next Save asks no more.
TEST(SavingOver, AFileThatHeldNoTeamOrWasChangedAsksFirst) {
    const std::vector<std::uint8_t> text = {'s', 'h', 'o', 'p', 'p', 'i', 'n', 'g', '\n'};
    const std::vector<std::uint8_t> team = encoded(TeamInMemory().doc);
    const SaveCase cases[] = {
        {"a text file", text, Meddling::none,
         " was not a team file when it was opened (9 bytes). Replace it with this team?"},
        {"an empty file",
         {},
         Meddling::none,
         " was not a team file when it was opened (0 bytes). Replace it with this team?"},
        {"a team written over by another program", team, Meddling::rewritten,
         " was changed by another program since it was opened. Replace it?"},
        {"a team replaced by another program", team, Meddling::replaced,
         " was changed by another program since it was opened. Replace it?"},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string path = folder.file("notes.txt");
        ASSERT_TRUE(writeFileBytes(path, c.before));
        EditorProcess editor({"\"" + path + "\"", ""});
        ASSERT_TRUE(editor.started());
        ASSERT_TRUE(noDialogOpen(editor)) << "the file opens as before";
        TeamInMemory edited;
        decodeTeam(edited.doc, c.before);
        editFirstName(editor, edited.doc, "Saved Over");
        std::vector<std::uint8_t> onDisk = c.before;
        if (c.meddling != Meddling::none) {
            onDisk = encoded(TeamInMemory().doc);
            onDisk[100] ^= 0xFF;
            meddle(path, c.meddling, onDisk);
        }
        for (int answer : {IDNO, IDYES}) {
            editor.command(IDM_SAVE);
            if (c.question) {
                ASSERT_TRUE(answerBox(editor, std::string("notes.txt") + c.question, answer));
            }
            ASSERT_TRUE(noDialogOpen(editor));
            EXPECT_EQ(readFileBytes(path), c.question && answer == IDNO ? onDisk : encoded(edited.doc));
        }
        editFirstName(editor, edited.doc, "Saved Again");
        editor.command(IDM_SAVE);
        EXPECT_TRUE(noDialogOpen(editor)) << "asked again after a save";
        EXPECT_EQ(readFileBytes(path), encoded(edited.doc));
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"notes.txt"});
    }
}

// A pipe, a device or a folder given by any way in is refused at once with the message of the other
// read failures; nothing in the editor changes. The pipe has a writer that never writes.
TEST(NotAFile, IsRefusedAtOnce) {
    TempFolder folder;
    const std::string pipe = folder.file("pipe.fbt");
    if (hostPath(pipe).empty())
        GTEST_SKIP() << "pipes are made on Wine's host";
    const HostRemoval removal(hostPath(folder.path()));
    const std::string fifo = "'" + hostPath(pipe) + "'";
    ASSERT_TRUE(runOnHost("mkfifo " + fifo));
    ASSERT_TRUE(runOnHost("exec 3<>" + fifo + "; while [ -p " + fifo + " ]; do sleep 1; done", false));
    struct Case {
        const char* what;
        std::string path;
        std::string shown; // the name that the message gives
        const char* reason;
        bool dropped;
    };
    const Case cases[] = {
        {"a pipe", pipe, pipe, "This is a pipe, not a team file.", false},
        {"a pipe dropped", pipe, pipe, "This is a pipe, not a team file.", true},
        {"NUL", "NUL", "\\\\.\\NUL", "This is a device, not a team file.", false},
        {"nul.fbt in a folder", folder.file("nul.fbt"), "\\\\.\\nul", "This is a device, not a team file.",
         false},
        {"AUX", "AUX", "\\\\.\\AUX", "This is a device, not a team file.", false},
        {"COM1", "COM1", "\\\\.\\COM1", "This is a device, not a team file.", false},
        {"a device's full name dropped", "\\\\.\\COM2", "\\\\.\\COM2", "This is a device, not a team file.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorProcess editor(c.dropped ? StartOptions{} : StartOptions{"\"" + c.path + "\"", ""});
        ASSERT_TRUE(editor.started());
        TeamInMemory expected;
        if (c.dropped) {
            editFirstName(editor, expected.doc, "Kept");
            ASSERT_TRUE(editor.dropFiles({c.path}));
            ASSERT_TRUE(answerUnsavedChanges(editor, "the new team", IDNO));
        }
        EXPECT_TRUE(answerBox(editor, "Could not open the team file\n" + c.shown + "\n\n" + c.reason, IDOK));
        EXPECT_EQ(pageDifferences(editor, expected.doc), std::vector<std::string>{});
        EXPECT_FALSE(editor.saveEnabled());
    }
}

namespace {

// Each entry of the folder with its permissions, its number of names and its kind, as the host sees
// them.
std::string hostListing(const TempFolder& folder) {
    const std::string listing = folder.path() + ".txt";
    if (!runOnHost("cd '" + hostPath(folder.path()) + "' && stat -c '%n %a %h %F' * >'" + hostPath(listing) +
                   "'"))
        return "no listing";
    const std::vector<std::uint8_t> bytes = readFileBytes(listing);
    DeleteFileA(listing.c_str());
    return {bytes.begin(), bytes.end()};
}

} // namespace

// Save writes the team into the file it replaces as that file was: its permissions, a symbolic link
// to it and its other names stay, and no temporary file is left.
TEST(Saving, KeepsPermissionsAndLinks) {
    struct Case {
        const char* what;
        const char* opened;
        const char* made; // on the host, in the folder that holds real.fbt
    };
    const Case cases[] = {
        {"a file of mode 600", "real.fbt", "chmod 600 real.fbt"},
        {"a symbolic link", "link.fbt", "ln -s real.fbt link.fbt"},
        {"a symbolic link to a file of mode 640", "link.fbt",
         "chmod 640 real.fbt && ln -s real.fbt link.fbt"},
        {"a file of two names", "other.fbt", "ln real.fbt other.fbt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        if (hostPath(folder.path()).empty())
            GTEST_SKIP() << "permissions and links are made on Wine's host";
        const HostRemoval removal(hostPath(folder.path()));
        TeamInMemory edited;
        makeVariedTeam(edited.doc);
        ASSERT_TRUE(writeFileBytes(folder.file("real.fbt"), encoded(edited.doc)));
        ASSERT_TRUE(runOnHost("cd '" + hostPath(folder.path()) + "' && " + c.made));
        const std::string before = hostListing(folder);
        EditorProcess editor({"\"" + folder.file(c.opened) + "\"", ""});
        ASSERT_TRUE(editor.started());
        editFirstName(editor, edited.doc, "Saved In Place");
        editor.command(IDM_SAVE);
        ASSERT_TRUE(noDialogOpen(editor));
        EXPECT_EQ(readFileBytes(folder.file("real.fbt")), encoded(edited.doc));
        EXPECT_EQ(hostListing(folder), before);
    }
}

// While a dialog or message box of the editor is open, a drop does nothing: it replaces nothing under
// Save As, and leaves the main window disabled under the About box.
TEST_F(Drops, DoNothingWhileADialogIsOpen) {
    TeamInMemory dropped;
    makeVariedTeam(dropped.doc);
    ASSERT_TRUE(writeTeamFile(dropped.doc, folder.file("dropped.fbt")).ok);
    TeamInMemory edited;
    editFirstName(editor, edited.doc, "Being Saved");

    HWND saveAs = openCommandDialog(editor, IDM_SAVE_AS);
    ASSERT_NE(saveAs, nullptr);
    ASSERT_TRUE(editor.dropFiles({folder.file("dropped.fbt")}));
    ASSERT_TRUE(settle(editor.mainWindow()));
    EXPECT_EQ(findDialog(editor.processId(), saveAs), nullptr) << "a box over Save As";
    ASSERT_TRUE(enterFileName(saveAs, folder.file("saved.fbt")));
    confirmDialog(saveAs);
    ASSERT_TRUE(waitForDialogGone(saveAs));
    EXPECT_TRUE(noDialogOpen(editor));
    EXPECT_EQ(readFileBytes(folder.file("saved.fbt")), encoded(edited.doc));
    EXPECT_EQ(pageDifferences(editor, edited.doc), std::vector<std::string>{});

    HWND about = openCommandDialog(editor, IDM_ABOUT);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(editor.dropFiles({folder.file("missing.fbt")}));
    ASSERT_TRUE(settle(editor.mainWindow()));
    EXPECT_EQ(findDialog(editor.processId(), editor.mainWindow()), about) << "another box under About";
    EXPECT_FALSE(IsWindowEnabled(editor.mainWindow()));
    clickDialogButton(about, IDOK);
    ASSERT_TRUE(waitForDialogGone(about));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(editor.mainWindow()) != FALSE; }));
    EXPECT_EQ(pageDifferences(editor, edited.doc), std::vector<std::string>{});
}

// Open and Save As take full paths past the old limit of 260 characters (Wine's dialog itself ends
// the program with such a name); Save As adds ".fbt" to them as to any name.
TEST_F(LongNames, SaveAsAndOpenTakeNamesPastTheOldLimit) {
    if (hostPath(folder.path()).empty())
        GTEST_SKIP() << "the long folders are made on Wine's host";
    const HostRemoval removal(hostPath(folder.path()));
    const std::string first(200, 'd');
    const std::string second(300 - folder.path().size() - first.size() - std::string("\\\\team.fbt").size(),
                             'e');
    ASSERT_TRUE(runOnHost("mkdir -p '" + hostPath(folder.path()) + "/" + first + "/" + second + "'"));
    const std::string typed = folder.path() + "\\" + first + "\\" + second + "\\team";
    const std::string path = "\\\\?\\" + typed + ".fbt"; // for the test's own reading
    TeamInMemory edited;
    editFirstName(editor, edited.doc, "Long Named");

    ASSERT_TRUE(runFileDialog(editor, IDM_SAVE_AS, typed));
    EXPECT_TRUE(noDialogOpen(editor));
    EXPECT_EQ(readFileBytes(path), encoded(edited.doc));
    editor.command(IDM_NEW);
    ASSERT_TRUE(runFileDialog(editor, IDM_OPEN, typed + ".fbt"));
    EXPECT_TRUE(noDialogOpen(editor));
    EXPECT_EQ(pageDifferences(editor, edited.doc), std::vector<std::string>{});
}
