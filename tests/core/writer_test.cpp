#include <gtest/gtest.h>

#include <filesystem>

#include "teamfile/encoder.h"
#include "teamfile/writer.h"
#include "tests/core/temp_folder.h"
#include "tests/core/test_team.h"

namespace fs = std::filesystem;

TEST(Writer, SavesTheEncodedBytesAndMakesThePathCurrent) {
    TempFolder folder;
    TestTeam team;
    const std::string path = folder.file("team.fbt");

    FileResult result = writeTeamFile(team.doc, path);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(team.doc.currentPath, path);
    const TeamFileBytes expected = encodeTeam(team.doc);
    EXPECT_EQ(fileBytes(path), std::vector<std::uint8_t>(expected.begin(), expected.end()));

    // Saving twice gives the same file; replacing an existing file leaves nothing else behind.
    ASSERT_TRUE(writeTeamFile(team.doc, path).ok);
    EXPECT_EQ(fileBytes(path), std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"team.fbt"});
}

TEST(Writer, ReplacesALongerOrShorterFileWhole) {
    TempFolder folder;
    TestTeam team;
    for (std::size_t size : {0u, 10u, 5000u}) {
        const std::string path = folder.file("old" + std::to_string(size) + ".fbt");
        putFileBytes(path, std::vector<std::uint8_t>(size, 0xAA));
        ASSERT_TRUE(writeTeamFile(team.doc, path).ok);
        EXPECT_EQ(fileBytes(path).size(), layout::kTeamFileSize) << size;
    }
}

TEST(Writer, AFailedSaveKeepsTheOldFileAndTheCurrentPath) {
    TempFolder folder;
    const std::string existing = folder.file("kept.fbt");
    const std::vector<std::uint8_t> oldBytes = {1, 2, 3, 4, 5};
    putFileBytes(existing, oldBytes);
    fs::permissions(existing, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directories(folder.file("folder.fbt"));

    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"missing folder", folder.file("no-such-folder/team.fbt")},
        {"read-only target", existing},
        {"a folder in the way", folder.file("folder.fbt")},
    };
    for (const Case& c : cases) {
        TestTeam team;
        team.doc.currentPath = "previous.fbt";
        FileResult result = writeTeamFile(team.doc, c.path);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_FALSE(result.reason.empty()) << c.what;
        EXPECT_EQ(team.doc.currentPath, "previous.fbt") << c.what;
    }
    EXPECT_EQ(fileBytes(existing), oldBytes);
    std::vector<std::string> left = folder.entries();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder.fbt", "kept.fbt"})) << "no temporary file may stay";
}
