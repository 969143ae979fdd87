// The checks of a command's output before anything is written, and writing to standard output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/messages.h"

// Refuses, before anything is written, an output that is not "-" nor a regular file (a folder, a
// device, a pipe) or that is the same file as one of inputs, however spelled. The problem, or
// nothing.
std::string checkOutput(const std::string& target, const std::vector<std::string>& inputs);
// The same for a target that is always a file, even when it is named "-" (as in a league sheet); an
// empty name is refused.
std::string checkOutputFile(const std::string& target, const std::vector<std::string>& inputs);
// Writes bytes to standard output; a failure is said and not ok.
FileResult writeStandardOutput(std::string_view bytes, Console& io);
