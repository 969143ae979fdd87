#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "roster/team_document.h"
#include "teamfile/file_io.h"

// Decodes a team file into the document through the field operations. bytes holds what the file
// delivered of its first layout::kReadSize bytes; fields past its end decode from what the last
// read left in the reader's scratch buffer, as the game's own reader does.
void decodeTeam(TeamDocument& doc, std::span<const std::uint8_t> bytes);

// Reads the team file at path into the document. The file becomes the current file only once its
// contents were read; a file that cannot be opened or read changes nothing and the reason is
// returned. Short and empty files are read, not refused.
FileResult readTeamFile(TeamDocument& doc, const std::string& path);
