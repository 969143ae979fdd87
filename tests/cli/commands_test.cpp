#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "tests/cli/cli_test_support.h"
#include "tests/core/temp_folder.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runCommand(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, in, out, err);
    return {status, out.str(), err.str()};
}

void putTeam(const std::string& path, const TeamFileBytes& bytes) {
    putFileBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void putText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string textOf(const std::string& path) {
    const std::vector<std::uint8_t> bytes = fileBytes(path);
    return {bytes.begin(), bytes.end()};
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
    std::vector<std::uint8_t> other = fileBytes(folder.file("a.fbt"));
    other.resize(layout::kReadSize); // no zero tail: the same team
    putFileBytes(folder.file("b.fbt"), other);
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
    EXPECT_EQ(fileBytes(folder.file("b.fbt")), std::vector<std::uint8_t>(expected.begin(), expected.end()));
}

TEST(Commands, CheckReportsEachFileAndExitsOneOnFindings) {
    TempFolder folder;
    putTeam(folder.file("good.fbt"), newTeamBytes());
    std::vector<std::uint8_t> bad = fileBytes(folder.file("good.fbt"));
    bad[layout::kVersionOffset] = '1';
    putFileBytes(folder.file("bad.fbt"), bad);

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
    putFileBytes(folder.file("old.fbt"), old);
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
        EXPECT_EQ(fileBytes(folder.file("old.fbt")), old) << c.error;
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

Outcome runProgram(const std::vector<std::string>& args, const TempFolder& folder) {
    std::string command = SQUADWRIGHT_CLI_COMMAND;
    for (const std::string& arg : args)
        command.append(" ").append(shellQuoted(arg));
    command.append(" >").append(shellQuoted(folder.file("stdout.txt")));
    command.append(" 2>").append(shellQuoted(folder.file("stderr.txt")));
    const int result = std::system(command.c_str());
#ifdef _WIN32
    const int status = result;
#else
    const int status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
#endif
    Outcome run{status, textOf(folder.file("stdout.txt")), textOf(folder.file("stderr.txt"))};
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
        EXPECT_EQ(fileBytes(folder.file("b.fbt")), fileBytes(folder.file("a.fbt"))) << format;
        EXPECT_EQ(runProgram({"diff", folder.file("a.fbt"), folder.file("b.fbt")}, folder).status, kExitOk);
    }
    EXPECT_EQ(runProgram({"export", folder.file("a.fbt")}, folder).out,
              runCommand({"export", folder.file("a.fbt")}).out);
}

TEST(Program, ReportsFindingsDifferencesAndErrorsByItsExitStatus) {
    TempFolder folder;
    putTeam(folder.file("a.fbt"), newTeamBytes());
    putTeam(folder.file("b.fbt"), changedTeam());
    std::vector<std::uint8_t> shortFile = fileBytes(folder.file("a.fbt"));
    shortFile.resize(1000);
    putFileBytes(folder.file("short.fbt"), shortFile);
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
