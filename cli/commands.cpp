#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/ansi_text.h"
#include "cli/command_list.h"

namespace {

constexpr std::string_view kCommandNames = "show, export, import, diff and check";

// Everything the command line can give; each command takes its part.
struct CommandLine {
    std::string file;
    std::string other;
    std::string format;
    std::string output;
    std::string into;
    std::string filesFrom;
    std::vector<std::string> files;
    bool league = false;
    bool bom = false;
    bool quiet = false;
};

CLI::App* addCommand(CLI::App& app, const std::string& name, const std::string& description,
                     const std::string& exitStatus) {
    CLI::App* command = app.add_subcommand(name, description);
    command->footer("Exit status: " + exitStatus + ".");
    return command;
}

void addFormat(CLI::App* command, std::string& format, const std::vector<std::string>& formats,
               const std::string& description) {
    command->add_option("--format", format, description)->transform(CLI::IsMember(formats, CLI::ignore_case));
}

// The option that a command-line word names ("-o" of "-ofile", "--format" of "--format=json"); empty
// for a word that is no option.
std::string optionOf(const std::string& word) {
    if (word.size() < 2 || word[0] != '-')
        return {};
    if (word[1] != '-')
        return word.substr(0, 2);
    return word.substr(0, word.find('='));
}

const CLI::Option* optionNamed(const CLI::App& command, const std::string& option) {
    for (const CLI::Option* known : command.get_options()) {
        for (const std::string& name : known->get_lnames())
            if (option == "--" + name)
                return known;
        for (const std::string& name : known->get_snames())
            if (option == "-" + name)
                return known;
    }
    return nullptr;
}

// Whether the option takes a value (a flag takes none).
bool takesValue(const CLI::Option& option) {
    return option.get_items_expected_min() > 0;
}

const CLI::App* commandOf(const CLI::App& app, const std::vector<std::string>& args) {
    for (const CLI::App* candidate : app.get_subcommands({}))
        if (!args.empty() && candidate->get_name() == args[0])
            return candidate;
    return nullptr;
}

// The words with each option's value given as the next word joined to its option ("-o-x.fbt",
// "--output=-x.fbt"), so that the value is taken as it is even when it begins with a dash, as getopt
// takes it.
std::vector<std::string> withValuesJoined(const CLI::App& app, std::vector<std::string> args) {
    const CLI::App* command = commandOf(app, args);
    if (command == nullptr)
        return args;
    for (std::size_t i = 1; i + 1 < args.size() && args[i] != "--"; ++i) {
        const CLI::Option* option = optionNamed(*command, args[i]);
        if (option == nullptr || !takesValue(*option) || !args[i + 1].starts_with('-'))
            continue;
        args[i] += (args[i].starts_with("--") ? "=" : "") + args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    }
    return args;
}

// CLI11 would blame the next word for an option it does not know; this names the option itself.
std::string unknownOption(const CLI::App& app, const std::vector<std::string>& args) {
    const CLI::App* command = commandOf(app, args);
    if (command == nullptr)
        return {};
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
        const std::string option = optionOf(args[i]);
        if (!option.empty() && optionNamed(*command, option) == nullptr)
            return "unknown option " + quotedInput(option) + " for " + args[0] + " (see " +
                   std::string(kProgram) + " " + args[0] + " --help)";
    }
    return {};
}

