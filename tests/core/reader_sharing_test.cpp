// The reader opens a team file with read sharing only: it can read alongside other readers, and it
// is refused while another program may write the file.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <windows.h>

#include "teamfile/encoder.h"
#include "teamfile/reader.h"
#include "tests/core/decoder_test_support.h"
#include "tests/support/team_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"

TEST(ReaderSharing, AFileHeldByAnotherProgramIsReadOnlyWhenThatProgramOnlyReads) {
    struct Case {
        const char* what;
        DWORD access;
        DWORD share;
        bool readable;
    };
    const Case cases[] = {
        {"held for writing, shared with nobody", GENERIC_WRITE, 0, false},
        {"held for reading, shared with nobody", GENERIC_READ, 0, false},
        {"held for writing, shared with readers and writers", GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE, false},
        {"held for reading, shared with readers", GENERIC_READ, FILE_SHARE_READ, true},
    };
    TempFolder folder;
    const std::string path = folder.file("held.fbt");
    TeamInMemory source;
    setFieldText(source.doc, 0, SlotField::playerName, "On Disk");
    const TeamFileBytes bytes = encodeTeam(source.doc);
    writeFileBytes(path, bytesOf(bytes));

    for (const Case& c : cases) {
        HANDLE held = CreateFileA(path.c_str(), c.access, c.share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE) << c.what;

        TeamInMemory team;
        team.doc.currentPath = "previous.fbt";
        const TeamState before = teamState(team.doc);
        FileStatus examined;
        const FileResult result = openTeamFileInto(team.doc, path, examined);
        CloseHandle(held);

        EXPECT_EQ(result.ok, c.readable) << c.what;
        if (c.readable) {
            EXPECT_EQ(fieldText(team.doc, 0, SlotField::playerName), "On Disk") << c.what;
        } else {
            EXPECT_EQ(result.failure, FileFailure::sharingViolation) << c.what << ": " << result.reason;
            EXPECT_FALSE(result.reason.empty()) << c.what;
            EXPECT_EQ(team.doc.currentPath, "previous.fbt") << c.what;
            EXPECT_EQ(firstDifference(teamState(team.doc), before), "") << c.what;
        }
    }
}

#endif
