// The field rules once more, with the texts held by the controls of a running editor's pages: both
// storages must behave alike.
#include "roster/page_storage_win.h"
#include "tests/core/field_rules.h"
#include "tests/ui/driver.h"

#include <memory>

namespace {

// Owns the editor whose pages it forwards to.
class EditorPageStorage final : public FieldStorage {
  public:
    std::string text(SlotIndex slot, SlotField field) const override { return pages_.text(slot, field); }
    void setText(SlotIndex slot, SlotField field, std::string_view text) override {
        pages_.setText(slot, field, text);
    }
    void selectItem(SlotIndex slot, SlotField field, std::string_view item) override {
        pages_.selectItem(slot, field, item);
    }
    void setSpinner(SlotIndex slot, SlotField field, int value) override {
        pages_.setSpinner(slot, field, value);
    }
    void takeSpinnerPositionFromText(SlotIndex slot, SlotField field) override {
        pages_.takeSpinnerPositionFromText(slot, field);
    }

    bool started() const { return editor_.started(); }

  private:
    EditorProcess editor_;
    PageFieldStorage pages_{editor_.pages()};
};

std::unique_ptr<FieldStorage> makeEditorPageStorage() {
    auto storage = std::make_unique<EditorPageStorage>();
    if (!storage->started())
        return nullptr;
    return storage;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(EditorPages, FieldRules, ::testing::Values(&makeEditorPageStorage));
