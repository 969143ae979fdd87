#include "teamfile/writer.h"

#include "teamfile/encoder.h"

FileResult writeTeamFile(const TeamDocument& doc, const std::filesystem::path& path) {
    return replaceFileContents(path, encodeTeam(doc));
}
