#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/quoting.h"
#include "cli/run_cli.h"
#include "teamfile/decoder.h"
#include "teamfile/file_io.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace {

void putTeam(const std::string& path, const TeamFileBytes& bytes) {
    writeFileBytes(path, bytesOf(bytes));
}

TeamFileBytes changedTeam() {
    TeamInMemory team;
    setFieldText(team.doc, slotNamed("WR1"), SlotField::playerName, "Ann Lee");
    selectListValue(team.doc, slotNamed("SSa"), SlotField::position, "CB");
    setSpinnerValue(team.doc, slotNamed("SSa"), SlotField::speed, 150);
    team.doc.colors[stripeColor] = makeColor(1, 2, 3);
    return encodeTeam(team.doc);
}

} // namespace

TEST(Commands, DiffOfATeamWithItselfIsEmpty) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), changedTeam());
    const Outcome run = runCommand({"diff", folder.file("a.fbt"), folder.file("a.fbt")});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(Commands, DiffListsTheFieldsAndColoursThatDiffer) {
    TempFolder folder;
    putTeam(folder.file("new.fbt"), newTeamBytes());
    putTeam(folder.file("changed.fbt"), changedTeam());
    const Outcome run = runCommand({"diff", folder.file("new.fbt"), folder.file("changed.fbt")});
    EXPECT_EQ(run.status, kExitFound);
    EXPECT_EQ(run.out, "WR1: Player Name: \"<WR-1 name>\" -> \"Ann Lee\"\n"
                       "SSa: POS: NT -> CB\n"
                       "SSa: SPD: 0 -> 150\n"
                       "Stripe: #DADBDB -> #010203\n");
}

TEST(Commands, DiffComparesTeamsNotBytes) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), newTeamBytes());
    std::vector<std::uint8_t> other = readFileBytes(folder.file("a.fbt"));
    other.resize(layout::kReadSize); // no zero tail: the same team
    writeFileBytes(folder.file("b.fbt"), other);
    EXPECT_EQ(runCommand({"diff", folder.file("a.fbt"), folder.file("b.fbt")}).status, kExitOk);
}

TEST(Commands, ShowPrintsThePagesUnderTheirCaptionsAndTheColours) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), changedTeam());
    const Outcome run = runCommand({"show", folder.file("a.fbt")});
    EXPECT_EQ(run.status, kExitOk);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 4u * 14 + 6);
    EXPECT_EQ(lines[0], "Offensive Starters");
    EXPECT_EQ(lines[1], "Slot  String  Side  Player Name     POS   #  Icon  SPD  STR  AGI  INT  DIS");
    EXPECT_EQ(lines[2], "QB    1st     OFF   <QB name>       QB    1     3   50   40   20   20   20");
    EXPECT_EQ(lines[4], "WR1   1st     OFF   Ann Lee         WR   81     9   50   40   20   20   20");
    EXPECT_EQ(lines[14], "Offensive Reserves");
    EXPECT_EQ(lines[44], "SSa   2nd     DEF   somebody        CB   60    13  150    0    0    0    0");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end()),
              (std::vector<std::string>{"Colors", "Jersey        #909090", "Helmet        #909090",
                                        "Stripe        #010203", "Pants (home)  #909090",
                                        "Pants (away)  #FEFEFE"}));
}

TEST(Commands, ExportWritesOneRecordPerSlotAndTheColours) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), changedTeam());
    const Outcome csv = runCommand({"export", folder.file("a.fbt")});
    EXPECT_EQ(csv.status, kExitOk);
    const std::vector<std::string> lines = linesOf(csv.out);
    ASSERT_EQ(lines.size(), 1u + 44 + 5);
    EXPECT_EQ(lines[0], "Slot,String,Side,Player Name,POS,#,Icon,SPD,STR,AGI,INT,DIS\r");
    EXPECT_EQ(lines[3], "WR1,1st,OFF,Ann Lee,WR,81,9,50,40,20,20,20\r");
    EXPECT_EQ(lines[44], "FS1a,2nd,DEF,somebody,NT,60,13,0,0,0,0,0\r");
    EXPECT_EQ(lines[47], "Stripe,#010203,,,,,,,,,,\r");

    const Outcome json = runCommand({"export", "--format", "json", folder.file("a.fbt")});
    EXPECT_EQ(json.status, kExitOk);
    EXPECT_EQ(json.out.substr(0, 60),
              "{\n  \"format\": \"squadwright-team\",\n  \"version\": 1,\n  \"colors\"");
    EXPECT_NE(json.out.find(
                  "\"slot\": \"WR1\",\n      \"depthString\": \"1st\",\n      \"side\": \"OFF\",\n"
                  "      \"playerName\": \"Ann Lee\",\n      \"position\": \"WR\",\n      \"number\": 81,"),
              std::string::npos);
}

