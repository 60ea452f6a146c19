// The tip capacity of a shaft length, averaged over the soil below the tip.
#pragma once

#include "capacity/capacity_walk.h"

namespace tolvane::engine {

// Rows below the tip that the average takes in: the whole feet within two base diameters of
// the tip (at least one).
int averagingRows(float baseDiameter);

// The longest shaft length whose tip can be averaged over soil of the profile, or -1 when
// none can.
int lastAveragedLength(const CapacityTable& table, float baseDiameter, float shaftDiameter);

// Tip capacity (tons) of the shaft of length L: the step tip values from the tip down to two
// base diameters below it, weighted 1.2 x for x <= 0.5 and 0.4 (2 - x) beyond, x being the
// distance below the tip over two base diameters; a row without tip resistance takes the last
// one met. A shaft narrower than a foot takes the value of its own row.
float averagedTip(const CapacityTable& table, int length, float baseDiameter, float shaftDiameter);

}  // namespace tolvane::engine
