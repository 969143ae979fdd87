// Writes the fuzz target's seed corpus into the folder given as the only argument: whole files of a
// new and an edited team, an older version, files cut at telling places and a few hostile ones.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "roster/slot_operations.h"
#include "tests/support/team_bytes.h"

using namespace layout;

namespace {

using Bytes = std::vector<std::uint8_t>;

bool writeSeed(const std::string& folder, const char* name, const Bytes& bytes) {
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        std::perror(path.c_str());
    return written && closed;
}

Bytes cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

// Names of every length, every position, numbers at both ends and odd colours.
Bytes editedTeamFile() {
    TeamInMemory team;
    TeamDocument& doc = team.doc;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        setFieldText(doc, slot, SlotField::playerName,
                     std::string(static_cast<std::size_t>(slot % 30), 'a' + slot % 26));
        selectListValue(doc, slot, SlotField::position, PositionCode[static_cast<std::size_t>(slot) % 16]);
        setSpinnerValue(doc, slot, SlotField::number, slot % 2 == 0 ? 0 : 99);
        setSpinnerValue(doc, slot, SlotField::icon, 1 + slot % 14);
        setSpinnerValue(doc, slot, SlotField::speed, 25 * (slot % 7));
        setSpinnerValue(doc, slot, SlotField::discipline, 100);
    }
    doc.colors = {0x000000, 0xFFFFFF, 0x0180FE, 0x123456, 0xABCDEF};
    return encoded(doc);
}

// Codes outside their tables everywhere: list bytes that select nothing, shared POS groups with a
// foreign detail byte, name lengths above 29 over names without a zero byte, numbers above 100.
Bytes hostileFile(const Bytes& base) {
    Bytes bytes = base;
    for (std::size_t record = 0; record < kRecordCount; ++record) {
        std::uint8_t* rec = bytes.data() + recordOffset(record);
        rec[kDepthStringOffset] = static_cast<std::uint8_t>(3 + record);
        rec[kSideOffset] = static_cast<std::uint8_t>(2 + record);
        rec[kNameLengthOffset] = static_cast<std::uint8_t>(30 + record * 5);
        std::fill(rec + kNameOffset, rec + kNameOffset + kNameCapacity,
                  static_cast<std::uint8_t>(0x80 + record));
        rec[kPosGroupOffset] = static_cast<std::uint8_t>(record % 3 == 0   ? 0x06
                                                         : record % 3 == 1 ? 0x0B
                                                                           : 0x09);
        rec[kPosGroupOffset + 1] = 0x07;
        rec[kPosDetailOffset] = 0x0F;
        for (std::size_t offset : {kNumberOffset, kIconOffset, kSpeedStepOffset, kStrengthOffset,
                                   kAgilityOffset, kIntelligenceOffset, kDisciplineOffset})
            rec[offset] = static_cast<std::uint8_t>(101 + record * 3);
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    const Bytes newTeam = encoded(TeamInMemory().doc);
    const Bytes edited = editedTeamFile();
    Bytes version1 = edited;
    version1[kVersionOffset] = '1';
    Bytes longer = edited;
    longer.resize(2900, 0xA5);
    std::mt19937 random(1);
    Bytes noise(kTeamFileSize);
    for (std::uint8_t& byte : noise)
        byte = static_cast<std::uint8_t>(random());

    bool ok = true;
    ok &= writeSeed(folder, "new-team.fbt", newTeam);
    ok &= writeSeed(folder, "edited-team.fbt", edited);
    ok &= writeSeed(folder, "version-1.fbt", version1);
    ok &= writeSeed(folder, "no-tail.fbt", cut(edited, kReadSize));
    ok &= writeSeed(folder, "longer.fbt", longer);
    ok &= writeSeed(folder, "empty.fbt", {});
    ok &= writeSeed(folder, "header-only.fbt", cut(newTeam, kHeader.size()));
    ok &= writeSeed(folder, "cut-in-colour.fbt", cut(newTeam, kJerseyOffset + 1));
    ok &= writeSeed(folder, "cut-in-name.fbt", cut(edited, recordOffset(20) + kNameOffset + 7));
    ok &= writeSeed(folder, "cut-in-record.fbt", cut(edited, recordOffset(5) + kNumberOffset + 1));
    ok &= writeSeed(folder, "hostile-codes.fbt", hostileFile(newTeam));
    ok &= writeSeed(folder, "all-ff.fbt", Bytes(kTeamFileSize, 0xFF));
    ok &= writeSeed(folder, "all-zero.fbt", Bytes(kTeamFileSize, 0x00));
    ok &= writeSeed(folder, "noise.fbt", noise);
    return ok ? 0 : 1;
}
