#pragma once

#include <array>
#include <cstdint>

#include "roster/team_document.h"
#include "teamfile/layout.h"

using TeamFileBytes = std::array<std::uint8_t, layout::kTeamFileSize>;

// The team file of the document: every field's text turned into its bytes, with the clamps and page
// defaults that saving applies. Reads the document only.
TeamFileBytes encodeTeam(const TeamDocument& doc);
