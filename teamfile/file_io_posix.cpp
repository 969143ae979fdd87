#include "teamfile/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileResult failure(int error) {
    return {false, std::strerror(error)};
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
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

FileResult replaceFileContents(const std::string& path, std::span<const std::uint8_t> data) {
    struct stat target {};
    bool exists = stat(path.c_str(), &target) == 0;
    if (exists && (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return {false, "The file is read-only."};
    if (exists && S_ISDIR(target.st_mode))
        return failure(EISDIR);

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
    if (result.ok && std::rename(temporary.c_str(), path.c_str()) != 0)
        result = failure(errno);
    if (!result.ok)
        unlink(temporary.c_str());
    return result;
}

FileResult readFilePrefix(const std::string& path, std::span<std::uint8_t> buffer, std::size_t& delivered) {
    delivered = 0;
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return failure(errno);
    while (delivered < buffer.size()) {
        ssize_t got = read(fd, buffer.data() + delivered, buffer.size() - delivered);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            int error = errno;
            close(fd);
            delivered = 0;
            return failure(error);
        }
        if (got == 0)
            break;
        delivered += static_cast<std::size_t>(got);
    }
    close(fd);
    return {};
}