TEST(Commands, ImportWritesTheTeamAndWarnsOfLeftOutSlots) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), changedTeam());
    std::string csv = runCommand({"export", folder.file("a.fbt")}).out;
    csv.erase(csv.find("\r\nKK,"), csv.find("\r\nWR3,") - csv.find("\r\nKK,")); // leave out KK
    putText(folder.file("team.CSV"), csv);

    const Outcome run = runCommand({"import", folder.file("team.CSV"), "-o", folder.file("b.fbt")});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err, "squadwright-cli: warning: " + folder.file("team.CSV") +
                           ": 1 slot is not in the input and keeps the new team's values: KK\n"
                           "squadwright-cli: wrote \"" +
                           folder.file("b.fbt") + "\" (4 changes from the new team)\n");
    const TeamFileBytes expected = changedTeam();
    EXPECT_EQ(readFileBytes(folder.file("b.fbt")), bytesOf(expected));
}

TEST(Commands, CheckReportsEachFileAndExitsOneOnFindings) {
    TempFolder folder;
    putTeam(folder.file("good.fbt"), newTeamBytes());
    std::vector<std::uint8_t> bad = readFileBytes(folder.file("good.fbt"));
    bad[layout::kVersionOffset] = '1';
    writeFileBytes(folder.file("bad.fbt"), bad);

    const Outcome good = runCommand({"check", folder.file("good.fbt")});
    EXPECT_EQ(good.status, kExitOk);
    EXPECT_EQ(good.out, folder.file("good.fbt") + ": no findings\n1 file read, 0 with findings\n");

    const Outcome both = runCommand({"check", folder.file("good.fbt"), folder.file("bad.fbt")});
    EXPECT_EQ(both.status, kExitFound);
    EXPECT_EQ(linesOf(both.out).size(), 3u);
    EXPECT_EQ(linesOf(both.out)[2], "2 files read, 1 with findings");
    EXPECT_EQ(linesOf(both.out)[1].substr(0, folder.file("bad.fbt").size() + 18),
              folder.file("bad.fbt") + ": the version byte");

    const Outcome missing = runCommand({"check", folder.file("good.fbt"), folder.file("none.fbt")});
    EXPECT_EQ(missing.status, kExitError);
    EXPECT_NE(missing.err.find("cannot read \"" + folder.file("none.fbt") + "\""), std::string::npos);
}

