// A team file's bytes as the tests read, write and compare files: a vector, like readFileBytes gives.
#pragma once

#include <cstdint>
#include <vector>

#include "roster/team_document.h"
#include "teamfile/encoder.h"

inline std::vector<std::uint8_t> bytesOf(const TeamFileBytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The team file that Save writes for the document.
inline std::vector<std::uint8_t> encoded(const TeamDocument& doc) {
    return bytesOf(encodeTeam(doc));
}
