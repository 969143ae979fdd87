#include "teamfile/writer.h"

#include "teamfile/encoder.h"

FileResult writeTeamFile(TeamDocument& doc, const std::string& path) {
    const TeamFileBytes bytes = encodeTeam(doc);
    FileResult result = replaceFileContents(narrowPath(path), bytes);
    if (result.ok)
        doc.currentPath = path;
    return result;
}
