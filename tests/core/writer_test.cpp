#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "teamfile/encoder.h"
#include "teamfile/writer.h"
#include "tests/support/team_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_team.h"

namespace fs = std::filesystem;

TEST(Writer, SavesTheEncodedBytesAndLeavesTheDocumentAlone) {
    TempFolder folder;
    TeamInMemory team;
    const std::string path = folder.file("team.fbt");

    FileResult result = writeTeamFile(team.doc, path);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_TRUE(team.doc.currentPath.empty());
    const TeamFileBytes expected = encodeTeam(team.doc);
    EXPECT_EQ(readFileBytes(path), bytesOf(expected));

    // Saving twice gives the same file; replacing an existing file leaves nothing else behind.
    ASSERT_TRUE(writeTeamFile(team.doc, path).ok);
    EXPECT_EQ(readFileBytes(path), bytesOf(expected));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"team.fbt"});
}

TEST(Writer, ReplacesALongerOrShorterFileWhole) {
    TempFolder folder;
    TeamInMemory team;
    for (std::size_t size : {0u, 10u, 5000u}) {
        const std::string path = folder.file("old" + std::to_string(size) + ".fbt");
        writeFileBytes(path, std::vector<std::uint8_t>(size, 0xAA));
        ASSERT_TRUE(writeTeamFile(team.doc, path).ok);
        EXPECT_EQ(readFileBytes(path).size(), layout::kTeamFileSize) << size;
    }
}

TEST(Writer, AFailedSaveKeepsTheOldFileAndTheCurrentPath) {
    TempFolder folder;
    const std::string existing = folder.file("kept.fbt");
    const std::vector<std::uint8_t> oldBytes = {1, 2, 3, 4, 5};
    writeFileBytes(existing, oldBytes);
    fs::permissions(existing, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directories(folder.file("folder.fbt"));

    struct Case {
        const char* what;
        std::string path;
        FileFailure failure;
    };
    const Case cases[] = {
        {"missing folder", folder.file("no-such-folder/team.fbt"), FileFailure::notFound},
        {"read-only target", existing, FileFailure::readOnly},
        {"a folder in the way", folder.file("folder.fbt"), FileFailure::other},
    };
    for (const Case& c : cases) {
        TeamInMemory team;
        team.doc.currentPath = "previous.fbt";
        FileResult result = writeTeamFile(team.doc, c.path);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.failure, c.failure) << c.what << ": " << result.reason;
        EXPECT_FALSE(result.reason.empty()) << c.what;
        EXPECT_EQ(team.doc.currentPath, "previous.fbt") << c.what;
    }
    EXPECT_EQ(readFileBytes(existing), oldBytes);
    std::vector<std::string> left = folder.entries();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder.fbt", "kept.fbt"})) << "no temporary file may stay";
}

TEST(Writer, TellsTheSameFileUnderAnySpellingAndThroughHardLinks) {
    TempFolder folder;
    writeFileBytes(folder.file("a.fbt"), {1});
    writeFileBytes(folder.file("b.fbt"), {1});
    fs::create_directories(folder.file("sub"));
    fs::create_hard_link(folder.file("a.fbt"), folder.file("sub/hard.fbt"));
    const fs::path a = folder.file("a.fbt");

    EXPECT_TRUE(sameFile(a, folder.file("sub/../a.fbt")));
    EXPECT_TRUE(sameFile(a, folder.file("sub/hard.fbt")));
    EXPECT_FALSE(sameFile(a, folder.file("b.fbt")));
    EXPECT_FALSE(sameFile(a, folder.file("missing.fbt")));
}

#ifndef _WIN32
// Saving through a symbolic link replaces the file it points to, by a temporary file in that file's
// own folder; the link stays a link. Devices and pipes are never replaced.
TEST(Writer, FollowsSymbolicLinksAndLeavesDevicesAndPipesAlone) {
    TempFolder folder;
    fs::create_directories(folder.file("teams"));
    fs::create_directories(folder.file("links"));
    writeFileBytes(folder.file("teams/real.fbt"), {1, 2, 3});
    fs::create_symlink("../teams/real.fbt", folder.file("links/relative.fbt"));
    fs::create_symlink(folder.file("links/relative.fbt"), folder.file("links/chain.fbt"));
    fs::create_symlink("../teams/new.fbt", folder.file("links/dangling.fbt"));
    TeamInMemory team;
    const std::vector<std::uint8_t> expected = encoded(team.doc);

    for (const char* link : {"links/relative.fbt", "links/chain.fbt"}) {
        writeFileBytes(folder.file("teams/real.fbt"), {1, 2, 3});
        ASSERT_TRUE(writeTeamFile(team.doc, folder.file(link)).ok) << link;
        EXPECT_TRUE(fs::is_symlink(folder.file(link))) << link;
        EXPECT_EQ(readFileBytes(folder.file("teams/real.fbt")), expected) << link;
    }
    ASSERT_TRUE(writeTeamFile(team.doc, folder.file("links/dangling.fbt")).ok);
    EXPECT_TRUE(fs::is_symlink(folder.file("links/dangling.fbt")));
    EXPECT_EQ(readFileBytes(folder.file("teams/new.fbt")), expected);

    ASSERT_EQ(mkfifo(folder.file("pipe.fbt").c_str(), 0600), 0);
    struct Case {
        const char* what;
        std::string path;
    };
    const Case refused[] = {{"a pipe", folder.file("pipe.fbt")}, {"a device", "/dev/null"}};
    for (const Case& c : refused) {
        const FileResult result = writeTeamFile(team.doc, c.path);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.failure, FileFailure::other) << c.what;
    }
    EXPECT_TRUE(fs::is_fifo(folder.file("pipe.fbt")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    std::vector<std::string> links;
    for (const auto& entry : fs::directory_iterator(folder.file("links")))
        links.push_back(entry.path().filename().string());
    std::sort(links.begin(), links.end());
    EXPECT_EQ(links, (std::vector<std::string>{"chain.fbt", "dangling.fbt", "relative.fbt"}));
}

// A save keeps the replaced file's mode, and its owner and group where the system lets the saving
// user give them (root can; another user keeps at least a group of their own).
TEST(Writer, KeepsTheModeAndOwnerOfTheReplacedFile) {
    TempFolder folder;
    TeamInMemory team;
    struct Case {
        mode_t mode;
        uid_t owner;
        gid_t group;
    };
    const bool root = geteuid() == 0;
    const Case cases[] = {
        {0600, geteuid(), getegid()},
        {0640, geteuid(), getegid()},
        {0664, root ? 12345 : geteuid(), root ? 23456 : getegid()},
    };
    for (const Case& c : cases) {
        const std::string path = folder.file("team.fbt");
        writeFileBytes(path, {1, 2, 3});
        ASSERT_EQ(chown(path.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        ASSERT_TRUE(writeTeamFile(team.doc, path).ok);
        struct stat info {};
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
        EXPECT_EQ(info.st_uid, c.owner);
        EXPECT_EQ(info.st_gid, c.group);
        EXPECT_EQ(readFileBytes(path).size(), layout::kTeamFileSize);
    }
}
#endif
