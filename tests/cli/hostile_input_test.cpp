// Input that no person means to give: whatever it is, the tool ends with a message, in bounded time
// and words, and leaves no file behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cli/file_lists.h"
#include "cli/run_cli.h"
#include "teamfile/file_io.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

TEST(HostileInput, DeepNestingLongPathsAndUnreadableEntriesEndInAMessage) {
    TempFolder folder;
    constexpr std::size_t kDepth = 150000;
    for (const auto& [open, close] : {std::pair{"[", "]"}, std::pair{"{\"a\":", "}"}}) {
        std::string nested = R"({"format": "squadwright-team", "version": 1, "slots": )";
        for (std::size_t i = 0; i < kDepth; ++i)
            nested += open;
        nested += "1";
        for (std::size_t i = 0; i < kDepth; ++i)
            nested += close;
        putText(folder.file("deep.json"), nested + "}");
        const Outcome run = runCommand({"import", folder.file("deep.json"), "-o", folder.file("t.fbt")});
        EXPECT_EQ(run.status, kExitError);
        EXPECT_NE(run.err.find("nests deeper than 8 levels"), std::string::npos) << run.err.substr(0, 200);
    }

    // A folder whose path is longer than the 260 characters of Windows' old limit.
    const std::string middle = folder.file(std::string(100, 'f') + "/" + std::string(100, 'g'));
    const std::string longFolder = middle + "/" + std::string(100, 'h');
    fs::create_directories(fs::path(longFolder));
    putText(folder.file("t.csv"), "Slot\r\n");
    const Outcome imported = runCommand({"import", folder.file("t.csv"), "-o", longFolder + "/a.fbt"});
    EXPECT_EQ(imported.status, kExitOk) << imported.err;
    const Outcome checked = runCommand({"check", longFolder});
    EXPECT_EQ(checked.status, kExitOk) << checked.err;
    EXPECT_NE(checked.out.find("\n1 file read, 0 with findings\n"), std::string::npos) << checked.out;
    std::vector<fs::path> names;
    EXPECT_TRUE(listFolder(fs::path(longFolder), names).ok);
    EXPECT_EQ(names, std::vector<fs::path>{"a.fbt"}) << "no temporary file may stay";
    // Removed by a short relative path: the library cannot reach so deep on Windows.
    const fs::path previous = fs::current_path();
    fs::current_path(fs::path(middle));
    fs::remove(std::string(100, 'h') + "/a.fbt");
    fs::remove(std::string(100, 'h'));
    fs::current_path(previous);

#ifndef _WIN32
    // An entry whose kind cannot be told is named, not skipped.
    fs::create_directories(folder.file("loop"));
    fs::create_symlink("x.fbt", folder.file("loop/x.fbt"));
    const Outcome looped = runCommand({"check", folder.file("loop")});
    EXPECT_EQ(looped.status, kExitError);
    EXPECT_NE(looped.err.find("cannot examine \"" + folder.file("loop/x.fbt") + "\""), std::string::npos)
        << looped.err;
#endif
}

// A text from the input goes into a message escaped and cut short; places count every line end that
// the readers take; a name given twice among very many is found in linear time.
TEST(HostileInput, MessagesStayShortAndPlaceTheirLines) {
    TempFolder folder;
    const std::string longName = "\\u001b\\u0000" + std::string(1000000, 'n');
    putText(folder.file("name.json"),
            R"({"format": "squadwright-team", "version": 1, "slots": [{"slot": "QB", ")" + longName +
                R"(": 1}]})");
    const Outcome named = runCommand({"import", folder.file("name.json"), "-o", "-"});
    EXPECT_EQ(named.status, kExitError);
    EXPECT_LT(named.err.size(), 600u) << named.err.substr(0, 600);
    EXPECT_EQ(named.err.find_first_of(std::string("\x1b\0", 2)), std::string::npos)
        << named.err.substr(0, 600);
    EXPECT_NE(named.err.find("/slots/0/\\x1B\\x00nnn"), std::string::npos) << named.err.substr(0, 600);

    putText(folder.file("cr.csv"), "Slot,#\rQB,7\rKK,x\r");
    const Outcome cr = runCommand({"import", folder.file("cr.csv"), "-o", "-"});
    EXPECT_NE(cr.err.find("cr.csv:3:4: # \"x\" is not a number"), std::string::npos) << cr.err;

    std::string many = R"({"format": "squadwright-league", "version": 1)";
    for (int i = 0; i < 200000; ++i)
        many += ",\"" + std::to_string(i) + "\":0";
    putText(folder.file("many.json"), many + ",\"7\":0}");
    const Outcome twice = runCommand({"import", "--league", folder.file("many.json")});
    EXPECT_NE(twice.err.find("/7: the name \"7\" appears twice"), std::string::npos) << twice.err;
}

