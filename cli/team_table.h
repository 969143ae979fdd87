// The team as show prints it for people to read.
#pragma once

#include <ostream>

#include "roster/slot_operations.h"

// The roster page by page under the pages' column captions, then the five colours.
void writeTeamTable(const TeamDocument& doc, std::ostream& out);
