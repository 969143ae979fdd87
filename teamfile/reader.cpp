#include "teamfile/reader.h"

#include <array>
#include <string>

#include "teamfile/decoder.h"
#include "teamfile/layout.h"

namespace {

namespace fs = std::filesystem;

// Why what the path names is refused, in the words of the other read failures.
std::string whyNoTeamFile(fs::file_type type) {
    switch (type) {
    case fs::file_type::directory: return "This is a folder, not a team file.";
    case fs::file_type::character:
    case fs::file_type::block: return "This is a device, not a team file.";
    case fs::file_type::fifo: return "This is a pipe, not a team file.";
    case fs::file_type::socket: return "This is a socket, not a team file.";
    default: return "This is not a regular file, so it is not a team file.";
    }
}

// Refuses anything but a regular file; a path that leads nowhere is left to the read, which names
// the system's reason.
FileResult examineTeamFile(const fs::path& path, FileStatus& examined) {
    if (const FileResult result = fileStatus(path, examined); !result.ok)
        return result;
    if (examined.type == fs::file_type::regular || examined.type == fs::file_type::not_found)
        return {};
    return {false, whyNoTeamFile(examined.type), FileFailure::other};
}

} // namespace

FileResult readTeamFile(TeamDocument& doc, const fs::path& path, FileStatus& examined) {
    if (FileResult kind = examineTeamFile(path, examined); !kind.ok)
        return kind;
    std::array<std::uint8_t, layout::kReadSize> buffer;
    FilePrefix prefix;
    FileResult result = readFilePrefix(path, buffer, prefix);
    if (!result.ok)
        return result;
    decodeTeam(doc, std::span<const std::uint8_t>(buffer.data(), prefix.delivered));
    doc.currentPath = path;
    return result;
}
