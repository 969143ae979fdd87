// The commands' streams and what they say on them: errors, warnings and the problems of files.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "teamfile/file_io.h"

struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool outputFailureReported = false; // a command said already that standard output failed
};

inline constexpr std::string_view kProgram = "squadwright-cli";
// "-" names standard input or output.
inline constexpr std::string_view kStandardStream = "-";

// Writes "squadwright-cli: message" and gives the error status.
int fail(Console& io, const std::string& message);
void warn(Console& io, const std::string& message);
// A path as messages show it: quoted, control characters escaped.
std::string quotedPath(const std::string& path);
// "cannot read "path": reason" and the like; "-" is standard input or output where the command takes
// it so (not where it names a team file).
std::string fileProblem(std::string_view doing, const std::string& path, const FileResult& result,
                        bool dashIsStream = true);
