// The team on the editor's pages compared with a document.
#pragma once

#include <string>
#include <vector>

#include "roster/team_document.h"
#include "tests/ui/driver.h"

// What the pages show against a document: one line per field that differs, empty when all 44 slots
// agree.
std::vector<std::string> pageDifferences(const EditorProcess& editor, const TeamDocument& expected);

// Sets a new name into slot 0 on the pages (the box sends its change as typing does) and into the
// expected document alike.
void editFirstName(EditorProcess& editor, TeamDocument& expected, const std::string& name);
