#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "cli/team_check.h"
#include "tests/cli/cli_test_support.h"

using namespace layout;

namespace {

std::vector<std::uint8_t> newTeamFile() {
    const TeamFileBytes bytes = newTeamBytes();
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> findingsOf(const std::vector<std::uint8_t>& file) {
    const std::size_t kept = std::min(file.size(), kTeamFileSize);
    return teamFileFindings(std::span(file.data(), kept), file.size());
}

} // namespace

TEST(Check, AFileTheEditorWroteHasNoFindings) {
    EXPECT_TRUE(findingsOf(newTeamFile()).empty());
    std::vector<std::uint8_t> withoutTail = newTeamFile();
    withoutTail.resize(kReadSize);
    EXPECT_TRUE(findingsOf(withoutTail).empty());
}

TEST(Check, FlagsEachKindOfFinding) {
    const std::size_t qb = slotByteOffset(slotNamed("QB"), 0);
    const std::size_t kk = slotByteOffset(slotNamed("KK"), 0);
    struct Case {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> change;
        std::string finding;
    };
    const std::vector<Case> cases = {
        {"short", [](auto& f) { f.resize(2600); },
         "2600 bytes, shorter than 2628: the fields from slot FS1a on are decoded from leftovers of earlier "
         "reads"},
        {"short in the colours", [](auto& f) { f.resize(50); },
         "50 bytes, shorter than 2628: the fields from the jersey colour on are decoded from leftovers"},
        {"long", [](auto& f) { f.resize(2700, 0x55); }, "2700 bytes, longer than 2668: the rest is ignored"},
        {"header", [](auto& f) { f[20] = 0x23; },
         "the header differs from the team file header from byte 20 on (0x23 where 0x22 belongs)"},
        {"version", [](auto& f) { f[kVersionOffset] = '1'; },
         "the version byte is \"1\" (0x31), not \"2\": helmet and pants are taken from the jersey colour"},
        {"version unprintable", [](auto& f) { f[kVersionOffset] = 0x00; },
         "the version byte is 0x00, not \"2\""},
        {"String", [&](auto& f) { f[qb + kDepthStringOffset] = 5; },
         "QB: the String byte 0x05 is not 1 (\"1st\") or 2 (\"2nd\"): the field keeps its previous value"},
        {"Side", [&](auto& f) { f[kk + kSideOffset] = 2; },
         "KK: the Side byte 0x02 is not 0 (\"OFF\") or 1 (\"DEF\"): the field keeps its previous value"},
        {"POS", [&](auto& f) { f[qb + kPosGroupOffset] = 0x06, f[qb + kPosDetailOffset] = 0x05; },
         "QB: the POS bytes 0x06 0x05 name no position: the field keeps its previous value"},
        {"name length", [&](auto& f) { f[qb + kNameLengthOffset] = 45; },
         "QB: the name length byte 45 is above 29: all 29 name bytes are read"},
        {"control characters", [&](auto& f) { f[qb + kNameOffset + 1] = '\t'; },
         "QB: the name has control characters: \"<\\x09B name>\""},
        {"zero in the name", [&](auto& f) { f[qb + kNameOffset + 3] = 0; },
         "QB: the name holds a zero byte after 3 of its 9 characters: it ends there"},
        {"#", [&](auto& f) { f[qb + kNumberOffset] = 100; },
         "QB: the # byte 100 is outside 0..99: read as 99"},
        {"# far out", [&](auto& f) { f[qb + kNumberOffset] = 101; },
         "QB: the # byte 101 is outside 0..99: read as 0"},
        {"Icon 0", [&](auto& f) { f[qb + kIconOffset] = 0; },
         "QB: the Icon byte 0 is outside 1..14: read as 1"},
        {"Icon 15", [&](auto& f) { f[qb + kIconOffset] = 15; },
         "QB: the Icon byte 15 is outside 1..14: read as 14"},
        {"SPD", [&](auto& f) { f[qb + kSpeedStepOffset] = 7; },
         "QB: the SPD step 7 is outside 0..6: read as 0"},
        {"STR", [&](auto& f) { f[qb + kStrengthOffset] = 101; },
         "QB: the STR byte 101 is outside 0..100: read as 0"},
        {"DIS", [&](auto& f) { f[kk + kDisciplineOffset] = 255; },
         "KK: the DIS byte 255 is outside 0..100: read as 0"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> file = newTeamFile();
        c.change(file);
        const std::vector<std::string> findings = findingsOf(file);
        ASSERT_FALSE(findings.empty()) << c.what;
        EXPECT_EQ(findings[0].substr(0, c.finding.size()), c.finding) << c.what;
        EXPECT_EQ(findings.size(), 1u) << c.what << ": " << findings.back();
    }
}

TEST(Check, ListsEveryFindingInFileOrder) {
    std::vector<std::uint8_t> file = newTeamFile();
    file[kVersionOffset] = '1';
    file[slotByteOffset(slotNamed("FS1a"), kIconOffset)] = 0;
    file[slotByteOffset(slotNamed("SS"), kSideOffset)] = 9;
    file.resize(2669);
    const std::vector<std::string> findings = findingsOf(file);
    ASSERT_EQ(findings.size(), 4u);
    EXPECT_NE(findings[0].find("longer than 2668"), std::string::npos);
    EXPECT_NE(findings[1].find("version byte"), std::string::npos);
    EXPECT_EQ(findings[2].substr(0, 4), "SS: ");
    EXPECT_EQ(findings[3].substr(0, 6), "FS1a: ");
}
