#include <algorithm>
#include <map>
#include <optional>

#include "cli/color_hex.h"
#include "cli/cp1252.h"
#include "cli/csv_table.h"
#include "cli/quoting.h"
#include "cli/sheets.h"
#include "cli/team_names.h"

namespace {

constexpr std::string_view kRecordEnd = "\r\n";
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

std::string placeOf(const std::string& source, const CsvCell& cell) {
    return placeText(source, {cell.line, cell.column, {}});
}

std::string_view colorName(TeamColorEntry entry) {
    return kTeamColorNames[entry];
}

// Where each team's slots and colours were given, to refuse a second row for the same one.
struct RowsSeen {
    std::array<int, kSlotCount> slotLine{};
    std::array<int, kTeamColorCount> colorLine{};
};

// Reads a sheet row by row into its teams: one team, or in a league sheet one per file named in the
// leading File column, whose rows may stand anywhere in the sheet.
class SheetReader {
  public:
    SheetReader(const std::string& source, bool league)
        : source_(source), league_(league), labelColumn_(league ? 1 : 0) {}

    std::string read(const CsvRow& row) { return header_.empty() ? readHeader(row) : readRow(row); }
    std::vector<LeagueTeamInput>& teams() { return teams_; }

  private:
    std::string problem(const CsvCell& cell, const std::string& text) const {
        return placeOf(source_, cell) + ": " + text;
    }

    std::string readLeadingCaptions(const CsvRow& row) {
        if (league_ && row[0].text != kFileCaption)
            return problem(row[0], "the first column of a league sheet must be \"File\", not " +
                                       quotedInput(row[0].text));
        if (!league_ && row[0].text == kFileCaption)
            return problem(row[0], "a \"File\" column makes this a league sheet: import it with --league");
        if (row.size() <= labelColumn_ || row[labelColumn_].text != kColumnCaptions[0]) {
            const CsvCell& cell = row.size() <= labelColumn_ ? row.back() : row[labelColumn_];
            return problem(cell, std::string(league_ ? "the second" : "the first") +
                                     " column must be \"Slot\"" +
                                     (row.size() <= labelColumn_ ? "" : ", not " + quotedInput(cell.text)));
        }
        return {};
    }

    std::string readHeader(const CsvRow& row) {
        if (std::string leading = readLeadingCaptions(row); !leading.empty())
            return leading;
        header_.assign(labelColumn_ + 1, std::nullopt);
        for (std::size_t column = labelColumn_ + 1; column < row.size(); ++column) {
            const CsvCell& cell = row[column];
            const std::optional<SlotField> field = itemNamed(kAllSlotFields, fieldCaption, cell.text);
            if (!field) {
                std::string names;
                for (SlotField known : kAllSlotFields)
                    names += (names.empty() ? "" : ", ") + inQuotes(fieldCaption(known));
                return problem(cell, "unknown field name " + quotedInput(cell.text) + " (the fields are " +
                                         names + ")");
            }
            if (std::find(header_.begin(), header_.end(), field) != header_.end())
                return problem(cell, "the field " + quotedInput(cell.text) + " appears twice");
            if (*field == SlotField::depthString)
                colorColumn_ = column;
            header_.push_back(field);
        }
        if (!league_) {
            teams_.push_back({});
            rowsSeen_.emplace_back();
        }
        return {};
    }

    // The team of a row: the only one, or the one of the row's file; none after saying why.
    std::optional<std::size_t> teamOf(const CsvRow& row, std::string& problemText) {
        if (!league_)
            return 0;
        const std::string file(sheetText(row[0].text));
        const auto known = files_.find(file);
        if (known != files_.end())
            return known->second;
        problemText = leagueFileProblem(file, teams_.size());
        if (!problemText.empty()) {
            problemText = problem(row[0], problemText);
            return std::nullopt;
        }
        files_.emplace(file, teams_.size());
        teams_.push_back({file, {row[0].line, row[0].column, {}}, {}});
        rowsSeen_.emplace_back();
        return teams_.size() - 1;
    }

    // Every row has at least the header's cells, slot and colour rows alike.
    std::string readRow(const CsvRow& row) {
        if (row.size() < header_.size())
            return fieldCount(row);
        if (league_ && row[0].text.empty())
            return problem(row[0], "the row names no file in its \"File\" column");
        std::string unnamed;
        const std::optional<std::size_t> known = teamOf(row, unnamed);
        if (!known)
            return unnamed;
        const std::size_t team = *known;
        const CsvCell& label = row[labelColumn_];
        int* seenOnLine = nullptr;
        std::string read;
        if (const std::optional<SlotIndex> slot = slotByLabel(label.text)) {
            seenOnLine = &rowsSeen_[team].slotLine[*slot];
            if (*seenOnLine == 0)
                read = readSlotRow(row, *slot, teams_[team].input);
        } else if (const std::optional<TeamColorEntry> entry =
                       itemNamed(kAllTeamColors, colorName, label.text)) {
            seenOnLine = &rowsSeen_[team].colorLine[*entry];
            if (*seenOnLine == 0)
                read = readColorRow(row, *entry, teams_[team].input);
        } else {
            return problem(label, "unknown slot label " + quotedInput(label.text));
        }
        if (*seenOnLine != 0)
            return problem(label, quotedInput(label.text) + " appears twice" +
                                      (league_ ? " for this file" : "") + " (first on line " +
                                      std::to_string(*seenOnLine) + ")");
        *seenOnLine = label.line;
        return read.empty() ? checkNothingFrom(row, header_.size()) : read;
    }

