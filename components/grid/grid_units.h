// Units placeholder strings of float grid columns ('F/L2^2', 'L2', ...): their display text in
// each unit system and the factor that converts a value between English and SI units.
#pragma once

#include <string>
#include <string_view>

namespace tolvane::grid {

enum GridUnits : int { kGridEnglish = 1, kGridSI = 2, kGridDimensions = 3 };

// Replaces "F2", "F1", "F4", "F5", "F6", "F", "L3", "L2", "L1", "L" in this order (every
// occurrence each time) by the words of the unit system: 'F/L2^2' reads "lbs/ft^2" in English
// units, "kN/m^2" in SI units and "F/L^2" as dimensions. Other text stays as it is.
std::string gridUnitsText(std::string_view units, int unitSystem);

// The number a value is multiplied by when its unit system changes from `from` to `to`:
// English units per SI unit of the placeholder string from SI to English, its inverse from English
// to SI, and 1 for any other pair. 'F/L2^2' gives about 20.885 from SI to English.
long double unitsConversionFactor(std::string_view units, int from, int to);

}  // namespace tolvane::grid