// Every option and argument of the command names a file or a format: none may be empty (an unset
// variable in a script), or it would be taken as left out.
std::string emptyValue(const CLI::App& command) {
    for (const CLI::Option* option : command.get_options()) {
        const std::vector<std::string>& values = option->results();
        if (takesValue(*option) && std::find(values.begin(), values.end(), "") != values.end())
            return option->get_name() + " is given an empty name: give a file name (or - where it may stand)";
    }
    return {};
}

} // namespace

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    Console io{in, out, err};
    CLI::App app{"Shows, exports, imports, compares and checks Squadwright team files (.fbt).",
                 std::string(kProgram)};
    app.set_version_flag("--version", std::string(kProgram) + " " + SQUADWRIGHT_VERSION);
    app.require_subcommand(1);
    // "/abs/a.fbt" is a file, also on Windows, where CLI11 would otherwise take it for an option.
    app.allow_windows_style_options(false);
    app.footer("Exit status: 0 done, 1 the teams differ or a file has findings, 2 an error.");
    app.failure_message([](const CLI::App*, const CLI::Error& e) {
        return std::string(kProgram) + ": " + e.what() + "\nRun with --help for more information.\n";
    });

    CommandLine line;
    const std::vector<std::string> sheetFormats = {"csv", "json"};
    const std::vector<std::string> reportFormats = {"text", "json"};
    const std::string fileList = "A file that lists team files, one a line (- for standard input)";

    CLI::App* show =
        addCommand(app, "show", "Show a team page by page, with its five colours.", "0 done, 2 an error");
    show->add_option("FILE", line.file, "The team file")->required();

    CLI::App* exporting =
        addCommand(app, "export", "Write a team, or with --league many teams, as a CSV or JSON sheet.",
                   "0 done, 2 an error");
    exporting->add_option("FILE", line.files, "The team file; with --league team files and folders of them");
    exporting->add_flag("--league", line.league, "One sheet of many teams, each row led by its \"File\"");
    exporting->add_option("--files-from", line.filesFrom, fileList + " (with --league)");
    addFormat(exporting, line.format, sheetFormats, "csv (the default) or json, in any letter case");
    exporting->add_flag("--bom", line.bom, "Begin a CSV sheet with a UTF-8 byte order mark, for Excel");
    exporting->add_option("-o,--output", line.output,
                          "The sheet's file (the default, -, is standard output)");

    CLI::App* importing =
        addCommand(app, "import",
                   "Make a team file from a CSV or JSON sheet, or with --league the files of a league sheet.",
                   "0 done, 2 an error");
    importing->add_option("SHEET", line.file, "The CSV or JSON sheet (- for standard input)")->required();
    importing->add_option("-o,--output", line.output, "The team file to write (- for standard output)");
    importing->add_option("--into", line.into, "Start from this team file instead of a new team");
    importing->add_flag("--league", line.league,
                        "Write every team of a league sheet to the file its rows name");
    addFormat(importing, line.format, sheetFormats, "csv or json (by default by SHEET's extension)");

    CLI::App* diff = addCommand(app, "diff", "List the fields and colours in which two teams differ.",
                                "0 the teams are the same, 1 they differ, 2 an error");
    diff->add_option("A", line.file, "The first team file")->required();
    diff->add_option("B", line.other, "The second team file")->required();
    addFormat(diff, line.format, reportFormats, "text (the default) or json");

    CLI::App* check = addCommand(app, "check",
                                 "Report what the editor would do with team files that their author may not "
                                 "expect.",
                                 "0 no findings, 1 a file has findings, 2 an error");
    check->add_option("FILE", line.files, "Team files, and folders of them (every .fbt file in each)");
    check->add_option("--files-from", line.filesFrom, fileList);
    check->add_flag("-q,--quiet", line.quiet, "List only the files with findings");
    addFormat(check, line.format, reportFormats, "text (the default) or json");

    const std::vector<CLI::App*> commands = {show, exporting, importing, diff, check};
    if (!args.empty() && !args[0].starts_with("-") &&
        std::none_of(commands.begin(), commands.end(), [&](CLI::App* c) { return c->get_name() == args[0]; }))
        return fail(io, "unknown command " + quotedInput(args[0]) + " (the commands are " +
                            std::string(kCommandNames) + ")\nRun with --help for more information.");
    const std::vector<std::string> words = withValuesJoined(app, args);
    if (const std::string unknown = unknownOption(app, words); !unknown.empty())
        return fail(io, unknown);

    std::vector<const char*> argv = {kProgram.data()};
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        return app.exit(e, out, err) == 0 ? kExitOk : kExitError;
    }
    for (const CLI::App* command : commands)
        if (command->parsed())
            if (const std::string empty = emptyValue(*command); !empty.empty())
                return fail(io, empty);

    int status = kExitOk;
    if (show->parsed()) {
        status = showTeam(line.file, io);
    } else if (exporting->parsed()) {
        status = exportTeams({line.files, line.filesFrom, line.format.empty() ? "csv" : line.format,
                              line.output.empty() ? std::string(kStandardStream) : line.output, line.league,
                              line.bom},
                             io);
    } else if (importing->parsed()) {
        status = importTeams({line.file, line.format, line.output, line.into, line.league}, io);
    } else if (diff->parsed()) {
        status = diffTeams(line.file, line.other, line.format, io);
    } else {
        status = checkTeamFiles({line.files, line.filesFrom, line.format, line.quiet}, io);
    }

    // Whatever went to standard output must have arrived.
    errno = 0;
    out.flush();
    if (!out && !io.outputFailureReported)
        return fail(io, std::string("cannot write standard output") +
                            (errno != 0 ? ": " + std::string(std::strerror(errno)) : ""));
    return status;
}
