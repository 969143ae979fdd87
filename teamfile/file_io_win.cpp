#include "teamfile/file_io.h"

#include "teamfile/file_io_platform.h"
#include "teamfile/wide_text_win.h"

#include <algorithm>
#include <cwchar>
#include <span>
#include <vector>
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

// The path made full against the working folder, as the system makes it (a device name such as "NUL",
// also inside a folder, becomes its \\.\ form).
std::wstring fullName(const std::wstring& given) {
    std::wstring full(GetFullPathNameW(given.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

// The form of a path that the system's functions take at any length: a path that may pass the old
// limit of MAX_PATH characters is made absolute and given the \\?\ prefix, which also turns off the
// system's rewriting of the name (so "." and ".." are resolved here first).
std::wstring systemPath(const std::filesystem::path& path) {
    constexpr std::size_t kShortEnough = MAX_PATH - 14; // room for a temporary file's name
    const std::wstring& given = path.native();
    if (given.size() < kShortEnough || given.starts_with(L"\\\\?\\"))
        return given;
    const std::wstring full = fullName(given);
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The usual form of a path the system gave with the \\?\ prefix: the rest of the program, and
// std::filesystem, take "\\?\C:\..." for a relative path. systemPath puts the prefix back where the
// length needs it.
std::wstring withoutLongPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\"))
        return L"\\\\" + path.substr(8);
    if (path.starts_with(L"\\\\?\\") && path.size() >= 6 && path[5] == L':')
        return path.substr(4);
    return path;
}

HANDLE handleOf(OpenedFile file) {
    return reinterpret_cast<HANDLE>(file);
}

// The most one call reads or writes.
DWORD chunkOf(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
}

// A handle that asks about the file or folder without reading it, and shares it with every other use.
HANDLE openToExamine(const std::filesystem::path& path) {
    return CreateFileW(systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool identityOf(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = openToExamine(path);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known;
}

std::uintmax_t sizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
}

std::string identityText(const BY_HANDLE_FILE_INFORMATION& info) {
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
           std::to_string(info.nFileIndexLow);
}

// Whether the path names something of the device namespace rather than a file on a disk: NUL, CON,
// AUX, COM1, LPT1 and their kin (the system makes "nul.fbt" in any folder the device NUL too), or any
// \\.\ name such as a pipe. Told from the full name alone: opening a serial line can wait for it.
bool namesADevice(const std::filesystem::path& path) {
    const std::wstring full = fullName(path.native());
    if (!full.starts_with(L"\\\\.\\") && !full.starts_with(L"\\\\?\\"))
        return false;
    const std::wstring_view rest = std::wstring_view(full).substr(4);
    const bool onADrive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\';
    return !onADrive && !rest.starts_with(L"UNC\\") && !rest.starts_with(L"Volume{");
}

// What the system tells of an opened file: its kind and, for a file or folder on a disk, its size,
// last modification and identity.
void describeOpenFile(HANDLE file, FileStatus& status) {
    namespace fs = std::filesystem;
    const DWORD type = GetFileType(file);
    BY_HANDLE_FILE_INFORMATION info{};
    if (type != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) {
        status.type = type == FILE_TYPE_CHAR   ? fs::file_type::character
                      : type == FILE_TYPE_PIPE ? fs::file_type::fifo
                                               : fs::file_type::unknown;
        return;
    }
    const bool folder = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    status.type = folder ? fs::file_type::directory : fs::file_type::regular;
    status.size = folder ? 0 : sizeOf(info);
    status.modified = static_cast<std::int64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 |
                      info.ftLastWriteTime.dwLowDateTime;
    status.identity = identityText(info);
}

// The file that path leads to after symbolic links and junctions, in the long form; path itself when
// it does not exist or the system cannot tell.
std::filesystem::path finalPath(const std::filesystem::path& path) {
    HANDLE file = openToExamine(path);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
    }
    CloseHandle(file);
    if (length == 0 || length >= final.size())
        return path;
    final.resize(length);
    return withoutLongPrefix(final);
}

// Whether the program runs under Wine, whose files are the host's: a replacement can carry neither a
// Unix mode nor an owner over (Wine's ReplaceFileW gives it those of a new file), and its security
// descriptors do not show every mode bit.
bool underWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// The most a file written in place may hold, before and after: both are kept in memory.
constexpr std::uintmax_t kInPlaceLimit = 64u << 20;

// Whether replacing the file by another would lose what writing into it keeps: its other names (hard
// links), or under Wine its mode and owner.
bool keptOnlyInPlace(const std::filesystem::path& replacement, const BY_HANDLE_FILE_INFORMATION& info) {
    BY_HANDLE_FILE_INFORMATION staged{};
    if (!identityOf(replacement, staged) || sizeOf(info) > kInPlaceLimit || sizeOf(staged) > kInPlaceLimit)
        return false;
    return info.nNumberOfLinks > 1 || underWine();
}

OpenedFile opened(HANDLE file) {
    return reinterpret_cast<OpenedFile>(file);
}

// Reads the open file from its start to its end.
FileResult readWhole(HANDLE file, std::vector<std::uint8_t>& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        return failure(GetLastError());
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t got = 0;
        if (const FileResult read = readSome(opened(file), std::span(bytes).subspan(done), got); !read.ok)
            return read;
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return {};
}

// Puts bytes into the open file from its start, cuts it after them and forces it to the disk.
FileResult overwrite(HANDLE file, std::span<const std::uint8_t> bytes) {
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN))
        return failure(GetLastError());
    for (std::size_t done = 0, wrote = 0; done < bytes.size(); done += wrote)
        if (const FileResult written = writeSome(opened(file), bytes.subspan(done), wrote); !written.ok)
            return written;
    if (!SetEndOfFile(file))
        return failure(GetLastError());
    return flushToDisk(opened(file));
}

// Writes the replacement's bytes into the replaced file itself, which so stays the same file with its
// names and permissions, held by nobody else meanwhile. What it held is kept in memory and put back
// should the write fail part-way. The replacement is removed once its bytes are in place.
FileResult rewriteInPlace(const std::filesystem::path& replacement, const std::filesystem::path& replaced) {
    std::vector<std::uint8_t> bytes;
    HANDLE source =
        CreateFileW(systemPath(replacement).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (source == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    FileResult result = readWhole(source, bytes);
    CloseHandle(source);
    if (!result.ok)
        return result;
    HANDLE file = CreateFileW(systemPath(replaced).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    std::vector<std::uint8_t> previous;
    result = readWhole(file, previous);
    if (result.ok) {
        result = overwrite(file, bytes);
        if (!result.ok)
            overwrite(file, previous);
    }
    CloseHandle(file);
    if (result.ok)
        DeleteFileW(systemPath(replacement).c_str());
    return result;
}

} // namespace

// Bytes that are not UTF-8 become U+FFFD, where std::filesystem's own conversion would throw.
std::filesystem::path utf8Path(std::string_view text) {
    return wideText(text, CP_UTF8);
}

std::string utf8Text(const std::filesystem::path& path) {
    return narrowText(path.native(), CP_UTF8);
}

FileResult openForReading(const std::filesystem::path& path, OpenedFile& file) {
    // Other readers, and a save that replaces the file meanwhile, are let through; writers are not.
    HANDLE handle = CreateFileW(systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED && isFolder(path) ? failure(error, FileFailure::other)
                                                              : failure(error);
    }
    file = reinterpret_cast<OpenedFile>(handle);
    return {};
}

FileResult reportedSize(OpenedFile file, bool& sized, std::uintmax_t& size) {
    LARGE_INTEGER reported{};
    sized = GetFileSizeEx(handleOf(file), &reported);
    size = static_cast<std::uintmax_t>(reported.QuadPart);
    return {};
}

FileResult readSome(OpenedFile file, std::span<std::uint8_t> buffer, std::size_t& got) {
    DWORD read = 0;
    const bool ok = ReadFile(handleOf(file), buffer.data(), chunkOf(buffer.size()), &read, nullptr);
    got = ok ? read : 0;
    return ok ? FileResult{} : failure(GetLastError());
}

FileResult writeSome(OpenedFile file, std::span<const std::uint8_t> data, std::size_t& wrote) {
    DWORD written = 0;
    const bool ok = WriteFile(handleOf(file), data.data(), chunkOf(data.size()), &written, nullptr);
    wrote = written;
    return ok ? FileResult{} : failure(GetLastError());
}

FileResult flushToDisk(OpenedFile file) {
    return FlushFileBuffers(handleOf(file)) ? FileResult{} : failure(GetLastError());
}

FileResult closeFile(OpenedFile file) {
    return CloseHandle(handleOf(file)) ? FileResult{} : failure(GetLastError());
}

FileResult replaceableTarget(const std::filesystem::path& path, std::filesystem::path& target) {
    target = finalPath(path);
    const DWORD attributes = GetFileAttributesW(systemPath(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(ERROR_ACCESS_DENIED, FileFailure::readOnly);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failure(ERROR_ACCESS_DENIED, FileFailure::other);
    return {};
}

// Named after the process and a count, never over an existing file. The new file takes the
// permissions that the folder passes on; replaceFile keeps the target's own.
FileResult createTemporary(const std::filesystem::path& folder, const std::filesystem::path&,
                           OpenedFile& file, std::filesystem::path& temporary) {
    static unsigned count = 0;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
         ++attempt) {
        wchar_t name[40];
        swprintf(name, 40, L"swt%lx-%lx-%x.tmp", GetCurrentProcessId(), GetTickCount(), ++count);
        temporary = folder / name;
        // Shared for deleting only: an interruption removes the file while it is still being written.
        HANDLE handle = CreateFileW(systemPath(temporary).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file = reinterpret_cast<OpenedFile>(handle);
            return {};
        }
        error = GetLastError();
    }
    temporary.clear();
    return failure(error);
}

// An existing file is replaced by ReplaceFileW, which keeps its attributes and security, or written in
// place where that would lose more; a new one is moved into place.
FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    BY_HANDLE_FILE_INFORMATION replaced{};
    if (!identityOf(to, replaced))
        return MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? FileResult{}
                   : failure(GetLastError());
    if (keptOnlyInPlace(from, replaced))
        return rewriteInPlace(from, to);
    constexpr DWORD kReplaceFlags = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;
    return ReplaceFileW(systemPath(to).c_str(), systemPath(from).c_str(), nullptr, kReplaceFlags, nullptr,
                        nullptr)
               ? FileResult{}
               : failure(GetLastError());
}

void removeFile(const std::filesystem::path& path) {
    DeleteFileW(systemPath(path).c_str());
}

bool existingFileIdentity(const std::filesystem::path& path, std::string& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!identityOf(path, info))
        return false;
    identity = identityText(info);
    return true;
}

std::string comparedName(const std::filesystem::path& name) {
    std::wstring upper = name.native();
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return utf8Text(upper);
}

FileResult fileStatus(const std::filesystem::path& path, FileStatus& status) {
    status = {};
    if (namesADevice(path)) {
        status.type = std::filesystem::file_type::character;
        return {};
    }
    HANDLE file = openToExamine(path);
    if (file == INVALID_HANDLE_VALUE) {
        constexpr DWORD kNoSuchDevice = 433; // ERROR_NO_SUCH_DEVICE, which these headers lack
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {};
        if (error != kNoSuchDevice && error != ERROR_CANT_ACCESS_FILE)
            return failure(error);
        // Something that the system lists but cannot open as a file: a socket (Wine names it a device
        // that does not exist).
        status.type = std::filesystem::file_type::unknown;
        return {};
    }
    describeOpenFile(file, status);
    CloseHandle(file);
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

FileResult replaceReadFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // FileRenameInfoEx and its flags, of Windows 10 (1709) and later. The new name is the last part
    // of to alone: from stands in the same folder.
    constexpr auto kRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
    constexpr DWORD kReplaceIfExists = 0x1;
    constexpr DWORD kPosixSemantics = 0x2;
    HANDLE source = CreateFileW(systemPath(from).c_str(), DELETE | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (source != INVALID_HANDLE_VALUE) {
        const std::wstring name = to.filename().native();
        std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + (name.size() + 1) * sizeof(wchar_t));
        auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        info->Flags = kReplaceIfExists | kPosixSemantics;
        info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
        std::copy(name.begin(), name.end(), info->FileName);
        const bool renamed =
            SetFileInformationByHandle(source, kRenameInfoEx, info, static_cast<DWORD>(buffer.size()));
        const DWORD error = GetLastError();
        CloseHandle(source);
        if (renamed)
            return {};
        if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
            error != ERROR_INVALID_FUNCTION)
            return failure(error);
    }
    return replaceFile(from, to);
}

FileResult moveToNewName(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(), MOVEFILE_WRITE_THROUGH)
               ? FileResult{}
               : failure(GetLastError());
}

