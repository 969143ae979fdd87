#pragma once

#include <filesystem>

#include "roster/team_document.h"
#include "teamfile/decoder.h"
#include "teamfile/file_io.h"

// Reads the team file at path into the document. Only a regular file is read: what it is is asked
// first, without opening it, so a folder, a device, a pipe or a socket is refused before anything
// could wait on it. The file becomes the current file only once its contents were read; a file that
// cannot be opened or read changes nothing and the reason is returned. Short, long and empty files
// are read, not refused. examined is the file as it was found before the read.
FileResult readTeamFile(TeamDocument& doc, const std::filesystem::path& path, FileStatus& examined);
