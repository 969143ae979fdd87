// The commands of squadwright-cli. Each writes its results to out and its messages to err and
// returns the exit status: 0 done (same team, no findings), 1 the teams differ or a file has
// findings, 2 an error (bad command line, unreadable file, bad input); an error touches no file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

inline constexpr int kExitOk = 0;
inline constexpr int kExitFound = 1;
inline constexpr int kExitError = 2;

// The whole command line after the program name.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

int showTeam(const std::string& path, std::ostream& out, std::ostream& err);
// format: "csv" or "json".
int exportTeam(const std::string& path, const std::string& format, std::ostream& out, std::ostream& err);
// format: "csv", "json", or empty to tell it by the text file's extension.
int importTeam(const std::string& textPath, const std::string& format, const std::string& outputPath,
               std::ostream& err);
int diffTeams(const std::string& pathA, const std::string& pathB, std::ostream& out, std::ostream& err);
int checkTeamFiles(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err);
