#pragma once

#include <filesystem>

#include "roster/team_document.h"
#include "teamfile/decoder.h"
#include "teamfile/file_io.h"

// Reads the team file at path into the document. The file becomes the current file only once its
// contents were read; a file that cannot be opened or read changes nothing and the reason is
// returned. Short and empty files are read, not refused.
FileResult readTeamFile(TeamDocument& doc, const std::filesystem::path& path);
