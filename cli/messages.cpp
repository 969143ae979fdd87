#include "cli/messages.h"

#include "cli/platform.h"
#include "cli/quoting.h"
#include "cli/run_cli.h"

int fail(Console& io, const std::string& message) {
    io.err << kProgram << ": " << message << '\n';
    return kExitError;
}

void warn(Console& io, const std::string& message) {
    io.err << kProgram << ": warning: " << message << '\n';
}

std::string quotedPath(const std::string& path) {
    return inQuotes(shownPath(path));
}

std::string fileProblem(std::string_view doing, const std::string& path, const FileResult& result,
                        bool dashIsStream) {
    const std::string name = path != kStandardStream || !dashIsStream ? quotedPath(path)
                             : doing == "cannot read"                 ? "standard input"
                                                                      : "standard output";
    return std::string(doing) + " " + name + ": " + systemTextToUtf8(result.reason);
}