TEST(Commands, HelpAndVersionExitZero) {
    const Outcome help = runCommand({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    for (const char* command : {"show", "export", "import", "diff", "check"})
        EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    for (const char* command : {"show", "export", "import", "diff", "check"}) {
        const Outcome commandHelp = runCommand({command, "--help"});
        EXPECT_EQ(commandHelp.status, kExitOk);
        EXPECT_NE(commandHelp.out.find(std::string("Usage: squadwright-cli ") + command), std::string::npos);
    }
    const Outcome version = runCommand({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.out, "squadwright-cli 2.0\n");
}

TEST(Commands, BadInputExitsTwoAndLeavesNoFileBehind) {
    TempFolder folder;
    putTeam(folder.file("team.fbt"), newTeamBytes());
    putText(folder.file("bad.csv"), "Slot,#\r\nQB,\"7\r\n");
    putText(folder.file("bad.json"), "{\"format\": \"squadwright-team\", \"version\": 1,, }");
    putText(folder.file("label.csv"), "Slot,#\r\nQB,7\r\nXX,8\r\n");
    putText(folder.file("field.json"), R"({"format": "squadwright-team", "version": 1,
        "slots": [{"slot": "QB", "speedy": 7}]})");
    putText(folder.file("team.txt"), "Slot\r\n");
    const std::vector<std::uint8_t> old = {1, 2, 3};
    writeFileBytes(folder.file("old.fbt"), old);
    const std::vector<std::string> before = folder.entries();
    const std::string out = folder.file("out.fbt");

    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{}, "A subcommand is required"},
        {{"frob", "team.fbt"}, "unknown command \"frob\""},
        {{"show", "--frob", folder.file("team.fbt")}, "--frob"},
        {{"export", "--format", "xml", folder.file("team.fbt")}, "xml not in {csv,json}"},
        {{"import", folder.file("bad.csv")}, "import needs -o FILE"},
        {{"diff", folder.file("team.fbt")}, "B is required"},
        {{"show", folder.file("none.fbt")}, "cannot read \"" + folder.file("none.fbt") + "\""},
        {{"diff", folder.file("team.fbt"), folder.file("none.fbt")}, "cannot read"},
        {{"import", folder.file("none.csv"), "-o", out}, "cannot read \"" + folder.file("none.csv") + "\""},
        {{"import", folder.file("bad.csv"), "-o", out},
         folder.file("bad.csv") + ":2:4: a quoted field without its closing quote"},
        {{"import", folder.file("bad.json"), "-o", out}, folder.file("bad.json") + ":1:45: invalid JSON"},
        {{"import", folder.file("label.csv"), "-o", out}, ":3:1: unknown slot label \"XX\""},
        {{"import", folder.file("field.json"), "-o", out},
         ": /slots/0/speedy: unknown field name \"speedy\""},
        {{"import", folder.file("team.txt"), "-o", out}, "is CSV or JSON from its name"},
        {{"import", folder.file("bad.csv"), "-o", folder.file("old.fbt")}, "without its closing quote"},
        {{"import", folder.file("label.csv"), "--format", "json", "-o", out}, "invalid JSON"},
    };
    for (const Case& c : cases) {
        const Outcome run = runCommand(c.args);
        EXPECT_EQ(run.status, kExitError) << c.error;
        EXPECT_EQ(run.out, "") << c.error;
        EXPECT_EQ(run.err.substr(0, 17), "squadwright-cli: ") << run.err;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(folder.entries(), before) << c.error;
        EXPECT_EQ(readFileBytes(folder.file("old.fbt")), old) << c.error;
    }
}

TEST(Commands, ImportThatCannotWriteItsFileSaysSo) {
    TempFolder folder;
    putText(folder.file("team.csv"), "Slot\r\n");
    const Outcome run =
        runCommand({"import", folder.file("team.csv"), "-o", folder.file("no/such/folder.fbt")});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_NE(run.err.find("cannot write \"" + folder.file("no/such/folder.fbt") + "\": "),
              std::string::npos);
}

// The program itself, started as a person would start it.
namespace {

std::string shellQuoted(const std::string& text) {
#ifdef _WIN32
    return inQuotes(text);
#else
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

// Runs the program with UTF-8 arguments; standard output goes to output, or to a file that is read
// back.
Outcome runProgram(const std::vector<std::string>& args, const TempFolder& folder,
                   const std::string& output = {}) {
    std::string command = SQUADWRIGHT_CLI_COMMAND;
    for (const std::string& arg : args)
        command.append(" ").append(shellQuoted(arg));
    command.append(" >").append(shellQuoted(output.empty() ? folder.file("stdout.txt") : output));
    command.append(" 2>").append(shellQuoted(folder.file("stderr.txt")));
#ifdef _WIN32
    const int status = _wsystem(utf8Path(command).c_str());
#else
    const int result = std::system(command.c_str());
    const int status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
#endif
    Outcome run{status, output.empty() ? textOf(folder.file("stdout.txt")) : "",
                textOf(folder.file("stderr.txt"))};
    std::filesystem::remove(folder.file("stdout.txt"));
    std::filesystem::remove(folder.file("stderr.txt"));
    return run;
}

} // namespace

TEST(Program, ExportAndImportThroughTheProgramGiveBackTheFile) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), changedTeam());
    for (const char* format : {"csv", "json"}) {
        const Outcome exported = runProgram({"export", "--format", format, folder.file("a.fbt")}, folder);
        ASSERT_EQ(exported.status, kExitOk) << exported.err;
        const std::string text = folder.file(std::string("team.") + format);
        putText(text, exported.out);
        const Outcome imported = runProgram({"import", text, "-o", folder.file("b.fbt")}, folder);
        ASSERT_EQ(imported.status, kExitOk) << imported.err;
        EXPECT_EQ(imported.err,
                  "squadwright-cli: wrote \"" + folder.file("b.fbt") + "\" (4 changes from the new team)\n");
        EXPECT_EQ(readFileBytes(folder.file("b.fbt")), readFileBytes(folder.file("a.fbt"))) << format;
        EXPECT_EQ(runProgram({"diff", folder.file("a.fbt"), folder.file("b.fbt")}, folder).status, kExitOk);
    }
    EXPECT_EQ(runProgram({"export", folder.file("a.fbt")}, folder).out,
              runCommand({"export", folder.file("a.fbt")}).out);
}

