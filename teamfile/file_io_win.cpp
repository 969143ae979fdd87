#include "teamfile/file_io.h"

#include <cstdio>
#include <io.h>
#include <windows.h>

namespace {

std::string systemReason(DWORD error) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length != 0 ? std::string(text, length) : "Error " + std::to_string(error) + ".";
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

FileResult failure(DWORD error) {
    return {false, systemReason(error)};
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash + 1);
}

// Writes data through a buffered stream into the temporary file and forces it to the disk.
FileResult writeAndSync(const char* temporary, std::span<const std::uint8_t> data) {
    std::FILE* stream = std::fopen(temporary, "wb");
    if (stream == nullptr)
        return failure(GetLastError());
    bool written =
        std::fwrite(data.data(), 1, data.size(), stream) == data.size() && std::fflush(stream) == 0;
    DWORD error = GetLastError();
    if (written && !FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))))) {
        written = false;
        error = GetLastError();
    }
    if (std::fclose(stream) != 0 && written) {
        written = false;
        error = GetLastError();
    }
    return written ? FileResult{} : failure(error != 0 ? error : ERROR_WRITE_FAULT);
}

} // namespace

FileResult replaceFileContents(const std::string& path, std::span<const std::uint8_t> data) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(ERROR_ACCESS_DENIED);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failure(ERROR_ACCESS_DENIED);

    char temporary[MAX_PATH];
    if (GetTempFileNameA(folderOf(path).c_str(), "swt", 0, temporary) == 0)
        return failure(GetLastError());
    FileResult result = writeAndSync(temporary, data);
    if (result.ok &&
        !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = failure(GetLastError());
    if (!result.ok)
        DeleteFileA(temporary);
    return result;
}

FileResult readFilePrefix(const std::string& path, std::span<std::uint8_t> buffer, std::size_t& delivered) {
    delivered = 0;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    while (delivered < buffer.size()) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.data() + delivered, static_cast<DWORD>(buffer.size() - delivered), &got,
                      nullptr)) {
            DWORD error = GetLastError();
            CloseHandle(file);
            delivered = 0;
            return failure(error);
        }
        if (got == 0)
            break;
        delivered += got;
    }
    CloseHandle(file);
    return {};
}
