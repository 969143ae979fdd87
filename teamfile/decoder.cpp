#include "teamfile/decoder.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "teamfile/layout.h"

using namespace layout;

namespace {

// Walks the file front to back as the game's own reader does: every read lands at the start of a
// small zero-filled scratch buffer, and a read past the end of the file delivers nothing and leaves
// the buffer as it was. One-byte fields decode from the buffer's first byte, the current byte, so
// fields past the end decode from whatever the last read left there.
class TeamFileWalk {
  public:
    explicit TeamFileWalk(std::span<const std::uint8_t> file)
        : file_(file.first(std::min(file.size(), kReadSize))) {}

    // Reads count bytes into the start of the scratch buffer; count is at most kNameCapacity.
    void read(std::size_t count) {
        const std::size_t start = std::min(position_, file_.size());
        const std::size_t got = std::min(count, file_.size() - start);
        std::copy_n(file_.begin() + static_cast<std::ptrdiff_t>(start), got, scratch_.begin());
        position_ += count;
    }

    // Reads the bytes from the current position up to offset one at a time, the byte at offset last,
    // and returns the current byte.
    std::uint8_t byteAt(std::size_t offset) {
        const std::size_t end = std::min(offset + 1, file_.size());
        if (end > position_)
            scratch_[0] = file_[end - 1];
        position_ = offset + 1;
        return scratch_[0];
    }

    // Stores 0 at index and returns the scratch buffer's contents up to its first zero byte.
    std::string_view textEndingAt(std::size_t index) {
        scratch_[index] = 0;
        const auto end =
            std::find(scratch_.begin(), scratch_.begin() + static_cast<std::ptrdiff_t>(index), 0);
        return {reinterpret_cast<const char*>(scratch_.data()),
                static_cast<std::size_t>(end - scratch_.begin())};
    }

    void clearCurrentByte() { scratch_[0] = 0; }

  private:
    std::span<const std::uint8_t> file_;
    std::size_t position_ = 0;
    std::array<std::uint8_t, kScratchSize> scratch_{};
};

// Selects the list item whose code is byte; a byte outside the table leaves the field as it was.
void decodeListField(TeamDocument& doc, SlotIndex slot, SlotField field, std::span<const std::uint8_t> codes,
                     std::uint8_t byte) {
    const auto code = std::find(codes.begin(), codes.end(), byte);
    if (code != codes.end())
        selectListValue(doc, slot, field, listItems(field)[static_cast<std::size_t>(code - codes.begin())]);
}

// The length byte, then the 29 name bytes in two reads: the name's own bytes, ended by a 0 stored
// after them, and the rest of the field. A length above 29 takes all 29 bytes; index 29 of the
// scratch buffer only ever holds 0, so the name ends there at the latest.
void decodeName(TeamFileWalk& in, TeamDocument& doc, SlotIndex slot, std::size_t record) {
    const std::size_t length = std::min<std::size_t>(in.byteAt(record + kNameLengthOffset), kNameCapacity);
    in.read(length);
    setFieldText(doc, slot, SlotField::playerName, in.textEndingAt(length));
    in.read(kNameCapacity - length);
    in.clearCurrentByte();
}

// The group byte, then the byte between and the detail byte, which replaces it.
void decodePositionField(TeamFileWalk& in, TeamDocument& doc, SlotIndex slot, std::size_t record) {
    const std::uint8_t group = in.byteAt(record + kPosGroupOffset);
    const std::uint8_t detail = in.byteAt(record + kPosDetailOffset);
    const int position = decodePosition(group, detail);
    if (position >= 0)
        selectListValue(doc, slot, SlotField::position, PositionCode[static_cast<std::size_t>(position)]);
}

void decodeNumericField(TeamFileWalk& in, TeamDocument& doc, SlotIndex slot, SlotField field,
                        std::size_t offset) {
    const int byte = in.byteAt(offset);
    setSpinnerValue(doc, slot, field, byte <= kMaxNumericByte ? byte : 0);
}

void decodeSpeed(TeamFileWalk& in, TeamDocument& doc, SlotIndex slot, std::size_t record) {
    const int step = in.byteAt(record + kSpeedStepOffset);
    setSpinnerValue(doc, slot, SlotField::speed, step <= kMaxSpeedStep ? step * kSpeedPerStep : 0);
}

void decodeRecord(TeamFileWalk& in, TeamDocument& doc, std::size_t index) {
    const SlotIndex slot = recordSlot(index);
    const std::size_t record = recordOffset(index);
    decodeListField(doc, slot, SlotField::depthString, kDepthStringCodes,
                    in.byteAt(record + kDepthStringOffset));
    decodeListField(doc, slot, SlotField::side, kSideCodes, in.byteAt(record + kSideOffset));
    decodeName(in, doc, slot, record);
    decodePositionField(in, doc, slot, record);
    decodeNumericField(in, doc, slot, SlotField::number, record + kNumberOffset);
    decodeNumericField(in, doc, slot, SlotField::icon, record + kIconOffset);
    decodeSpeed(in, doc, slot, record);
    decodeNumericField(in, doc, slot, SlotField::strength, record + kStrengthOffset);
    decodeNumericField(in, doc, slot, SlotField::agility, record + kAgilityOffset);
    decodeNumericField(in, doc, slot, SlotField::intelligence, record + kIntelligenceOffset);
    decodeNumericField(in, doc, slot, SlotField::discipline, record + kDisciplineOffset);
}

// Red, green and blue, each two bytes high byte first.
ColorRef decodeColor(TeamFileWalk& in, std::size_t offset) {
    std::array<int, 3> components{};
    for (std::size_t c = 0; c < components.size(); ++c) {
        const int high = in.byteAt(offset + 2 * c);
        const int low = in.byteAt(offset + 2 * c + 1);
        components[c] = decodeColorComponent(static_cast<std::uint16_t>(high << 8 | low));
    }
    return makeColor(components[0], components[1], components[2]);
}

} // namespace

void decodeTeam(TeamDocument& doc, std::span<const std::uint8_t> bytes) {
    TeamFileWalk in(bytes);
    const bool currentVersion = in.byteAt(kVersionOffset) == kCurrentVersion;
    doc.colors[jerseyColor] = decodeColor(in, kJerseyOffset);
    doc.colors[stripeColor] = decodeColor(in, kStripeOffset);
    for (std::size_t record = 0; record < kRecordCount; ++record)
        decodeRecord(in, doc, record);
    doc.colors[helmetColor] = decodeColor(in, kHelmetOffset);
    doc.colors[homePantsColor] = decodeColor(in, kHomePantsOffset);
    doc.colors[awayPantsColor] = decodeColor(in, kAwayPantsOffset);
    if (!currentVersion) {
        doc.colors[helmetColor] = doc.colors[jerseyColor];
        doc.colors[homePantsColor] = doc.colors[jerseyColor];
        doc.colors[awayPantsColor] = kOlderVersionAwayPants;
    }
}
