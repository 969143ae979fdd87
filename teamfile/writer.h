#pragma once

#include <filesystem>

#include "roster/team_document.h"
#include "teamfile/file_io.h"

// Saves the document as a team file at path. On success the path becomes the current file; on
// failure nothing changes, an existing file at path keeps its bytes, and the reason is returned.
FileResult writeTeamFile(TeamDocument& doc, const std::filesystem::path& path);
