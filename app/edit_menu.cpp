#include "app/edit_menu.h"

#include "res/resource.h"

namespace {

void showEditMenuState(const Editor& ed) {
    HMENU menu = GetMenu(ed.shell.mainWindow);
    EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (ed.history.canUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_REDO, MF_BYCOMMAND | (ed.history.canRedo() ? MF_ENABLED : MF_GRAYED));
}

} // namespace

void startEditHistory(Editor& ed) {
    ed.history.restart(ed.doc);
    showEditMenuState(ed);
}

void recordEdits(Editor& ed) {
    if (ed.history.record(ed.doc))
        showEditMenuState(ed);
}

void undoEdit(Editor& ed) {
    ed.history.undo(ed.doc);
    showEditMenuState(ed);
}

void redoEdit(Editor& ed) {
    ed.history.redo(ed.doc);
    showEditMenuState(ed);
}
