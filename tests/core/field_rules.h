// The field rules as behavioural cases that run against any FieldStorage: the in-memory one here,
// and the editor's page controls in the UI tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "roster/team_document.h"

using StorageMaker = std::unique_ptr<FieldStorage> (*)();

class FieldRules : public ::testing::TestWithParam<StorageMaker> {
  protected:
    void SetUp() override {
        storage = GetParam()();
        ASSERT_NE(storage, nullptr);
        doc = std::make_unique<TeamDocument>(*storage);
        applySlotDefaults(*doc);
    }
    void TearDown() override {
        doc.reset();
        storage.reset();
    }

    std::unique_ptr<FieldStorage> storage;
    std::unique_ptr<TeamDocument> doc;
};
