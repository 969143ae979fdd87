// Decoding and encoding one team, beside a plain copy of a team file's 2668 bytes as the yardstick.
// The argument picks the team: 0 a new team (short placeholder names), 1 the same team with every
// name 29 characters long (the longest texts a file holds).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "roster/slot_operations.h"
#include "teamfile/decoder.h"
#include "teamfile/encoder.h"

namespace {

struct BenchTeam : TeamInMemory {
    explicit BenchTeam(bool longNames) {
        if (longNames)
            for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
                setFieldText(doc, slot, SlotField::playerName,
                             std::string(29, static_cast<char>('A' + slot % 26)));
    }
};

// A storage that keeps nothing: decoding into it measures the file walk and the field rules
// without the cost of keeping the texts.
class DiscardingFieldStorage final : public FieldStorage {
  public:
    std::string text(SlotIndex, SlotField) const override { return {}; }
    void setText(SlotIndex, SlotField, std::string_view text) override {
        benchmark::DoNotOptimize(text.data());
    }
    void selectItem(SlotIndex, SlotField, std::string_view item) override {
        benchmark::DoNotOptimize(item.data());
    }
    void setSpinner(SlotIndex, SlotField, int value) override { benchmark::DoNotOptimize(value); }
    void takeSpinnerPositionFromText(SlotIndex, SlotField) override {}
};

void copyTeamFile(benchmark::State& state) {
    const TeamFileBytes source = encodeTeam(BenchTeam(state.range(0) != 0).doc);
    TeamFileBytes target{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(source.data());
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

void decodeTeamFile(benchmark::State& state) {
    const TeamFileBytes source = encodeTeam(BenchTeam(state.range(0) != 0).doc);
    BenchTeam target(false);
    for (auto _ : state) {
        decodeTeam(target.doc, source);
        benchmark::ClobberMemory();
    }
}

void decodeTeamFileDiscardingTexts(benchmark::State& state) {
    const TeamFileBytes source = encodeTeam(BenchTeam(state.range(0) != 0).doc);
    DiscardingFieldStorage storage;
    TeamDocument target(storage);
    for (auto _ : state) {
        decodeTeam(target, source);
        benchmark::ClobberMemory();
    }
}

void encodeTeamFile(benchmark::State& state) {
    const BenchTeam team(state.range(0) != 0);
    for (auto _ : state) {
        TeamFileBytes bytes = encodeTeam(team.doc);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
}

void decodeThenEncodeTeamFile(benchmark::State& state) {
    const TeamFileBytes source = encodeTeam(BenchTeam(state.range(0) != 0).doc);
    BenchTeam target(false);
    for (auto _ : state) {
        decodeTeam(target.doc, source);
        TeamFileBytes bytes = encodeTeam(target.doc);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(copyTeamFile)->ArgName("longNames")->Arg(0)->Arg(1);
BENCHMARK(decodeTeamFile)->ArgName("longNames")->Arg(0)->Arg(1);
BENCHMARK(decodeTeamFileDiscardingTexts)->ArgName("longNames")->Arg(0)->Arg(1);
BENCHMARK(encodeTeamFile)->ArgName("longNames")->Arg(0)->Arg(1);
BENCHMARK(decodeThenEncodeTeamFile)->ArgName("longNames")->Arg(0)->Arg(1);

BENCHMARK_MAIN();