FileResult removeFileAt(const std::filesystem::path& path) {
    if (DeleteFileW(systemPath(path).c_str()))
        return {};
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? FileResult{} : failure(error);
}

namespace {

// The hexadecimal number at the front of text, and the rest after it.
bool takeHex(std::wstring_view& text, unsigned long& value) {
    std::size_t digits = 0;
    value = 0;
    for (; digits < text.size() && digits < 8; ++digits) {
        const wchar_t c = text[digits];
        const wchar_t lower = c | 0x20;
        if (c >= L'0' && c <= L'9')
            value = value * 16 + (c - L'0');
        else if (lower >= L'a' && lower <= L'f')
            value = value * 16 + (lower - L'a' + 10);
        else
            break;
    }
    text.remove_prefix(digits);
    return digits > 0;
}

// Whether the process that wrote a file at the time written has ended: the process of that number
// has ended, or began after the file was written (the number is another process's now).
bool writerHasEnded(DWORD id, const FILETIME& written) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0 ||
                       (GetProcessTimes(process, &created, &exited, &kernel, &user) &&
                        CompareFileTime(&created, &written) > 0);
    CloseHandle(process);
    return ended;
}

} // namespace

// "swtPID-TICKS-COUNT.tmp" in hexadecimal, as createTemporary names it.
bool isStaleTemporary(const std::filesystem::path& path) {
    const std::wstring name = path.filename().native();
    std::wstring_view text = name;
    unsigned long writer = 0;
    unsigned long part = 0;
    if (!text.starts_with(L"swt") || !text.ends_with(L".tmp"))
        return false;
    text = text.substr(3, text.size() - 7);
    if (!takeHex(text, writer) || !text.starts_with(L'-'))
        return false;
    text.remove_prefix(1);
    if (!takeHex(text, part) || !text.starts_with(L'-'))
        return false;
    text.remove_prefix(1);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!takeHex(text, part) || !text.empty() ||
        !GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    return writerHasEnded(writer, data.ftLastWriteTime);
}

