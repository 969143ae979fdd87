// The main window holds its pages at any DPI and dialog font: every slot and slot-tools control lies
// inside the main window's client area and inside the tab strip. At 96 DPI with the usual dialog font
// (Tahoma behind "MS Shell Dlg") the window and the tab strip have their usual sizes.
// tests/ui/window_scaling.sh runs these tests in prefixes it makes at 96 DPI without Tahoma and at 96,
// 120 and 144 DPI with it, and names what it made in SQUADWRIGHT_PREFIX_DPI and
// SQUADWRIGHT_PREFIX_FONTS ("usual" or "fallback"), so that a setting Wine did not take fails; in any
// other prefix they take it as it is.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/editor_fixture.h"

namespace {

constexpr int kUsualWindowWidth = 717;
constexpr int kUsualWindowHeight = 375;
constexpr int kUsualTabStripHeight = 323;

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int CALLBACK noteFontFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool hasTahoma() {
    LOGFONTA font{};
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(font.lfFaceName, "Tahoma");
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &font, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

RECT screenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT clientOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

using WindowHoldsItsPages = EditorTest;

TEST_F(WindowHoldsItsPages, AndHasTheUsualSizesWhereThePagesFitThem) {
    const int dpi = screenDpi();
    const bool usualFont = hasTahoma();
    if (const char* madeDpi = std::getenv("SQUADWRIGHT_PREFIX_DPI")) {
        EXPECT_EQ(dpi, std::atoi(madeDpi)) << "the prefix's LogPixels did not take";
    }
    if (const char* madeFonts = std::getenv("SQUADWRIGHT_PREFIX_FONTS")) {
        EXPECT_EQ(usualFont, std::string(madeFonts) == "usual") << "Tahoma present: " << usualFont;
    }

    const RECT window = screenRect(editor.mainWindow());
    const RECT client = clientOnScreen(editor.mainWindow());
    const RECT tabs = screenRect(editor.tabStrip());
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int tabsWidth = tabs.right - tabs.left;
    const int tabsHeight = tabs.bottom - tabs.top;
    std::printf("%d DPI, %s font: window %d x %d, tab strip %d x %d\n", dpi, usualFont ? "usual" : "fallback",
                width, height, tabsWidth, tabsHeight);
    if (dpi == USER_DEFAULT_SCREEN_DPI && usualFont) {
        EXPECT_EQ(width, kUsualWindowWidth);
        EXPECT_EQ(height, kUsualWindowHeight);
        EXPECT_EQ(tabsHeight, kUsualTabStripHeight);
    } else {
        EXPECT_GE(width, kUsualWindowWidth);
        EXPECT_GE(height, kUsualWindowHeight);
        EXPECT_GE(tabsHeight, kUsualTabStripHeight);
    }
    EXPECT_EQ(tabsWidth, client.right - client.left) << "the tab strip spans the client area";
}

TEST_F(WindowHoldsItsPages, EveryControlLiesInsideTheClientAreaAndTheTabStrip) {
    const RECT client = clientOnScreen(editor.mainWindow());
    const RECT tabs = screenRect(editor.tabStrip());
    int count = 0;
    std::vector<std::string> outside;
    auto check = [&](HWND control, const std::string& name) {
        ++count;
        const RECT rect = screenRect(control);
        if (!control || !inside(rect, client) || !inside(rect, tabs))
            outside.push_back(name);
    };
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (int offset = 0; offset < SLOT_CONTROL_COUNT; ++offset)
            check(editor.control(slot, offset),
                  std::string(SlotTable[slot].label) + " control " + std::to_string(offset));
    for (int id = IDC_SWAP_FIRST; id <= IDC_ERASE; ++id)
        check(editor.pageItem(kSlotToolsPage, id), "slot tool " + std::to_string(id));
    EXPECT_TRUE(outside.empty())
        << outside.size() << " of " << count
        << " controls missing or outside the client area or the tab strip, the first " << outside.front()
        << ", the last " << outside.back();
}

} // namespace
