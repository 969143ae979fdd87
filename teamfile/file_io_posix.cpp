#include "teamfile/file_io.h"

#include "teamfile/file_io_platform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links in a row as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

FileFailure failureOf(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return FileFailure::notFound;
    case EACCES:
    case EPERM: return FileFailure::accessDenied;
    case EROFS: return FileFailure::readOnly;
    case ENOSPC:
    case EDQUOT: return FileFailure::diskFull;
    case EBUSY:
    case ETXTBSY: return FileFailure::sharingViolation;
    default: return FileFailure::other;
    }
}

FileResult failure(int error) {
    return {false, std::strerror(error), failureOf(error)};
}

// Follows path while it is a symbolic link; a relative link is read from the link's folder. The
// final target need not exist: saving creates it, as writing through the link would.
FileResult followLinks(std::filesystem::path& path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return {};
        std::string target(PATH_MAX, '\0');
        ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return failure(errno);
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? std::filesystem::path(target) : folderOf(path) / target;
    }
    return failure(ELOOP);
}

// Why an existing target cannot be replaced, if it cannot.
FileResult checkTarget(const struct stat& target) {
    if (S_ISDIR(target.st_mode))
        return failure(EISDIR);
    if (!S_ISREG(target.st_mode))
        return {false, "Not a regular file.", FileFailure::other};
    if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return {false, "The file is read-only.", FileFailure::readOnly};
    return {};
}

// The permissions of a replacement for target: the target's own, or those a new file gets.
mode_t permissionsFor(const std::filesystem::path& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives a replacement the owner and group of the file it replaces, as far as the system lets this user
// (the group alone where only that is allowed); a new file keeps this user's.
void takeOwnerOf(int fd, const std::filesystem::path& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0)
        return;
    if (fchown(fd, info.st_uid, info.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), info.st_gid) != 0)
        return; // the replacement stays this user's
}

std::string identityOf(const struct stat& info) {
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

// Bytes moved by transfer (a read or a write), called again while a signal interrupts it.
template <typename Transfer> FileResult transferred(Transfer transfer, std::size_t& count) {
    count = 0;
    ssize_t moved = -1;
    do
        moved = transfer();
    while (moved < 0 && errno == EINTR);
    if (moved < 0)
        return failure(errno);
    count = static_cast<std::size_t>(moved);
    return {};
}

int descriptor(OpenedFile file) {
    return static_cast<int>(file);
}

} // namespace

std::filesystem::path utf8Path(std::string_view text) {
    return std::string(text);
}

std::string utf8Text(const std::filesystem::path& path) {
    return path.native();
}

FileResult openForReading(const std::filesystem::path& path, OpenedFile& file) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return failure(errno);
    file = fd;
    return {};
}

FileResult reportedSize(OpenedFile file, bool& sized, std::uintmax_t& size) {
    struct stat info {};
    if (fstat(descriptor(file), &info) != 0)
        return failure(errno);
    sized = S_ISREG(info.st_mode);
    size = static_cast<std::uintmax_t>(info.st_size);
    return {};
}

FileResult readSome(OpenedFile file, std::span<std::uint8_t> buffer, std::size_t& got) {
    return transferred([&] { return read(descriptor(file), buffer.data(), buffer.size()); }, got);
}

FileResult writeSome(OpenedFile file, std::span<const std::uint8_t> data, std::size_t& wrote) {
    return transferred([&] { return write(descriptor(file), data.data(), data.size()); }, wrote);
}

FileResult flushToDisk(OpenedFile file) {
    return fsync(descriptor(file)) == 0 ? FileResult{} : failure(errno);
}

FileResult closeFile(OpenedFile file) {
    return close(descriptor(file)) == 0 ? FileResult{} : failure(errno);
}

FileResult replaceableTarget(const std::filesystem::path& path, std::filesystem::path& target) {
    target = path;
    if (const FileResult followed = followLinks(target); !followed.ok)
        return followed;
    struct stat info {};
    return stat(target.c_str(), &info) == 0 ? checkTarget(info) : FileResult{};
}

