#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <unordered_map>

#include "cli/command_line.h"
#include "cli/file_commit.h"
#include "cli/input_files.h"
#include "cli/messages.h"
#include "cli/output_files.h"
#include "cli/platform.h"
#include "cli/quoting.h"
#include "cli/run_cli.h"
#include "cli/sheets.h"
#include "cli/team_bytes.h"
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

// Builds the team and says its warnings.
BuiltTeam buildAndWarn(const TeamInput& input, const TeamFileRead* base, const std::string& source,
                       const WarningOptions& warnings, Console& io) {
    BuiltTeam built = buildTeam(input, base, source, warnings);
    for (const std::string& warning : built.warnings)
        warn(io, warning);
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
    FileCommit commit(io);
    FileState before;
    if (!prepareOutput(options.output, commit, before))
        return kExitError;
    std::string text;
    if (std::string problem = readInputText(options.sheet, kTeamInputLimit, io, text); !problem.empty())
        return fail(io, problem);
    std::istringstream sheet(std::move(text));
    const TeamInputResult parsed =
        format == "json" ? parseTeamJson(sheet, options.sheet) : parseTeamCsv(sheet, options.sheet);
    if (!parsed.ok)
        return fail(io, parsed.error);

    TeamFileRead base;
    if (!options.into.empty()) {
        base = readTeamFile(utf8Path(options.into));
        if (!base.result.ok)
            return fail(io, fileProblem("cannot read", options.into, base.result, false));
        warnOfSize(options.into, base.prefix.size, io);
    }
    const bool fromBase = !options.into.empty();
    const BuiltTeam built =
        buildAndWarn(parsed.input, fromBase ? &base : nullptr, options.sheet, {!fromBase, {}}, io);
    setInterruptionMessage("interrupted: nothing was written");
    const std::string_view bytes(reinterpret_cast<const char*>(built.bytes.data()), built.bytes.size());
    if (!writeOutput(options.output, bytes, before, commit, io))
        return kExitError;
    const std::string target =
        options.output == kStandardStream ? "standard output" : quotedPath(options.output);
    io.err << kProgram << ": wrote " << target << " ("
           << changesText(built.changes, fromBase ? quotedPath(options.into) : "the new team") << ")\n";
    return kExitOk;
}

// Why a league's row cannot write its file, or nothing. A sheet may come from anyone, so a row
// writes a team file only: a name ending in .fbt, and either an existing regular file of a team
// file's size or a new file in an existing folder. Anything else (a document, a folder, a device)
// is never touched.
std::string leagueTargetProblem(const std::string& file, const std::string& sheet) {
    const fs::path path = utf8Path(file);
    if (!equalsIgnoringCase(utf8Text(path.extension()), ".fbt") || path.stem().empty())
        return quotedPath(file) + " is not a team file's name: a league's \"File\" names a .fbt file";
    if (std::string unsafe = unsafeFileName(path.filename()); !unsafe.empty())
        return quotedPath(file) + " cannot name a team file: " + unsafe;
    FileStatus status;
    if (const FileResult examined = fileStatus(path, status); !examined.ok)
        return fileProblem("cannot write", file, examined, false);
    if (status.type == fs::file_type::not_found) {
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        FileStatus holding;
        if (fileStatus(folder, holding).ok && holding.type == fs::file_type::directory)
            return {};
        return "cannot write " + quotedPath(file) + ": its folder " + quotedPath(utf8Text(folder)) +
               (holding.type == fs::file_type::not_found ? " does not exist" : " is not a folder");
    }
    if (status.type != fs::file_type::regular)
        return "cannot write " + quotedPath(file) + ": it is not a regular file but " +
               (status.type == fs::file_type::directory ? "a folder" : "a device, a pipe or the like");
    if (status.size != layout::kTeamFileSize)
        return "cannot write " + quotedPath(file) + ": it holds " + std::to_string(status.size) +
               " bytes, and a team file " + std::to_string(layout::kTeamFileSize) +
               ": a file that may be something else is never written over";
    if (sheet != kStandardStream && sameFile(path, utf8Path(sheet)))
        return "cannot write " + quotedPath(file) + ": it is the sheet itself";
    return {};
}

// A league's team as read: its file's bytes and state (none for a new file). False after saying why
// it cannot be read.
struct LeagueBase {
    bool exists = false;
    FileState state;
    TeamFileRead read;
};

bool readLeagueBase(const std::string& file, const std::string& where, LeagueBase& base, Console& io) {
    const fs::path path = utf8Path(file);
    FileState after;
    if (const FileResult examined = fileStateOf(path, base.state); !examined.ok) {
        fail(io, where + fileProblem("cannot read", file, examined, false));
        return false;
    }
    base.exists = base.state.exists;
    if (!base.exists)
        return true;
    base.read = readTeamFile(path);
    if (!base.read.result.ok) {
        fail(io, where + fileProblem("cannot read", file, base.read.result, false));
        return false;
    }
    if (!fileStateOf(path, after).ok || after != base.state ||
        base.read.prefix.delivered != layout::kTeamFileSize) {
        fail(io, where + quotedPath(file) + " changed while it was read (another program is writing it)");
        return false;
    }
    return true;
}

