// The team file's contents walked into a document, as the game's own reader walks them.
#pragma once

#include <cstdint>
#include <span>

#include "roster/team_document.h"

// Decodes a team file into the document through the field operations. bytes holds what the file
// delivered of its first layout::kReadSize bytes; fields past its end decode from what the last
// read left in the reader's scratch buffer, as the game's own reader does.
void decodeTeam(TeamDocument& doc, std::span<const std::uint8_t> bytes);
