#include "teamfile/file_io.h"

#include <vector>

#include "teamfile/file_io_platform.h"

namespace fs = std::filesystem;

FileResult replaceFileContents(const fs::path& path, std::span<const std::uint8_t> data) {
    StagedFile staged;
    const FileResult result = stageFileContents(path, data, staged);
    return result.ok ? commitStagedFile(staged) : result;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::string first;
    std::string second;
    return existingFileIdentity(a, first) && existingFileIdentity(b, second) && first == second;
}

std::string fileIdentity(const fs::path& given) {
    std::string identity;
    if (existingFileIdentity(given, identity))
        return identity;
    // The names below the nearest existing folder, innermost first.
    std::error_code unknown;
    fs::path path = fs::absolute(given, unknown).lexically_normal();
    std::vector<fs::path> below;
    while (!existingFileIdentity(path, identity)) {
        if (!path.has_relative_path()) {
            identity = comparedName(path); // a drive or root that does not exist
            break;
        }
        if (!path.filename().empty())
            below.push_back(path.filename());
        path = path.parent_path();
    }
    for (auto name = below.rbegin(); name != below.rend(); ++name)
        identity.append("/").append(comparedName(*name));
    return identity;
}

std::uintmax_t deliveredSize(bool sized, std::uintmax_t reported, const FilePrefix& prefix) {
    return sized && reported >= prefix.delivered ? reported : prefix.delivered;
}
