#pragma once

#include <cctype>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/quoting.h"
#include "cli/team_formats.h"
#include "cli/team_names.h"
#include "cli/team_text.h"
#include "teamfile/encoder.h"
#include "teamfile/reader.h"

// What a command run in the process returned and wrote, with input as its standard input.
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome runCommand(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, in, out, err);
    return {status, out.str(), err.str()};
}

inline void putText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The team that a text in one of the tool's shapes makes, as import saves it; the parse result
// tells why there is none.
struct Imported {
    TeamInputResult parsed;
    TeamFileBytes bytes{};
};

inline Imported importText(const std::string& text, bool json, const std::string& source = "team") {
    Imported imported{json ? parseTeamJson(text, source) : parseTeamCsv(text, source)};
    if (imported.parsed.ok) {
        TeamInMemory team;
        applyTeamInput(team.doc, imported.parsed.input);
        imported.bytes = encodeTeam(team.doc);
    }
    return imported;
}

// What export writes for the team in a file's bytes, read as the editor reads it.
inline std::string exportText(const TeamFileBytes& bytes, bool json) {
    TeamInMemory team;
    decodeTeam(team.doc, bytes);
    std::ostringstream out;
    if (json) {
        writeTeamJson(team.doc, out);
    } else {
        writeCsvHeader(out, false);
        writeTeamCsvRows(team.doc, out);
    }
    return out.str();
}

inline SlotIndex slotNamed(std::string_view label) {
    return *slotByLabel(label);
}

inline TeamFileBytes newTeamBytes() {
    TeamInMemory team;
    return encodeTeam(team.doc);
}

inline std::vector<std::uint8_t> bytesOf(const TeamFileBytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Texts that the editor's boxes can hold, drawn at random: picked or typed list texts, names of any
// characters but the zero byte (up to 35 of them, longer than the box takes, as other operations can
// set), digits as typed into a numeric box (at most three), and any colours.
class EditorTeamMaker {
  public:
    explicit EditorTeamMaker(std::uint32_t seed) : random_(seed) {}

    void fill(TeamDocument& doc) {
        for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
            for (SlotField field : kAllSlotFields)
                setFieldText(doc, slot, field, fieldText(field));
        for (ColorRef& color : doc.colors)
            color = below(0x1000000);
    }

  private:
    std::uint32_t below(std::uint32_t n) { return random_() % n; }

    std::string letters(std::size_t count, int lowest, int highest) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += static_cast<char>(
                lowest + static_cast<int>(below(static_cast<std::uint32_t>(highest - lowest + 1))));
        return text;
    }

    std::string fieldText(SlotField field) {
        if (field == SlotField::playerName)
            return letters(below(36), 1, 255);
        if (isListField(field))
            return listText(field);
        // The icon byte 0 reads back as 1, so icon texts of value 0 make files that cannot come back
        // byte for byte; that case has its own test below.
        std::string digits;
        do
            digits = letters(below(4), '0', '9');
        while (field == SlotField::icon && numericValue(digits) == 0);
        return digits;
    }

    std::string listText(SlotField field) {
        const std::span<const std::string_view> items = listItems(field);
        std::string item(items[below(static_cast<std::uint32_t>(items.size()))]);
        switch (below(5)) {
        case 0: return item;
        case 1:
            for (char& c : item)
                c = below(2) ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
            return item;
        case 2: return item + letters(1 + below(3), ' ', '~');
        case 3: return letters(below(4), ' ', '~');
        default: return "";
        }
    }

    std::mt19937 random_;
};