// What the commit reports of each team it writes.
struct WrittenTeam {
    std::size_t changes = 0;
    bool isNew = false;
};

int importLeague(const ImportOptions& options, const std::string& format, Console& io) {
    if (!options.output.empty() || !options.into.empty())
        return fail(io,
                    "import --league writes each team to the file that the sheet names: it takes neither -o "
                    "nor --into");
    FileInput file;
    if (options.sheet != kStandardStream)
        if (const FileResult opened = file.open(utf8Path(options.sheet)); !opened.ok)
            return fail(io, fileProblem("cannot read", options.sheet, opened));
    std::istream fromFile(&file);
    std::istream& sheet = options.sheet == kStandardStream ? io.in : fromFile;
    LeagueInputResult parsed =
        format == "json" ? parseLeagueJson(sheet, options.sheet) : parseLeagueCsv(sheet, options.sheet);
    if (!file.failure().ok)
        return fail(io, fileProblem("cannot read", options.sheet, file.failure()));
    if (io.in.bad() && options.sheet == kStandardStream)
        return fail(io, "cannot read standard input");
    if (!parsed.ok)
        return fail(io, parsed.error);

    // Every row is checked before any folder is touched. Two rows must not name one file, under
    // whatever spelling, letter case (where the file system ignores it) or hard link: the identity of
    // what the system opens is compared.
    std::unordered_map<std::string, const LeagueTeamInput*> seen;
    bool valid = true;
    for (const LeagueTeamInput& team : parsed.teams) {
        const std::string where = placeText(options.sheet, team.place) + ": ";
        if (std::string refused = leagueTargetProblem(team.file, options.sheet); !refused.empty()) {
            fail(io, where + refused);
            valid = false;
            continue;
        }
        const auto [first, added] = seen.try_emplace(fileIdentity(utf8Path(team.file)), &team);
        if (!added) {
            fail(io, where + quotedPath(team.file) + " is the same file as " +
                         quotedPath(first->second->file) + " at " +
                         placeText(options.sheet, first->second->place));
            valid = false;
        }
    }
    if (!valid)
        return fail(io, "nothing was written: every team of the sheet must be valid first");
    seen.clear();

    setInterruptionMessage("interrupted: nothing was written");
    FileCommit commit(io);
    for (const LeagueTeamInput& team : parsed.teams)
        if (std::string locked = commit.lockFolderOf(team.file); !locked.empty())
            return fail(io, locked);
    std::vector<WrittenTeam> written;
    std::size_t unchanged = 0;
    std::size_t unwritable = 0;
    for (LeagueTeamInput& team : parsed.teams) {
        LeagueBase base;
        if (!readLeagueBase(team.file, placeText(options.sheet, team.place) + ": ", base, io)) {
            valid = false;
            continue;
        }
        const BuiltTeam built = buildAndWarn(team.input, base.exists ? &base.read : nullptr, options.sheet,
                                             {!base.exists, team.file}, io);
        team.input = {};
        if (base.exists && std::equal(built.bytes.begin(), built.bytes.end(), base.read.bytes.begin())) {
            ++unchanged;
            continue;
        }
        if (!valid)
            continue;
        const FileResult staged =
            commit.stage(team.file, built.bytes, base.state,
                         base.exists ? base.read.delivered() : std::span<const std::uint8_t>());
        if (!staged.ok) {
            ++unwritable;
            fail(io, fileProblem("cannot write", team.file, staged, false));
            continue;
        }
        written.push_back({built.changes, !base.exists});
    }
    if (!valid)
        return fail(io, "nothing was written: every team of the sheet must be valid first");
    if (unwritable > 0)
        return fail(io,
                    "nothing was written: " + std::to_string(unwritable) +
                        (unwritable == 1 ? " team file cannot be written" : " team files cannot be written"));

    std::size_t done = 0;
    const std::size_t notWritten = commit.commit([&](std::size_t index) {
        ++done;
        io.err << kProgram << ": wrote " << quotedPath(commit.name(index)) << " ("
               << changesText(written[index].changes, written[index].isNew ? "the new team" : "its file")
               << ")\n";
    });
    io.err << kProgram << ": " << shownPath(options.sheet) << ": " << done
           << (done == 1 ? " team file written, " : " team files written, ") << unchanged << " unchanged"
           << (notWritten > 0 ? ", " + std::to_string(notWritten) + " not written" : "") << '\n';
    return notWritten > 0 ? kExitError : kExitOk;
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
