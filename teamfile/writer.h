#pragma once

#include <filesystem>

#include "roster/team_document.h"
#include "teamfile/file_io.h"

// Saves the document's team file bytes at path, safely: on failure an existing file at path keeps
// its bytes and the reason is returned. The document is not changed (its current file is the
// caller's to set).
FileResult writeTeamFile(const TeamDocument& doc, const std::filesystem::path& path);
