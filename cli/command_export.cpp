#include <CLI/CLI.hpp>
#include <memory>
#include <sstream>

#include "cli/command.h"
#include "cli/csv_table.h"
#include "cli/file_lists.h"
#include "cli/team_formats.h"

namespace {

struct ExportOptions {
    std::vector<std::string> files; // one team file, or with league the league's
    std::string filesFrom;
    std::string format = "csv";
    std::string output{kStandardStream};
    bool league = false;
    bool bom = false;
};

// One team as its sheet.
bool exportOne(const ExportOptions& options, Console& io, std::ostream& out) {
    TeamInMemory team;
    if (!loadTeam(team, options.files[0], io))
        return false;
    if (options.format == "json") {
        writeTeamJson(team.doc, out);
        return true;
    }
    out << (options.bom ? kUtf8Mark : "");
    writeCsvHeader(out, false);
    writeTeamCsvRows(team.doc, out);
    return true;
}

// Every team of the league, one after the other, each read only while it is written.
bool exportLeague(const std::vector<std::string>& files, const ExportOptions& options, Console& io,
                  std::ostream& out) {
    const bool json = options.format == "json";
    if (json)
        writeLeagueJsonStart(out);
    else
        writeCsvHeader(out << (options.bom ? kUtf8Mark : ""), true);
    for (std::size_t i = 0; i < files.size(); ++i) {
        TeamInMemory team;
        if (!loadTeam(team, files[i], io))
            return false;
        if (json)
            writeLeagueJsonTeam(files[i], team.doc, i == 0, out);
        else
            writeTeamCsvRows(team.doc, out, &files[i]);
    }
    if (json)
        writeLeagueJsonEnd(out);
    return true;
}

std::vector<std::string> exportedFiles(const ExportOptions& options, Console& io, std::string& problem) {
    if (!options.league) {
        if (options.files.size() != 1 || !options.filesFrom.empty())
            problem = "export takes one team file (give --league to export many into one sheet)";
        return options.files;
    }
    FileList list = teamFileList(options.files, options.filesFrom, io);
    problem = list.error;
    return list.files;
}

int exportTeams(const ExportOptions& options, Console& io) {
    if (options.bom && options.format != "csv")
        return fail(io, "--bom goes with CSV: a JSON file never starts with a byte order mark");
    std::string problem;
    const std::vector<std::string> files = exportedFiles(options, io, problem);
    if (!problem.empty())
        return fail(io, problem);
    if (std::string refused = checkOutput(options.output, files); !refused.empty())
        return fail(io, refused);

    // A file gets the whole sheet or nothing; standard output gets it as it is made.
    const bool toFile = options.output != kStandardStream;
    std::ostringstream sheet;
    std::ostream& out = toFile ? sheet : io.out;
    const bool made = options.league ? exportLeague(files, options, io, out) : exportOne(options, io, out);
    if (!made)
        return kExitError;
    if (!toFile)
        return kExitOk;
    const FileResult written = writeOutput(options.output, sheet.view(), io);
    if (!written.ok)
        return fail(io, fileProblem("cannot write", options.output, written));
    io.err << kProgram << ": wrote " << quotedPath(options.output) << " (" << files.size()
           << (files.size() == 1 ? " team" : " teams") << ")\n";
    return kExitOk;
}

} // namespace

CommandRun declareExport(CLI::App& command) {
    describeCommand(command, "Write a team, or with --league many teams, as a CSV or JSON sheet.",
                    "0 done, 2 an error");
    const auto options = std::make_shared<ExportOptions>();
    command.add_option("FILE", options->files, "The team file; with --league team files and folders of them");
    command.add_flag("--league", options->league, "One sheet of many teams, each row led by its \"File\"");
    addFilesFrom(command, options->filesFrom, " (with --league)");
    addFormat(command, options->format, kSheetFormats, "csv (the default) or json, in any letter case");
    command.add_flag("--bom", options->bom, "Begin a CSV sheet with a UTF-8 byte order mark, for Excel");
    command.add_option("-o,--output", options->output,
                       "The sheet's file (the default, -, is standard output)");
    return [options](Console& io) { return exportTeams(*options, io); };
}
