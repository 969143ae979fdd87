#include "tests/core/field_rules.h"

#include <string>

#include "tests/core/spinner_model.h"

namespace {

constexpr SlotIndex kQB = 0;
constexpr SlotIndex kLTa = 14; // a filler slot
constexpr SlotIndex kSS = 22;
constexpr SlotIndex kBLB = 38;

} // namespace

TEST_P(FieldRules, ListSelectionFindsThePrefixFromTheThirdItemOn) {
    struct Case {
        SlotField field;
        const char* before;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {SlotField::position, "HB", "qb", "QB"},
        {SlotField::position, "QB", "O", "OT"}, // "OT" comes before "OC" from the third item on
        {SlotField::position, "QB", "k", "KK"}, // wraps to the first two items
        {SlotField::position, "QB", "n", "NT"},
        {SlotField::depthString, "1st", "2", "2nd"},
        {SlotField::depthString, "2nd", "1ST", "1st"},
        {SlotField::side, "OFF", "de", "DEF"},
        {SlotField::position, "zz", "XY", "zz"},       // no match keeps typed text
        {SlotField::depthString, "1st", "3rd", "1st"}, // no match
        {SlotField::side, "ofx", "DEFENCE", "ofx"},
    };
    for (const Case& c : cases) {
        setFieldText(*doc, kQB, c.field, c.before);
        selectListValue(*doc, kQB, c.field, c.text);
        EXPECT_EQ(fieldText(*doc, kQB, c.field), c.expected)
            << "selecting " << c.text << " over " << c.before;
    }
}

TEST_P(FieldRules, SpinnerValuesAreBroughtIntoRange) {
    struct Case {
        SlotField field;
        int value;
        const char* shown;
    };
    const Case cases[] = {
        {SlotField::icon, 0, "1"},         {SlotField::icon, 15, "14"},     {SlotField::number, 100, "99"},
        {SlotField::number, -1, "0"},      {SlotField::speed, 175, "150"},  {SlotField::speed, -24, "0"},
        {SlotField::strength, 101, "100"}, {SlotField::discipline, 7, "7"}, {SlotField::speed, 125, "125"},
    };
    for (const Case& c : cases) {
        setSpinnerValue(*doc, kSS, c.field, c.value);
        EXPECT_EQ(fieldText(*doc, kSS, c.field), c.shown) << c.value;
        EXPECT_EQ(settleSpinnerPosition(*doc, kSS, c.field), std::stoi(c.shown)) << c.value;
    }
}

TEST_P(FieldRules, NumericValueIsTheLeadingDigitsAfterBlanks) {
    struct Case {
        const char* text;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"007", 7},
        {"", 0},
        {"4294967295", 4294967295u},
        {"4294967296", 0},
        {"99999999999", 0},
        {"  12", 12},
        {"12ab", 12},
        {"a5", 0},
        {"0", 0},
        {"1000", 1000},
    };
    for (const Case& c : cases) {
        setFieldText(*doc, kQB, SlotField::number, c.text);
        EXPECT_EQ(fieldValue(*doc, kQB, SlotField::number), c.value) << '"' << c.text << '"';
    }
}

TEST_P(FieldRules, PositionTakesOverOnlyANumberWithinRange) {
    ASSERT_EQ(settleSpinnerPosition(*doc, kQB, SlotField::strength), 40);
    struct Step {
        const char* typed;
        int position;
    };
    const Step steps[] = {
        {"500", 40}, // out of range: keeps the last valid position
        {"70", 70},  {"", 70}, {"007", 7}, {"101", 7}, {"100", 100}, {"0", 0},
    };
    for (const Step& s : steps) {
        setFieldText(*doc, kQB, SlotField::strength, s.typed);
        EXPECT_EQ(settleSpinnerPosition(*doc, kQB, SlotField::strength), s.position) << '"' << s.typed << '"';
        EXPECT_EQ(fieldText(*doc, kQB, SlotField::strength), s.typed) << "asking must not change the text";
    }
    setFieldText(*doc, kLTa, SlotField::icon, "");
    EXPECT_EQ(settleSpinnerPosition(*doc, kLTa, SlotField::icon), 1);
}