    // Cells from index first on must be empty.
    std::string checkNothingFrom(const CsvRow& row, std::size_t first, std::size_t except = kNoColumn) const {
        for (std::size_t column = first; column < row.size(); ++column)
            if (column != except && !row[column].text.empty())
                return problem(row[column], std::string(column < header_.size()
                                                            ? "a colour row has a value under " +
                                                                  inQuotes(fieldCaption(*header_[column]))
                                                            : "a value in a column that the "
                                                              "header does not name") +
                                                ": " + quotedInput(row[column].text));
        return {};
    }

    std::string fieldCount(const CsvRow& row) const {
        return problem(row[0], "this row has " + std::to_string(row.size()) + " fields, the header has " +
                                   std::to_string(header_.size()));
    }

    std::string readSlotRow(const CsvRow& row, SlotIndex slot, TeamInput& input) const {
        for (std::size_t column = labelColumn_ + 1; column < header_.size(); ++column) {
            const SlotField field = *header_[column];
            const std::string_view cell = row[column].text;
            BoxText text = boxText(field, isSpinnerField(field) ? cell : sheetText(cell));
            if (!text.ok)
                return problem(row[column], text.problem);
            input.fields.add({slot, field, std::move(text.text), {row[column].line, row[column].column, {}}});
            input.fieldGiven[static_cast<std::size_t>(field)] = true;
        }
        input.slotGiven[slot] = true;
        return {};
    }

    std::string readColorRow(const CsvRow& row, TeamColorEntry entry, TeamInput& input) const {
        const CsvCell& label = row[labelColumn_];
        if (colorColumn_ == kNoColumn)
            return problem(label,
                           "a colour's value goes under \"String\", a column that this sheet does not have");
        if (std::string elsewhere = checkNothingFrom(row, labelColumn_ + 1, colorColumn_); !elsewhere.empty())
            return elsewhere;
        if (row[colorColumn_].text.empty())
            return problem(label, "the colour " + quotedInput(label.text) + " has no value under \"String\"");
        const CsvCell& value = row[colorColumn_];
        const std::optional<ColorRef> color = parseColorText(value.text);
        if (!color)
            return problem(value, quotedInput(value.text) + " is not a colour of the form #RRGGBB");
        input.colors.push_back({entry, *color});
        input.colorGiven[entry] = true;
        return {};
    }

    const std::string& source_;
    bool league_;
    std::size_t labelColumn_;
    std::vector<std::optional<SlotField>> header_; // the field of each column; none for File and Slot
    std::size_t colorColumn_ = kNoColumn;
    std::vector<LeagueTeamInput> teams_;
    std::vector<RowsSeen> rowsSeen_;
    std::map<std::string, std::size_t> files_;
};

} // namespace

void writeCsvHeader(std::ostream& out, bool league) {
    if (league)
        out << kFileCaption << ',';
    for (std::size_t column = 0; column < kColumnCaptions.size(); ++column)
        out << (column > 0 ? "," : "") << csvField(kColumnCaptions[column]);
    out << kRecordEnd;
}

void writeTeamCsvRows(const TeamDocument& doc, std::ostream& out, const std::string* file) {
    const std::string leading = file == nullptr ? "" : sheetCell(*file) + ",";
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        out << leading << csvField(SlotTable[slot].label);
        for (SlotField field : kAllSlotFields) {
            const std::string text = ansiToUtf8(fieldText(doc, slot, field));
            out << ',' << (isSpinnerField(field) ? csvField(text) : sheetCell(text));
        }
        out << kRecordEnd;
    }
    for (int entry = 0; entry < kTeamColorCount; ++entry)
        out << leading << csvField(kTeamColorNames[entry]) << ',' << colorText(doc.colors[entry])
            << std::string(kSlotFieldCount - 1, ',') << kRecordEnd;
}

TeamInputResult parseTeamCsv(std::istream& in, const std::string& source) {
    SheetReader reader(source, false);
    const std::string problem = readCsvRows(in, source, [&](const CsvRow& row) { return reader.read(row); });
    if (!problem.empty())
        return inputError(problem);
    if (reader.teams().empty())
        return inputError(source + ":1:1: the header row is missing");
    return {true, std::move(reader.teams()[0].input), {}};
}

LeagueInputResult parseLeagueCsv(std::istream& in, const std::string& source) {
    SheetReader reader(source, true);
    const std::string problem = readCsvRows(in, source, [&](const CsvRow& row) { return reader.read(row); });
    if (!problem.empty())
        return {false, {}, problem};
    if (reader.teams().empty())
        return {false, {}, source + ":1:1: the sheet names no team file"};
    return {true, std::move(reader.teams()), {}};
}
