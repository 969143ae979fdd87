#include "tools/total_points_win.h"

#include <string>

#include "tools/total_points.h"

void showTotalPoints(TeamDocument& doc, HWND owner) {
    const std::string text = "        " + std::to_string(settlePositionsAndTotalPoints(doc));
    MessageBoxA(owner, text.c_str(), "Total Points", MB_OK);
}
