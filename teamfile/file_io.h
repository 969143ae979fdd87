// The platform's file access for team files, behind one small interface: file_io_posix.cpp on the
// native build, file_io_win.cpp on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The outcome of a file operation; reason is the system's explanation of a failure.
struct FileResult {
    bool ok = true;
    std::string reason;
};

// Replaces the file at path with data, or creates it: the bytes go through one buffered stream into
// a temporary file in the same folder, are flushed to the disk and then moved over the target in one
// step. On failure the target is as it was and no temporary file is left. A read-only target is not
// replaced.
FileResult replaceFileContents(const std::string& path, std::span<const std::uint8_t> data);

// Opens the file with read sharing only and fills buffer from the file's start with as few reads as
// possible; delivered is how many bytes the file had to give (fewer than the buffer when it ends).
FileResult readFilePrefix(const std::string& path, std::span<std::uint8_t> buffer, std::size_t& delivered);
