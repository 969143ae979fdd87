// Team files read for the commands that show, export and compare them.
#pragma once

#include <cstdint>
#include <string>

#include "cli/messages.h"
#include "roster/slot_operations.h"

// Reads the team file at path into team as the editor reads it, warning when its size is not a team
// file's; false (with the message written) when it cannot be read.
bool loadTeam(TeamInMemory& team, const std::string& path, Console& io);
void warnOfSize(const std::string& path, std::uintmax_t size, Console& io);
