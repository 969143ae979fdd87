#include "teamfile/file_dialogs_win.h"

#include <algorithm>
#include <string>

#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>

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

// NAME in the questions: the current file's name, or "the new team" without one.
std::wstring teamName(const TeamDocument& doc) {
    return doc.currentPath.empty() ? L"the new team" : doc.currentPath.filename().native();
}

bool confirmed(HWND owner, const std::wstring& question) {
    return MessageBoxW(owner, question.c_str(), kCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
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

// Names that the file dialog cannot take itself. Wine's dialog builds the full path of a typed name
// in a buffer of MAX_PATH characters and runs past its end with a longer one, which ends the program.
// So the dialog's OK is watched while it is open, and a name whose full path is that long is taken
// here: its folder must exist, Save As adds ".fbt" to a name without an extension and asks before it
// replaces a file, and the dialog then closes as if cancelled. Shorter names stay the dialog's.
struct LongNameWatch {
    FileDialog kind = FileDialog::open;
    HHOOK hook = nullptr;
    WNDPROC dialogProc = nullptr; // the dialog's own, once it is watched
    std::filesystem::path taken;
};
LongNameWatch longNames; // file dialogs are modal: one at a time

// The name box's text, made full against the folder that the dialog shows.
std::filesystem::path typedPath(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    std::wstring text(GetWindowTextLengthW(box) + 1, L'\0');
    text.resize(GetWindowTextW(box, text.data(), static_cast<int>(text.size())));
    const std::filesystem::path typed(text);
    if (text.empty() || typed.is_absolute())
        return typed;
    std::wstring folder(kLongestPath, L'\0');
    folder.resize(std::max<LRESULT>(
        0,
        SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data())) - 1));
    return fullPath(std::filesystem::path(folder) / typed);
}

// True when the name was the editor's to take (taken, or refused with a message).
bool takeLongName(HWND dialog) {
    std::filesystem::path path = typedPath(dialog);
    if (path.native().size() < MAX_PATH)
        return false;
    if (longNames.kind == FileDialog::saveAs && !path.has_extension())
        path += L".fbt";
    FileStatus folder;
    FileStatus file;
    fileStatus(path.parent_path(), folder);
    fileStatus(path, file);
    if (folder.type != std::filesystem::file_type::directory) {
        const std::wstring text = path.parent_path().native() + L"\nThe folder does not exist.";
        MessageBoxW(dialog, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
        return true;
    }
    if (longNames.kind == FileDialog::saveAs && file.type != std::filesystem::file_type::not_found &&
        !confirmed(dialog, path.filename().native() + L" already exists.\nDo you want to replace it?"))
        return true;
    longNames.taken = path;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
}

LRESULT CALLBACK watchedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && takeLongName(dialog))
        return 0;
    return CallWindowProcW(longNames.dialogProc, dialog, message, wParam, lParam);
}

// Watches the file dialog once it shows: the first window with a file name box.
LRESULT CALLBACK watchForFileDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && longNames.dialogProc == nullptr && GetDlgItem(window, cmb13) != nullptr)
        longNames.dialogProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchedDialogProc)));
    return CallNextHookEx(longNames.hook, code, wParam, lParam);
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
    longNames = {
        kind, SetWindowsHookExW(WH_CBT, watchForFileDialog, nullptr, GetCurrentThreadId()), nullptr, {}};
    bool chosen = false;
    if (kind == FileDialog::open) {
        dialog.Flags = kOpenFlags;
        chosen = GetOpenFileNameW(&dialog);
    } else {
        dialog.lpstrDefExt = L"fbt";
        dialog.Flags = kSaveFlags;
        chosen = GetSaveFileNameW(&dialog);
    }
    const DWORD error = chosen ? 0 : CommDlgExtendedError();
    UnhookWindowsHookEx(longNames.hook);
    const std::filesystem::path taken = longNames.taken;
    longNames = {};
    if (chosen)
        return name.c_str();
    if (error != 0)
        reportRefusedName(owner, kind, error);
    return taken;
}

// Before Save writes over the current file: a file that another program changed since it was opened
// or saved, or that held no team when it was opened, is replaced only on a Yes. A file that is gone
// meanwhile loses nothing by the save.
bool mayWriteOverCurrentFile(const TeamDocument& doc, const Baseline& baseline, HWND owner) {
    FileStatus now;
    if (!fileStatus(doc.currentPath, now).ok || now.type == std::filesystem::file_type::not_found)
        return true; // gone: nothing to lose; not to be examined: the write tells why
    if (changedOnDisk(baseline, now))
        return confirmed(owner,
                         teamName(doc) + L" was changed by another program since it was opened. Replace it?");
    if (heldNoTeam(baseline))
        return confirmed(owner, teamName(doc) + L" was not a team file when it was opened (" +
                                    std::to_wstring(baseline.file.size) +
                                    L" bytes). Replace it with this team?");
    return true;
}

bool writeTo(TeamDocument& doc, Baseline& baseline, HWND mainWindow, const std::filesystem::path& path) {
    const FileResult result = writeTeamFile(doc, path);
    if (!result.ok) {
        reportFailure(mainWindow, kCouldNotSave, path.native(), result.reason);
        return false;
    }
    doc.currentPath = path;
    FileStatus written;
    fileStatus(path, written);
    baseline = baselineOf(doc, written);
    enableSaveForCurrentFile(doc, mainWindow);
    return true;
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
    FileResult result = examineTeamFile(full, examined);
    TeamFileRead file;
    if (result.ok) {
        file = readTeamFile(full);
        result = file.result;
    }
    if (!result.ok) {
        reportFailure(mainWindow, kCouldNotOpen, full.native(), result.reason);
        return;
    }
    decodeTeam(doc, file.delivered());
    doc.currentPath = full;
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
