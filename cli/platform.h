// What the command-line tool needs of the system beyond the file layer: platform_posix.cpp on the
// native build, platform_win.cpp on Windows. Each also holds the program's entry point, which hands
// the arguments to runCli as UTF-8 (on Windows taken from the wide command line).
#pragma once

#include <string>
#include <vector>

// Makes the console take the program's output as it is written: UTF-8 text, and every byte as the
// program writes it (CSV records end with CRLF on every system, and a team file may go to standard
// output); standard input is read as it is too.
void prepareConsole();

// The names that a file argument stands for. On Windows, where no shell expands them, a name with *
// or ? in its last part stands for the files that match it (none when nothing does); elsewhere, and
// for every other name, the argument stands for itself.
std::vector<std::string> expandWildcards(const std::string& argument);

// Text of the system (the reason of a failure) as UTF-8: on Windows text in the ANSI code page.
std::string systemTextToUtf8(const std::string& text);
