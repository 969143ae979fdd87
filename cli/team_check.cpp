#include "cli/team_check.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "cli/cp1252.h"
#include "cli/quoting.h"
#include "cli/team_names.h"
#include "roster/slot_operations.h"
#include "teamfile/decoder.h"
#include "teamfile/layout.h"

using namespace layout;

namespace {

std::string hexByte(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// What stands at an offset of the first kReadSize bytes, for the short-file finding.
std::string partAt(std::size_t offset) {
    if (offset < kJerseyOffset)
        return "the header";
    if (offset < kStripeOffset)
        return "the jersey colour";
    if (offset < kRecordsOffset)
        return "the stripe colour";
    if (offset < kHelmetOffset)
        return "slot " + std::string(SlotTable[recordSlot((offset - kRecordsOffset) / kRecordSize)].label);
    if (offset < kHomePantsOffset)
        return "the helmet colour";
    if (offset < kAwayPantsOffset)
        return "the home pants colour";
    return "the away pants colour";
}

// The editor's reading of the file, made only when a finding needs to say what a value reads as.
class DecodedTeam {
  public:
    explicit DecodedTeam(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    const TeamDocument& doc() {
        if (!team_) {
            team_.emplace();
            decodeTeam(team_->doc, bytes_);
        }
        return team_->doc;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::optional<TeamInMemory> team_;
};

// The first byte of the zero tail that is not zero, among the bytes the file has.
void checkTail(std::span<const std::uint8_t> bytes, std::vector<std::string>& findings) {
    for (std::size_t i = kTailOffset; i < bytes.size(); ++i) {
        if (bytes[i] != 0) {
            findings.push_back("the zero tail holds " + hexByte(bytes[i]) + " at byte " + std::to_string(i) +
                               ": the editor never reads it, but a team file has zeros there");
            return;
        }
    }
}

void checkHeader(std::span<const std::uint8_t> bytes, std::vector<std::string>& findings) {
    const std::size_t present = std::min(bytes.size(), kHeader.size());
    for (std::size_t i = 0; i < present; ++i) {
        if (i != kVersionOffset && bytes[i] != kHeader[i]) {
            findings.push_back("the header differs from the team file header from byte " + std::to_string(i) +
                               " on (" + hexByte(bytes[i]) + " where " + hexByte(kHeader[i]) + " belongs)");
            break;
        }
    }
    if (bytes.size() > kVersionOffset && bytes[kVersionOffset] != kCurrentVersion) {
        const std::uint8_t version = bytes[kVersionOffset];
        std::string shown = hexByte(version);
        if (version >= 0x20 && version < 0x7F)
            shown = inQuotes(std::string(1, static_cast<char>(version))) + " (" + shown + ")";
        findings.push_back("the version byte is " + shown +
                           ", not \"2\": helmet and pants are taken from the jersey colour");
    }
}

// The finding about one list field's code byte, if it is outside its table.
void checkListCode(const std::string& slot, SlotField field, std::span<const std::uint8_t> codes,
                   std::uint8_t byte, std::vector<std::string>& findings) {
    if (std::find(codes.begin(), codes.end(), byte) != codes.end())
        return;
    std::string table;
    for (std::size_t i = 0; i < codes.size(); ++i)
        table += (i > 0 ? " or " : "") + std::to_string(codes[i]) + " (\"" +
                 std::string(listItems(field)[i]) + "\")";
    findings.push_back(slot + ": the " + std::string(fieldCaption(field)) + " byte " + hexByte(byte) +
                       " is not " + table + ": the field keeps its previous value");
}

void checkName(const std::string& slot, std::span<const std::uint8_t> record,
               std::vector<std::string>& findings) {
    const std::uint8_t length = record[kNameLengthOffset];
    if (length > kNameCapacity)
        findings.push_back(slot + ": the name length byte " + std::to_string(length) + " is above " +
                           std::to_string(kNameCapacity) + ": all " + std::to_string(kNameCapacity) +
                           " name bytes are read");
    const std::size_t taken = std::min<std::size_t>(length, kNameCapacity);
    const auto name = record.subspan(kNameOffset, taken);
    const auto zero = std::find(name.begin(), name.end(), 0);
    if (zero != name.end() && length <= kNameCapacity)
        findings.push_back(slot + ": the name holds a zero byte after " +
                           std::to_string(zero - name.begin()) + " of its " + std::to_string(taken) +
                           " characters: it ends there");
    const std::string text(name.begin(), zero);
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return isControlByte(static_cast<unsigned char>(c)); }))
        findings.push_back(slot + ": the name has control characters: \"" + displayText(text) + "\"");
}

// A numeric field's byte against its range: the spinner's, but the speed byte counts steps of 25.
void checkNumber(const std::string& slot, SlotField field, int byte, DecodedTeam& decoded, SlotIndex index,
                 std::vector<std::string>& findings) {
    const int lowest = spinnerRange(field).lower;
    const int highest = field == SlotField::speed ? kMaxSpeedStep : spinnerRange(field).upper;
    if (byte >= lowest && byte <= highest)
        return;
    const std::string what =
        field == SlotField::speed ? "SPD step" : std::string(fieldCaption(field)) + " byte";
    findings.push_back(slot + ": the " + what + " " + std::to_string(byte) + " is outside " +
                       std::to_string(lowest) + ".." + std::to_string(highest) + ": read as " +
                       fieldText(decoded.doc(), index, field));
}

void checkRecord(std::span<const std::uint8_t> record, SlotIndex index, DecodedTeam& decoded,
                 std::vector<std::string>& findings) {
    const std::string slot(SlotTable[index].label);
    checkListCode(slot, SlotField::depthString, kDepthStringCodes, record[kDepthStringOffset], findings);
    checkListCode(slot, SlotField::side, kSideCodes, record[kSideOffset], findings);
    checkName(slot, record, findings);
    const std::uint8_t group = record[kPosGroupOffset];
    const std::uint8_t detail = record[kPosDetailOffset];
    if (decodePosition(group, detail) < 0)
        findings.push_back(slot + ": the POS bytes " + hexByte(group) + " " + hexByte(detail) +
                           " name no position: the field keeps its previous value");
    checkNumber(slot, SlotField::number, record[kNumberOffset], decoded, index, findings);
    checkNumber(slot, SlotField::icon, record[kIconOffset], decoded, index, findings);
    checkNumber(slot, SlotField::speed, record[kSpeedStepOffset], decoded, index, findings);
    checkNumber(slot, SlotField::strength, record[kStrengthOffset], decoded, index, findings);
    checkNumber(slot, SlotField::agility, record[kAgilityOffset], decoded, index, findings);
    checkNumber(slot, SlotField::intelligence, record[kIntelligenceOffset], decoded, index, findings);
    checkNumber(slot, SlotField::discipline, record[kDisciplineOffset], decoded, index, findings);
}

} // namespace

