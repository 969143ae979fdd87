// Identifiers of the program's resources, shared by the resource scripts, the program and its UI
// tests. Each roster slot's 18 control identifiers are 100 + 18 * slot + offset (controlId()).
#pragma once

// Icon
#define IDI_SQUADWRIGHT 1

// Dialogs: the four roster pages, the slot tools page and the About box
#define IDD_OFFENSIVE_STARTERS 5
#define IDD_OFFENSIVE_RESERVES 2
#define IDD_DEFENSIVE_STARTERS 3
#define IDD_DEFENSIVE_RESERVES 4
#define IDD_SLOT_TOOLS 6

// Menu commands of "MAINAPPMENU"
#define IDM_NEW 1
#define IDM_OPEN 2
#define IDM_SAVE_AS 3
#define IDM_EXIT 4
#define IDM_JERSEY 5
#define IDM_HELMET 6
#define IDM_STRIPE 7
#define IDM_PANTS_HOME 8
#define IDM_PANTS_AWAY 9
#define IDM_ABOUT 10
#define IDM_TOTAL_POINTS 11
#define IDM_SAVE 12
#define IDM_UNDO 13
#define IDM_REDO 14
// Commands of keyboard shortcuts alone: the next and the previous page
#define IDM_NEXT_PAGE 15
#define IDM_PREVIOUS_PAGE 16

// Tab strip
#define IDC_TAB_STRIP 0

// Slot tools page
#define IDC_SWAP_FIRST 892
#define IDC_SWAP_SECOND 893
#define IDC_SWAP 894
#define IDC_ERASE_SLOT 895
#define IDC_ERASE 896

// About box. Its identifiers lie within the roster slots' range (100..891) but cannot meet those
// controls: a dialog's identifiers need only be unique within the dialog, and the About box is a
// dialog of its own, never searched for slot controls.
#define IDC_ABOUT_NAME 104
#define IDC_ABOUT_PURPOSE 105
#define IDC_ABOUT_VERSION 106
#define IDC_ABOUT_NOTE 107

// Roster page rows; the program's slot table takes its identifiers from here
#define IDC_FIRST_SLOT_CONTROL 100
#define SLOT_CONTROL_COUNT 18
#define SLOT_CONTROL(slot, offset) (IDC_FIRST_SLOT_CONTROL + SLOT_CONTROL_COUNT * (slot) + (offset))
