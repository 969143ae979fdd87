#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_cli.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_folder.h"

namespace {

// Twenty teams as the editor could have saved them, in a league folder.
std::vector<std::string> makeLeague(const TempFolder& folder) {
    std::filesystem::create_directories(folder.file("league"));
    std::vector<std::string> files;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        TeamInMemory team;
        TeamMaker(seed).typedTeam(team.doc);
        const TeamFileBytes bytes = encodeTeam(team.doc);
        // Built by appending: GCC 12 warns falsely of a literal put before a temporary string.
        std::string name = "league/team";
        name += std::to_string(100 + seed) + ".fbt";
        files.push_back(folder.file(name));
        writeFileBytes(files.back(), {bytes.begin(), bytes.end()});
    }
    return files;
}

std::vector<std::vector<std::uint8_t>> contentsOf(const std::vector<std::string>& files) {
    std::vector<std::vector<std::uint8_t>> contents;
    for (const std::string& file : files)
        contents.push_back(readFileBytes(file));
    return contents;
}

} // namespace

// Each team written back from the league's sheet, through new files, gives the same bytes.
TEST(League, ExportThenImportWritesEveryTeamBackByteForByte) {
    for (const char* format : {"csv", "json"}) {
        TempFolder folder;
        const std::vector<std::string> files = makeLeague(folder);
        const auto original = contentsOf(files);
        const std::string sheet = folder.file(std::string("league.") + format);
        const Outcome exported =
            runCommand({"export", "--league", "--format", format, folder.file("league"), "-o", sheet});
        ASSERT_EQ(exported.status, kExitOk) << exported.err;

        for (const std::string& file : files)
            writeFileBytes(file, bytesOf(newTeamBytes()));
        const Outcome imported = runCommand({"import", "--league", sheet});
        ASSERT_EQ(imported.status, kExitOk) << imported.err;
        EXPECT_EQ(contentsOf(files), original) << format;
        EXPECT_EQ(linesOf(imported.err).back(),
                  "squadwright-cli: " + sheet + ": 20 team files written, 0 unchanged");

        const Outcome again = runCommand({"import", "--league", sheet});
        EXPECT_EQ(again.status, kExitOk) << again.err;
        EXPECT_EQ(again.err, "squadwright-cli: " + sheet + ": 0 team files written, 20 unchanged\n");
    }
}

TEST(League, ASheetWithOneBadTeamWritesNothing) {
    TempFolder folder;
    const std::vector<std::string> files = makeLeague(folder);
    const auto original = contentsOf(files);
    const std::string sheet = runCommand({"export", "--league", folder.file("league")}).out;
    putText(folder.file("folder.csv"), sheet + folder.file("league") + ",QB,1st,OFF,Al,QB,7,1,0,0,0,0,0\r\n");
    const Outcome intoFolder = runCommand({"import", "--league", folder.file("folder.csv")});
    EXPECT_EQ(intoFolder.status, kExitError);
    EXPECT_NE(intoFolder.err.find("is not a team file's name"), std::string::npos) << intoFolder.err;
    EXPECT_NE(intoFolder.err.find("nothing was written"), std::string::npos) << intoFolder.err;

    putText(folder.file("bad.csv"),
            sheet + folder.file("league/new.fbt") + ",QB,1st,OFF,Al,QB,x,1,0,0,0,0,0\r\n");
    const Outcome bad = runCommand({"import", "--league", folder.file("bad.csv")});
    EXPECT_EQ(bad.status, kExitError);
    EXPECT_NE(bad.err.find("# \"x\" is not a number"), std::string::npos) << bad.err;
    EXPECT_EQ(contentsOf(files), original);
    EXPECT_FALSE(std::filesystem::exists(folder.file("league/new.fbt")));

    putText(folder.file("twice.csv"), "File,Slot,#\r\n" + files[0] + ",QB,7\r\n" +
                                          folder.file("league/../league/team101.fbt") + ",KK,8\r\n");
    const Outcome twice = runCommand({"import", "--league", folder.file("twice.csv")});
    EXPECT_EQ(twice.status, kExitError);
    EXPECT_NE(twice.err.find("is the same file as"), std::string::npos) << twice.err;
    EXPECT_EQ(contentsOf(files), original);
}

// Sorted by name, spread over the sheet: the rows of one file make one team, whatever lies between.
TEST(League, RowsOfATeamMayStandAnywhereInTheSheet) {
    TempFolder folder;
    putText(folder.file("sheet.csv"), "File,Slot,Player Name,String\r\n"
                                      "b.fbt,QB,Bo,\r\n"
                                      "a.fbt,QB,Al,\r\n"
                                      "b.fbt,Jersey,,#102030\r\n");
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.file(""));
    const Outcome run = runCommand({"import", "--league", "sheet.csv"});
    std::filesystem::current_path(previous);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(readFileBytes(folder.file("b.fbt")),
              bytesOf(importText("Slot,Player Name,String\r\nQB,Bo,\r\nJersey,,#102030\r\n", false).bytes));
    EXPECT_EQ(readFileBytes(folder.file("a.fbt")),
              bytesOf(importText("Slot,Player Name\r\nQB,Al\r\n", false).bytes));
}

