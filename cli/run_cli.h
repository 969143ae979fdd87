// The commands of squadwright-cli. Each reads standard input from in, writes its results to out and
// its messages to err, and returns the exit status: 0 done (same team, no findings), 1 the teams
// differ or a file has findings, 2 an error (bad command line, unreadable file, bad input, failed
// write); an error writes no file.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

inline constexpr int kExitOk = 0;
inline constexpr int kExitFound = 1;
inline constexpr int kExitError = 2;

// The whole command line after the program name, as UTF-8.
int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
