#include "teamfile/baseline.h"

#include "teamfile/layout.h"

namespace fs = std::filesystem;

Baseline baselineOf(const TeamDocument& doc, const FileStatus& file) {
    return {encodeTeam(doc), file};
}

bool hasUnsavedChanges(const TeamDocument& doc, const Baseline& baseline) {
    return encodeTeam(doc) != baseline.team;
}

bool heldNoTeam(const Baseline& baseline) {
    const FileStatus& file = baseline.file;
    return file.type != fs::file_type::not_found &&
           (file.type != fs::file_type::regular || file.size != layout::kTeamFileSize);
}

bool changedOnDisk(const Baseline& baseline, const FileStatus& now) {
    const FileStatus& then = baseline.file;
    return now.type != fs::file_type::not_found &&
           (now.type != then.type || now.size != then.size || now.modified != then.modified ||
            now.identity != then.identity);
}
