#include "teamfile/file_io.h"

#include "teamfile/file_io_platform.h"

#include <algorithm>
#include <cwchar>
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

// The form of a path that the system's functions take at any length: a path that may pass the old
// limit of MAX_PATH characters is made absolute and given the \\?\ prefix, which also turns off the
// system's rewriting of the name (so "." and ".." are resolved here first).
std::wstring systemPath(const std::filesystem::path& path) {
    constexpr std::size_t kShortEnough = MAX_PATH - 14; // room for a temporary file's name
    const std::wstring& given = path.native();
    if (given.size() < kShortEnough || given.starts_with(L"\\\\?\\"))
        return given;
    std::wstring full(GetFullPathNameW(given.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool isFolder(const std::filesystem::path& path) {
    DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates a new, empty temporary file in folder, named after the process and a count, never over an
// existing file; its path, or empty when it cannot be made (error says why).
std::wstring createTemporary(const std::filesystem::path& folder, HANDLE& file, DWORD& error) {
    static unsigned count = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[40];
        swprintf(name, 40, L"swt%lx-%lx-%x.tmp", GetCurrentProcessId(), GetTickCount(), ++count);
        const std::wstring temporary = systemPath(folder / name);
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return temporary;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

// Writes data into the temporary file and forces it to the disk; closes the file.
FileResult writeAndSync(HANDLE file, std::span<const std::uint8_t> data) {
    DWORD error = 0;
    for (std::size_t done = 0; done < data.size() && error == 0;) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1 << 20));
        if (!WriteFile(file, data.data() + done, chunk, &wrote, nullptr))
            error = GetLastError();
        done += wrote;
    }
    if (error == 0 && !FlushFileBuffers(file))
        error = GetLastError();
    if (!CloseHandle(file) && error == 0)
        error = GetLastError();
    return error == 0 ? FileResult{} : failure(error);
}

bool identityOf(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file =
        CreateFileW(systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

FileResult stageFileContents(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                             StagedFile& staged) {
    staged = {};
    const std::wstring target = systemPath(path);
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(ERROR_ACCESS_DENIED, FileFailure::readOnly);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failure(ERROR_ACCESS_DENIED, FileFailure::other);

    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    const std::wstring temporary = createTemporary(folderOf(path), file, error);
    if (temporary.empty())
        return failure(error);
    FileResult result = writeAndSync(file, data);
    if (!result.ok) {
        DeleteFileW(temporary.c_str());
        return result;
    }
    staged = {target, temporary};
    return {};
}

FileResult commitStagedFile(StagedFile& staged) {
    FileResult result;
    if (!MoveFileExW(staged.temporary.c_str(), staged.target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        result = failure(GetLastError());
        DeleteFileW(staged.temporary.c_str());
    }
    staged.temporary.clear();
    return result;
}

void discardStagedFile(StagedFile& staged) {
    if (!staged.temporary.empty())
        DeleteFileW(staged.temporary.c_str());
    staged.temporary.clear();
}

FileResult readFilePrefix(const std::filesystem::path& path, std::span<std::uint8_t> buffer,
                          FilePrefix& prefix) {
    prefix = {};
    HANDLE file = CreateFileW(systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
    prefix.size = deliveredSize(sized, static_cast<std::uintmax_t>(size.QuadPart), prefix);
    return {};
}

bool existingFileIdentity(const std::filesystem::path& path, std::string& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!identityOf(path, info))
        return false;
    identity = std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
               std::to_string(info.nFileIndexLow);
    return true;
}

std::string comparedName(const std::filesystem::path& name) {
    std::wstring upper = name.native();
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return utf8Text(upper);
}

FileResult fileStatus(const std::filesystem::path& path, FileStatus& status) {
    status = {};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileResult{} : failure(error);
    }
    namespace fs = std::filesystem;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        status.type = fs::file_type::directory;
        return {};
    }
    HANDLE file =
        CreateFileW(systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    const DWORD type = file == INVALID_HANDLE_VALUE ? FILE_TYPE_DISK : GetFileType(file);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    status.type = type == FILE_TYPE_DISK   ? fs::file_type::regular
                  : type == FILE_TYPE_CHAR ? fs::file_type::character
                  : type == FILE_TYPE_PIPE ? fs::file_type::fifo
                                           : fs::file_type::unknown;
    status.size = static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return {};
}

FileResult listFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& names) {
    names.clear();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(systemPath(folder / L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..")
            names.emplace_back(name);
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES ? FileResult{} : failure(error);
}
