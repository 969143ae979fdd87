// What the editor would do with a team file that its author may not expect.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// bytes: the file's first bytes, at least its first 2668 when it has them; fileSize: its whole size.
// One sentence per finding, in file order; none for a file the editor reads as it was written.
std::vector<std::string> teamFileFindings(std::span<const std::uint8_t> bytes, std::uintmax_t fileSize);

// The finding about a file's size when it is not a team file's (2668 bytes, or 2628 without the
// zero tail, which the editor never reads); empty otherwise.
std::string sizeFinding(std::uintmax_t fileSize);
