#pragma once

#include <cstdint>
#include <vector>

#include "roster/slot_operations.h"

// A new team held in memory.
struct TestTeam {
    TestTeam() { resetToNewTeam(doc); }
    MemoryFieldStorage storage;
    TeamDocument doc{storage};
};
