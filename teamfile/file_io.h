// The platform's file access for team files, behind one small interface: file_io_posix.cpp on the
// native build, file_io_win.cpp on Windows. Paths are std::filesystem paths, so that Windows opens
// every name through its wide (UTF-16) functions; narrowPath and utf8Path make them from text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// Which failure happened, beside the system's own words for it.
enum class FileFailure {
    none,
    notFound,         // the file or a folder on its path does not exist
    accessDenied,     // the system refused access
    sharingViolation, // another program holds the file in a way that excludes this use
    readOnly,         // the file (or its disk) is read-only
    diskFull,         // no space left for the data
    other,            // anything else: a folder or device where a file belongs, an I/O error, ...
};

// The outcome of a file operation; reason is the system's explanation of a failure.
struct FileResult {
    bool ok = true;
    std::string reason;
    FileFailure failure = FileFailure::none;
};

// The path of a narrow text as the editor holds it: on Windows text in the ANSI code page, as the
// system's file dialogs give it; elsewhere the bytes as they are.
std::filesystem::path narrowPath(const std::string& text);
// The path of UTF-8 text (the command-line tool's arguments). utf8Text is the inverse.
std::filesystem::path utf8Path(std::string_view text);
std::string utf8Text(const std::filesystem::path& path);

// Replaces the file at path with data, or creates it: the bytes go through one buffered stream into
// a temporary file in the target's folder, are flushed to the disk and then moved over the target in
// one step. On failure the target is as it was and no temporary file is left. A read-only target is
// not replaced, nor anything that is not a regular file (a folder, a device, a pipe). On the native
// build a symbolic link is followed: its final target is replaced and the link stays.
FileResult replaceFileContents(const std::filesystem::path& path, std::span<const std::uint8_t> data);

// What a read of a file's first bytes delivered: how many, and the whole file's size.
struct FilePrefix {
    std::size_t delivered = 0;
    std::uintmax_t size = 0;
};

// Opens the file with read sharing only and fills buffer from the file's start with as few reads as
// possible; prefix.delivered is how many bytes the file had to give (fewer than the buffer when it
// ends).
FileResult readFilePrefix(const std::filesystem::path& path, std::span<std::uint8_t> buffer,
                          FilePrefix& prefix);

// Whether both paths name the same existing file (after links), however they are spelled: the same
// file identity, so hard links count as the same file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);