TEST(Program, ReportsFindingsDifferencesAndErrorsByItsExitStatus) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), newTeamBytes());
    putTeam(folder.file("b.fbt"), changedTeam());
    std::vector<std::uint8_t> shortFile = readFileBytes(folder.file("a.fbt"));
    shortFile.resize(1000);
    writeFileBytes(folder.file("short.fbt"), shortFile);
    putText(folder.file("bad.csv"), "Slot,#\r\nQB,x\r\n");

    EXPECT_EQ(runProgram({"--version"}, folder).out, "squadwright-cli 2.0\n");
    EXPECT_EQ(runProgram({"diff", folder.file("a.fbt"), folder.file("b.fbt")}, folder).status, kExitFound);
    const Outcome check = runProgram({"check", folder.file("short.fbt")}, folder);
    EXPECT_EQ(check.status, kExitFound);
    EXPECT_NE(check.out.find("1000 bytes, shorter than 2628"), std::string::npos);
    const Outcome bad = runProgram({"import", folder.file("bad.csv"), "-o", folder.file("c.fbt")}, folder);
    EXPECT_EQ(bad.status, kExitError);
    EXPECT_NE(bad.err.find("bad.csv:2:4: # \"x\" is not a number"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("c.fbt")));
    EXPECT_EQ(runProgram({"frob"}, folder).status, kExitError);
}

namespace {

// A standard output that takes nothing, as a full disk or a closed pipe does.
class RefusingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

Outcome runWithRefusedOutput(const std::vector<std::string>& args) {
    std::istringstream in;
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    const int status = runCli(args, in, out, err);
    return {status, {}, err.str()};
}

} // namespace

TEST(Commands, EveryCommandReportsAnOutputThatCouldNotBeWritten) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), newTeamBytes());
    putTeam(folder.file("b.fbt"), changedTeam());
    putText(folder.file("team.csv"), "Slot\r\n");
    const std::vector<std::vector<std::string>> commands = {
        {"show", folder.file("a.fbt")},
        {"export", folder.file("a.fbt")},
        {"export", "--league", folder.file("a.fbt"), folder.file("b.fbt")},
        {"diff", folder.file("a.fbt"), folder.file("b.fbt")},
        {"diff", "--format", "json", folder.file("a.fbt"), folder.file("a.fbt")},
        {"check", folder.file("a.fbt")},
        {"check", "--quiet", "--format", "json", folder.file("a.fbt")},
        {"import", folder.file("team.csv"), "-o", "-"},
    };
    for (const std::vector<std::string>& command : commands) {
        const Outcome run = runWithRefusedOutput(command);
        EXPECT_EQ(run.status, kExitError) << command[0];
        EXPECT_NE(run.err.find("squadwright-cli: cannot write standard output"), std::string::npos)
            << run.err;
    }
}

