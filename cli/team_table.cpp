#include "cli/team_table.h"

#include <algorithm>
#include <array>

#include "cli/color_hex.h"
#include "cli/cp1252.h"
#include "cli/quoting.h"
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
