#include "tests/ui/page_differences.h"

#include "roster/page_storage_win.h"

std::vector<std::string> pageDifferences(const EditorProcess& editor, const TeamDocument& expected) {
    PageFieldStorage pages(editor.pages());
    std::vector<std::string> differences;
    for (SlotIndex slot = 0; slot < kSlotCount; ++slot)
        for (SlotField field : kAllSlotFields) {
            const std::string shown = pages.text(slot, field);
            const std::string wanted = fieldText(expected, slot, field);
            if (shown != wanted)
                differences.push_back("slot " + std::string(SlotTable[slot].label) + " " +
                                      std::string(kColumnCaptions[1 + static_cast<int>(field)]) +
                                      ": shows \"" + shown + "\", expected \"" + wanted + "\"");
        }
    return differences;
}

void editFirstName(EditorProcess& editor, TeamDocument& expected, const std::string& name) {
    setWindowText(editor.control(0, fieldControlOffset(SlotField::playerName)), name);
    setFieldText(expected, 0, SlotField::playerName, name);
}