// The lock file is removed when the lock is given up, so a process that opened it just before may
// lock a file that is about to lose its name: the lock counts only while the name still leads to it.
FileResult lockFolder(const std::filesystem::path& folder, FolderLock& lock, bool& busy) {
    lock = {folder / std::wstring(kFolderLockName.begin(), kFolderLockName.end()), 0, false};
    busy = false;
    DWORD error = ERROR_LOCK_VIOLATION;
    for (int attempt = 0; attempt < 40; ++attempt) {
        HANDLE file = CreateFileW(systemPath(lock.file).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            if (error != ERROR_ACCESS_DENIED) // a lock file that is being removed
                return failure(error);
            Sleep(5);
            continue;
        }
        OVERLAPPED at{};
        if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
            error = GetLastError();
            CloseHandle(file);
            busy = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING;
            return failure(error, busy ? FileFailure::sharingViolation : failureOf(error));
        }
        BY_HANDLE_FILE_INFORMATION held{};
        BY_HANDLE_FILE_INFORMATION named{};
        if (GetFileInformationByHandle(file, &held) && identityOf(lock.file, named) &&
            held.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
            held.nFileIndexHigh == named.nFileIndexHigh && held.nFileIndexLow == named.nFileIndexLow) {
            lock.handle = reinterpret_cast<std::intptr_t>(file);
            lock.held = true;
            return {};
        }
        CloseHandle(file);
    }
    busy = true;
    return failure(ERROR_LOCK_VIOLATION, FileFailure::sharingViolation);
}

void unlockFolder(FolderLock& lock) {
    if (!lock.held)
        return;
    DeleteFileW(systemPath(lock.file).c_str());
    CloseHandle(handleOf(lock.handle));
    lock.held = false;
}