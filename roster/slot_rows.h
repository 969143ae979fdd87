// The fixed roster written once, as lists of macro calls that the slot table (slot_table.cpp) and
// the roster pages' resource script (res/roster_pages.rc) both expand: the page titles, the column
// captions and every slot's row. Only macros live here, so that the resource compiler can read it.

// The roster pages' titles, by PageIndex.
#define OFFENSIVE_STARTERS_TITLE "Offensive Starters"
#define OFFENSIVE_RESERVES_TITLE "Offensive Reserves"
#define DEFENSIVE_STARTERS_TITLE "Defensive Starters"
#define DEFENSIVE_RESERVES_TITLE "Defensive Reserves"

// COLUMN(caption, x, width): the column captions of a roster page, the slot label column first,
// with their place in dialog units.
#define ROSTER_COLUMNS(COLUMN)                                                                               \
    COLUMN("Slot", 4, 21)                                                                                    \
    COLUMN("String", 31, 27)                                                                                 \
    COLUMN("Side", 65, 27)                                                                                   \
    COLUMN("Player Name", 131, 46)                                                                           \
    COLUMN("POS", 222, 27)                                                                                   \
    COLUMN("#", 255, 27)                                                                                     \
    COLUMN("Icon", 286, 27)                                                                                  \
    COLUMN("SPD", 317, 27)                                                                                   \
    COLUMN("STR", 348, 27)                                                                                   \
    COLUMN("AGI", 379, 27)                                                                                   \
    COLUMN("INT", 410, 27)                                                                                   \
    COLUMN("DIS", 441, 27)

// The start ratings, SPD, STR, AGI, INT and DIS, of the two kinds of slot: a starter and a filler.
#define STARTER_RATINGS 50, 40, 20, 20, 20
#define FILLER_RATINGS 0, 0, 0, 0, 0

// SLOT(row, label, name, position, number, icon, kind, labelBox): the slots of one page, top to
// bottom, with their placeholder name, position, # and Icon, the kind that gives their ratings, and
// the width of the box their label stands in (NARROW or WIDE). String and Side are the page's.
#define OFFENSIVE_STARTERS_SLOTS(SLOT)                                                                       \
    SLOT(0, "QB", "<QB name>", "QB", 1, 3, STARTER, NARROW)                                                  \
    SLOT(1, "FB", "<FB name>", "FB", 40, 2, STARTER, NARROW)                                                 \
    SLOT(2, "WR1", "<WR-1 name>", "WR", 81, 9, STARTER, NARROW)                                              \
    SLOT(3, "LT", "<L-T name>", "OT", 79, 5, STARTER, NARROW)                                                \
    SLOT(4, "LG", "<L-G name>", "OG", 63, 5, STARTER, NARROW)                                                \
    SLOT(5, "OC", "<C name>", "OC", 50, 5, STARTER, NARROW)                                                  \
    SLOT(6, "RG", "<R-G name>", "OG", 62, 5, STARTER, NARROW)                                                \
    SLOT(7, "RT", "<R-T name>", "OT", 78, 5, STARTER, NARROW)                                                \
    SLOT(8, "TE1", "<TE-1 name>", "TE", 88, 10, STARTER, NARROW)                                             \
    SLOT(9, "HB", "<HB name>", "HB", 20, 1, STARTER, NARROW)                                                 \
    SLOT(10, "WR2", "<WR-2 name>", "WR", 82, 9, STARTER, NARROW)

#define OFFENSIVE_RESERVES_SLOTS(SLOT)                                                                       \
    SLOT(0, "KK", "<K name>", "KK", 3, 4, STARTER, NARROW)                                                   \
    SLOT(1, "WR3", "<WR-3 name>", "WR", 83, 9, STARTER, NARROW)                                              \
    SLOT(2, "TE2", "<TE-2 name>", "TE", 89, 10, STARTER, NARROW)                                             \
    SLOT(3, "LTa", "somebody", "OC", 50, 1, FILLER, NARROW)                                                  \
    SLOT(4, "LGa", "somebody", "OC", 50, 1, FILLER, NARROW)                                                  \
    SLOT(5, "OCa", "somebody", "OC", 50, 1, FILLER, NARROW)                                                  \
    SLOT(6, "RGa", "somebody", "OC", 50, 1, FILLER, NARROW)                                                  \
    SLOT(7, "RTa", "somebody", "OC", 50, 1, FILLER, NARROW)                                                  \
    SLOT(8, "WR4", "<WR-4 name>", "WR", 84, 9, STARTER, NARROW)                                              \
    SLOT(9, "HBa", "somebody", "OC", 50, 1, FILLER, NARROW)                                                  \
    SLOT(10, "WR2a", "somebody", "OC", 50, 1, FILLER, WIDE)

#define DEFENSIVE_STARTERS_SLOTS(SLOT)                                                                       \
    SLOT(0, "SS", "<SS name>", "SS", 41, 10, STARTER, NARROW)                                                \
    SLOT(1, "CB2", "<CB-2 name>", "CB", 22, 9, STARTER, NARROW)                                              \
    SLOT(2, "SLB", "<Sam-LB name>", "LB", 58, 1, STARTER, NARROW)                                            \
    SLOT(3, "MLB", "<Mack-LB name>", "LB", 54, 1, STARTER, NARROW)                                           \
    SLOT(4, "LDE", "<L-DE name>", "DE", 99, 5, STARTER, NARROW)                                              \
    SLOT(5, "RDT", "<R-DT name>", "DT", 72, 5, STARTER, NARROW)                                              \
    SLOT(6, "LNT", "<L-DT name>", "DT", 71, 5, STARTER, NARROW)                                              \
    SLOT(7, "RDE", "<R-DE name>", "DE", 98, 5, STARTER, NARROW)                                              \
    SLOT(8, "WLB", "<Will-LB name>", "LB", 59, 1, STARTER, NARROW)                                           \
    SLOT(9, "CB1", "<CB-1 name>", "CB", 21, 9, STARTER, NARROW)                                              \
    SLOT(10, "FS1", "<FS-1 name>", "FS", 31, 11, STARTER, WIDE)

#define DEFENSIVE_RESERVES_SLOTS(SLOT)                                                                       \
    SLOT(0, "SSa", "somebody", "NT", 60, 13, FILLER, NARROW)                                                 \
    SLOT(1, "LB5", "<LB-5 name>", "LB", 55, 1, STARTER, NARROW)                                              \
    SLOT(2, "FS2", "<FS-2 name>", "FS", 32, 11, STARTER, NARROW)                                             \
    SLOT(3, "MLBa", "somebody", "NT", 60, 13, FILLER, WIDE)                                                  \
    SLOT(4, "LDEa", "somebody", "NT", 60, 13, FILLER, WIDE)                                                  \
    SLOT(5, "BLB", "<Buck-LB name>", "LB", 53, 1, STARTER, NARROW)                                           \
    SLOT(6, "LNTa", "somebody", "NT", 60, 13, FILLER, WIDE)                                                  \
    SLOT(7, "RDEa", "somebody", "NT", 60, 13, FILLER, WIDE)                                                  \
    SLOT(8, "CB3", "<CB-3 name>", "CB", 23, 9, STARTER, NARROW)                                              \
    SLOT(9, "CB1a", "somebody", "NT", 60, 13, FILLER, WIDE)                                                  \
    SLOT(10, "FS1a", "somebody", "NT", 60, 13, FILLER, WIDE)
