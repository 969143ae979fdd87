#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <unordered_map>

#include "cli/ansi_text.h"
#include "cli/command.h"
#include "cli/team_formats.h"
#include "cli/team_text.h"
#include "teamfile/reader.h"

namespace fs = std::filesystem;

namespace {

struct ImportOptions {
    std::string sheet;  // "-" for standard input
    std::string format; // "csv", "json", or empty to tell by the sheet's extension
    std::string output; // one team's file, "-" for standard output
    std::string into;   // the team to start from instead of a new one
    bool league = false;
};

// A team saved from its input: the file's bytes and how many fields and colours differ from the team
// it started from.
struct BuiltTeam {
    TeamFileBytes bytes{};
    std::size_t changes = 0;
};

// The team an import starts from: a new one, or the team that base's bytes hold as the editor reads
// them.
void startTeam(TeamInMemory& team, const TeamFileRead* base) {
    if (base != nullptr)
        decodeTeamRead(team.doc, *base);
}

BuiltTeam buildTeam(const TeamInput& input, const TeamFileRead* base, const std::string& source,
                    const WarningOptions& warnings, Console& io) {
    TeamInMemory team;
    startTeam(team, base);
    applyTeamInput(team.doc, input);
    BuiltTeam built{encodeTeam(team.doc)};
    for (const std::string& warning : importWarnings(input, built.bytes, source, warnings))
        warn(io, warning);
    TeamInMemory before;
    startTeam(before, base);
    TeamInMemory after;
    decodeTeam(after.doc, built.bytes);
    built.changes = teamDifferences(before.doc, after.doc).size();
    return built;
}

std::string changesText(std::size_t changes, const std::string& from) {
    if (changes == 0)
        return "no change from " + from;
    return std::to_string(changes) + (changes == 1 ? " change from " : " changes from ") + from;
}

// The sheet's format: as given, or by the sheet's extension.
std::string sheetFormat(const ImportOptions& options, std::string& problem) {
    if (!options.format.empty())
        return options.format;
    if (options.sheet == kStandardStream)
        problem = "give --format csv or --format json for standard input";
    else if (formatByExtension(options.sheet).empty())
        problem = "cannot tell whether " + quotedPath(options.sheet) +
                  " is CSV or JSON from its name: give --format csv or --format json";
    return formatByExtension(options.sheet);
}

int importOne(const ImportOptions& options, const std::string& format, Console& io) {
    if (options.output.empty())
        return fail(io, "import needs -o FILE, the team file to write (-o - for standard output)");
    if (std::string refused = checkOutput(options.output, {options.sheet}); !refused.empty())
        return fail(io, refused);
    std::string text;
    if (std::string problem = readInputText(options.sheet, kTeamInputLimit, io, text); !problem.empty())
        return fail(io, problem);
    const TeamInputResult parsed =
        format == "json" ? parseTeamJson(text, options.sheet) : parseTeamCsv(text, options.sheet);
    if (!parsed.ok)
        return fail(io, parsed.error);

    TeamFileRead base;
    if (!options.into.empty()) {
        base = readTeamBytes(options.into);
        if (!base.result.ok)
            return fail(io, fileProblem("cannot read", options.into, base.result));
        warnOfSize(options.into, base.prefix.size, io);
    }
    const bool fromBase = !options.into.empty();
    const BuiltTeam built =
        buildTeam(parsed.input, fromBase ? &base : nullptr, options.sheet, {!fromBase, {}}, io);
    const std::string_view bytes(reinterpret_cast<const char*>(built.bytes.data()), built.bytes.size());
    if (FileResult written = writeOutput(options.output, bytes, io); !written.ok)
        return fail(io, fileProblem("cannot write", options.output, written));
    const std::string target =
        options.output == kStandardStream ? "standard output" : quotedPath(options.output);
    io.err << kProgram << ": wrote " << target << " ("
           << changesText(built.changes, fromBase ? quotedPath(options.into) : "the new team") << ")\n";
    return kExitOk;
}

// A league team ready to be written, and whether its file already holds exactly these bytes.
struct PlannedTeam {
    std::string file;
    BuiltTeam built;
    bool unchanged = false;
    StagedFile staged;
};

// Reads a team's file (when it exists) and builds the team from it; false after saying why it
// cannot be written.
bool planTeam(LeagueTeamInput& team, const ImportOptions& options, Console& io,
              std::vector<PlannedTeam>& plan) {
    const std::string where = placeText(options.sheet, team.place) + ": ";
    if (std::string refused = checkOutputFile(team.file, {options.sheet}); !refused.empty()) {
        fail(io, where + refused);
        return false;
    }
    FileStatus status;
    const bool exists = fileStatus(utf8Path(team.file), status).ok && status.type != fs::file_type::not_found;
    TeamFileRead base;
    if (exists) {
        base = readTeamBytes(team.file);
        if (!base.result.ok) {
            fail(io, where + fileProblem("cannot read", team.file, base.result));
            return false;
        }
        warnOfSize(team.file, base.prefix.size, io);
    }
    PlannedTeam planned{
        team.file,
        buildTeam(team.input, exists ? &base : nullptr, options.sheet, {!exists, team.file}, io),
        false,
        {}};
    planned.unchanged =
        exists && base.prefix.size == layout::kTeamFileSize &&
        std::equal(planned.built.bytes.begin(), planned.built.bytes.end(), base.bytes.begin());
    team.input = {};
    plan.push_back(std::move(planned));
    return true;
}

// Two rows of the sheet must not name one file, whether under two spellings, in two letter cases
// where the file system ignores case, or through two hard links.
bool namesFilesOnce(const std::vector<LeagueTeamInput>& teams, const std::string& sheet, Console& io) {
    std::unordered_map<std::string, const LeagueTeamInput*> seen;
    bool once = true;
    for (const LeagueTeamInput& team : teams) {
        const auto [first, added] = seen.try_emplace(fileIdentity(utf8Path(team.file)), &team);
        if (!added) {
            fail(io, placeText(sheet, team.place) + ": " + quotedPath(team.file) + " is the same file as " +
                         quotedPath(first->second->file) + " at " + placeText(sheet, first->second->place));
            once = false;
        }
    }
    return once;
}

// Writes every changed team to a temporary file beside its target; false, with every temporary file
// removed and each problem said, when any of them cannot be written.
bool stagePlan(std::vector<PlannedTeam>& plan, Console& io) {
    std::size_t failed = 0;
    for (PlannedTeam& team : plan) {
        if (team.unchanged)
            continue;
        const FileResult staged = stageFileContents(utf8Path(team.file), team.built.bytes, team.staged);
        if (!staged.ok) {
            ++failed;
            fail(io, fileProblem("cannot write", team.file, staged));
        }
    }
    if (failed == 0)
        return true;
    for (PlannedTeam& team : plan)
        discardStagedFile(team.staged);
    fail(io, "nothing was written: " + std::to_string(failed) +
                 (failed == 1 ? " team file cannot be written" : " team files cannot be written"));
    return false;
}

// Moves every staged team over its file. A move that fails here (a fault of the system, after every
// file was written in full) leaves that file as it was; each file is said to be written or not.
int commitPlan(std::vector<PlannedTeam>& plan, const ImportOptions& options, Console& io) {
    std::size_t written = 0;
    std::size_t unchanged = 0;
    std::size_t failed = 0;
    for (PlannedTeam& team : plan) {
        if (team.unchanged) {
            ++unchanged;
            continue;
        }
        const FileResult result = commitStagedFile(team.staged);
        if (!result.ok) {
            ++failed;
            fail(io, fileProblem("cannot write", team.file, result) + " (the file is as it was)");
            continue;
        }
        ++written;
        io.err << kProgram << ": wrote " << quotedPath(team.file) << " ("
               << changesText(team.built.changes, "its file") << ")\n";
    }
    io.err << kProgram << ": " << shownPath(options.sheet) << ": " << written << " team files written, "
           << unchanged << " unchanged" << (failed > 0 ? ", " + std::to_string(failed) + " not written" : "")
           << '\n';
    return failed > 0 ? kExitError : kExitOk;
}

int importLeague(const ImportOptions& options, const std::string& format, Console& io) {
    if (!options.output.empty() || !options.into.empty())
        return fail(io,
                    "import --league writes each team to the file that the sheet names: it takes neither -o "
                    "nor --into");
    std::string text;
    if (std::string problem = readInputText(options.sheet, kLeagueInputLimit, io, text); !problem.empty())
        return fail(io, problem);
    LeagueInputResult parsed =
        format == "json" ? parseLeagueJson(text, options.sheet) : parseLeagueCsv(text, options.sheet);
    text.clear();
    if (!parsed.ok)
        return fail(io, parsed.error);
    bool valid = namesFilesOnce(parsed.teams, options.sheet, io);
    std::vector<PlannedTeam> plan;
    for (LeagueTeamInput& team : parsed.teams)
        valid = planTeam(team, options, io, plan) && valid;
    if (!valid)
        return fail(io, "nothing was written: every team of the sheet must be valid first");
    if (!stagePlan(plan, io))
        return kExitError;
    return commitPlan(plan, options, io);
}

int importTeams(const ImportOptions& options, Console& io) {
    std::string problem;
    const std::string format = sheetFormat(options, problem);
    if (!problem.empty())
        return fail(io, problem);
    return options.league ? importLeague(options, format, io) : importOne(options, format, io);
}

} // namespace

CommandRun declareImport(CLI::App& command) {
    describeCommand(
        command, "Make a team file from a CSV or JSON sheet, or with --league the files of a league sheet.",
        "0 done, 2 an error");
    const auto options = std::make_shared<ImportOptions>();
    command.add_option("SHEET", options->sheet, "The CSV or JSON sheet (- for standard input)")->required();
    command.add_option("-o,--output", options->output, "The team file to write (- for standard output)");
    command.add_option("--into", options->into, "Start from this team file instead of a new team");
    command.add_flag("--league", options->league,
                     "Write every team of a league sheet to the file its rows name");
    addFormat(command, options->format, kSheetFormats, "csv or json (by default by SHEET's extension)");
    return [options](Console& io) { return importTeams(*options, io); };
}
