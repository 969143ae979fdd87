#include "tests/ui/driver.h"

#include <algorithm>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>
#include <thread>

#include "app/main_window.h"
#include "teamfile/wide_text_win.h"

namespace {

constexpr int kPollIntervalMs = 5;
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kCloseTimeoutMs = 5000;
constexpr int kQueueTimeoutMs = 5000;

// The build passes the exe's path as the host sees it; Wine reaches the host's root as drive Z:.
std::string windowsPath(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/')
        return hostPath;
    std::string path("Z:");
    for (char c : hostPath)
        path.push_back(c == '/' ? '\\' : c);
    return path;
}

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD processOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

struct TopLevelSearch {
    DWORD processId;
    const char* windowClass;
    HWND owner; // only for dialogs
    HWND found;
};

BOOL CALLBACK findMainWindowOf(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (processOf(window) != search->processId || className(window) != search->windowClass)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK findOwnedDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (processOf(window) != search->processId || className(window) != "#32770" || !IsWindowVisible(window) ||
        GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND mainWindowOf(DWORD processId) {
    TopLevelSearch search{processId, kMainWindowClass, nullptr, nullptr};
    EnumWindows(findMainWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The page dialogs are the dialog children of the main window; the first control of its first row
// tells a roster page which one it is, the first Swap box tells the slot tools page.
std::array<HWND, kPageCount> pagesOf(HWND main) {
    std::array<HWND, kPageCount> pages{};
    for (HWND child = FindWindowExA(main, nullptr, "#32770", nullptr); child;
         child = FindWindowExA(main, child, "#32770", nullptr)) {
        for (PageIndex page = 0; page < kRosterPageCount; ++page)
            if (GetDlgItem(child, controlId(slotAt(page, 0), 0)))
                pages[page] = child;
        if (GetDlgItem(child, IDC_SWAP_FIRST))
            pages[kSlotToolsPage] = child;
    }
    return pages;
}

// The main window of the editor that owns the window: its root, or the owner of a dialog it opened.
HWND mainWindowFor(HWND window) {
    for (HWND top = GetAncestor(window, GA_ROOT); top; top = GetWindow(top, GW_OWNER))
        if (className(top) == kMainWindowClass)
            return top;
    return mainWindowOf(processOf(window));
}

// The edit box that takes typed characters: the box itself, or the edit inside an editable combo box.
HWND typingTarget(HWND box) {
    if (className(box) == "ComboBox") {
        HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        if (edit)
            return edit;
    }
    return box;
}

// Memory inside the editor's process: for messages that take a pointer, and for the menu-state call.
class RemoteBlock {
  public:
    RemoteBlock(HANDLE process, SIZE_T size, DWORD protection = PAGE_READWRITE)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, protection)) {}
    ~RemoteBlock() {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* address() const { return static_cast<char*>(address_); }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const {
        return address_ && WriteProcessMemory(process_, address() + offset, data, size, nullptr);
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const {
        return address_ && ReadProcessMemory(process_, address() + offset, data, size, nullptr);
    }

  private:
    HANDLE process_;
    void* address_;
};

// Calls a function of up to three arguments inside the editor's process, on a thread started there,
// and returns its result. Wine keeps some state only inside the owning process (a menu's items, for
// instance), and memory a message hands over must belong to that process. A few instructions written
// beside a block of the arguments push or load them, call the function and store its result in the
// block. The system's DLLs lie at the same addresses in both processes.
ULONG_PTR callInProcess(HANDLE process, FARPROC function, std::array<ULONG_PTR, 3> arguments) {
    struct Call {
        std::array<ULONG_PTR, 3> arguments;
        FARPROC function;
        ULONG_PTR result;
    };
#if defined(_WIN64)
    static const unsigned char code[] = {
        0x53,                   // push rbx
        0x48, 0x83, 0xEC, 0x20, // sub rsp, 32         the callee's shadow space
        0x48, 0x89, 0xCB,       // mov rbx, rcx        the block
        0x48, 0x8B, 0x0B,       // mov rcx, [rbx]
        0x48, 0x8B, 0x53, 0x08, // mov rdx, [rbx+8]
        0x4C, 0x8B, 0x43, 0x10, // mov r8, [rbx+16]
        0xFF, 0x53, 0x18,       // call [rbx+24]
        0x48, 0x89, 0x43, 0x20, // mov [rbx+32], rax
        0x48, 0x83, 0xC4, 0x20, // add rsp, 32
        0x5B,                   // pop rbx
        0xC3,                   // ret
    };
#else
    static const unsigned char code[] = {
        0x55,             // push ebp
        0x89, 0xE5,       // mov ebp, esp
        0x53,             // push ebx
        0x8B, 0x5D, 0x08, // mov ebx, [ebp+8]    the block
        0xFF, 0x73, 0x08, // push dword [ebx+8]
        0xFF, 0x73, 0x04, // push dword [ebx+4]
        0xFF, 0x33,       // push dword [ebx]
        0xFF, 0x53, 0x0C, // call [ebx+12]       whatever it takes off the stack
        0x89, 0x43, 0x10, // mov [ebx+16], eax
        0x8D, 0x65, 0xFC, // lea esp, [ebp-4]
        0x5B,             // pop ebx
        0x5D,             // pop ebp
        0xC2, 0x04, 0x00, // ret 4
    };
#endif
    const Call call = {arguments, function, 0};
    RemoteBlock remote(process, sizeof call + sizeof code, PAGE_EXECUTE_READWRITE);
    if (!remote.write(0, &call, sizeof call) || !remote.write(sizeof call, code, sizeof code))
        return static_cast<ULONG_PTR>(-1);
    HANDLE thread = CreateRemoteThread(
        process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(remote.address() + sizeof call),
        remote.address(), 0, nullptr);
    if (!thread)
        return static_cast<ULONG_PTR>(-1);
    Call done = call;
    if (WaitForSingleObject(thread, kQueueTimeoutMs) != WAIT_OBJECT_0 || !remote.read(0, &done, sizeof done))
        done.result = static_cast<ULONG_PTR>(-1);
    CloseHandle(thread);
    return done.result;
}

FARPROC systemFunction(const char* module, const char* name) {
    return GetProcAddress(GetModuleHandleA(module), name);
}

void postKey(HWND window, UINT message, UINT virtualKey, LPARAM flags) {
    LPARAM scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(window, message, virtualKey, 1 | scanCode << 16 | flags);
}

} // namespace

std::string editorPath() {
    return windowsPath(SQUADWRIGHT_EXE_PATH);
}

EditorProcess::EditorProcess(const StartOptions& options) {
    std::wstring commandLine = wideText("\"" + editorPath() + "\"", CP_UTF8);
    if (!options.arguments.empty())
        commandLine += L" " + wideText(options.arguments, CP_UTF8);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const std::wstring folder = wideText(options.workingFolder, CP_UTF8);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process_)) {
        ADD_FAILURE() << "cannot start " << editorPath() << " (error " << GetLastError() << ")";
        process_ = {};
        return;
    }
    WaitForInputIdle(process_.hProcess, kStartTimeoutMs);
    waitUntil([this] { return (main_ = mainWindowOf(process_.dwProcessId)) != nullptr; }, kStartTimeoutMs);
    if (!main_) {
        ADD_FAILURE() << "the editor shows no " << kMainWindowClass << " window";
        return;
    }
    // The main window can be found while it is still creating its pages; the tab strip comes after.
    waitUntil(
        [this] {
            tabs_ = FindWindowExA(main_, nullptr, WC_TABCONTROLA, nullptr);
            pages_ = pagesOf(main_);
            return tabs_ && IsWindowVisible(main_) &&
                   std::all_of(pages_.begin(), pages_.end(), [](HWND page) { return page != nullptr; });
        },
        kStartTimeoutMs);
    for (PageIndex page = 0; page < kPageCount; ++page)
        if (!pages_[page])
            ADD_FAILURE() << "page " << page << " not found";
    if (!tabs_)
        ADD_FAILURE() << "the tab strip was not found";
}

EditorProcess::~EditorProcess() {
    if (!process_.hProcess)
        return;
    if (running()) {
        if (main_) {
            PostMessageA(main_, WM_CLOSE, 0, 0);
            // A test's unsaved edits are dropped: the question that they bring up is answered No.
            HWND question = nullptr;
            waitUntil([&] { return !running() || (question = findDialog(processId(), main_)) != nullptr; },
                      kCloseTimeoutMs);
            if (question)
                clickDialogButton(question, IDNO);
        }
        if (WaitForSingleObject(process_.hProcess, kCloseTimeoutMs) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, kCloseTimeoutMs);
        }
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

DWORD EditorProcess::processId() const {
    return process_.dwProcessId;
}
DWORD EditorProcess::threadId() const {
    return process_.dwThreadId;
}
HANDLE EditorProcess::processHandle() const {
    return process_.hProcess;
}
HWND EditorProcess::mainWindow() const {
    return main_;
}
HWND EditorProcess::tabStrip() const {
    return tabs_;
}
const std::array<HWND, kPageCount>& EditorProcess::pages() const {
    return pages_;
}
bool EditorProcess::started() const {
    if (!main_ || !tabs_)
        return false;
    for (HWND page : pages_)
        if (!page)
            return false;
    return true;
}

HWND EditorProcess::control(SlotIndex slot, int offset) const {
    return controls_.slotControl(slot, offset);
}

HWND EditorProcess::pageItem(PageIndex page, int id) const {
    return page >= 0 && page < kPageCount ? GetDlgItem(pages_[page], id) : nullptr;
}

void EditorProcess::command(int id) {
    PostMessageA(main_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

bool EditorProcess::dropFiles(const std::vector<std::string>& paths) {
    // A DROPFILES header and the wide paths, each ended by a zero, with one more zero after the last.
    std::wstring names;
    for (const std::string& path : paths)
        names += wideText(path, CP_UTF8) + L'\0';
    names += L'\0';
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::vector<char> block(sizeof header + names.size() * sizeof(wchar_t));
    std::copy_n(reinterpret_cast<const char*>(&header), sizeof header, block.begin());
    std::copy_n(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t),
                block.begin() + sizeof header);
    // The editor frees the handle with DragFinish, so it comes from GlobalAlloc in the editor.
    const ULONG_PTR drop = callInProcess(process_.hProcess, systemFunction("kernel32.dll", "GlobalAlloc"),
                                         {GMEM_FIXED, block.size(), 0});
    if (drop == 0 || drop == static_cast<ULONG_PTR>(-1) ||
        !WriteProcessMemory(process_.hProcess, reinterpret_cast<void*>(drop), block.data(), block.size(),
                            nullptr))
        return false;
    return PostMessageA(main_, WM_DROPFILES, drop, 0) != 0;
}

void EditorProcess::clickTab(PageIndex page) {
    RECT bounds{};
    RemoteBlock remote(process_.hProcess, sizeof bounds);
    if (!SendMessageA(tabs_, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(remote.address())) ||
        !remote.read(0, &bounds, sizeof bounds)) {
        ADD_FAILURE() << "no rectangle for tab " << page;
        return;
    }
    LPARAM centre = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    PostMessageA(tabs_, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageA(tabs_, WM_LBUTTONUP, 0, centre);
    settle(tabs_);
}

PageIndex EditorProcess::visiblePage() const {
    PageIndex visible = -1;
    for (PageIndex page = 0; page < kPageCount; ++page) {
        if (IsWindowVisible(pages_[page])) {
            if (visible >= 0)
                return -1;
            visible = page;
        }
    }
    return visible;
}

int EditorProcess::selectedTab() const {
    return static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
}

std::vector<std::string> EditorProcess::tabCaptions() const {
    constexpr SIZE_T kTextSize = 64;
    std::vector<std::string> captions;
    RemoteBlock remote(process_.hProcess, sizeof(TCITEMA) + kTextSize);
    int count = static_cast<int>(SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0));
    for (int tab = 0; tab < count; ++tab) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = remote.address() + sizeof item;
        item.cchTextMax = kTextSize;
        char text[kTextSize] = {};
        if (!remote.write(0, &item, sizeof item) || !remote.write(sizeof item, text, sizeof text) ||
            !SendMessageA(tabs_, TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(remote.address())) ||
            !remote.read(sizeof item, text, sizeof text - 1)) {
            ADD_FAILURE() << "cannot read the caption of tab " << tab;
            break;
        }
        captions.emplace_back(text);
    }
    return captions;
}

UINT EditorProcess::menuState(int commandId) const {
    const auto menu = reinterpret_cast<ULONG_PTR>(GetMenu(main_));
    return static_cast<UINT>(callInProcess(process_.hProcess, systemFunction("user32.dll", "GetMenuState"),
                                           {menu, static_cast<ULONG_PTR>(commandId), MF_BYCOMMAND}));
}

bool EditorProcess::saveEnabled() const {
    UINT state = menuState(IDM_SAVE);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

HWND EditorProcess::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

bool EditorProcess::running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD EditorProcess::waitForExit(DWORD timeoutMs) {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return exitCode;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollIntervalMs));
    }
    return true;
}

// The name box of the first slot serves as the marker: its modify flag is set here and cleared by a
// posted message, which the editor's one thread handles only after everything posted before it.
bool settle(HWND editorWindow) {
    HWND main = mainWindowFor(editorWindow);
    HWND marker = main ? GetDlgItem(pagesOf(main)[0], controlId(0, fieldControlOffset(SlotField::playerName)))
                       : nullptr;
    if (!marker)
        return false;
    SendMessageA(marker, EM_SETMODIFY, TRUE, 0);
    PostMessageA(marker, EM_SETMODIFY, FALSE, 0);
    return waitUntil([marker] { return !IsWindow(marker) || !SendMessageA(marker, EM_GETMODIFY, 0, 0); },
                     kQueueTimeoutMs) &&
           IsWindow(marker);
}

// One round trip for the usual short texts; the length is asked for only when the buffer was full.
void setWindowText(HWND window, const std::string& text) {
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void focusWindow(HWND window) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // gives this thread the input queue it attaches
    DWORD own = GetCurrentThreadId();
    DWORD target = GetWindowThreadProcessId(window, nullptr);
    AttachThreadInput(own, target, TRUE);
    SetFocus(window);
    AttachThreadInput(own, target, FALSE);
}

namespace {

void typeAt(HWND box, int selectionStart, const std::string& text) {
    HWND edit = typingTarget(box);
    focusWindow(edit);
    SendMessageA(edit, EM_SETSEL, selectionStart, -1);
    for (char c : text)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    settle(edit);
}

} // namespace

void typeText(HWND box, const std::string& text) {
    typeAt(box, 0, text);
}

void clearText(HWND box) {
    typeText(box, "\b");
}

void appendText(HWND box, const std::string& text) {
    typeAt(box, static_cast<int>(SendMessageA(typingTarget(box), WM_GETTEXTLENGTH, 0, 0)), text);
}

void postKeyPress(HWND window, UINT virtualKey) {
    postKey(window, WM_KEYDOWN, virtualKey, 0);
    postKey(window, WM_KEYUP, virtualKey, 0xC0000000);
}

void pressKey(HWND window, UINT virtualKey) {
    postKeyPress(window, virtualKey);
    settle(window);
}

void pressAltKey(HWND window, UINT virtualKey) {
    constexpr LPARAM kAltDown = 1 << 29;
    postKey(window, WM_SYSKEYDOWN, virtualKey, kAltDown);
    postKey(window, WM_SYSKEYUP, virtualKey, kAltDown | 0xC0000000);
    settle(window);
}

void postSpinnerClick(HWND upDown, bool up) {
    RECT client{};
    GetClientRect(upDown, &client);
    LPARAM at = MAKELPARAM(client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
    PostMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(upDown, WM_LBUTTONUP, 0, at);
    // Without this Wine's spinner takes back the next keyboard step it is given.
    PostMessageA(upDown, WM_MOUSELEAVE, 0, 0);
}

void clickSpinner(HWND upDown, bool up) {
    postSpinnerClick(upDown, up);
    settle(upDown);
}

void typeKeys(HWND mainWindow, const std::vector<WORD>& keys) {
    SetForegroundWindow(mainWindow);
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD key, DWORD up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        const bool extended = key == VK_PRIOR || key == VK_NEXT;
        input.ki.dwFlags = up | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (WORD key : keys)
        add(key, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        add(*key, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void clickButton(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
    settle(button);
}

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // Wine answers the ANSI form across processes with UTF-16, so ask for UTF-16 and convert.
        std::wstring wide(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        std::string item(wide.size() * 2 + 1, '\0');
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), item.data(),
                                        static_cast<int>(item.size()), nullptr, nullptr);
        item.resize(static_cast<size_t>(bytes));
        items.push_back(item);
    }
    return items;
}

HWND findDialog(DWORD processId, HWND owner) {
    TopLevelSearch search{processId, "#32770", owner, nullptr};
    EnumWindows(findOwnedDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForDialog(DWORD processId, HWND owner, int timeoutMs) {
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = findDialog(processId, owner)) != nullptr; }, timeoutMs);
    return dialog;
}

void clickDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string messageBoxText(HWND box) {
    return wideWindowText(GetDlgItem(box, 0xFFFF));
}

std::string wideWindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return narrowText(text, CP_UTF8);
}

void setWideWindowText(HWND window, const std::string& text) {
    const std::wstring wide = wideText(text, CP_UTF8);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}
