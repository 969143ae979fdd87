// A team read from CSV or JSON, before it becomes a team file: the texts to put into the slots'
// boxes and the colours to pick. Import types every given text into its box, as a person would in
// the editor, and saves through the encoder, so the clamps, mappings and page defaults of saving
// apply exactly as they do there.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "teamfile/encoder.h"
#include "teamfile/reader.h"

// Where a value stands in the input: a CSV cell's line and column, or a JSON pointer.
struct InputPlace {
    int line = 0;
    int column = 0;
    std::string pointer;
};
// "team.csv:3:4" or "team.json: /slots/0/icon".
std::string placeText(const std::string& source, const InputPlace& place);

struct FieldInput {
    SlotIndex slot;
    SlotField field;
    std::string text; // single-byte text as given, before the box takes it
    InputPlace place;
};

struct ColorInput {
    TeamColorEntry entry;
    ColorRef color;
};

// The given texts of a team, held compactly in the order given (a league sheet keeps thousands of
// teams' inputs at once): each field in a few bytes besides its text, a place as its distance from
// the one before.
class GivenFields {
  public:
    void add(const FieldInput& given);
    void forEach(const std::function<void(const FieldInput&)>& each) const;

  private:
    std::vector<char> packed_;
    InputPlace last_; // of the field added last
    SlotIndex lastSlot_ = -1;
};

struct TeamInput {
    GivenFields fields;
    std::vector<ColorInput> colors;
    std::array<bool, kSlotCount> slotGiven{};
    std::array<bool, kSlotFieldCount> fieldGiven{}; // a column of the sheet, or a name in any JSON slot
    std::array<bool, kTeamColorCount> colorGiven{};
};

struct TeamInputResult {
    bool ok = true;
    TeamInput input;
    std::string error; // "where: problem" when not ok
};

TeamInputResult inputError(const std::string& error);

// Whether text holds the digits 0 to 9 only (an empty text does).
bool isDigits(std::string_view text);

struct BoxText {
    bool ok = true;
    std::string text;    // single-byte text when ok
    std::string problem; // why the text cannot go into the box otherwise
};
// Given UTF-8 text for a field, the single-byte text for its box. A numeric box takes digits only
// and may be empty; the other boxes take any text that the team file's code page can hold.
BoxText boxText(SlotField field, std::string_view utf8);

// Puts each given text into its box (setFieldText) and sets the given colours. A box holds text up to
// its first zero byte, as Windows text ends there.
void applyTeamInput(TeamDocument& doc, const TeamInput& input);

// What the person importing may not expect. With leftOuts, the slots, columns and colours that the
// input leaves out (they keep the new team's values), said of "source" or, in a league sheet, of
// "source: for "team"" ; always, each given text that the saved file reads back as something else
// than the text means (a clamped or wrapped number, an empty number box, a list text saved as its
// page default, a name cut to 29 characters or at a zero byte).
struct WarningOptions {
    bool leftOuts = true;
    std::string team; // the team's file in a league sheet
};

// A team saved from its input: the file's bytes, how many fields and colours differ from the team it
// started from, and the warnings for the person importing.
struct BuiltTeam {
    TeamFileBytes bytes{};
    std::size_t changes = 0;
    std::vector<std::string> warnings;
};
// Starts from the team that base holds as the editor reads it, or from a new team when base is null,
// types the input into it and saves it. The saved bytes are read back once, for both the warnings and
// the differences.
BuiltTeam buildTeam(const TeamInput& input, const TeamFileRead* base, const std::string& source,
                    const WarningOptions& warnings);
