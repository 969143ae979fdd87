// A league sheet may come from anyone, and other programs may write the league while it is imported:
// a sheet writes team files only, each row its own file, and nothing is lost to another writer or to
// an interruption.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/file_commit.h"
#include "cli/run_cli.h"
#include "teamfile/decoder.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Runs the command in folder, as a person would from there.
Outcome runIn(const TempFolder& folder, const std::vector<std::string>& args) {
    const fs::path previous = fs::current_path();
    fs::current_path(fs::path(folder.file("")));
    const Outcome outcome = runCommand(args);
    fs::current_path(previous);
    return outcome;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(folder)))
        names.push_back(textOfPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

TeamFileBytes teamWithNumber(int number) {
    TeamInMemory team;
    setFieldText(team.doc, 0, SlotField::number, std::to_string(number));
    return encodeTeam(team.doc);
}

// Ten teams in lg/, and a sheet that gives each of them a new QB number.
std::vector<std::string> makeLeague(const TempFolder& folder, const std::string& sheet) {
    fs::create_directories(fs::path(folder.file("lg")));
    std::vector<std::string> files;
    std::string text = "File,Slot,#\r\n";
    for (int i = 0; i < 10; ++i) {
        files.push_back("lg/t" + std::to_string(i) + ".fbt");
        writeFileBytes(folder.file(files.back()), bytesOf(newTeamBytes()));
        text += files.back() + ",QB," + std::to_string(50 + i) + "\r\n";
    }
    putText(folder.file(sheet), text);
    return files;
}

} // namespace

// Items that are no team file, and two names for one file, are refused at their rows, and then
// nothing at all is written.
TEST(LeagueSafety, ASheetWritesTeamFilesOnlyEachRowItsOwn) {
    struct Case {
        std::string rows; // after a valid row for lg/a.fbt
        std::string refusal;
        bool json = false;
    };
    std::vector<Case> cases = {
        {"precious/thesis.docx,QB,1\r\n",
         "sheet.csv:3:1: \"precious/thesis.docx\" is not a team file's name"},
        {"lg/short.fbt,QB,1\r\n", "it holds 7 bytes, and a team file 2668"},
        {"lg/dir.fbt,QB,1\r\n", "it is not a regular file but a folder"},
        {"nowhere/x.fbt,QB,1\r\n", "its folder \"nowhere\" does not exist"},
        {"lg/new.fbt,QB,1\r\nlg/new.fbt" + std::string(1, '\0') + "x,KK,2\r\n",
         "sheet.csv:4:1: the file name \"lg/new.fbt\\x00x\" holds a control character"},
        {R"({"file": "lg/j.fbt"}, {"file": "lg/j.fbt\u0000"})", "/teams/2/file: the file name", true},
        {"lg/A.fbt,KK,2\r\n", ""}, // another file, or the same where names ignore letter case
    };
#ifdef _WIN32
    cases.push_back({"lg/x:y.fbt,QB,1\r\n", "names a stream inside another file"});
    cases.push_back({"lg/nul.fbt,QB,1\r\n", "the name is a device's"});
#else
    cases.push_back(
        {"lg/x.fbt,QB,1\r\nlink/../x.fbt,KK,2\r\n", "\"link/../x.fbt\" is the same file as \"lg/x.fbt\""});
#endif
    for (const Case& c : cases) {
        TempFolder folder;
        fs::create_directories(fs::path(folder.file("lg/dir.fbt")));
        fs::create_directories(fs::path(folder.file("lg/deep")));
        fs::create_directories(fs::path(folder.file("precious")));
        putText(folder.file("precious/thesis.docx"), "thesis");
        putText(folder.file("lg/short.fbt"), "7 bytes");
        writeFileBytes(folder.file("lg/a.fbt"), bytesOf(newTeamBytes()));
#ifndef _WIN32
        fs::create_directory_symlink("lg/deep", folder.file("link"));
#endif
        const std::vector<std::string> before = namesIn(folder.file("lg"));
        const std::string sheet = c.json ? "sheet.json" : "sheet.csv";
        putText(folder.file(sheet),
                c.json
                    ? R"({"format": "squadwright-league", "version": 1, "teams": [{"file": "lg/a.fbt"}, )" +
                          c.rows + "]}"
                    : "File,Slot,#\r\nlg/a.fbt,QB,7\r\n" + c.rows);
        const Outcome run = runIn(folder, {"import", "--league", sheet});
        std::error_code apart;
        const bool sameName = c.refusal.empty() && fs::equivalent(fs::path(folder.file("lg/a.fbt")),
                                                                  fs::path(folder.file("lg/A.fbt")), apart);
        if (c.refusal.empty() && !sameName) {
            EXPECT_EQ(run.status, kExitOk) << run.err;
            continue;
        }
        EXPECT_EQ(run.status, kExitError) << c.rows;
        EXPECT_NE(run.err.find(sameName ? "is the same file as" : c.refusal), std::string::npos) << run.err;
        EXPECT_EQ(textOf(folder.file("precious/thesis.docx")), "thesis");
        EXPECT_EQ(namesIn(folder.file("precious")), std::vector<std::string>{"thesis.docx"});
        EXPECT_EQ(readFileBytes(folder.file("lg/a.fbt")), bytesOf(newTeamBytes()));
        EXPECT_EQ(namesIn(folder.file("lg")), before) << "no new file and no temporary file: " << c.rows;
    }
}

