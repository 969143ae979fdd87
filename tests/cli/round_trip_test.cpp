#include <gtest/gtest.h>

#include "tests/cli/cli_test_support.h"

using namespace layout;

namespace {

class RoundTrip : public ::testing::TestWithParam<bool> {};

} // namespace

TEST_P(RoundTrip, ExportThenImportGivesBackEveryFileTheEditorWrites) {
    const bool json = GetParam();
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        TeamInMemory team;
        TeamMaker(seed).typedTeam(team.doc);
        const TeamFileBytes file = encodeTeam(team.doc);

        const std::string text = exportText(file, json);
        const Imported back = importText(text, json);
        ASSERT_TRUE(back.parsed.ok) << "seed " << seed << ": " << back.parsed.error;
        ASSERT_EQ(back.bytes, file) << "seed " << seed << "\n" << text;
        EXPECT_EQ(exportText(back.bytes, json), text) << "seed " << seed;
    }
}

TEST_P(RoundTrip, AnIconByteOfZeroComesBackAsOneAndNothingElseChanges) {
    const bool json = GetParam();
    TeamInMemory team;
    const SlotIndex qb = slotNamed("QB");
    setFieldText(team.doc, qb, SlotField::icon, "");
    const TeamFileBytes file = encodeTeam(team.doc);
    ASSERT_EQ(file[slotByteOffset(qb, kIconOffset)], 0);

    const Imported back = importText(exportText(file, json), json);
    ASSERT_TRUE(back.parsed.ok);
    TeamFileBytes expected = file;
    expected[slotByteOffset(qb, kIconOffset)] = 1;
    EXPECT_EQ(back.bytes, expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Json" : "Csv";
                         });