std::string sizeFinding(std::uintmax_t size) {
    const std::string bytes = std::to_string(size) + " bytes";
    if (size < kReadSize)
        return bytes + ", shorter than " + std::to_string(kReadSize) + ": the fields from " +
               partAt(static_cast<std::size_t>(size)) + " on are decoded from leftovers of earlier reads";
    if (size > kTeamFileSize)
        return bytes + ", longer than " + std::to_string(kTeamFileSize) + ": the rest is ignored";
    if (size > kReadSize && size < kTeamFileSize)
        return bytes + ", not " + std::to_string(kTeamFileSize) + ": the zero tail is cut short";
    return {};
}

std::vector<std::string> teamFileFindings(std::span<const std::uint8_t> bytes, std::uintmax_t fileSize) {
    std::vector<std::string> findings;
    if (std::string size = sizeFinding(fileSize); !size.empty())
        findings.push_back(std::move(size));
    checkHeader(bytes, findings);

    DecodedTeam decoded(bytes.first(std::min(bytes.size(), kReadSize)));
    // Records that the file holds whole; a cut record is the short-file finding's business.
    for (std::size_t r = 0; r < kRecordCount && recordOffset(r) + kRecordSize <= bytes.size(); ++r)
        checkRecord(bytes.subspan(recordOffset(r), kRecordSize), recordSlot(r), decoded, findings);
    checkTail(bytes.first(std::min(bytes.size(), kTeamFileSize)), findings);
    return findings;
}
