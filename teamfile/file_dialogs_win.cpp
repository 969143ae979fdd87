#include "teamfile/file_dialogs_win.h"

#include <array>
#include <string>

#include <commdlg.h>

#include "teamfile/current_file_win.h"
#include "teamfile/reader.h"
#include "teamfile/wide_text_win.h"
#include "teamfile/writer.h"

// File names are wide from the dialog, the command line or a drop to the file layer and into the
// messages that name them, so a name of characters outside the system's code page stays whole. The
// rest of the program's text is ANSI.

namespace {

constexpr wchar_t kFilter[] = L"Team Files (*.fbt)\0*.fbt\0All Files (*.*)\0*.*\0";
constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

// The record as older systems know it, without the fields that later versions added.
const DWORD kDialogRecordSize = OPENFILENAME_SIZE_VERSION_400W;

enum class FileDialog { open, saveAs };

// Shows the Open or Save As dialog with no name proposed; the chosen path, or empty when the user
// cancelled or the dialog failed.
std::filesystem::path askForPath(HWND owner, FileDialog kind) {
    std::array<wchar_t, MAX_PATH> name{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = kDialogRecordSize;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = name.size();
    bool chosen = false;
    if (kind == FileDialog::open) {
        dialog.Flags = kOpenFlags;
        chosen = GetOpenFileNameW(&dialog);
    } else {
        dialog.lpstrDefExt = L"fbt";
        dialog.Flags = kSaveFlags;
        chosen = GetSaveFileNameW(&dialog);
    }
    return chosen ? std::filesystem::path(name.data()) : std::filesystem::path();
}

// The wide message box, so that the file's name shows as it is.
void reportFailure(HWND owner, const char* what, const std::filesystem::path& path,
                   const std::string& reason) {
    const std::wstring text =
        wideText(what, CP_ACP) + L"\n" + path.native() + L"\n\n" + wideText(reason, CP_ACP);
    MessageBoxW(owner, text.c_str(), L"Squadwright", MB_OK | MB_ICONERROR);
}

void writeTo(TeamDocument& doc, HWND mainWindow, const std::filesystem::path& path) {
    const FileResult result = writeTeamFile(doc, path);
    if (result.ok)
        enableSaveForCurrentFile(doc, mainWindow);
    else
        reportFailure(mainWindow, "Could not save the team file", path, result.reason);
}

// The path made full against the working folder, so that the current file stays the same file when a
// file dialog later moves the working folder; the path as given when the system cannot make it full.
std::filesystem::path fullPath(const std::filesystem::path& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), needed, full.data(), nullptr));
    return full.empty() ? path : std::filesystem::path(full);
}

} // namespace

void openTeamFile(TeamDocument& doc, HWND mainWindow) {
    const std::filesystem::path path = askForPath(mainWindow, FileDialog::open);
    if (!path.empty())
        openTeamFileAt(doc, mainWindow, path);
}

void openTeamFileAt(TeamDocument& doc, HWND mainWindow, const std::filesystem::path& path) {
    constexpr char kWhat[] = "Could not open the team file";
    const std::filesystem::path full = fullPath(path);
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
    const std::filesystem::path path = askForPath(mainWindow, FileDialog::saveAs);
    if (!path.empty())
        writeTo(doc, mainWindow, path);
}

void saveTeamFile(TeamDocument& doc, HWND mainWindow) {
    if (doc.currentPath.empty())
        saveTeamFileAs(doc, mainWindow);
    else
        writeTo(doc, mainWindow, doc.currentPath);
}