// A name that UTF-8 cannot hold never becomes the look-alike name of another file: a CSV sheet keeps
// its bytes and imports back into it; JSON refuses it, as does a Windows name that is no Unicode.
TEST(LeagueSafety, NamesThatUtf8CannotHoldAreKeptOrRefused) {
    TempFolder folder;
    fs::create_directories(fs::path(folder.file("lg")));
#ifdef _WIN32
    const fs::path odd =
        fs::path(folder.file("lg")) / std::wstring{L'x', wchar_t(0xD800), L'.', L'f', L'b', L't'};
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"csv", "whose name is not Unicode text"}, {"json", "whose name is not Unicode text"}};
#else
    const fs::path odd = fs::path(folder.file("lg")) / "x\xFF.fbt";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"csv", ""}, {"json", "cannot export \"lg/x\\xFF.fbt\" into a JSON sheet"}};
#endif
    const auto put = [&](const TeamFileBytes& bytes) {
        std::ofstream(odd, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    put(teamWithNumber(7));
#ifdef _WIN32
    if (!fs::exists(odd))
        GTEST_SKIP() << "this file system keeps names as UTF-8, so it holds no such name (Wine)";
#endif
    for (const auto& [format, refusal] : cases) {
        const Outcome exported =
            runIn(folder, {"export", "--league", "lg", "--format", format, "-o", "s." + format});
        if (!refusal.empty()) {
            EXPECT_EQ(exported.status, kExitError) << format;
            EXPECT_NE(exported.err.find(refusal), std::string::npos) << exported.err;
            continue;
        }
        ASSERT_EQ(exported.status, kExitOk) << exported.err;
        put(newTeamBytes());
        const Outcome imported = runIn(folder, {"import", "--league", "s." + format});
        EXPECT_EQ(imported.status, kExitOk) << imported.err;
        EXPECT_EQ(namesIn(folder.file("lg")).size(), 1u);
        std::ifstream in(odd, std::ios::binary);
        EXPECT_EQ(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}),
                  bytesOf(teamWithNumber(7)));
    }
}

// A program killed among the renames of its commit leaves a journal, with which the next run on any
// of those files finishes them; no temporary file stays.
TEST(LeagueSafety, AnImportStoppedAmongItsRenamesIsFinishedByTheNextRun) {
    TempFolder folder;
    const std::vector<std::string> files = makeLeague(folder, "all.csv");
    putText(folder.file("one.csv"), "File,Slot,Player Name\r\n" + files[9] + ",KK,Kay\r\n");
    commitHooks().stopAfterRename = [](std::size_t renamed) { return renamed == 1; };
    runIn(folder, {"import", "--league", "all.csv"});
    commitHooks() = {};
    EXPECT_EQ(readFileBytes(folder.file(files[0])), bytesOf(teamWithNumber(50)));
    EXPECT_EQ(readFileBytes(folder.file(files[1])), bytesOf(newTeamBytes()));
    EXPECT_GT(namesIn(folder.file("lg")).size(), files.size());

    const Outcome next = runIn(folder, {"import", "--league", "one.csv"});
    EXPECT_EQ(next.status, kExitOk) << next.err;
    EXPECT_NE(next.err.find("finished a run that was interrupted while it replaced its files"),
              std::string::npos)
        << next.err;
    EXPECT_NE(next.err.find(": 9 files written"), std::string::npos) << next.err;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(readFileBytes(folder.file(files[i])), bytesOf(teamWithNumber(50 + i))) << files[i];
    TeamInMemory last;
    decodeTeam(last.doc, readFileBytes(folder.file(files[9])));
    EXPECT_EQ(fieldText(last.doc, 0, SlotField::number), "59");
    EXPECT_EQ(fieldText(last.doc, slotNamed("KK"), SlotField::playerName), "Kay");
    EXPECT_EQ(namesIn(folder.file("lg")).size(), files.size()) << "no journal and no temporary file";
}

