// A command of squadwright-cli as the table in run_cli.cpp lists it: its name, and how it declares
// its options and runs. Each command keeps what its command line gives in its own options.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/messages.h"
#include "cli/run_cli.h"

namespace CLI {
class App;
}

// Runs the command with what its command line gave.
using CommandRun = std::function<int(Console& io)>;

struct Command {
    std::string_view name;
    // Declares the command's description, options and arguments on its subcommand, bound to options
    // of its own that the returned function runs with.
    CommandRun (*declare)(CLI::App& command);
};

// The command's line in the program's --help, and the exit statuses in its own.
void describeCommand(CLI::App& command, const std::string& description, const std::string& exitStatus);
// The formats of export's and import's sheets, and of diff's and check's reports.
inline const std::vector<std::string> kSheetFormats = {"csv", "json"};
inline const std::vector<std::string> kReportFormats = {"text", "json"};

// --format, one of formats in any letter case (given as it is in formats).
void addFormat(CLI::App& command, std::string& format, const std::vector<std::string>& formats,
               const std::string& description);
// "csv" or "json" by the file name's extension, ignoring case; empty for anything else.
std::string formatByExtension(const std::string& path);
// --files-from LIST; note says more about when it applies.
void addFilesFrom(CLI::App& command, std::string& listFile, const std::string& note);

CommandRun declareShow(CLI::App& command);
CommandRun declareExport(CLI::App& command);
CommandRun declareImport(CLI::App& command);
CommandRun declareDiff(CLI::App& command);
CommandRun declareCheck(CLI::App& command);
