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

void reportFailure(HWND owner, const char* what, const std::string& path, const FileResult& result) {
    const std::string text = std::string(what) + "\n" + path + "\n\n" + result.reason;
    MessageBoxA(owner, text.c_str(), "Squadwright", MB_OK | MB_ICONERROR);
}

void writeTo(TeamDocument& doc, HWND mainWindow, const std::string& path) {
    const FileResult result = writeTeamFile(doc, path);
    if (result.ok)
        showCurrentFile(doc, mainWindow);
    else
        reportFailure(mainWindow, "Could not save the team file", path, result);
}

} // namespace

void openTeamFile(TeamDocument& doc, HWND mainWindow) {
    const std::string path = askForPath(mainWindow, FileDialog::open);
    if (path.empty())
        return;
    const FileResult result = readTeamFile(doc, path);
    if (result.ok)
        showCurrentFile(doc, mainWindow);
    else
        reportFailure(mainWindow, "Could not open the team file", path, result);
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
