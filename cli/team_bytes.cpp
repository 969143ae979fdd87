#include "cli/team_bytes.h"

#include "cli/messages.h"
#include "cli/team_check.h"
#include "teamfile/decoder.h"
#include "teamfile/reader.h"

void warnOfSize(const std::string& path, std::uintmax_t size, Console& io) {
    const std::string finding = sizeFinding(size);
    if (!finding.empty())
        warn(io, quotedPath(path) + " is not the size of a team file (" + finding +
                     "); it is read as the editor reads it");
}

bool loadTeam(TeamInMemory& team, const std::string& path, Console& io) {
    const TeamFileRead file = readTeamFile(utf8Path(path));
    if (!file.result.ok) {
        fail(io, fileProblem("cannot read", path, file.result, false));
        return false;
    }
    warnOfSize(path, file.prefix.size, io);
    decodeTeam(team.doc, file.delivered());
    return true;
}
