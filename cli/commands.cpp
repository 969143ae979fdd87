#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/team_check.h"
#include "cli/team_formats.h"
#include "cli/team_text.h"
#include "teamfile/reader.h"
#include "teamfile/writer.h"

namespace {

constexpr const char* kProgram = "squadwright-cli";

int fail(std::ostream& err, const std::string& message) {
    err << kProgram << ": " << message << '\n';
    return kExitError;
}

bool loadTeam(TeamDocument& doc, const std::string& path, std::ostream& err) {
    const FileResult read = readTeamFile(doc, path);
    if (!read.ok)
        fail(err, "cannot read " + inQuotes(path) + ": " + read.reason);
    return read.ok;
}

FileResult readTextFile(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return {false, std::strerror(errno)};
    char block[4096];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        text.append(block, got);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed)
        return {false, std::strerror(error)};
    return {};
}

// "csv" or "json" by the file name's extension, ignoring case; empty for anything else.
std::string formatByExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".csv" || extension == ".json")
        return extension.substr(1);
    return {};
}

} // namespace

int showTeam(const std::string& path, std::ostream& out, std::ostream& err) {
    TeamInMemory team;
    if (!loadTeam(team.doc, path, err))
        return kExitError;
    writeTeamTable(team.doc, out);
    return kExitOk;
}

int exportTeam(const std::string& path, const std::string& format, std::ostream& out, std::ostream& err) {
    TeamInMemory team;
    if (!loadTeam(team.doc, path, err))
        return kExitError;
    if (format == "json")
        writeTeamJson(team.doc, out);
    else
        writeTeamCsv(team.doc, out);
    return kExitOk;
}

int importTeam(const std::string& textPath, const std::string& format, const std::string& outputPath,
               std::ostream& err) {
    const std::string chosen = format.empty() ? formatByExtension(textPath) : format;
    if (chosen.empty())
        return fail(err, "cannot tell whether " + inQuotes(textPath) +
                             " is CSV or JSON from its name: give --format csv or --format json");
    std::string text;
    const FileResult read = readTextFile(textPath, text);
    if (!read.ok)
        return fail(err, "cannot read " + inQuotes(textPath) + ": " + read.reason);

    const TeamInputResult parsed =
        chosen == "json" ? parseTeamJson(text, textPath) : parseTeamCsv(text, textPath);
    if (!parsed.ok)
        return fail(err, parsed.error);

    TeamInMemory team;
    applyTeamInput(team.doc, parsed.input);
    for (const std::string& warning : importWarnings(parsed.input, encodeTeam(team.doc), textPath))
        err << kProgram << ": warning: " << warning << '\n';
    const FileResult written = writeTeamFile(team.doc, outputPath);
    if (!written.ok)
        return fail(err, "cannot write " + inQuotes(outputPath) + ": " + written.reason);
    return kExitOk;
}

int diffTeams(const std::string& pathA, const std::string& pathB, std::ostream& out, std::ostream& err) {
    TeamInMemory a;
    TeamInMemory b;
    if (!loadTeam(a.doc, pathA, err) || !loadTeam(b.doc, pathB, err))
        return kExitError;
    const std::vector<std::string> lines = teamDifferences(a.doc, b.doc);
    for (const std::string& line : lines)
        out << line << '\n';
    return lines.empty() ? kExitOk : kExitFound;
}

int checkTeamFiles(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err) {
    bool found = false;
    bool failed = false;
    for (const std::string& path : paths) {
        // One byte more than a team file, to see whether the file is longer.
        std::vector<std::uint8_t> bytes(layout::kTeamFileSize + 1);
        FilePrefix prefix;
        const FileResult read = readFilePrefix(utf8Path(path), bytes, prefix);
        if (!read.ok) {
            failed = true;
            fail(err, "cannot read " + inQuotes(path) + ": " + read.reason);
            continue;
        }
        bytes.resize(std::min(prefix.delivered, layout::kTeamFileSize));
        const std::vector<std::string> findings = teamFileFindings(bytes, prefix.size);
        for (const std::string& finding : findings)
            out << path << ": " << finding << '\n';
        if (findings.empty())
            out << path << ": no findings\n";
        found = found || !findings.empty();
    }
    return failed ? kExitError : found ? kExitFound : kExitOk;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"Shows, exports, imports, compares and checks Squadwright team files (.fbt).", kProgram};
    app.set_version_flag("--version", std::string(kProgram) + " " + SQUADWRIGHT_VERSION);
    app.require_subcommand(1);
    app.footer("Exit status: 0 done, 1 the teams differ or a file has findings, 2 an error.");
    app.failure_message([](const CLI::App*, const CLI::Error& e) {
        return std::string(kProgram) + ": " + e.what() + "\nRun with --help for more information.\n";
    });

    std::string file;
    std::string other;
    std::string format;
    std::string output;
    std::vector<std::string> files;
    const std::vector<std::string> formats = {"csv", "json"};

    CLI::App* show = app.add_subcommand("show", "Show a team page by page, with its five colours.");
    show->add_option("FILE", file, "The team file")->required();

    CLI::App* exporting = app.add_subcommand("export", "Write a team as CSV or JSON to standard output.");
    exporting->add_option("FILE", file, "The team file")->required();
    exporting->add_option("--format", format, "csv (the default) or json")->check(CLI::IsMember(formats));

    CLI::App* importing =
        app.add_subcommand("import", "Make a team file from CSV or JSON, saved as the editor saves it.");
    importing->add_option("TEXTFILE", file, "The CSV or JSON file")->required();
    importing->add_option("-o,--output", output, "The team file to write")->required();
    importing->add_option("--format", format, "csv or json (by default by TEXTFILE's extension)")
        ->check(CLI::IsMember(formats));

    CLI::App* diff = app.add_subcommand("diff", "List the fields and colours in which two teams differ.");
    diff->add_option("A", file, "The first team file")->required();
    diff->add_option("B", other, "The second team file")->required();

    CLI::App* check =
        app.add_subcommand("check", "Report what the editor would do with team files that their author may "
                                    "not expect.");
    check->add_option("FILE", files, "The team files")->required();

    // CLI11 would only say that a command is required.
    const std::vector<CLI::App*> commands = {show, exporting, importing, diff, check};
    if (!args.empty() && !args[0].starts_with("-") &&
        std::none_of(commands.begin(), commands.end(), [&](CLI::App* c) { return c->get_name() == args[0]; }))
        return fail(err,
                    "unknown command " + inQuotes(args[0]) +
                        " (the commands are show, export, import, diff and check)\nRun with --help for more "
                        "information.");

    std::vector<const char*> argv = {kProgram};
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        return app.exit(e, out, err) == 0 ? kExitOk : kExitError;
    }

    if (show->parsed())
        return showTeam(file, out, err);
    if (exporting->parsed())
        return exportTeam(file, format.empty() ? "csv" : format, out, err);
    if (importing->parsed())
        return importTeam(file, format, output, err);
    if (diff->parsed())
        return diffTeams(file, other, out, err);
    return checkTeamFiles(files, out, err);
}
