#include <optional>
#include <vector>

#include "cli/ansi_text.h"
#include "cli/csv_table.h"
#include "cli/team_formats.h"
#include "cli/team_text.h"

namespace {

constexpr std::string_view kRecordEnd = "\r\n";

std::string placeOf(const std::string& source, int line, int column) {
    return source + ":" + std::to_string(line) + ":" + std::to_string(column);
}
std::string placeOf(const std::string& source, const CsvCell& cell) {
    return placeOf(source, cell.line, cell.column);
}

std::optional<SlotField> fieldByCaption(std::string_view caption) {
    for (SlotField field : kAllSlotFields)
        if (fieldCaption(field) == caption)
            return field;
    return std::nullopt;
}

std::optional<TeamColorEntry> colorByName(std::string_view name) {
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        if (kTeamColorNames[entry] == name)
            return static_cast<TeamColorEntry>(entry);
    return std::nullopt;
}

std::string problemAt(const std::string& where, const std::string& problem) {
    return where + ": " + problem;
}

// The fields named by the header, by column; column 0 is the slot label.
struct CsvHeader {
    std::vector<SlotField> fields;
    std::size_t width = 0;
};

std::string readHeader(const CsvRow& row, const std::string& source, CsvHeader& header) {
    if (row[0].text != kColumnCaptions[0])
        return problemAt(placeOf(source, row[0]),
                         "the first column must be \"Slot\", not " + inQuotes(row[0].text));
    for (std::size_t column = 1; column < row.size(); ++column) {
        const CsvCell& cell = row[column];
        const std::optional<SlotField> field = fieldByCaption(cell.text);
        if (!field) {
            std::string names;
            for (SlotField known : kAllSlotFields)
                names += (names.empty() ? "" : ", ") + inQuotes(fieldCaption(known));
            return problemAt(placeOf(source, cell),
                             "unknown field name " + inQuotes(cell.text) + " (the fields are " + names + ")");
        }
        for (SlotField seen : header.fields)
            if (seen == *field)
                return problemAt(placeOf(source, cell),
                                 "the field " + inQuotes(cell.text) + " appears twice");
        header.fields.push_back(*field);
    }
    header.width = row.size();
    return {};
}

// Cells from index first on must be empty.
std::string checkNothingFrom(const CsvRow& row, std::size_t first, const std::string& source) {
    for (std::size_t column = first; column < row.size(); ++column)
        if (!row[column].text.empty())
            return problemAt(placeOf(source, row[column]),
                             "a value in a column that the header does not name: " +
                                 inQuotes(row[column].text));
    return {};
}

std::string readSlotRow(const CsvRow& row, SlotIndex slot, const CsvHeader& header, const std::string& source,
                        TeamInput& input) {
    if (row.size() < header.width)
        return problemAt(placeOf(source, row[0]), "this row has " + std::to_string(row.size()) +
                                                      " fields, the header has " +
                                                      std::to_string(header.width));
    for (std::size_t column = 1; column < header.width; ++column) {
        const SlotField field = header.fields[column - 1];
        BoxText text = boxText(field, row[column].text);
        if (!text.ok)
            return problemAt(placeOf(source, row[column]), text.problem);
        input.fields.push_back({slot, field, std::move(text.text), placeOf(source, row[column])});
    }
    input.slotGiven[slot] = true;
    return checkNothingFrom(row, header.width, source);
}

std::string readColorRow(const CsvRow& row, TeamColorEntry entry, const std::string& source,
                         TeamInput& input) {
    if (row.size() < 2)
        return problemAt(placeOf(source, row[0]), "the colour " + inQuotes(row[0].text) + " has no value");
    const std::optional<ColorRef> color = parseColorText(row[1].text);
    if (!color)
        return problemAt(placeOf(source, row[1]),
                         inQuotes(row[1].text) + " is not a colour of the form #RRGGBB");
    input.colors.push_back({entry, *color});
    return checkNothingFrom(row, 2, source);
}

} // namespace

void writeTeamCsv(const TeamDocument& doc, std::ostream& out) {
    for (std::size_t column = 0; column < kColumnCaptions.size(); ++column)
        out << (column > 0 ? "," : "") << csvField(kColumnCaptions[column]);
    out << kRecordEnd;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        out << csvField(SlotTable[slot].label);
        for (SlotField field : kAllSlotFields)
            out << ',' << csvField(ansiToUtf8(fieldText(doc, slot, field)));
        out << kRecordEnd;
    }
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        out << csvField(kTeamColorNames[entry]) << ',' << colorText(doc.colors[entry])
            << std::string(kSlotFieldCount - 1, ',') << kRecordEnd;
}

TeamInputResult parseTeamCsv(std::string_view text, const std::string& source) {
    const CsvTable table = readCsv(text);
    if (!table.ok)
        return inputError(placeOf(source, table.line, table.column), table.problem);
    if (table.rows.empty())
        return inputError(placeOf(source, 1, 1), "the header row is missing");

    CsvHeader header;
    TeamInputResult result;
    std::string problem = readHeader(table.rows[0], source, header);
    std::array<int, kSlotCount> slotLine{};
    std::array<int, kTeamColorCount> colorLine{};
    for (std::size_t r = 1; r < table.rows.size() && problem.empty(); ++r) {
        const CsvRow& row = table.rows[r];
        const CsvCell& first = row[0];
        int* seenOnLine = nullptr;
        if (const std::optional<SlotIndex> slot = slotByLabel(first.text)) {
            seenOnLine = &slotLine[*slot];
            if (*seenOnLine == 0)
                problem = readSlotRow(row, *slot, header, source, result.input);
        } else if (const std::optional<TeamColorEntry> entry = colorByName(first.text)) {
            seenOnLine = &colorLine[*entry];
            if (*seenOnLine == 0)
                problem = readColorRow(row, *entry, source, result.input);
        } else {
            problem = problemAt(placeOf(source, first), "unknown slot label " + inQuotes(first.text));
            break;
        }
        if (*seenOnLine != 0)
            problem =
                problemAt(placeOf(source, first), inQuotes(first.text) + " appears twice (first on line " +
                                                      std::to_string(*seenOnLine) + ")");
        *seenOnLine = first.line;
    }
    if (!problem.empty())
        return {false, {}, problem};
    return result;
}
