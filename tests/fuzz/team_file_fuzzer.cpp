// Arbitrary bytes as a team file. Decoding must never fail, and the team it gives must survive its
// own file unchanged: every field the decoder sets holds a value the file stores exactly (an offered
// list item, a name of at most 29 bytes without a zero byte, a number inside its spinner range, a
// speed that is a multiple of 25, colour components of 0..255), and fields it leaves alone keep the
// table defaults, which are offered values too. An encoded file, in turn, sets every field and
// colour, so decoding it gives the same team whatever the document held before.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "teamfile/decoder.h"
#include "teamfile/encoder.h"
#include "tests/core/decoder_test_support.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

void expectSameTeam(const char* what, const TeamState& actual, const TeamState& expected) {
    const std::string difference = firstDifference(actual, expected);
    if (!difference.empty())
        fail(what, difference);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    MemoryFieldStorage storage;
    TeamDocument doc(storage);
    applySlotDefaults(doc);
    decodeTeam(doc, input);
    const TeamState decoded = teamState(doc);

    if (size > layout::kReadSize) {
        MemoryFieldStorage prefixStorage;
        TeamDocument prefix(prefixStorage);
        applySlotDefaults(prefix);
        decodeTeam(prefix, input.first(layout::kReadSize));
        expectSameTeam("bytes after the first 2628 changed the team", teamState(prefix), decoded);
    }

    const TeamFileBytes file = encodeTeam(doc);
    static_assert(std::tuple_size_v<TeamFileBytes> == layout::kTeamFileSize);
    if (!std::equal(layout::kHeader.begin(), layout::kHeader.end(), file.begin()))
        fail("encoded header", "differs from the constant header");
    if (!std::all_of(file.begin() + layout::kTailOffset, file.end(), [](std::uint8_t b) { return b == 0; }))
        fail("encoded tail", "not all zero");

    MemoryFieldStorage otherStorage;
    TeamDocument other(otherStorage);
    scrambleTeam(other);
    decodeTeam(other, file);
    expectSameTeam("the team's own file gives another team", teamState(other), decoded);
    return 0;
}
