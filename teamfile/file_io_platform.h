// What each platform's file layer gives the portable part of it (file_io.cpp): small steps on open
// files, which the portable part strings together. An open file is a number that only the platform
// half reads (a descriptor or a handle).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "teamfile/file_io.h"

using OpenedFile = std::intptr_t;

// Opens an existing file for reading, shared with other readers and with a replace (Windows'
// FILE_SHARE_DELETE), not with writers.
FileResult openForReading(const std::filesystem::path& path, OpenedFile& file);
// The size the system reports for an open file; sized is false when it has none (a pipe, a device).
FileResult reportedSize(OpenedFile file, bool& sized, std::uintmax_t& size);
// Reads what the file gives at once into buffer: got is 0 at its end.
FileResult readSome(OpenedFile file, std::span<std::uint8_t> buffer, std::size_t& got);
// Writes what the file takes at once of data: wrote is how many bytes it took.
FileResult writeSome(OpenedFile file, std::span<const std::uint8_t> data, std::size_t& wrote);
// Forces what was written to the disk.
FileResult flushToDisk(OpenedFile file);
// Closes the file; a failure when the system reports one, as it may for what was written.
FileResult closeFile(OpenedFile file);

// The file that saving to path replaces (after symbolic links), or why it cannot be replaced: a
// read-only file or anything that is not a regular file.
FileResult replaceableTarget(const std::filesystem::path& path, std::filesystem::path& target);
// Creates a new, empty temporary file in folder, open for writing, natively with the mode and owner
// that target has (or a new file gets); its path in temporary.
FileResult createTemporary(const std::filesystem::path& folder, const std::filesystem::path& target,
                           OpenedFile& file, std::filesystem::path& temporary);
// Puts from's contents in to's place, replacing what is there and keeping what to was (see
// replaceFileContents); afterwards from is gone.
FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
void removeFile(const std::filesystem::path& path);
// Moves from over to as replaceFile does, but on Windows first under POSIX rules (Windows 10 and later),
// which replace the name even while a reader that shares the file for deleting holds it open.
FileResult replaceReadFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Moves from to the name to, which must not exist: never over a file that stands there.
FileResult moveToNewName(const std::filesystem::path& from, const std::filesystem::path& to);

// The identity of an existing file or folder (after links) as text; false when it does not exist
// or cannot be examined.
bool existingFileIdentity(const std::filesystem::path& path, std::string& identity);

// A file name as the file system compares names: as it is, or on Windows in upper case.
std::string comparedName(const std::filesystem::path& name);

// The folder that holds path: "." for a bare name.
std::filesystem::path folderOf(const std::filesystem::path& path);
