#include "cli/run_cli.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/command_line.h"
#include "cli/messages.h"
#include "cli/quoting.h"

namespace {

constexpr Command kCommands[] = {
    {"show", declareShow}, {"export", declareExport}, {"import", declareImport},
    {"diff", declareDiff}, {"check", declareCheck},
};

// "show, export, import, diff and check"
std::string commandNames() {
    std::string names;
    for (const Command& command : kCommands) {
        const bool last = &command == std::end(kCommands) - 1;
        names += (names.empty() ? "" : last ? " and " : ", ") + std::string(command.name);
    }
    return names;
}

bool isCommand(const std::string& word) {
    return std::any_of(std::begin(kCommands), std::end(kCommands),
                       [&](const Command& command) { return command.name == word; });
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

// Whether the option takes a value (a flag takes none).
bool takesValue(const CLI::Option& option) {
    return option.get_items_expected_min() > 0;
}

// CLI11 keeps the words that the chosen command cannot place, unknown options among them, and blames
// them only after its other checks (a missing argument, help) and without saying which is an option.
// The first unknown option before any "--", named as a getopt-like program names it; empty when none.
std::string unknownOption(const CLI::App& app) {
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    if (chosen.empty())
        return {};
    const std::string name = chosen.front()->get_name();
    for (const std::string& word : chosen.front()->remaining()) {
        if (word == "--")
            break;
        if (const std::string option = optionOf(word); !option.empty())
            return "unknown option " + quotedInput(option) + " for " + name + " (see " +
                   std::string(kProgram) + " " + name + " --help)";
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

// The words after "--" are arguments, whatever they begin with (check a.fbt -- -d.fbt). CLI11 takes
// "--" so only while an argument still lacks its first value, so those words reach it under
// stand-ins that cannot be options, and are put back in place of them once it has parsed.
constexpr std::string_view kStandIn = "\x01squadwright-cli argument ";

std::vector<std::string> withStandIns(const std::vector<std::string>& args,
                                      std::vector<std::string>& marked) {
    const auto mark = std::find(args.begin(), args.end(), "--");
    if (mark == args.end() || mark == args.begin())
        return args;
    marked.assign(mark + 1, args.end());
    std::vector<std::string> words(args.begin(), mark);
    for (std::size_t i = 0; i < marked.size(); ++i)
        words.push_back(std::string(kStandIn) + std::to_string(i));
    return words;
}

void putBack(CLI::App& command, const std::vector<std::string>& marked) {
    for (CLI::Option* option : command.get_options()) {
        std::vector<std::string> results = option->results();
        bool changed = false;
        for (std::string& result : results)
            if (result.starts_with(kStandIn)) {
                result = marked[std::stoul(result.substr(kStandIn.size()))];
                changed = true;
            }
        if (!changed)
            continue;
        option->clear();
        for (std::string& result : results)
            option->add_result(std::move(result));
        option->run_callback();
    }
}

struct DeclaredCommand {
    CLI::App* app;
    CommandRun run;
};

// A text of CLI11's with the words that stand-ins stood for.
std::string withWordsBack(std::string text, const std::vector<std::string>& marked) {
    for (std::size_t at = text.find(kStandIn); at != std::string::npos; at = text.find(kStandIn, at)) {
        std::size_t end = at + kStandIn.size();
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        const std::string& word =
            marked[std::stoul(text.substr(at + kStandIn.size(), end - at - kStandIn.size()))];
        text.replace(at, end - at, word);
        at += word.size();
    }
    return text;
}

void setUp(CLI::App& app, const std::vector<std::string>& marked) {
    app.set_version_flag("--version", std::string(kProgram) + " " + SQUADWRIGHT_VERSION);
    app.require_subcommand(1);
    // "/abs/a.fbt" is a file, also on Windows, where CLI11 would otherwise take it for an option.
    app.allow_windows_style_options(false);
    app.footer("Exit status: 0 done, 1 the teams differ or a file has findings, 2 an error.");
    app.failure_message([&marked](const CLI::App*, const CLI::Error& e) {
        return std::string(kProgram) + ": " + withWordsBack(e.what(), marked) +
               "\nRun with --help for more information.\n";
    });
}

// Runs the command that the command line chose, once its values are checked.
int runParsed(const std::vector<DeclaredCommand>& commands, Console& io) {
    const auto chosen = std::find_if(commands.begin(), commands.end(),
                                     [](const DeclaredCommand& command) { return command.app->parsed(); });
    if (const std::string empty = emptyValue(*chosen->app); !empty.empty())
        return fail(io, empty);
    return chosen->run(io);
}

// The command's status, unless what went to standard output did not arrive.
int outputChecked(int status, Console& io) {
    errno = 0;
    io.out.flush();
    if (!io.out && !io.outputFailureReported)
        return fail(io, std::string("cannot write standard output") +
                            (errno != 0 ? ": " + std::string(std::strerror(errno)) : ""));
    return status;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    Console io{in, out, err};
    CLI::App app{"Shows, exports, imports, compares and checks Squadwright team files (.fbt).",
                 std::string(kProgram)};
    std::vector<std::string> marked;
    const std::vector<std::string> words = withStandIns(args, marked);
    setUp(app, marked);
    std::vector<DeclaredCommand> commands;
    for (const Command& command : kCommands) {
        CLI::App* declared = app.add_subcommand(std::string(command.name));
        commands.push_back({declared, command.declare(*declared)});
    }

    if (!args.empty() && !args[0].starts_with("-") && !isCommand(args[0]))
        return fail(io, "unknown command " + quotedInput(args[0]) + " (the commands are " + commandNames() +
                            ")\nRun with --help for more information.");
    std::vector<const char*> argv = {kProgram.data()};
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
        for (const DeclaredCommand& command : commands)
            if (command.app->parsed())
                putBack(*command.app, marked);
    } catch (const CLI::ParseError& e) {
        if (const std::string unknown = unknownOption(app); !unknown.empty())
            return fail(io, unknown);
        return app.exit(e, out, err) == 0 ? kExitOk : kExitError;
    }
    return outputChecked(runParsed(commands, io), io);
}
