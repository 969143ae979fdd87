#include "teamfile/reader.h"

#include <array>

#include "teamfile/layout.h"

FileResult readTeamFile(TeamDocument& doc, const std::string& path) {
    std::array<std::uint8_t, layout::kReadSize> buffer;
    std::size_t delivered = 0;
    FileResult result = readFilePrefix(path, buffer, delivered);
    if (!result.ok)
        return result;
    decodeTeam(doc, std::span<const std::uint8_t>(buffer.data(), delivered));
    doc.currentPath = path;
    return result;
}
