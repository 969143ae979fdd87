#include <CLI/CLI.hpp>
#include <memory>

#include "cli/command_line.h"
#include "cli/cp1252.h"
#include "cli/csv_table.h"
#include "cli/file_commit.h"
#include "cli/file_lists.h"
#include "cli/messages.h"
#include "cli/output_files.h"
#include "cli/platform.h"
#include "cli/run_cli.h"
#include "cli/sheets.h"
#include "cli/team_bytes.h"

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

// A name that JSON cannot hold as it is (bytes that are not UTF-8, which JSON would turn into
// U+FFFD and so into the name of another file); a CSV sheet keeps a name's bytes as they are.
std::string unexportableName(const std::vector<std::string>& files, const ExportOptions& options) {
    if (options.format != "json")
        return {};
    for (const std::string& file : files)
        if (!isUtf8(file))
            return "cannot export " + quotedPath(file) +
                   " into a JSON sheet: its name is not UTF-8 text, which JSON holds only as the name of "
                   "another file; rename it, or export the league as CSV, which keeps a name's bytes";
    return {};
}

int exportTeams(const ExportOptions& options, Console& io) {
    if (options.bom && options.format != "csv")
        return fail(io, "--bom goes with CSV: a JSON file never starts with a byte order mark");
    std::string problem;
    const std::vector<std::string> files = exportedFiles(options, io, problem);
    if (!problem.empty())
        return fail(io, problem);
    if (std::string refused = unexportableName(files, options); !refused.empty())
        return fail(io, refused);
    std::vector<std::string> inputs = files;
    if (!options.filesFrom.empty())
        inputs.push_back(options.filesFrom);
    if (std::string refused = checkOutput(options.output, inputs); !refused.empty())
        return fail(io, refused);

    const auto make = [&](std::ostream& out) {
        return options.league ? exportLeague(files, options, io, out) : exportOne(options, io, out);
    };
    if (options.output == kStandardStream)
        return make(io.out) ? kExitOk : kExitError;
    // The file gets the whole sheet or nothing: it is written beside its place first.
    setInterruptionMessage("interrupted: nothing was written");
    FileCommit commit(io);
    FileState before;
    if (!prepareOutput(options.output, commit, before))
        return kExitError;
    if (const FileResult staged = commit.stageWritten(options.output, make, before); !staged.ok)
        return staged.reason.empty() ? kExitError
                                     : fail(io, fileProblem("cannot write", options.output, staged));
    if (commit.commit([](std::size_t) {}) > 0)
        return kExitError;
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
