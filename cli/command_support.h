// What the commands share: their streams and messages, reading team files and text inputs, and the
// checks and safe saves of what they write.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "roster/slot_operations.h"
#include "teamfile/encoder.h"
#include "teamfile/file_io.h"
#include "teamfile/reader.h"

struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool outputFailureReported = false; // a command said already that standard output failed
};

inline constexpr std::string_view kProgram = "squadwright-cli";
// "-" names standard input or output.
inline constexpr std::string_view kStandardStream = "-";

// Far more than any team's sheet; a list of files holds hundreds of thousands of names in the other.
inline constexpr std::uintmax_t kTeamInputLimit = 1 << 20;
inline constexpr std::uintmax_t kFileListLimit = 16 << 20;

// Writes "squadwright-cli: message" and gives the error status.
int fail(Console& io, const std::string& message);
void warn(Console& io, const std::string& message);
// A path as messages show it: quoted, control characters escaped.
std::string quotedPath(const std::string& path);
// "cannot read "path": reason" and the like; "-" is standard input or output where the command takes
// it so (not where it names a team file).
std::string fileProblem(std::string_view doing, const std::string& path, const FileResult& result,
                        bool dashIsStream = true);

// Reads the team file at path into team as the editor reads it, warning when its size is not a team
// file's; false (with the message written) when it cannot be read.
bool loadTeam(TeamInMemory& team, const std::string& path, Console& io);
void warnOfSize(const std::string& path, std::uintmax_t size, Console& io);

// Reads a whole text input, a file or standard input ("-"). An input larger than limit is refused,
// a file before any of it is read. The problem, or nothing.
std::string readInputText(const std::string& name, std::uintmax_t limit, Console& io, std::string& text);

// A file read as a stream, a block at a time, so that a sheet of any size takes the memory of a
// block. A failure to read ends the stream early; failure() then says why.
class FileInput : public std::streambuf {
  public:
    FileInput() = default;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;
    ~FileInput() override;
    FileResult open(const std::filesystem::path& path);
    const FileResult& failure() const { return failure_; }

  protected:
    int_type underflow() override;

  private:
    ReadingFile file_;
    FileResult failure_;
    std::array<char, 1 << 16> block_{};
};

// "csv" or "json" by the file name's extension, ignoring case; empty for anything else.
std::string formatByExtension(const std::string& path);

// Refuses, before anything is written, an output that is not "-" nor a regular file (a folder, a
// device, a pipe) or that is the same file as one of inputs, however spelled. The problem, or
// nothing.
std::string checkOutput(const std::string& target, const std::vector<std::string>& inputs);
// The same for a target that is always a file, even when it is named "-" (as in a league sheet); an
// empty name is refused.
std::string checkOutputFile(const std::string& target, const std::vector<std::string>& inputs);
// Writes bytes to standard output; a failure is said and not ok.
FileResult writeStandardOutput(std::string_view bytes, Console& io);
