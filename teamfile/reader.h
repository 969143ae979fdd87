// Reading team files: their bytes as the file delivers them, for the editor and the league tool
// alike. Nothing here touches an editor's state; decodeTeam makes a team of the bytes.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

#include "teamfile/decoder.h"
#include "teamfile/file_io.h"
#include "teamfile/layout.h"

// A team file's first bytes, as many as a team file holds, and the size the whole file had.
struct TeamFileRead {
    FileResult result;
    std::array<std::uint8_t, layout::kTeamFileSize> bytes{};
    FilePrefix prefix;
    // The bytes the file delivered: fewer than a team file's when it is shorter. decodeTeam takes
    // what the editor reads of them.
    std::span<const std::uint8_t> delivered() const { return {bytes.data(), prefix.delivered}; }
};

// Reads the first bytes of the file at path. Short, long and empty files are read, not refused; a
// file that cannot be opened or read gives the reason in result.
TeamFileRead readTeamFile(const std::filesystem::path& path);

// What the editor asks before it reads: only a regular file is read. What the path names is asked
// without opening it, so a folder, a device, a pipe or a socket is refused before anything could wait
// on it; a path that leads nowhere is left to the read, which names the system's reason. examined is
// the file as it was found.
FileResult examineTeamFile(const std::filesystem::path& path, FileStatus& examined);
