// The team on the editor's pages compared with a document.
#pragma once

#include <string>
#include <vector>

#include "roster/team_document.h"
#include "tests/ui/driver.h"

// What the pages show against a document: one line per field that differs, empty when all 44 slots
// agree.
std::vector<std::string> pageDifferences(const EditorProcess& editor, const TeamDocument& expected);
