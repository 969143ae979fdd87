#pragma once

#include "roster/team_document.h"

// The sum of the spinner positions of the five ratings of all 44 slots.
int totalPoints(TeamDocument& doc);