TEST(Commands, AnOutputThatIsAnInputIsRefusedHoweverItIsSpelled) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), newTeamBytes());
    putText(folder.file("t.csv"), "Slot\r\n");
    std::filesystem::create_directories(folder.file("sub"));
    std::filesystem::create_hard_link(folder.file("t.csv"), folder.file("sub/linked.csv"));
    struct Case {
        std::vector<std::string> args;
        std::string input;
    };
    const std::vector<Case> cases = {
        {{"import", folder.file("t.csv"), "-o", folder.file("t.csv")}, folder.file("t.csv")},
        {{"import", folder.file("t.csv"), "-o", folder.file("sub/../t.csv")}, folder.file("t.csv")},
        {{"import", folder.file("t.csv"), "-o", folder.file("sub/linked.csv")}, folder.file("t.csv")},
        {{"export", folder.file("a.fbt"), "-o", folder.file("sub/../a.fbt")}, folder.file("a.fbt")},
        {{"export", "--league", folder.file("t.csv"), folder.file("a.fbt"), "-o", folder.file("a.fbt")},
         folder.file("a.fbt")},
        {{"export", "--league", "--files-from", folder.file("list.txt"), "-o", folder.file("list.txt")},
         folder.file("list.txt")},
    };
    for (const Case& c : cases) {
        putText(folder.file("list.txt"), folder.file("a.fbt") + "\n");
        const Outcome run = runCommand(c.args);
        EXPECT_EQ(run.status, kExitError) << c.args[3];
        EXPECT_NE(run.err.find("it is the input \"" + c.input + "\""), std::string::npos) << run.err;
        EXPECT_EQ(textOf(folder.file("t.csv")), "Slot\r\n");
        EXPECT_EQ(textOf(folder.file("list.txt")), folder.file("a.fbt") + "\n");
        EXPECT_EQ(readFileBytes(folder.file("a.fbt")), bytesOf(newTeamBytes()));
    }
}

// Words after -- are files, "-" names a file where a command reads team files, and counts agree
// with their nouns.
TEST(Commands, ArgumentsAndReportsSayWhatTheyMean) {
    TempFolder folder;
    putTeam(folder.file("-d.fbt"), newTeamBytes());
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.file(""));
    putTeam("b.fbt", newTeamBytes());
    const Outcome checked = runCommand({"check", "b.fbt", "--", "-d.fbt"});
    std::filesystem::current_path(previous);
    EXPECT_EQ(checked.out, "b.fbt: no findings\n-d.fbt: no findings\n2 files read, 0 with findings\n")
        << checked.err;
    const Outcome shown = runCommand({"show", "-"});
    EXPECT_TRUE(shown.err.starts_with("squadwright-cli: cannot read \"-\": ")) << shown.err;
    putText(folder.file("one.csv"), "File,Slot,#\r\n" + folder.file("new.fbt") + ",QB,7\r\n");
    const std::vector<std::string> lines =
        linesOf(runCommand({"import", "--league", folder.file("one.csv")}).err);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2],
              "squadwright-cli: wrote \"" + folder.file("new.fbt") + "\" (1 change from the new team)");
    EXPECT_EQ(lines.back(),
              "squadwright-cli: " + folder.file("one.csv") + ": 1 team file written, 0 unchanged");
}

TEST(Commands, OutputGoesToStandardOutputOrARegularFileOnly) {
    TempFolder folder;
    putText(folder.file("t.csv"), "Slot,#\r\nQB,7\r\n");
    std::filesystem::create_directories(folder.file("folder.fbt"));
    const Outcome folderOutput =
        runCommand({"import", folder.file("t.csv"), "-o", folder.file("folder.fbt")});
    EXPECT_EQ(folderOutput.status, kExitError);
    EXPECT_NE(folderOutput.err.find("it is a folder, not a regular file"), std::string::npos)
        << folderOutput.err;

    const Outcome toStandardOutput = runCommand({"import", folder.file("t.csv"), "-o", "-"});
    EXPECT_EQ(toStandardOutput.status, kExitOk) << toStandardOutput.err;
    const Imported expected = importText("Slot,#\r\nQB,7\r\n", false);
    EXPECT_EQ(toStandardOutput.out, std::string(expected.bytes.begin(), expected.bytes.end()));
    EXPECT_NE(toStandardOutput.err.find("wrote standard output (1 change from the new team)"),
              std::string::npos);

    const Outcome fromStandardInput =
        runCommand({"import", "-", "--format", "CSV", "-o", "-"}, "Slot,#\r\nQB,7\r\n");
    EXPECT_EQ(fromStandardInput.status, kExitOk) << fromStandardInput.err;
    EXPECT_EQ(fromStandardInput.out, toStandardOutput.out);
    EXPECT_NE(runCommand({"import", "-", "-o", "-"}).err.find("give --format csv or --format json"),
              std::string::npos);
}

