// A freshly started editor per test, with the team on its pages read through the core's field
// operations over the page controls (the same storage the editor uses), and a scratch folder for the
// test's files.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "roster/page_storage_win.h"
#include "roster/team_document.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/driver.h"

using SlotTexts = std::array<std::string, kSlotFieldCount>;
using TeamTexts = std::array<SlotTexts, kSlotCount>;

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(editor.started()); }

    HWND box(SlotIndex slot, SlotField field) const {
        return editor.control(slot, fieldControlOffset(field));
    }
    HWND spinner(SlotIndex slot, SlotField field) const {
        return editor.control(slot, fieldControlOffset(field) + 1);
    }
    HWND slotTool(int id) const { return editor.pageItem(kSlotToolsPage, id); }
    std::string text(SlotIndex slot, SlotField field) const { return fieldText(doc, slot, field); }

    // What the slot's boxes show, read straight from the controls (one round trip per box, as
    // whole-team comparisons read 484 of them).
    SlotTexts slotTexts(SlotIndex slot) const {
        SlotTexts texts;
        for (SlotField field : kAllSlotFields)
            texts[static_cast<int>(field)] = windowText(box(slot, field));
        return texts;
    }
    TeamTexts teamTexts() const {
        TeamTexts team;
        for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
            team[slot] = slotTexts(slot);
        return team;
    }

    // First, so that it outlives the editor, whose file dialogs make it the editor's current folder.
    TempFolder folder;
    EditorProcess editor;
    PageFieldStorage pageStorage{editor.pages()};
    TeamDocument doc{pageStorage};
};

// A slot's texts as its SlotTable row gives them.
inline SlotTexts tableTexts(SlotIndex slot) {
    SlotTexts texts;
    for (SlotField field : kAllSlotFields)
        texts[static_cast<int>(field)] = isSpinnerField(field)
                                             ? std::to_string(defaultSpinnerValue(slot, field))
                                             : std::string(defaultFieldText(slot, field));
    return texts;
}

inline std::vector<std::string> expectedItems(SlotField field) {
    std::span<const std::string_view> items = listItems(field);
    return {items.begin(), items.end()};
}
