// The team files that a command's FILE arguments and --files-from name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/messages.h"

struct FileList {
    std::vector<std::string> files;
    std::string error; // empty when every argument named files
};

// Each argument as it is; a folder as every .fbt file directly in it (any letter case), sorted by
// name; on Windows a name with wildcards as the files it matches, sorted by name; then the lines of
// listFile ("-" for standard input; blank lines skipped, CRLF or LF), when it is given. A file named
// more than once (under any spelling, or through hard links) is listed once, where it first stands.
FileList teamFileList(const std::vector<std::string>& arguments, const std::string& listFile, Console& io);

// Whether a file name matches a pattern of the last part of a path as a POSIX shell matches it: *
// stands for any characters, ? for one, anything else for itself (ignoring letter case, as Windows
// names compare). Windows' own matching would also take short names and "x.fbtx" for "*.fbt".
bool matchesWildcards(std::string_view pattern, std::string_view name);
