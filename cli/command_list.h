// The commands behind runCli, each with what its command line gave.
#pragma once

#include <string>
#include <vector>

#include "cli/command_support.h"
#include "cli/commands.h"

int showTeam(const std::string& path, Console& io);

// format: "text" or "json".
int diffTeams(const std::string& pathA, const std::string& pathB, const std::string& format, Console& io);

struct ExportOptions {
    std::vector<std::string> files; // one team file, or with league the league's
    std::string filesFrom;
    std::string format; // "csv" or "json"
    std::string output; // "-" for standard output
    bool league = false;
    bool bom = false;
};
int exportTeams(const ExportOptions& options, Console& io);

struct ImportOptions {
    std::string sheet;  // "-" for standard input
    std::string format; // "csv", "json", or empty to tell by the sheet's extension
    std::string output; // one team's file, "-" for standard output
    std::string into;   // the team to start from instead of a new one
    bool league = false;
};
int importTeams(const ImportOptions& options, Console& io);

struct CheckOptions {
    std::vector<std::string> files;
    std::string filesFrom;
    std::string format; // "text" or "json"
    bool quiet = false;
};
int checkTeamFiles(const CheckOptions& options, Console& io);
