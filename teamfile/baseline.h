// The team and its file as they stood right after the last New, Open, Save or Save As. Unsaved
// changes, a current file that held no team and a current file that another program changed since
// are all told from it; nothing is kept in step while the user edits.
#pragma once

#include "roster/team_document.h"
#include "teamfile/encoder.h"
#include "teamfile/file_io.h"

struct Baseline {
    TeamFileBytes team{}; // what Save would have written then
    FileStatus file;      // the current file as examined then; type not_found when there is none
};

// The team as it stands now, with the current file as just examined (a default status: no file).
Baseline baselineOf(const TeamDocument& doc, const FileStatus& file = {});

// Whether Save would now write other bytes than right after the baseline was taken: any edit counts,
// and an edit put back is none.
bool hasUnsavedChanges(const TeamDocument& doc, const Baseline& baseline);

// Whether the current file was something else than a team file when it was opened: not a regular file
// of exactly a team file's size.
bool heldNoTeam(const Baseline& baseline);

// Whether the file on disk (now, as just examined) is no longer the one of the baseline: another size,
// another modification time or another file under the name. A file that is gone is no change: saving
// it loses nothing.
bool changedOnDisk(const Baseline& baseline, const FileStatus& now);