#ifndef _WIN32
TEST(Commands, DevicesAndPipesAreRefusedAndLinksAreFollowed) {
    TempFolder folder;
    putText(folder.file("t.csv"), "Slot,#\r\nQB,7\r\n");
    ASSERT_EQ(mkfifo(folder.file("pipe.fbt").c_str(), 0600), 0);
    for (const char* device : {"/dev/full", "/dev/null"}) {
        const Outcome run = runCommand({"import", folder.file("t.csv"), "-o", device});
        EXPECT_EQ(run.status, kExitError) << device;
        EXPECT_NE(run.err.find("it is a device, not a regular file"), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    const Outcome pipe = runCommand({"import", folder.file("t.csv"), "-o", folder.file("pipe.fbt")});
    EXPECT_NE(pipe.err.find("it is a pipe"), std::string::npos) << pipe.err;

    putTeam(folder.file("target.fbt"), newTeamBytes());
    std::filesystem::create_symlink("target.fbt", folder.file("link.fbt"));
    const Outcome linked = runCommand({"import", folder.file("t.csv"), "-o", folder.file("link.fbt")});
    EXPECT_EQ(linked.status, kExitOk) << linked.err;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.fbt")));
    EXPECT_EQ(readFileBytes(folder.file("target.fbt")),
              bytesOf(importText("Slot,#\r\nQB,7\r\n", false).bytes));
}
#endif

TEST(Commands, AFileOfAnotherSizeIsReadWithAWarningAndCheckSeesItsTail) {
    TempFolder folder;
    putText(folder.file("README.md"), std::string(3632, '#'));
    const Outcome exported = runCommand({"export", folder.file("README.md")});
    EXPECT_EQ(exported.status, kExitOk);
    EXPECT_EQ(exported.err,
              "squadwright-cli: warning: \"" + folder.file("README.md") +
                  "\" is not the size of a team file (3632 bytes, longer than 2668: the rest is "
                  "ignored); it is read as the editor reads it\n");

    std::vector<std::uint8_t> cut = bytesOf(newTeamBytes());
    cut.resize(2637);
    cut[2630] = 'x';
    writeFileBytes(folder.file("cut.fbt"), cut);
    const Outcome checked = runCommand({"check", folder.file("cut.fbt")});
    EXPECT_EQ(checked.status, kExitFound);
    EXPECT_EQ(checked.out,
              folder.file("cut.fbt") + ": 2637 bytes, not 2668: the zero tail is cut short\n" +
                  folder.file("cut.fbt") +
                  ": the zero tail holds 0x78 at byte 2630: the editor never reads it, but a team "
                  "file has zeros there\n1 file read, 1 with findings\n");
}

TEST(Commands, CheckListsOnlyFilesWithFindingsWhenQuietAndReportsJson) {
    TempFolder folder;
    putTeam(folder.file("good.fbt"), newTeamBytes());
    std::vector<std::uint8_t> bad = bytesOf(newTeamBytes());
    bad[layout::kVersionOffset] = '1';
    writeFileBytes(folder.file("bad.fbt"), bad);

    const Outcome quiet = runCommand({"check", "-q", folder.file("good.fbt"), folder.file("bad.fbt")});
    EXPECT_EQ(quiet.status, kExitFound);
    ASSERT_EQ(linesOf(quiet.out).size(), 2u);
    EXPECT_EQ(linesOf(quiet.out)[0].substr(0, folder.file("bad.fbt").size()), folder.file("bad.fbt"));
    EXPECT_EQ(linesOf(quiet.out)[1], "2 files read, 1 with findings");

    const Outcome json = runCommand({"check", "--format", "JSON", "--quiet", folder.file("good.fbt"),
                                     folder.file("bad.fbt"), folder.file("none.fbt")});
    EXPECT_EQ(json.status, kExitError);
    const nlohmann::json report = nlohmann::json::parse(json.out);
    EXPECT_EQ(report["format"], "squadwright-check");
    ASSERT_EQ(report["files"].size(), 1u);
    EXPECT_EQ(report["files"][0]["file"], folder.file("bad.fbt"));
    EXPECT_EQ(report["files"][0]["size"], 2668);
    EXPECT_EQ(report["files"][0]["findings"].size(), 1u);
    EXPECT_EQ(report["filesRead"], 2);
    EXPECT_EQ(report["filesWithFindings"], 1);
    EXPECT_EQ(report["filesNotRead"], 1);
}

TEST(Commands, DiffReportsJson) {
    TempFolder folder;
    putTeam(folder.file("new.fbt"), newTeamBytes());
    putTeam(folder.file("changed.fbt"), changedTeam());
    const Outcome run =
        runCommand({"diff", "--format", "json", folder.file("new.fbt"), folder.file("changed.fbt")});
    EXPECT_EQ(run.status, kExitFound);
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["format"], "squadwright-diff");
    EXPECT_EQ(
        report["differences"],
        nlohmann::json::parse(R"([{"slot": "WR1", "field": "playerName", "a": "<WR-1 name>", "b": "Ann Lee"},
                                        {"slot": "SSa", "field": "position", "a": "NT", "b": "CB"},
                                        {"slot": "SSa", "field": "speed", "a": 0, "b": 150},
                                        {"color": "stripe", "a": "#DADBDB", "b": "#010203"}])"));
}

// Start from an existing team: only the cells that the sheet gives change, and saving back over the
// team it started from is how one field changes across many files.
TEST(Commands, ImportIntoATeamChangesOnlyTheGivenCells) {
    TempFolder folder;
    putTeam(folder.file("team.fbt"), changedTeam());
    putText(folder.file("edit.csv"), "Slot,DIS,String\r\nQB,77,\r\nHelmet,,#010101\r\n");
    const Outcome run = runCommand({"import", folder.file("edit.csv"), "--into", folder.file("team.fbt"),
                                    "-o", folder.file("team.fbt")});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "squadwright-cli: warning: " + folder.file("edit.csv") +
                           ":2:7: QB String \"\" will read back as \"1st\"\nsquadwright-cli: wrote \"" +
                           folder.file("team.fbt") + "\" (2 changes from \"" + folder.file("team.fbt") +
                           "\")\n");
    TeamInMemory expected;
    decodeTeam(expected.doc, changedTeam());
    setFieldText(expected.doc, slotNamed("QB"), SlotField::discipline, "77");
    expected.doc.colors[helmetColor] = makeColor(1, 1, 1);
    EXPECT_EQ(readFileBytes(folder.file("team.fbt")), bytesOf(encodeTeam(expected.doc)));
}

