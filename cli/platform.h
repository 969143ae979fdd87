// What the command-line tool needs of the system beyond the file layer: platform_posix.cpp on the
// native build, platform_win.cpp on Windows (the interruption state in interruptions.cpp). The
// program's entry points are main_posix.cpp and main_win.cpp, which hand the arguments to runCli as
// UTF-8 (on Windows taken from the wide command line).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
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

// Interruptions: INT, TERM and HUP on POSIX systems; Ctrl+C, Ctrl+Break and closing the console on
// Windows, through a console control handler. An interruption removes every registered temporary
// file, says the interruption message and ends the program with a failure (on POSIX systems by the
// signal itself, as a shell expects). While held, around a step that must not be cut short (the
// renames of a commit, registering a temporary file), it waits until released.
void catchInterruptions();
void holdInterruptions();
void releaseInterruptions();
// A temporary file for an interruption to remove, registered and forgotten only while held; the
// number to forget it by.
std::size_t registerTemporary(const std::filesystem::path& path);
void forgetTemporary(std::size_t registered);
// What an interruption says after "squadwright-cli: ".
void setInterruptionMessage(std::string_view message);
// What the handler of an interruption reads (interruptions.cpp keeps it): the registered temporary
// files, empty where forgotten, and the message. It changes only while interruptions are held.
struct InterruptionState {
    std::vector<std::filesystem::path::string_type> temporaries;
    std::string message = "interrupted";
};
InterruptionState& interruptionState();

// Why a file name (the last part of a path) cannot name a team file on this system, or nothing: on
// Windows a name with a colon (which names a stream inside another file) or a device's name (NUL,
// CON, COM1, ... with any extension).
std::string unsafeFileName(const std::filesystem::path& name);
// Whether a name the system gave (a folder's entry) can be written as UTF-8 and back: on Windows a
// name with a lone UTF-16 surrogate cannot; elsewhere names are bytes, and any name can.
bool isUnicodeName(const std::filesystem::path& name);