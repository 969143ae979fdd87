#include <CLI/CLI.hpp>
#include <memory>

#include "cli/command_line.h"
#include "cli/file_lists.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/quoting.h"
#include "cli/run_cli.h"
#include "cli/team_check.h"
#include "teamfile/reader.h"

namespace {

using nlohmann::ordered_json;

constexpr const char* kFilesKey = "files";

struct CheckOptions {
    std::vector<std::string> files;
    std::string filesFrom;
    std::string format; // "text" (or empty) or "json"
    bool quiet = false;
};

struct CheckCounts {
    std::size_t read = 0;
    std::size_t withFindings = 0;
    std::size_t unreadable = 0;
};

void reportText(const std::string& path, const std::vector<std::string>& findings, bool quiet, Console& io) {
    const std::string shown = shownPath(path);
    for (const std::string& finding : findings)
        io.out << shown << ": " << finding << '\n';
    if (findings.empty() && !quiet)
        io.out << shown << ": no findings\n";
}

void reportJson(const std::string& path, std::uintmax_t size, const std::vector<std::string>& findings,
                bool& first, Console& io) {
    ordered_json entry;
    entry["file"] = path;
    entry["size"] = size;
    entry["findings"] = findings;
    writeJsonArrayItem(entry, -1, first, io.out);
    first = false;
}

void startJsonReport(Console& io) {
    ordered_json head;
    head["format"] = "squadwright-check";
    head["version"] = 1;
    head[kFilesKey] = ordered_json::array();
    writeJsonUpToArray(head, io.out);
}

void endJsonReport(const CheckCounts& counts, Console& io) {
    ordered_json tail;
    tail[kFilesKey] = ordered_json::array();
    tail["filesRead"] = counts.read;
    tail["filesWithFindings"] = counts.withFindings;
    tail["filesNotRead"] = counts.unreadable;
    writeJsonFromArray(tail, io.out);
}

std::string summaryLine(const CheckCounts& counts) {
    std::string line = std::to_string(counts.read) + (counts.read == 1 ? " file" : " files") + " read, " +
                       std::to_string(counts.withFindings) + " with findings";
    if (counts.unreadable > 0)
        line += ", " + std::to_string(counts.unreadable) + " could not be read";
    return line;
}

int checkTeamFiles(const CheckOptions& options, Console& io) {
    const FileList list = teamFileList(options.files, options.filesFrom, io);
    if (!list.error.empty())
        return fail(io, list.error);
    const bool json = options.format == "json";
    if (json)
        startJsonReport(io);
    CheckCounts counts;
    bool first = true;
    for (const std::string& path : list.files) {
        const TeamFileRead file = readTeamFile(utf8Path(path));
        if (!file.result.ok) {
            ++counts.unreadable;
            fail(io, fileProblem("cannot read", path, file.result, false));
            continue;
        }
        ++counts.read;
        const std::vector<std::string> findings = teamFileFindings(file.delivered(), file.prefix.size);
        counts.withFindings += findings.empty() ? 0 : 1;
        if (json && (!findings.empty() || !options.quiet))
            reportJson(path, file.prefix.size, findings, first, io);
        else if (!json)
            reportText(path, findings, options.quiet, io);
    }
    if (json)
        endJsonReport(counts, io);
    else
        io.out << summaryLine(counts) << '\n';
    return counts.unreadable > 0 ? kExitError : counts.withFindings > 0 ? kExitFound : kExitOk;
}

} // namespace

CommandRun declareCheck(CLI::App& command) {
    describeCommand(command,
                    "Report what the editor would do with team files that their author may not expect.",
                    "0 no findings, 1 a file has findings, 2 an error");
    const auto options = std::make_shared<CheckOptions>();
    command.add_option("FILE", options->files, "Team files, and folders of them (every .fbt file in each)");
    addFilesFrom(command, options->filesFrom, "");
    command.add_flag("-q,--quiet", options->quiet, "List only the files with findings");
    addFormat(command, options->format, kReportFormats, "text (the default) or json");
    return [options](Console& io) { return checkTeamFiles(*options, io); };
}
