#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "roster/team_document.h"
#include "teamfile/file_io.h"

void describeCommand(CLI::App& command, const std::string& description, const std::string& exitStatus) {
    command.description(description);
    command.footer("Exit status: " + exitStatus + ".");
}

void addFormat(CLI::App& command, std::string& format, const std::vector<std::string>& formats,
               const std::string& description) {
    command.add_option("--format", format, description)->transform(CLI::IsMember(formats, CLI::ignore_case));
}

void addFilesFrom(CLI::App& command, std::string& listFile, const std::string& note) {
    command.add_option("--files-from", listFile,
                       "A file that lists team files, one a line (- for standard input)" + note);
}

std::string formatByExtension(const std::string& path) {
    std::string extension = utf8Text(utf8Path(path).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(), lowerAscii);
    if (extension == ".csv" || extension == ".json")
        return extension.substr(1);
    return {};
}
