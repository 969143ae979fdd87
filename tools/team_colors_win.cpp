#include "tools/team_colors_win.h"

#include <commdlg.h>

static_assert(sizeof(void*) != 4 || sizeof(CHOOSECOLORA) == 36,
              "the colour dialog record of a 32-bit program");

void pickTeamColor(TeamDocument& doc, HWND owner, CustomColors& customColors, TeamColorEntry entry) {
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.rgbResult = doc.colors[entry];
    dialog.lpCustColors = customColors.data();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorA(&dialog))
        doc.colors[entry] = dialog.rgbResult;
}
