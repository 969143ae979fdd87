#include "teamfile/file_io.h"

#include <cstdio>
#include <io.h>
#include <windows.h>

namespace {

FileFailure failureOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH: return FileFailure::notFound;
    case ERROR_ACCESS_DENIED: return FileFailure::accessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileFailure::sharingViolation;
    case ERROR_WRITE_PROTECT: return FileFailure::readOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileFailure::diskFull;
    default: return FileFailure::other;
    }
}

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
    return {false, systemReason(error), failureOf(error)};
}

// The system's words for error, filed under another kind than the error's own.
FileResult failure(DWORD error, FileFailure kind) {
    return {false, systemReason(error), kind};
}

std::wstring wideText(std::string_view text, UINT codePage) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(L".");
}

bool isFolder(const std::filesystem::path& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes data through a buffered stream into the temporary file and forces it to the disk.
FileResult writeAndSync(const wchar_t* temporary, std::span<const std::uint8_t> data) {
    std::FILE* stream = _wfopen(temporary, L"wb");
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

bool identityOf(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known;
}

} // namespace

std::filesystem::path narrowPath(const std::string& text) {
    return wideText(text, CP_ACP);
}

std::filesystem::path utf8Path(std::string_view text) {
    return wideText(text, CP_UTF8);
}

std::string utf8Text(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr,
                        nullptr);
    return text;
}

FileResult replaceFileContents(const std::filesystem::path& path, std::span<const std::uint8_t> data) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(ERROR_ACCESS_DENIED, FileFailure::readOnly);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failure(ERROR_ACCESS_DENIED, FileFailure::other);

    wchar_t temporary[MAX_PATH];
    if (GetTempFileNameW(folderOf(path).c_str(), L"swt", 0, temporary) == 0)
        return failure(GetLastError());
    FileResult result = writeAndSync(temporary, data);
    if (result.ok &&
        !MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = failure(GetLastError());
    if (!result.ok)
        DeleteFileW(temporary);
    return result;
}

FileResult readFilePrefix(const std::filesystem::path& path, std::span<std::uint8_t> buffer,
                          FilePrefix& prefix) {
    prefix = {};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED && isFolder(path) ? failure(error, FileFailure::other)
                                                              : failure(error);
    }
    LARGE_INTEGER size{};
    const bool sized = GetFileSizeEx(file, &size);
    while (prefix.delivered < buffer.size()) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.data() + prefix.delivered,
                      static_cast<DWORD>(buffer.size() - prefix.delivered), &got, nullptr)) {
            DWORD error = GetLastError();
            CloseHandle(file);
            prefix = {};
            return failure(error);
        }
        if (got == 0)
            break;
        prefix.delivered += got;
    }
    CloseHandle(file);
    // A device has no size of its own: what it delivered is all that is known.
    prefix.size = sized ? static_cast<std::uintmax_t>(size.QuadPart) : prefix.delivered;
    return {};
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return identityOf(a, first) && identityOf(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}
