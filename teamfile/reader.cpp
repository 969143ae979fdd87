#include "teamfile/reader.h"

#include <array>

#include "teamfile/decoder.h"
#include "teamfile/layout.h"

FileResult readTeamFile(TeamDocument& doc, const std::filesystem::path& path) {
    std::array<std::uint8_t, layout::kReadSize> buffer;
    FilePrefix prefix;
    FileResult result = readFilePrefix(path, buffer, prefix);
    if (!result.ok)
        return result;
    decodeTeam(doc, std::span<const std::uint8_t>(buffer.data(), prefix.delivered));
    doc.currentPath = path;
    return result;
}
