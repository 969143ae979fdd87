#include "teamfile/file_dialogs_win.h"

#include <string>

#include <cderr.h>
#include <commdlg.h>

#include "teamfile/current_file_win.h"
#include "teamfile/reader.h"
#include "teamfile/wide_text_win.h"
#include "teamfile/writer.h"

// File names are wide from the dialog, the command line or a drop to the file layer and into the
// messages that name them, so a name of characters outside the system's code page stays whole. The
// rest of the program's text is ANSI.

namespace {

constexpr wchar_t kCaption[] = L"Squadwright";
constexpr wchar_t kFilter[] = L"Team Files (*.fbt)\0*.fbt\0All Files (*.*)\0*.*\0";
// The reader tells a missing file itself, naming it: the dialog's own check refuses every existing
// file whose full path passes the old limit of 260 characters.
constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
constexpr char kCouldNotOpen[] = "Could not open the team file";
constexpr char kCouldNotSave[] = "Could not save the team file";

// The record as older systems know it, without the fields that later versions added.
const DWORD kDialogRecordSize = OPENFILENAME_SIZE_VERSION_400W;
// The longest path the system takes, in characters with the terminating zero, as the command line
// and a drop deliver it.
constexpr std::size_t kLongestPath = 32768;

enum class FileDialog { open, saveAs };

// The wide message box, so that the file's name shows as it is; without a name when there is none.
void reportFailure(HWND owner, const char* what, const std::wstring& named, const std::string& reason) {
    const std::wstring line = named.empty() ? L"" : L"\n" + named;
    const std::wstring text = wideText(what, CP_ACP) + line + L"\n\n" + wideText(reason, CP_ACP);
    MessageBoxW(owner, text.c_str(), kCaption, MB_OK | MB_ICONERROR);
}

// A name that the dialog itself refused, which it reports only to its caller.
void reportRefusedName(HWND owner, FileDialog kind, DWORD error) {
    const std::string reason = error == FNERR_BUFFERTOOSMALL ? "The name is longer than the system allows."
                               : error == FNERR_INVALIDFILENAME
                                   ? "The name is not a valid file name."
                                   : "The file dialog failed (error " + std::to_string(error) + ").";
    reportFailure(owner, kind == FileDialog::open ? kCouldNotOpen : kCouldNotSave, L"", reason);
}

// Shows the Open or Save As dialog with no name proposed; the chosen path, or empty when the user
// cancelled or the dialog refused the name (which is then reported).
std::filesystem::path askForPath(HWND owner, FileDialog kind) {
    std::wstring name(kLongestPath, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = kDialogRecordSize;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    bool chosen = false;
    if (kind == FileDialog::open) {
        dialog.Flags = kOpenFlags;
        chosen = GetOpenFileNameW(&dialog);
    } else {
        dialog.lpstrDefExt = L"fbt";
        dialog.Flags = kSaveFlags;
        chosen = GetSaveFileNameW(&dialog);
    }
    if (chosen)
        return name.c_str();
    if (const DWORD error = CommDlgExtendedError(); error != 0)
        reportRefusedName(owner, kind, error);
    return {};
}

// NAME in the questions: the current file's name, or "the new team" without one.
std::wstring teamName(const TeamDocument& doc) {
    return doc.currentPath.empty() ? L"the new team" : doc.currentPath.filename().native();
}

bool confirmed(HWND owner, const std::wstring& question) {
    return MessageBoxW(owner, question.c_str(), kCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

std::wstring sizeText(std::uintmax_t size) {
    return std::to_wstring(size) + (size == 1 ? L" byte" : L" bytes");
}

// Before Save writes over the current file: a file that another program changed since it was opened
// or saved, or that held no team when it was opened, is replaced only on a Yes. A file that is gone
// meanwhile loses nothing by the save.
bool mayWriteOverCurrentFile(const TeamDocument& doc, const Baseline& baseline, HWND owner) {
    FileStatus now;
    if (!fileStatus(doc.currentPath, now).ok || now.type == std::filesystem::file_type::not_found)
        return true; // the write names what is wrong
    if (changedOnDisk(baseline, now))
        return confirmed(owner,
                         teamName(doc) + L" was changed by another program since it was opened. Replace it?");
    if (heldNoTeam(baseline))
        return confirmed(owner, teamName(doc) + L" was not a team file when it was opened (" +
                                    sizeText(baseline.file.size) + L"). Replace it with this team?");
    return true;
}

bool writeTo(TeamDocument& doc, Baseline& baseline, HWND mainWindow, const std::filesystem::path& path) {
    const FileResult result = writeTeamFile(doc, path);
    if (!result.ok) {
        reportFailure(mainWindow, kCouldNotSave, path.native(), result.reason);
        return false;
    }
    FileStatus written;
    fileStatus(path, written);
    baseline = baselineOf(doc, written);
    enableSaveForCurrentFile(doc, mainWindow);
    return true;
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

bool askToSaveChanges(TeamDocument& doc, Baseline& baseline, HWND mainWindow) {
    if (!hasUnsavedChanges(doc, baseline))
        return true;
    const std::wstring question = L"Do you want to save changes to " + teamName(doc) + L"?";
    switch (MessageBoxW(mainWindow, question.c_str(), kCaption, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return saveTeamFile(doc, baseline, mainWindow);
    case IDNO: return true;
    default: return false;
    }
}

void openTeamFile(TeamDocument& doc, Baseline& baseline, HWND mainWindow) {
    const std::filesystem::path path = askForPath(mainWindow, FileDialog::open);
    if (!path.empty())
        openTeamFileAt(doc, baseline, mainWindow, path);
}

void openTeamFileAt(TeamDocument& doc, Baseline& baseline, HWND mainWindow,
                    const std::filesystem::path& path) {
    const std::filesystem::path full = fullPath(path);
    FileStatus examined;
    const FileResult result = readTeamFile(doc, full, examined);
    if (!result.ok) {
        reportFailure(mainWindow, kCouldNotOpen, full.native(), result.reason);
        return;
    }
    baseline = baselineOf(doc, examined);
    enableSaveForCurrentFile(doc, mainWindow);
}

bool saveTeamFileAs(TeamDocument& doc, Baseline& baseline, HWND mainWindow) {
    const std::filesystem::path path = askForPath(mainWindow, FileDialog::saveAs);
    return !path.empty() && writeTo(doc, baseline, mainWindow, path);
}

bool saveTeamFile(TeamDocument& doc, Baseline& baseline, HWND mainWindow) {
    if (doc.currentPath.empty())
        return saveTeamFileAs(doc, baseline, mainWindow);
    return mayWriteOverCurrentFile(doc, baseline, mainWindow) &&
           writeTo(doc, baseline, mainWindow, doc.currentPath);
}
