#include "teamfile/file_io.h"

#include "teamfile/file_io_platform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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

std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows path while it is a symbolic link; a relative link is read from the link's folder. The
// final target need not exist: saving creates it, as writing through the link would.
FileResult followLinks(std::string& path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return {};
        std::string target(PATH_MAX, '\0');
        ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return failure(errno);
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
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

// Writes data through a buffered stream on fd and forces it to the disk; closes fd.
FileResult writeAndSync(int fd, std::span<const std::uint8_t> data) {
    std::FILE* stream = fdopen(fd, "wb");
    if (stream == nullptr) {
        int error = errno;
        close(fd);
        return failure(error);
    }
    bool written = std::fwrite(data.data(), 1, data.size(), stream) == data.size() &&
                   std::fflush(stream) == 0 && fsync(fd) == 0;
    int error = errno;
    bool closed = std::fclose(stream) == 0;
    if (!written || !closed)
        return failure(written ? errno : error);
    return {};
}

} // namespace

std::filesystem::path narrowPath(const std::string& text) {
    return text;
}

std::filesystem::path utf8Path(std::string_view text) {
    return std::string(text);
}

std::string utf8Text(const std::filesystem::path& path) {
    return path.native();
}

FileResult stageFileContents(const std::filesystem::path& given, std::span<const std::uint8_t> data,
                             StagedFile& staged) {
    staged = {};
    std::string path = given.native();
    FileResult followed = followLinks(path);
    if (!followed.ok)
        return followed;
    struct stat target {};
    bool exists = stat(path.c_str(), &target) == 0;
    if (exists) {
        FileResult replaceable = checkTarget(target);
        if (!replaceable.ok)
            return replaceable;
    }

    std::string temporary = folderOf(path) + "/.squadwright-XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        return failure(errno);

    mode_t mode = exists ? target.st_mode & 07777 : 0666;
    if (!exists) {
        mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    FileResult result = fchmod(fd, mode) == 0 ? writeAndSync(fd, data) : (close(fd), failure(errno));
    if (!result.ok) {
        unlink(temporary.c_str());
        return result;
    }
    staged = {path, temporary};
    return {};
}

FileResult commitStagedFile(StagedFile& staged) {
    FileResult result;
    if (std::rename(staged.temporary.c_str(), staged.target.c_str()) != 0)
        result = failure(errno);
    if (!result.ok)
        unlink(staged.temporary.c_str());
    staged.temporary.clear();
    return result;
}

void discardStagedFile(StagedFile& staged) {
    if (!staged.temporary.empty())
        unlink(staged.temporary.c_str());
    staged.temporary.clear();
}

FileResult readFilePrefix(const std::filesystem::path& path, std::span<std::uint8_t> buffer,
                          FilePrefix& prefix) {
    prefix = {};
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return failure(errno);
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        int error = errno;
        close(fd);
        return failure(error);
    }
    while (prefix.delivered < buffer.size()) {
        ssize_t got = read(fd, buffer.data() + prefix.delivered, buffer.size() - prefix.delivered);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            int error = errno;
            close(fd);
            prefix = {};
            return failure(error);
        }
        if (got == 0)
            break;
        prefix.delivered += static_cast<std::size_t>(got);
    }
    close(fd);
    prefix.size = deliveredSize(S_ISREG(info.st_mode), static_cast<std::uintmax_t>(info.st_size), prefix);
    return {};
}

bool existingFileIdentity(const std::filesystem::path& path, std::string& identity) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    identity = std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
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