// A league of ten thousand files, named by its folder and by a list.
TEST(League, CheckReadsTenThousandFilesFromAFolderOrAList) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("big"));
    const auto inBig = [&](const std::string& name) {
        return (std::filesystem::path(folder.file("big")) / name).string();
    };
    const TeamFileBytes bytes = newTeamBytes();
    std::string list;
    for (int i = 0; i < 10000; ++i) {
        const std::string file = inBig(std::to_string(10000 + i) + ".fbt");
        writeFileBytes(file, {bytes.begin(), bytes.end()});
        list += file + (i % 2 ? "\r\n" : "\n");
    }
    std::vector<std::uint8_t> odd = bytesOf(bytes);
    odd[layout::kVersionOffset] = '1';
    writeFileBytes(inBig("19999.fbt"), odd);
    putText(folder.file("list.txt"), list);

    const Outcome byFolder = runCommand({"check", "--quiet", folder.file("big")});
    const Outcome byList = runCommand({"check", "--quiet", "--files-from", folder.file("list.txt")});
    const Outcome byInput = runCommand({"check", "--quiet", "--files-from", "-"}, list);
    for (const Outcome& run : {byFolder, byList, byInput}) {
        EXPECT_EQ(run.status, kExitFound) << run.err;
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].substr(0, inBig("19999.fbt").size()), inBig("19999.fbt"));
        EXPECT_EQ(lines[1], "10000 files read, 1 with findings");
    }
    const Outcome all = runCommand({"check", folder.file("big")});
    const std::vector<std::string> lines = linesOf(all.out);
    ASSERT_EQ(lines.size(), 10001u);
    EXPECT_EQ(lines[0], inBig("10000.fbt") + ": no findings");
    EXPECT_EQ(lines[9998], inBig("19998.fbt") + ": no findings");
}

// A target that cannot be written, wherever it stands in the sheet, leaves every file as it was.
TEST(League, AnImportWritesAllOfItsTeamsOrNone) {
    for (const char* unwritable : {"missing/c.fbt", "lg/a.fbt/c.fbt"}) {
        TempFolder folder;
        std::filesystem::create_directories(folder.file("lg"));
        writeFileBytes(folder.file("lg/a.fbt"), bytesOf(newTeamBytes()));
        putText(folder.file("s.csv"), "File,Slot,#\r\n" + folder.file("lg/a.fbt") + ",QB,12\r\n" +
                                          folder.file("lg/b.fbt") + ",QB,13\r\n" + folder.file(unwritable) +
                                          ",QB,14\r\n");
        const Outcome run = runCommand({"import", "--league", folder.file("s.csv")});
        EXPECT_EQ(run.status, kExitError) << unwritable;
        EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
        EXPECT_EQ(readFileBytes(folder.file("lg/a.fbt")), bytesOf(newTeamBytes())) << unwritable;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("lg")), {}), 1)
            << "no temporary file and no new team may stay: " << unwritable;
    }
}

// Two rows naming one file, existing or new, under any spelling that the file system takes for it,
// are refused; a league exported from one file named twice names it once.
TEST(League, OneFileIsOneFileHoweverItIsNamed) {
    struct Case {
        const char* first;
        const char* second;
        bool exists;
    };
    std::vector<Case> cases = {{"lg/a.fbt", "lg/hard.fbt", true}, {"lg/a.fbt", "lg/./a.fbt", true}};
#ifdef _WIN32
    cases.push_back({"lg/a.fbt", "LG/A.FBT", true});
    cases.push_back({"lg/new.fbt", "Lg/New.Fbt", false});
#endif
    for (const Case& c : cases) {
        TempFolder folder;
        std::filesystem::create_directories(folder.file("lg"));
        writeFileBytes(folder.file("lg/a.fbt"), bytesOf(newTeamBytes()));
        std::filesystem::create_hard_link(folder.file("lg/a.fbt"), folder.file("lg/hard.fbt"));
        putText(folder.file("s.csv"), "File,Slot,#\r\n" + folder.file(c.first) + ",QB,12\r\n" +
                                          folder.file(c.second) + ",QB,13\r\n");
        const Outcome run = runCommand({"import", "--league", folder.file("s.csv")});
        EXPECT_EQ(run.status, kExitError) << c.second;
        EXPECT_NE(run.err.find("is the same file as"), std::string::npos) << run.err;
        EXPECT_EQ(readFileBytes(folder.file("lg/a.fbt")), bytesOf(newTeamBytes())) << c.second;
        EXPECT_FALSE(std::filesystem::exists(folder.file("lg/new.fbt"))) << c.second;

        if (!c.exists)
            continue;
        const Outcome exported = runCommand({"export", "--league", folder.file("lg"), folder.file("lg/a.fbt"),
                                             folder.file(c.second), "-o", folder.file("l.csv")});
        EXPECT_NE(exported.err.find("(1 team)"), std::string::npos) << exported.err;
        EXPECT_EQ(runCommand({"import", "--league", folder.file("l.csv")}).status, kExitOk);
    }
}
