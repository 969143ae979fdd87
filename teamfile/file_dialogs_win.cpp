#include "teamfile/file_dialogs_win.h"

#include <array>
#include <string>

#include <commdlg.h>

#include "teamfile/current_file_win.h"
#include "teamfile/reader.h"
#include "teamfile/writer.h"

namespace {

constexpr char kFilter[] = "Team Files (*.fbt)\0*.fbt\0All Files (*.*)\0*.*\0";
constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

// The record as older systems know it, without the fields that later versions added: 76 bytes in a
// 32-bit program.
const DWORD kDialogRecordSize = OPENFILENAME_SIZE_VERSION_400A;

enum class FileDialog { open, saveAs };

// Shows the Open or Save As dialog with no name proposed; the chosen path, or empty when the user
// cancelled or the dialog failed.
std::string askForPath(HWND owner, FileDialog kind) {
    std::array<char, MAX_PATH> name{};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = kDialogRecordSize;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = name.size();
    bool chosen = false;
    if (kind == FileDialog::open) {
        dialog.Flags = kOpenFlags;
        chosen = GetOpenFileNameA(&dialog);
    } else {
        dialog.lpstrDefExt = "fbt";
        dialog.Flags = kSaveFlags;
        chosen = GetSaveFileNameA(&dialog);
    }
    return chosen ? std::string(name.data()) : std::string();
}

void reportFailure(HWND owner, const char* what, const std::string& path, const std::string& reason) {
    const std::string text = std::string(what) + "\n" + path + "\n\n" + reason;
    MessageBoxA(owner, text.c_str(), "Squadwright", MB_OK | MB_ICONERROR);
}

void writeTo(TeamDocument& doc, HWND mainWindow, const std::string& path) {
    const FileResult result = writeTeamFile(doc, path);
    if (result.ok)
        enableSaveForCurrentFile(doc, mainWindow);
    else
        reportFailure(mainWindow, "Could not save the team file", path, result.reason);
}

// The path made full against the working folder, so that the current file stays the same file when a
// file dialog later moves the working folder; the path as given when the system cannot make it full.
std::string fullPath(const std::string& path) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::string full(needed, '\0');
    full.resize(GetFullPathNameA(path.c_str(), needed, full.data(), nullptr));
    return full.empty() ? path : full;
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

void openTeamFile(TeamDocument& doc, HWND mainWindow) {
    const std::string path = askForPath(mainWindow, FileDialog::open);
    if (!path.empty())
        openTeamFileAt(doc, mainWindow, path);
}

void openTeamFileAt(TeamDocument& doc, HWND mainWindow, const std::string& path) {
    constexpr char kWhat[] = "Could not open the team file";
    const std::string full = fullPath(path);
    if (isFolder(full)) {
        reportFailure(mainWindow, kWhat, full, "This is a folder, not a team file.");
        return;
    }
    const FileResult result = readTeamFile(doc, full);
    if (result.ok)
        enableSaveForCurrentFile(doc, mainWindow);
    else
        reportFailure(mainWindow, kWhat, full, result.reason);
}

void saveTeamFileAs(TeamDocument& doc, HWND mainWindow) {
    const std::string path = askForPath(mainWindow, FileDialog::saveAs);
    if (!path.empty())
        writeTo(doc, mainWindow, path);
}

void saveTeamFile(TeamDocument& doc, HWND mainWindow) {
    if (doc.currentPath.empty())
        saveTeamFileAs(doc, mainWindow);
    else
        writeTo(doc, mainWindow, doc.currentPath);
}