TEST_P(FieldRules, AStepIsRememberedWhateverTheBoxHoldsAfterIt) {
    struct Case {
        SlotIndex slot;
        SlotField field;
        const char* typed; // the box's text before the step; nullptr keeps the default
        int delta;
        const char* stepped;
        const char* after; // the box's text after the step
        int delta2;
        const char* stepped2;
    };
    const Case cases[] = {
        {kQB, SlotField::strength, nullptr, +1, "41", "", +1, "42"},
        {kQB, SlotField::strength, nullptr, +1, "41", "500", -1, "40"},
        {kQB, SlotField::strength, nullptr, -1, "39", "abc", -1, "38"},
        {kBLB, SlotField::icon, nullptr, +1, "2", "0", -1, "1"},
        {kQB, SlotField::speed, "125", +1, "150", "abc", -1, "125"},
        {kQB, SlotField::speed, "150", +1, "0", "", -1, "150"},
        {kLTa, SlotField::speed, nullptr, -1, "150", "151", +1, "0"},
        {kQB, SlotField::number, "0", -1, "99", "", +1, "0"},
        {kQB, SlotField::number, "99", +1, "0", "500", -1, "99"},
    };
    for (const Case& c : cases) {
        const std::string where = std::string(SlotTable[c.slot].label) + " field " +
                                  std::to_string(static_cast<int>(c.field)) + " after \"" + c.after + '"';
        applySlotDefaults(*doc, c.slot);
        if (c.typed)
            setFieldText(*doc, c.slot, c.field, c.typed);
        clickModelSpinner(*storage, *doc, c.slot, c.field, c.delta);
        ASSERT_EQ(fieldText(*doc, c.slot, c.field), c.stepped) << where;
        setFieldText(*doc, c.slot, c.field, c.after);
        EXPECT_EQ(settleSpinnerPosition(*doc, c.slot, c.field), std::stoi(c.stepped)) << where;
        EXPECT_EQ(fieldText(*doc, c.slot, c.field), c.after) << where;
        clickModelSpinner(*storage, *doc, c.slot, c.field, c.delta2);
        EXPECT_EQ(fieldText(*doc, c.slot, c.field), c.stepped2) << where;
    }
}

TEST_P(FieldRules, TextsAreHeldWhole) {
    const std::string longName(40, 'N');
    setFieldText(*doc, kQB, SlotField::playerName, longName);
    EXPECT_EQ(fieldText(*doc, kQB, SlotField::playerName), longName);
    setFieldText(*doc, kQB, SlotField::position, "ZZ");
    EXPECT_EQ(fieldText(*doc, kQB, SlotField::position), "ZZ");
}

TEST_P(FieldRules, DefaultsGiveTheDefaultPositionWhateverTheBoxShows) {
    // QB's STR starts at 40; the position is 60 and the box shows what was typed after it.
    for (const char* typed : {"40", "040", "", "60"}) {
        setSpinnerValue(*doc, kQB, SlotField::strength, 60);
        setFieldText(*doc, kQB, SlotField::strength, typed);
        applySlotDefaults(*doc, kQB);
        EXPECT_EQ(fieldText(*doc, kQB, SlotField::strength), "40") << '"' << typed << '"';
        setFieldText(*doc, kQB, SlotField::strength, "");
        EXPECT_EQ(settleSpinnerPosition(*doc, kQB, SlotField::strength), 40) << '"' << typed << '"';
    }
}

TEST_P(FieldRules, DefaultsShowEverySlotsTableRow) {
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot) {
        const SlotDefinition& row = SlotTable[slot];
        EXPECT_EQ(fieldText(*doc, slot, SlotField::depthString), row.depthString) << row.label;
        EXPECT_EQ(fieldText(*doc, slot, SlotField::side), row.side) << row.label;
        EXPECT_EQ(fieldText(*doc, slot, SlotField::playerName), row.placeholderName) << row.label;
        EXPECT_EQ(fieldText(*doc, slot, SlotField::position), row.position) << row.label;
        for (SlotField field : kAllSlotFields) {
            if (isSpinnerField(field)) {
                EXPECT_EQ(fieldText(*doc, slot, field), std::to_string(defaultSpinnerValue(slot, field)))
                    << row.label;
            }
        }
    }
}
