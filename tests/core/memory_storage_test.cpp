#include "tests/core/field_rules.h"

namespace {

std::unique_ptr<FieldStorage> makeMemoryStorage() {
    return std::make_unique<MemoryFieldStorage>();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(InMemory, FieldRules, ::testing::Values(&makeMemoryStorage));
