#include "teamfile/current_file_win.h"

#include "res/resource.h"

void enableSaveForCurrentFile(const TeamDocument& doc, HWND mainWindow) {
    const UINT state = doc.currentPath.empty() ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(GetMenu(mainWindow), IDM_SAVE, MF_BYCOMMAND | state);
}
