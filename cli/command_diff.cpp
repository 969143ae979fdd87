#include <CLI/CLI.hpp>
#include <memory>

#include "cli/command_line.h"
#include "cli/cp1252.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/run_cli.h"
#include "cli/team_bytes.h"
#include "cli/team_differences.h"
#include "cli/team_names.h"

namespace {

using nlohmann::ordered_json;

struct DiffOptions {
    std::string fileA;
    std::string fileB;
    std::string format; // "text" (or empty) or "json"
};

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
    out << jsonText(report, 2) << '\n';
}

int diffTeams(const DiffOptions& options, Console& io) {
    TeamInMemory a;
    TeamInMemory b;
    if (!loadTeam(a, options.fileA, io) || !loadTeam(b, options.fileB, io))
        return kExitError;
    const std::vector<TeamDifference> differences = teamDifferences(a.doc, b.doc);
    if (options.format == "json")
        writeDifferencesJson(options.fileA, options.fileB, differences, io.out);
    else
        for (const TeamDifference& difference : differences)
            io.out << differenceLine(difference) << '\n';
    return differences.empty() ? kExitOk : kExitFound;
}

} // namespace

CommandRun declareDiff(CLI::App& command) {
    describeCommand(command, "List the fields and colours in which two teams differ.",
                    "0 the teams are the same, 1 they differ, 2 an error");
    const auto options = std::make_shared<DiffOptions>();
    command.add_option("A", options->fileA, "The first team file")->required();
    command.add_option("B", options->fileB, "The second team file")->required();
    addFormat(command, options->format, kReportFormats, "text (the default) or json");
    return [options](Console& io) { return diffTeams(*options, io); };
}
