#pragma once

#include "roster/team_document.h"

// The sum of the spinner positions of the five ratings of all 44 slots. Reading a position settles it
// (spinnerPosition): a box holding a number within range makes that number the remembered position.
int settlePositionsAndTotalPoints(TeamDocument& doc);
