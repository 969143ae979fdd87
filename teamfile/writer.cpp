#include "teamfile/writer.h"

#include "teamfile/encoder.h"

FileResult writeTeamFile(TeamDocument& doc, const std::filesystem::path& path) {
    const TeamFileBytes bytes = encodeTeam(doc);
    FileResult result = replaceFileContents(path, bytes);
    if (result.ok)
        doc.currentPath = path;
    return result;
}
