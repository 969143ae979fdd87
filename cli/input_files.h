// The text inputs of the commands (sheets, lists of files), read whole or as a stream.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <streambuf>
#include <string>

#include "cli/messages.h"

// Far more than any team's sheet; a list of files holds hundreds of thousands of names in the other.
inline constexpr std::uintmax_t kTeamInputLimit = 1 << 20;
inline constexpr std::uintmax_t kFileListLimit = 16 << 20;

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