TEST(Commands, FormatsTakeAnyLetterCaseAndUnknownOptionsAreNamed) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), newTeamBytes());
    EXPECT_EQ(runCommand({"export", "--format", "Json", folder.file("a.fbt")}).out,
              runCommand({"export", "--format", "json", folder.file("a.fbt")}).out);
    const Outcome unknown = runCommand({"export", "-f", "json", folder.file("a.fbt")});
    EXPECT_EQ(unknown.status, kExitError);
    EXPECT_EQ(unknown.err.substr(0, 50), "squadwright-cli: unknown option \"-f\" for export (s");

    struct Case {
        const char* command;
        const char* statuses;
    };
    const Case cases[] = {
        {"show", "Exit status: 0 done, 2 an error."},
        {"export", "Exit status: 0 done, 2 an error."},
        {"import", "Exit status: 0 done, 2 an error."},
        {"diff", "Exit status: 0 the teams are the same, 1 they differ, 2 an error."},
        {"check", "Exit status: 0 no findings, 1 a file has findings, 2 an error."},
    };
    for (const Case& c : cases)
        EXPECT_NE(runCommand({c.command, "--help"}).out.find(c.statuses), std::string::npos) << c.command;
}

TEST(Program, AJsonNumberTooLargeForADoubleIsAnErrorNotACrash) {
    TempFolder folder;
    putText(folder.file("big.json"), R"({"format": "squadwright-team", "version": 1,
        "slots": [{"slot": "QB", "speed": 1e400}]})");
    const Outcome run = runProgram({"import", folder.file("big.json"), "-o", folder.file("t.fbt")}, folder);
    EXPECT_EQ(run.status, kExitError);
    EXPECT_NE(run.err.find("big.json:2:43: the number \"1e400\" is too large to read"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("t.fbt")));
}

