#include "teamfile/file_io.h"

#include "teamfile/file_io_platform.h"

#include <chrono>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Writes all of data into file.
FileResult writeAll(OpenedFile file, std::span<const std::uint8_t> data) {
    FileResult result;
    for (std::size_t done = 0; done < data.size() && result.ok;) {
        std::size_t wrote = 0;
        result = writeSome(file, data.subspan(done), wrote);
        done += wrote;
    }
    return result;
}

// Writes all of data into file and forces it to the disk; closes the file.
FileResult writeAndClose(OpenedFile file, std::span<const std::uint8_t> data) {
    FileResult result = writeAll(file, data);
    if (result.ok)
        result = flushToDisk(file);
    const FileResult closed = closeFile(file);
    return result.ok ? closed : result;
}

// The size of a file that a read delivered prefix of: the size the system reports, unless it has
// none (a pipe, a device) or reports less than the read delivered (files that the system makes up as
// they are read report 0); then what was read is all that is known.
std::uintmax_t deliveredSize(bool sized, std::uintmax_t reported, const FilePrefix& prefix) {
    return sized && reported >= prefix.delivered ? reported : prefix.delivered;
}

// After a commit's move: nothing is staged, and a temporary file that did not move is removed.
FileResult settled(StagedFile& staged, const FileResult& moved) {
    if (!moved.ok)
        removeFile(staged.temporary);
    staged.temporary.clear();
    return moved;
}

} // namespace

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool isFolder(const fs::path& path) {
    FileStatus status;
    return fileStatus(path, status).ok && status.type == fs::file_type::directory;
}

FileResult stageFileContents(const fs::path& path, std::span<const std::uint8_t> data, StagedFile& staged) {
    staged = {};
    StagedWrite write;
    FileResult result = startStagedWrite(path, write);
    if (result.ok)
        result = writeStaged(write, data);
    if (result.ok)
        result = finishStagedWrite(write);
    else
        abandonStagedWrite(write);
    if (result.ok)
        staged = write.staged;
    return result;
}

FileResult commitStagedFile(StagedFile& staged) {
    const FileResult result = replaceFile(staged.temporary, staged.target);
    if (!result.ok)
        removeFile(staged.temporary);
    staged.temporary.clear();
    return result;
}

void discardStagedFile(StagedFile& staged) {
    if (!staged.temporary.empty())
        removeFile(staged.temporary);
    staged.temporary.clear();
}

FileResult replaceFileContents(const fs::path& path, std::span<const std::uint8_t> data) {
    StagedFile staged;
    const FileResult result = stageFileContents(path, data, staged);
    return result.ok ? commitStagedFile(staged) : result;
}

FileResult readFilePrefix(const fs::path& path, std::span<std::uint8_t> buffer, FilePrefix& prefix) {
    prefix = {};
    OpenedFile file = 0;
    if (const FileResult opened = openForReading(path, file); !opened.ok)
        return opened;
    bool sized = false;
    std::uintmax_t reported = 0;
    FileResult result = reportedSize(file, sized, reported);
    while (result.ok && prefix.delivered < buffer.size()) {
        std::size_t got = 0;
        result = readSome(file, buffer.subspan(prefix.delivered), got);
        if (got == 0)
            break;
        prefix.delivered += got;
    }
    closeFile(file);
    if (!result.ok) {
        prefix = {};
        return result;
    }
    prefix.size = deliveredSize(sized, reported, prefix);
    return {};
}

std::string kindOfFile(fs::file_type type) {
    switch (type) {
    case fs::file_type::directory: return "a folder";
    case fs::file_type::character:
    case fs::file_type::block: return "a device";
    case fs::file_type::fifo: return "a pipe";
    case fs::file_type::socket: return "a socket";
    default: return {};
    }
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::string first;
    std::string second;
    return existingFileIdentity(a, first) && existingFileIdentity(b, second) && first == second;
}

std::string fileIdentity(const fs::path& path) {
    std::string identity;
    if (existingFileIdentity(path, identity))
        return identity;
    const fs::path folder = folderOf(path);
    if (!path.has_relative_path() || folder == path) // a drive, a root or a folder that does not exist
        return identity.append("?").append(comparedName(path));
    return fileIdentity(folder) + "/" + comparedName(path.filename());
}

FileResult openToRead(const fs::path& path, ReadingFile& file) {
    file = {};
    OpenedFile opened = 0;
    const FileResult result = openForReading(path, opened);
    if (result.ok)
        file = {opened, true};
    return result;
}

FileResult readBlock(ReadingFile& file, std::span<std::uint8_t> buffer, std::size_t& got) {
    return readSome(file.handle, buffer, got);
}

void closeReading(ReadingFile& file) {
    if (file.open)
        closeFile(file.handle);
    file = {};
}

FileResult commitStagedFileWaiting(StagedFile& staged) {
    constexpr auto kStep = std::chrono::milliseconds(10);
    constexpr int kSteps = 200;
    FileResult result = replaceReadFile(staged.temporary, staged.target);
    for (int step = 0;
         step < kSteps && !result.ok &&
         (result.failure == FileFailure::accessDenied || result.failure == FileFailure::sharingViolation);
         ++step) {
        std::this_thread::sleep_for(kStep);
        result = replaceReadFile(staged.temporary, staged.target);
    }
    return settled(staged, result);
}

FileResult commitStagedFileAsNew(StagedFile& staged) {
    return settled(staged, moveToNewName(staged.temporary, staged.target));
}

FileResult startStagedWrite(const fs::path& path, StagedWrite& write) {
    write = {};
    fs::path target;
    if (const FileResult replaceable = replaceableTarget(path, target); !replaceable.ok)
        return replaceable;
    OpenedFile file = 0;
    fs::path temporary;
    if (const FileResult created = createTemporary(folderOf(target), target, file, temporary); !created.ok)
        return created;
    write = {{target, temporary}, file, true};
    return {};
}

FileResult writeStaged(StagedWrite& write, std::span<const std::uint8_t> data) {
    return writeAll(write.handle, data);
}

FileResult finishStagedWrite(StagedWrite& write) {
    const FileResult result = writeAndClose(write.handle, {});
    write.open = false;
    if (!result.ok)
        abandonStagedWrite(write);
    return result;
}

void abandonStagedWrite(StagedWrite& write) {
    if (write.open)
        closeFile(write.handle);
    write.open = false;
    if (!write.staged.temporary.empty())
        removeFile(write.staged.temporary);
    write.staged = {};
}
