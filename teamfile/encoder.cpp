#include "teamfile/encoder.h"

#include <algorithm>
#include <string>

using namespace layout;

namespace {

std::uint8_t listCode(const std::string& text, std::size_t compared, std::span<const std::string_view> items,
                      std::span<const std::uint8_t> codes, std::uint8_t pageDefault) {
    std::string_view head = std::string_view(text).substr(0, compared);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalsIgnoringCase(head, items[i]))
            return codes[i];
    return pageDefault;
}

PositionBytes positionBytes(const std::string& text) {
    std::string_view head = std::string_view(text).substr(0, 2);
    for (std::size_t i = 0; i < PositionCode.size(); ++i)
        if (equalsIgnoringCase(head, PositionCode[i]))
            return kPositionBytes[i];
    return kUnknownPositionBytes;
}

// A rating above its spinner range is stored as the range's upper bound.
std::uint8_t clampedRating(std::uint32_t value) {
    constexpr auto upper = static_cast<std::uint32_t>(spinnerRange(SlotField::strength).upper);
    return static_cast<std::uint8_t>(std::min(value, upper));
}

void putColor(TeamFileBytes& out, std::size_t offset, ColorRef color) {
    const int components[3] = {colorRed(color), colorGreen(color), colorBlue(color)};
    for (int c = 0; c < 3; ++c) {
        std::uint16_t v = encodeColorComponent(components[c]);
        out[offset + 2 * c] = static_cast<std::uint8_t>(v >> 8);
        out[offset + 2 * c + 1] = static_cast<std::uint8_t>(v & 0xFF);
    }
}

void putRecord(TeamFileBytes& out, std::size_t offset, const TeamDocument& doc, SlotIndex slot) {
    const PageIndex page = slotPage(slot);
    std::uint8_t* rec = out.data() + offset;

    rec[kDepthStringOffset] = listCode(fieldText(doc, slot, SlotField::depthString), 3, kDepthStringList,
                                       kDepthStringCodes, kPageDepthStringCode[page]);
    rec[kSideOffset] =
        listCode(fieldText(doc, slot, SlotField::side), 3, kSideList, kSideCodes, kPageSideCode[page]);

    const std::string name = fieldText(doc, slot, SlotField::playerName);
    const std::size_t length = std::min(name.size(), kNameCapacity);
    rec[kNameLengthOffset] = static_cast<std::uint8_t>(length);
    std::copy_n(name.begin(), length, rec + kNameOffset);

    const PositionBytes pos = positionBytes(fieldText(doc, slot, SlotField::position));
    rec[kPosGroupOffset] = pos.group;
    rec[kPosDetailOffset] = pos.detail;

    const std::uint32_t number = fieldValue(doc, slot, SlotField::number);
    constexpr auto numberUpper = static_cast<std::uint32_t>(spinnerRange(SlotField::number).upper);
    rec[kNumberOffset] = static_cast<std::uint8_t>(number <= numberUpper ? number : 0);
    const std::uint32_t icon = fieldValue(doc, slot, SlotField::icon);
    constexpr SpinnerRange iconRange = spinnerRange(SlotField::icon);
    rec[kIconOffset] = static_cast<std::uint8_t>(
        icon <= static_cast<std::uint32_t>(iconRange.upper) ? icon : iconRange.lower);
    const std::uint32_t steps = fieldValue(doc, slot, SlotField::speed) / kSpeedPerStep;
    rec[kSpeedStepOffset] = static_cast<std::uint8_t>(std::min<std::uint32_t>(steps, kMaxSpeedStep));
    rec[kStrengthOffset] = clampedRating(fieldValue(doc, slot, SlotField::strength));
    rec[kAgilityOffset] = clampedRating(fieldValue(doc, slot, SlotField::agility));
    rec[kIntelligenceOffset] = clampedRating(fieldValue(doc, slot, SlotField::intelligence));
    rec[kDisciplineOffset] = clampedRating(fieldValue(doc, slot, SlotField::discipline));
}

} // namespace

TeamFileBytes encodeTeam(const TeamDocument& doc) {
    TeamFileBytes out{};
    std::copy(kHeader.begin(), kHeader.end(), out.begin());
    putColor(out, kJerseyOffset, doc.colors[jerseyColor]);
    putColor(out, kStripeOffset, doc.colors[stripeColor]);
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        putRecord(out, recordOffset(slotRecord(slot)), doc, slot);
    putColor(out, kHelmetOffset, doc.colors[helmetColor]);
    putColor(out, kHomePantsOffset, doc.colors[homePantsColor]);
    putColor(out, kAwayPantsOffset, doc.colors[awayPantsColor]);
    return out;
}
