#include "teamfile/reader.h"

#include <string>

namespace {

namespace fs = std::filesystem;

// Why what the path names is refused, in the words of the other read failures.
std::string whyNoTeamFile(fs::file_type type) {
    const std::string kind = kindOfFile(type);
    return kind.empty() ? "This is not a regular file, so it is not a team file."
                        : "This is " + kind + ", not a team file.";
}

} // namespace

TeamFileRead readTeamFile(const fs::path& path) {
    TeamFileRead file;
    file.result = readFilePrefix(path, file.bytes, file.prefix);
    return file;
}

FileResult examineTeamFile(const fs::path& path, FileStatus& examined) {
    if (const FileResult result = fileStatus(path, examined); !result.ok)
        return result;
    if (examined.type == fs::file_type::regular || examined.type == fs::file_type::not_found)
        return {};
    return {false, whyNoTeamFile(examined.type), FileFailure::other};
}