// A team that another program writes while the import runs is never overwritten with the import's
// older copy, nor is any other team written; another run on the league is refused while one runs; a
// temporary file of a run that has ended is removed.
TEST(LeagueSafety, NothingIsLostToAnotherWriter) {
    TempFolder folder;
    const std::vector<std::string> files = makeLeague(folder, "all.csv");
    commitHooks().beforeRenames = [&] { writeFileBytes(folder.file(files[4]), bytesOf(teamWithNumber(99))); };
    const Outcome changed = runIn(folder, {"import", "--league", "all.csv"});
    commitHooks() = {};
    EXPECT_EQ(changed.status, kExitError);
    EXPECT_NE(changed.err.find("\"lg/t4.fbt\" changed after it was read"), std::string::npos) << changed.err;
    EXPECT_NE(changed.err.find("0 team files written, 0 unchanged, 10 not written"), std::string::npos)
        << changed.err;
    EXPECT_EQ(readFileBytes(folder.file(files[4])), bytesOf(teamWithNumber(99)));
    for (int i : {0, 9})
        EXPECT_EQ(readFileBytes(folder.file(files[i])), bytesOf(newTeamBytes()));
    EXPECT_EQ(namesIn(folder.file("lg")).size(), files.size());

    FolderLock held;
    bool busy = false;
    ASSERT_TRUE(lockFolder(fs::path(folder.file("lg")), held, busy).ok);
    const Outcome locked = runIn(folder, {"import", "--league", "all.csv"});
    unlockFolder(held);
    EXPECT_EQ(locked.status, kExitError);
    EXPECT_NE(locked.err.find("another squadwright-cli is writing into the folder \"lg\""), std::string::npos)
        << locked.err;
    EXPECT_EQ(readFileBytes(folder.file(files[0])), bytesOf(newTeamBytes()));

#ifdef _WIN32
    const std::string stale = "lg/swt5f5e0ff-0-0.tmp"; // process 99999999, which has ended
#else
    const std::string stale = "lg/.squadwright-99999999-AbCdEf";
#endif
    putText(folder.file(stale), "left by a killed run");
    const Outcome imported = runIn(folder, {"import", "--league", "all.csv"});
    EXPECT_EQ(imported.status, kExitOk) << imported.err;
    EXPECT_NE(imported.err.find("removed 1 temporary file that an interrupted run left in \"lg\""),
              std::string::npos)
        << imported.err;
    EXPECT_FALSE(fs::exists(fs::path(folder.file(stale))));
    EXPECT_EQ(readFileBytes(folder.file(files[9])), bytesOf(teamWithNumber(59)));
}

// A sheet is read a row at a time: a row no sheet has stops the reading at once, and a sheet larger
// than any limit on the whole imports.
TEST(LeagueSafety, SheetsAreReadARowAtATime) {
    TempFolder folder;
    fs::create_directories(fs::path(folder.file("lg")));
    struct Case {
        std::string sheet;
        std::string refusal;
    };
    const std::string team = R"({"file": "lg/a.fbt", "slots": [{"slot": "QB", "playerName": ")";
    const Case cases[] = {
        {"File,Slot\r\nlg/a.fbt,QB" + std::string(1000, ',') + "\r\n", "this row has more than 1000 fields"},
        {"File,Slot,Player Name\r\nlg/a.fbt,QB," + std::string(1 << 20, 'n') + "\r\n",
         "s.csv:2:1: this row is longer than 1 MB"},
        {R"({"format": "squadwright-league", "version": 1, "teams": [)" + team + std::string(1 << 20, 'n') +
             "\"}]}]}",
         "s.json: /teams/0: this value takes more than 1 MB of the sheet"},
    };
    for (const Case& c : cases) {
        const std::string name = c.sheet.starts_with("{") ? "s.json" : "s.csv";
        putText(folder.file(name), c.sheet);
        const Outcome run = runIn(folder, {"import", "--league", name});
        EXPECT_EQ(run.status, kExitError);
        EXPECT_NE(run.err.find(c.refusal), std::string::npos) << run.err.substr(0, 300);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err.substr(0, 300);
    }

    // 17 MB: 17 teams whose QB numbers take a megabyte of the sheet less a little.
    std::string sheet = "File,Slot,#\r\n";
    for (int i = 0; i < 17; ++i)
        sheet += "lg/t" + std::to_string(i) + ".fbt,QB," + std::string((1 << 20) - 100, '0') + "\r\n";
    putText(folder.file("big.csv"), sheet);
    const Outcome big = runIn(folder, {"import", "--league", "big.csv"});
    EXPECT_EQ(big.status, kExitOk) << big.err.substr(0, 500);
    EXPECT_EQ(namesIn(folder.file("lg")).size(), 17u);
}

// A program that reads a team file (check, export, the editor) never keeps an import from
// replacing it: the reader shares it for deleting, and where the system still refuses to replace an
// open file (Wine), the reader's instant is waited for.
TEST(LeagueSafety, AFileBeingReadIsReplacedAllTheSame) {
    TempFolder folder;
    const fs::path path(folder.file("a.fbt"));
    writeFileBytes(folder.file("a.fbt"), bytesOf(newTeamBytes()));
    ReadingFile reading;
    ASSERT_TRUE(openToRead(path, reading).ok);
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        closeReading(reading);
    });
    StagedFile staged;
    ASSERT_TRUE(stageFileContents(path, teamWithNumber(9), staged).ok);
    const FileResult replaced = commitStagedFileWaiting(staged);
    reader.join();
    EXPECT_TRUE(replaced.ok) << replaced.reason;
    EXPECT_EQ(readFileBytes(folder.file("a.fbt")), bytesOf(teamWithNumber(9)));
}
