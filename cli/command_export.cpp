#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/ansi_text.h"
#include "cli/command_list.h"
#include "cli/file_lists.h"
#include "cli/team_formats.h"

namespace {

using nlohmann::ordered_json;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

ordered_json differenceJson(const TeamDifference& difference) {
    ordered_json entry;
    if (difference.slot < 0) {
        entry["color"] = colorKey(difference.color);
        entry["a"] = difference.before;
        entry["b"] = difference.after;
        return entry;
    }
    entry["slot"] = SlotTable[difference.slot].label;
    entry["field"] = fieldKey(difference.field);
    if (isSpinnerField(difference.field)) {
        entry["a"] = numericValue(difference.before);
        entry["b"] = numericValue(difference.after);
    } else {
        entry["a"] = ansiToUtf8(difference.before);
        entry["b"] = ansiToUtf8(difference.after);
    }
    return entry;
}

void writeDifferencesJson(const std::string& pathA, const std::string& pathB,
                          const std::vector<TeamDifference>& differences, std::ostream& out) {
    ordered_json report;
    report["format"] = "squadwright-diff";
    report["version"] = 1;
    report["a"] = pathA;
    report["b"] = pathB;
    report["differences"] = ordered_json::array();
    for (const TeamDifference& difference : differences)
        report["differences"].push_back(differenceJson(difference));
    out << report.dump(2, ' ', false, ordered_json::error_handler_t::replace) << '\n';
}

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

} // namespace

int showTeam(const std::string& path, Console& io) {
    TeamInMemory team;
    if (!loadTeam(team, path, io))
        return kExitError;
    writeTeamTable(team.doc, io.out);
    return kExitOk;
}

int diffTeams(const std::string& pathA, const std::string& pathB, const std::string& format, Console& io) {
    TeamInMemory a;
    TeamInMemory b;
    if (!loadTeam(a, pathA, io) || !loadTeam(b, pathB, io))
        return kExitError;
    const std::vector<TeamDifference> differences = teamDifferences(a.doc, b.doc);
    if (format == "json")
        writeDifferencesJson(pathA, pathB, differences, io.out);
    else
        for (const TeamDifference& difference : differences)
            io.out << differenceLine(difference) << '\n';
    return differences.empty() ? kExitOk : kExitFound;
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