TEST(HostileInput, ArgumentsMeanWhatTheySay) {
    TempFolder folder;
    const fs::path previous = fs::current_path();
    fs::current_path(fs::path(folder.file("")));
    writeFileBytes("a.fbt", bytesOf(newTeamBytes()));
    putText("t.csv", "Slot\r\n");
    putText("dash.csv", "File,Slot,#\r\n-,QB,12\r\n");
    const std::vector<std::vector<std::string>> emptyNames = {
        {"import", "t.csv", "--into", "", "-o", "o.fbt"},
        {"export", "a.fbt", "-o", ""},
        {"check", "--files-from", ""},
        {"show", ""},
    };
    for (const std::vector<std::string>& args : emptyNames) {
        const Outcome run = runCommand(args);
        EXPECT_EQ(run.status, kExitError) << args[0];
        EXPECT_NE(run.err.find("is given an empty name"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists("o.fbt"));

    // A value that begins with a dash, a league row naming "-" (no team file, never standard output),
    // a path from the root.
    // The test's own folder, where "/" is the root of the same drive under Wine and on Windows.
    const fs::path besideTest = previous / "from-root.fbt";
    writeFileBytes(besideTest.string(), bytesOf(newTeamBytes()));
    std::string fromRoot = besideTest.relative_path().generic_string();
    fromRoot.insert(0, 1, '/');
    EXPECT_EQ(runCommand({"export", "a.fbt", "-o", "-x.csv"}).status, kExitOk);
    EXPECT_EQ(runCommand({"export", "a.fbt", "--output", "--y.csv"}).status, kExitOk);
    const Outcome dash = runCommand({"import", "--league", "dash.csv"});
    const Outcome shown = runCommand({"show", fromRoot});
    fs::current_path(previous);
    fs::remove(besideTest);
    EXPECT_TRUE(fs::exists(folder.file("-x.csv")));
    EXPECT_TRUE(fs::exists(folder.file("--y.csv")));
    EXPECT_EQ(dash.status, kExitError) << dash.err;
    EXPECT_EQ(dash.out, "");
    EXPECT_FALSE(fs::exists(folder.file("-")));
    EXPECT_EQ(shown.status, kExitOk) << shown.err;

    struct Match {
        const char* pattern;
        const char* name;
        bool matches;
    };
    for (const Match& m : std::vector<Match>{{"*.fbt", "a.fbt", true},
                                             {"*.fbt", "x.fbtx", false},
                                             {"*.fbt", "y.fbt~", false},
                                             {"*.FBT", "a.fbt", true},
                                             {"t?.fbt", "t\xC5\x82.fbt", true},
                                             {"a*b*c", "axxbyyc", true},
                                             {"a*b*c", "axxbyy", false},
                                             {"?", "", false},
                                             {"*", "", true}})
        EXPECT_EQ(matchesWildcards(m.pattern, m.name), m.matches) << m.pattern << " " << m.name;

#ifndef _WIN32
    // A file that the system gives as 0 bytes long but that delivers bytes.
    const Outcome proc = runCommand({"check", "/proc/self/status"});
    EXPECT_EQ(proc.out.find(": 0 bytes"), std::string::npos) << proc.out.substr(0, 200);
    EXPECT_NE(proc.out.find(" bytes, shorter than"), std::string::npos) << proc.out.substr(0, 200);

    // A reader that goes away early: a message and exit status 2, not a silent end by a signal.
    fs::create_directories(folder.file("lg"));
    for (int i = 0; i < 60; ++i)
        writeFileBytes(folder.file("lg/t" + std::to_string(i) + ".fbt"), bytesOf(newTeamBytes()));
    const std::string command = std::string("(") + SQUADWRIGHT_CLI_COMMAND + " export --league " +
                                folder.file("lg") + " 2>" + folder.file("err") + "; echo $? >" +
                                folder.file("rc") + ") | head -c 10 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(readFileBytes(folder.file("rc")), (std::vector<std::uint8_t>{'2', '\n'}));
    const std::vector<std::uint8_t> err = readFileBytes(folder.file("err"));
    EXPECT_NE(std::string(err.begin(), err.end()).find("cannot write standard output"), std::string::npos);
#endif
}