#ifndef _WIN32
TEST(Program, EveryCommandReportsAFullDisk) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), newTeamBytes());
    putTeam(folder.file("b.fbt"), changedTeam());
    putText(folder.file("t.csv"), "Slot\r\n");
    const std::vector<std::vector<std::string>> commands = {
        {"show", folder.file("a.fbt")},
        {"export", folder.file("a.fbt")},
        {"export", "--league", folder.file("a.fbt")},
        {"diff", folder.file("a.fbt"), folder.file("b.fbt")},
        {"check", folder.file("a.fbt")},
        {"import", folder.file("t.csv"), "-o", "-"},
    };
    for (const std::vector<std::string>& command : commands) {
        const Outcome run = runProgram(command, folder, "/dev/full");
        EXPECT_EQ(run.status, kExitError) << command[0];
        EXPECT_NE(run.err.find("cannot write standard output: No space left on device"), std::string::npos)
            << run.err;
    }
}
#else
// cmd hands over no wildcard expansion, and names outside the ANSI code page need the wide API.
TEST(Program, ExpandsWildcardsAndOpensNamesOutsideTheAnsiCodePage) {
    TempFolder folder;
    const std::string league = folder.file("lg");
    std::filesystem::create_directories(league);
    const std::string lodz = league + "\\\xC5\x81\xC3\xB3"
                                      "d\xC5\xBA.fbt";
    for (const std::string& name :
         {lodz, league + "\\b.fbt", league + "\\c.txt", league + "\\x.fbtx", league + "\\y.fbt~"})
        ASSERT_TRUE(replaceFileContents(utf8Path(name), newTeamBytes()).ok) << name;

    const Outcome matched = runProgram({"check", league + "\\*.fbt"}, folder);
    EXPECT_EQ(matched.status, kExitOk) << matched.err;
    EXPECT_EQ(matched.out,
              league + "\\b.fbt: no findings\n" + lodz + ": no findings\n2 files read, 0 with findings\n");
    EXPECT_EQ(runProgram({"check", league}, folder).out, matched.out);

    const Outcome shown = runProgram({"show", lodz}, folder);
    EXPECT_EQ(shown.status, kExitOk) << shown.err;
    const Outcome none = runProgram({"check", league + "\\*.xyz"}, folder);
    EXPECT_EQ(none.status, kExitError);
    EXPECT_NE(none.err.find("no file matches"), std::string::npos) << none.err;
}
#endif

TEST(Commands, AnInputFarLargerThanAnyTeamIsRefusedBeforeItIsRead) {
    TempFolder folder;
    const std::string huge(1024 * 1024 + 1, 'n');
    putText(folder.file("huge.csv"), "Slot,Player Name\r\nQB," + huge + "\r\n");
    const Outcome file = runCommand({"import", folder.file("huge.csv"), "-o", folder.file("t.fbt")});
    EXPECT_EQ(file.status, kExitError);
    EXPECT_EQ(file.err, "squadwright-cli: \"" + folder.file("huge.csv") +
                            "\" is larger than 1 MB, far more than any team needs: is it the right file?\n");
    const Outcome piped = runCommand({"import", "-", "--format", "csv", "-o", "-"}, huge);
    EXPECT_EQ(piped.status, kExitError);
    EXPECT_NE(piped.err.find("standard input holds more than 1 MB"), std::string::npos) << piped.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("t.fbt")));
}

// Excel on Windows reads a CSV file as UTF-8 only after a byte order mark.
TEST(Commands, ExportBeginsASheetWithAByteOrderMarkOnRequest) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), changedTeam());
    for (const bool league : {false, true}) {
        std::vector<std::string> args = {"export", "--bom", folder.file("a.fbt"), "-o", folder.file("a.csv")};
        if (league)
            args.insert(args.begin() + 1, "--league");
        const Outcome exported = runCommand(args);
        ASSERT_EQ(exported.status, kExitOk) << exported.err;
        const std::string sheet = textOf(folder.file("a.csv"));
        EXPECT_EQ(sheet.substr(0, 8), league ? "\xEF\xBB\xBF"
                                               "File,"
                                             : "\xEF\xBB\xBF"
                                               "Slot,");
        const std::vector<std::string> back =
            league ? std::vector<std::string>{"import", "--league", folder.file("a.csv")}
                   : std::vector<std::string>{"import", folder.file("a.csv"), "-o", folder.file("a.fbt")};
        EXPECT_EQ(runCommand(back).status, kExitOk);
        EXPECT_EQ(readFileBytes(folder.file("a.fbt")), bytesOf(changedTeam()));
    }
    const Outcome json = runCommand({"export", "--bom", "--format", "json", folder.file("a.fbt")});
    EXPECT_EQ(json.status, kExitError);
    EXPECT_NE(json.err.find("--bom goes with CSV"), std::string::npos);
}
