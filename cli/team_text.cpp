#include "cli/team_text.h"

#include <algorithm>
#include <array>

#include "cli/ansi_text.h"
#include "cli/color_text.h"
#include "cli/team_names.h"

namespace {

// A field's text as a cell of the table: names readable, everything else as it is.
std::string cellText(const TeamDocument& doc, SlotIndex slot, SlotField field) {
    return displayText(fieldText(doc, slot, field));
}

void writeCell(std::ostream& out, std::string_view text, std::size_t width, bool rightAligned) {
    const std::string padding(width - std::min(width, utf8Length(text)), ' ');
    if (rightAligned)
        out << padding << text;
    else
        out << text << padding;
}

} // namespace

void writeTeamTable(const TeamDocument& doc, std::ostream& out) {
    // One width per column over the whole team, so that the four pages line up alike.
    std::array<std::size_t, kColumnCaptions.size()> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column)
        widths[column] = kColumnCaptions[column].size();
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        widths[0] = std::max(widths[0], SlotTable[slot].label.size());
        for (SlotField field : kAllSlotFields) {
            std::size_t& width = widths[1 + static_cast<std::size_t>(field)];
            width = std::max(width, utf8Length(cellText(doc, slot, field)));
        }
    }

    const auto writeRow = [&](const std::array<std::string, kColumnCaptions.size()>& cells) {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const bool numeric = column > 0 && isSpinnerField(kAllSlotFields[column - 1]);
            if (column > 0)
                out << "  ";
            writeCell(out, cells[column], widths[column], numeric);
        }
        out << '\n';
    };

    for (PageIndex page = 0; page < kRosterPageCount; ++page) {
        out << kRosterPageTitles[page] << '\n';
        std::array<std::string, kColumnCaptions.size()> cells;
        std::copy(kColumnCaptions.begin(), kColumnCaptions.end(), cells.begin());
        writeRow(cells);
        for (int row = 0; row < kRowsPerPage; ++row) {
            const SlotIndex slot = slotAt(page, row);
            cells[0] = SlotTable[slot].label;
            for (SlotField field : kAllSlotFields)
                cells[1 + static_cast<std::size_t>(field)] = cellText(doc, slot, field);
            writeRow(cells);
        }
        out << '\n';
    }

    out << "Colors\n";
    std::size_t nameWidth = 0;
    for (std::string_view name : kTeamColorNames)
        nameWidth = std::max(nameWidth, name.size());
    for (int entry = 0; entry < kTeamColorCount; ++entry) {
        writeCell(out, kTeamColorNames[entry], nameWidth, false);
        out << "  " << colorText(doc.colors[entry]) << '\n';
    }
}

std::vector<TeamDifference> teamDifferences(const TeamDocument& a, const TeamDocument& b) {
    std::vector<TeamDifference> differences;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        for (SlotField field : kAllSlotFields) {
            std::string before = fieldText(a, slot, field);
            std::string after = fieldText(b, slot, field);
            if (before != after)
                differences.push_back({slot, field, jerseyColor, std::move(before), std::move(after)});
        }
    }
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        if (a.colors[entry] != b.colors[entry])
            differences.push_back({-1, SlotField::depthString, static_cast<TeamColorEntry>(entry),
                                   colorText(a.colors[entry]), colorText(b.colors[entry])});
    return differences;
}

std::string differenceLine(const TeamDifference& difference) {
    if (difference.slot < 0)
        return std::string(kTeamColorNames[difference.color]) + ": " + difference.before + " -> " +
               difference.after;
    const std::string quote = difference.field == SlotField::playerName ? "\"" : "";
    return std::string(SlotTable[difference.slot].label) + ": " +
           std::string(fieldCaption(difference.field)) + ": " + quote + displayText(difference.before) +
           quote + " -> " + quote + displayText(difference.after) + quote;
}