FileResult createTemporary(const std::filesystem::path& folder, const std::filesystem::path& target,
                           OpenedFile& file, std::filesystem::path& temporary) {
    // The process number in the name tells a later run whether the file's writer has ended.
    std::string name = (folder / (".squadwright-" + std::to_string(getpid()) + "-XXXXXX")).native();
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return failure(errno);
    takeOwnerOf(fd, target); // before the mode, which a change of owner may cut
    if (fchmod(fd, permissionsFor(target)) != 0) {
        const int error = errno;
        close(fd);
        unlink(name.c_str());
        return failure(error);
    }
    file = fd;
    temporary = name;
    return {};
}

FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? FileResult{} : failure(errno);
}

void removeFile(const std::filesystem::path& path) {
    unlink(path.c_str());
}

bool existingFileIdentity(const std::filesystem::path& path, std::string& identity) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    identity = identityOf(info);
    return true;
}

std::string comparedName(const std::filesystem::path& name) {
    return name.native();
}

FileResult fileStatus(const std::filesystem::path& path, FileStatus& status) {
    status = {};
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileResult{} : failure(errno);
    namespace fs = std::filesystem;
    status.type = S_ISREG(info.st_mode)    ? fs::file_type::regular
                  : S_ISDIR(info.st_mode)  ? fs::file_type::directory
                  : S_ISCHR(info.st_mode)  ? fs::file_type::character
                  : S_ISBLK(info.st_mode)  ? fs::file_type::block
                  : S_ISFIFO(info.st_mode) ? fs::file_type::fifo
                  : S_ISSOCK(info.st_mode) ? fs::file_type::socket
                                           : fs::file_type::unknown;
    status.size = S_ISREG(info.st_mode) ? static_cast<std::uintmax_t>(info.st_size) : 0;
    status.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    status.identity = identityOf(info);
    return {};
}

FileResult listFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& names) {
    names.clear();
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr)
        return failure(errno);
    errno = 0;
    for (const dirent* entry = readdir(listing); entry != nullptr; entry = readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    const int error = errno;
    closedir(listing);
    return error == 0 ? FileResult{} : failure(error);
}

// A rename replaces a name whoever holds the file open.
FileResult replaceReadFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return replaceFile(from, to);
}

FileResult moveToNewName(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return failure(errno);
    // A file system without that kind of rename: a second link, which is never made over a file.
    if (link(from.c_str(), to.c_str()) != 0)
        return failure(errno);
    unlink(from.c_str());
    return {};
}

FileResult removeFileAt(const std::filesystem::path& path) {
    return unlink(path.c_str()) == 0 || errno == ENOENT ? FileResult{} : failure(errno);
}

// ".squadwright-PID-XXXXXX", as createTemporary names it.
bool isStaleTemporary(const std::filesystem::path& path) {
    constexpr std::string_view kPrefix = ".squadwright-";
    constexpr std::size_t kUniquePart = 6;
    const std::string text = path.filename().native();
    const std::size_t dash = text.find('-', kPrefix.size());
    if (!text.starts_with(kPrefix) || dash == std::string::npos || dash == kPrefix.size() ||
        text.size() != dash + 1 + kUniquePart)
        return false;
    pid_t writer = 0;
    for (std::size_t i = kPrefix.size(); i < dash; ++i) {
        if (text[i] < '0' || text[i] > '9' || writer > 100000000)
            return false;
        writer = writer * 10 + (text[i] - '0');
    }
    return writer > 0 && writer != getpid() && kill(writer, 0) != 0 && errno == ESRCH;
}

// The lock file is removed when the lock is given up, so a process that opened it just before may
// lock a file that no longer has a name: the lock counts only while the name still leads to it.
FileResult lockFolder(const std::filesystem::path& folder, FolderLock& lock, bool& busy) {
    lock = {folder / kFolderLockName, 0, false};
    busy = false;
    for (int attempt = 0; attempt < kMaxLinkHops; ++attempt) {
        const int fd = open(lock.file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return failure(errno);
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            close(fd);
            busy = error == EWOULDBLOCK;
            return failure(error);
        }
        struct stat held {};
        struct stat named {};
        if (fstat(fd, &held) == 0 && stat(lock.file.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            lock.handle = fd;
            lock.held = true;
            return {};
        }
        close(fd);
    }
    busy = true;
    return failure(EWOULDBLOCK);
}

void unlockFolder(FolderLock& lock) {
    if (!lock.held)
        return;
    unlink(lock.file.c_str());
    close(descriptor(lock.handle));
    lock.held = false;
}