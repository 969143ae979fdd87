// The system's colour dialog as the Colors commands open it.
#pragma once

#include <windows.h>

#include <ostream>

#include "roster/team_document.h"
#include "tests/ui/driver.h"

// The colour dialog's red, green and blue boxes and its custom colours.
struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& color);
inline Rgb rgbOf(ColorRef color) {
    return {colorRed(color), colorGreen(color), colorBlue(color)};
}

Rgb dialogColor(HWND colorDialog);
// Types the three components into the red, green and blue boxes; false when they do not show them.
bool setDialogColor(HWND colorDialog, Rgb color);
// Opens the colour dialog of a Colors command, reads the colour it offers and cancels it; -1
// components when no dialog appears.
Rgb offeredColor(EditorProcess& editor, int colorCommand);
// "Add to Custom Colors": stores the chosen colour in the next custom colour cell.
void addCustomColor(HWND colorDialog);
// Clicks custom colour cell index (0..15, two rows of eight) and returns the colour it selects.
Rgb pickCustomColor(HWND colorDialog, int index);
