#include <CLI/CLI.hpp>
#include <memory>

#include "cli/command_line.h"
#include "cli/messages.h"
#include "cli/run_cli.h"
#include "cli/team_bytes.h"
#include "cli/team_table.h"

namespace {

struct ShowOptions {
    std::string file;
};

int showTeam(const ShowOptions& options, Console& io) {
    TeamInMemory team;
    if (!loadTeam(team, options.file, io))
        return kExitError;
    writeTeamTable(team.doc, io.out);
    return kExitOk;
}

} // namespace

CommandRun declareShow(CLI::App& command) {
    describeCommand(command, "Show a team page by page, with its five colours.", "0 done, 2 an error");
    const auto options = std::make_shared<ShowOptions>();
    command.add_option("FILE", options->file, "The team file")->required();
    return [options](Console& io) { return showTeam(*options, io); };
}
