#pragma once

#include "roster/team_document.h"

// Settles the spinner positions of the five ratings of all 44 slots (settleSpinnerPosition) and
// returns their sum.
int settlePositionsAndTotalPoints(TeamDocument& doc);
