// File access for team files: file_io.cpp strings together the small steps that each platform gives
// (file_io_platform.h: file_io_posix.cpp on the native build, file_io_win.cpp on Windows). Paths are
// std::filesystem paths, so that Windows opens every name through its wide (UTF-16) functions;
// utf8Path makes them from text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The outcome of a file operation; reason is the system's explanation of a failure. On Windows that is
// always the system's own text for its error: a save over a read-only file or a folder gets the
// text of access denied. The native build takes strerror's text, except for two refusals of a save
// that have no error number of their own, worded here: "Not a regular file." (a device, a pipe or
// a socket where a team file belongs) and "The file is read-only." (a target without write
// permission, which its owner could still replace).
struct FileResult {
    bool ok = true;
    std::string reason;
    FileFailure failure = FileFailure::none;
};

// The path of UTF-8 text (the command-line tool's arguments). utf8Text is the inverse.
std::filesystem::path utf8Path(std::string_view text);
std::string utf8Text(const std::filesystem::path& path);

// Replaces the file at path with data, or creates it: stages the data beside it and commits it. On
// failure the target is as it was and no temporary file is left. A read-only target is not replaced,
// nor anything that is not a regular file (a folder, a device, a pipe). A symbolic link is followed:
// its final target is replaced and the link stays. The target keeps what it was: on Windows its
// attributes and security (ReplaceFileW) and its other names (hard links), by writing into the file
// itself where a replacement would lose them, as under Wine always, whose replacements cannot carry a
// Unix mode or owner; on the native build its mode and, as far as the system allows, its owner and
// group.
FileResult replaceFileContents(const std::filesystem::path& path, std::span<const std::uint8_t> data);

// New contents of a file written in full to a temporary file in the target's folder and flushed to
// the disk, not yet in the target's place: a save in two steps, so that many files can be made ready
// before any of them is replaced.
struct StagedFile {
    std::filesystem::path target;    // the file to replace, after symbolic links
    std::filesystem::path temporary; // empty when nothing is staged
};
// Refuses, as replaceFileContents does, a target that cannot be replaced; leaves no temporary file
// when it fails.
FileResult stageFileContents(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                             StagedFile& staged);
// Moves the staged temporary file over the target in one step. Afterwards nothing is staged: on
// failure the temporary file is removed and the target is as it was.
FileResult commitStagedFile(StagedFile& staged);
// Removes the temporary file of a staged save that will not be committed.
void discardStagedFile(StagedFile& staged);

// What a read of a file's first bytes delivered: how many, and the whole file's size.
struct FilePrefix {
    std::size_t delivered = 0;
    std::uintmax_t size = 0;
};

// Opens the file shared with readers and with a replace (not with writers) and fills buffer from the file's
// start with as few reads as possible; prefix.delivered is how many bytes the file had to give (fewer than
// the buffer when it ends).
FileResult readFilePrefix(const std::filesystem::path& path, std::span<std::uint8_t> buffer,
                          FilePrefix& prefix);

// A file read from its start a block at a time, shared as readFilePrefix shares it: openToRead, then
// readBlock until it delivers nothing, then closeReading (also after a failure).
struct ReadingFile {
    std::intptr_t handle = 0;
    bool open = false;
};
FileResult openToRead(const std::filesystem::path& path, ReadingFile& file);
FileResult readBlock(ReadingFile& file, std::span<std::uint8_t> buffer, std::size_t& got);
void closeReading(ReadingFile& file);

// Whether both paths name the same existing file (after links), however they are spelled: the same
// file identity, so hard links count as the same file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// What tells one file from another, as text that is equal for two paths exactly when they name the
// same file: for an existing file (after links) its device and file number, so that hard links and
// any spelling count as one file; for a name that does not exist yet, the identity of its folder as
// the system resolves it (links followed, so "link/.." is the link target's parent, never a lexical
// step back) followed by its last name as the file system compares names (ignoring letter case on
// Windows); a folder that does not exist either is taken the same way, one name at a time.
std::string fileIdentity(const std::filesystem::path& path);

// Whether path names an existing folder (after links).
bool isFolder(const std::filesystem::path& path);

// The kind of thing at a path (after links), its size, its last modification and which file it is, as
// far as the system tells them.
struct FileStatus {
    std::filesystem::file_type type = std::filesystem::file_type::not_found;
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // in the system's own units, only to be compared
    std::string identity;      // as fileIdentity gives it; empty where the system gives none
};
// The path's status; a path that does not exist is no failure (its type is not_found). Nothing is
// opened for reading or writing, so neither a pipe nor a device can hold the caller up; on Windows a
// name of the device namespace (NUL, CON, COM1, \\.\...) is a device without being opened. Unlike
// std::filesystem, works on Windows for paths longer than the old limit of 260 characters.
FileResult fileStatus(const std::filesystem::path& path, FileStatus& status);
// What a status's type names in a message: "a folder", "a device", "a pipe", "a socket"; empty for a
// regular file and for what the system gives no kind.
std::string kindOfFile(std::filesystem::file_type type);

// The names of the entries directly in folder ("." and ".." left out), in the system's order. Unlike
// std::filesystem, works on Windows for folders whose paths pass the old limit of 260 characters.
FileResult listFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& names);

// Writing where other programs may write the same files, and where a run may be cut short.

// As commitStagedFile, where other programs may be reading the target: a reader that shares it for
// deleting, as this file layer's readers do, does not keep it from being replaced where the system
// renames under POSIX rules (Windows 10 and later), and elsewhere (older Windows, Wine) such a reader,
// which holds a team file for an instant, is waited for, up to two seconds.
FileResult commitStagedFileWaiting(StagedFile& staged);

// Moves the staged file into place only where no file stands yet: a file that appeared meanwhile is
// left alone, and that is a failure. Afterwards nothing is staged, as after commitStagedFile.
FileResult commitStagedFileAsNew(StagedFile& staged);

// Removes a file; a file that is not there is no failure.
FileResult removeFileAt(const std::filesystem::path& path);

// Whether a file is a temporary file of a safe save whose process has ended, so that no one will
// commit or remove it: what an interruption that no program can catch (a kill, a power cut) leaves
// behind. The safe save names its temporary files after the process that makes them; on Windows,
// which soon gives a process's number to another, a process that began after the file was written
// is another process.
bool isStaleTemporary(const std::filesystem::path& path);

// A lock on writing into a folder, taken through a lock file in it and held until unlockFolder or the
// end of the process, whatever ends it.
struct FolderLock {
    std::filesystem::path file;
    std::intptr_t handle = 0;
    bool held = false;
};
inline constexpr std::string_view kFolderLockName = ".squadwright.lock";
// Takes the lock without waiting; busy (and not ok) when another process holds it.
FileResult lockFolder(const std::filesystem::path& folder, FolderLock& lock, bool& busy);
// Gives the lock up and removes its lock file.
void unlockFolder(FolderLock& lock);

// A staged save whose contents come a piece at a time (a sheet written as it is made): the temporary
// file stays open until finishStagedWrite forces it to the disk and closes it, leaving it staged as
// stageFileContents does. On any failure nothing stays staged and no temporary file is left.
struct StagedWrite {
    StagedFile staged;
    std::intptr_t handle = 0;
    bool open = false;
};
FileResult startStagedWrite(const std::filesystem::path& path, StagedWrite& write);
FileResult writeStaged(StagedWrite& write, std::span<const std::uint8_t> data);
FileResult finishStagedWrite(StagedWrite& write);
// Closes and removes the temporary file of a staged write that will not be finished.
void abandonStagedWrite(StagedWrite& write);
