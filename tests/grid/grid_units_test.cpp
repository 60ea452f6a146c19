// Checks the units placeholder strings of real columns: display text in each unit system and the
// conversion factors of the term rule.
#include "grid_units.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolvane::grid {
namespace {

struct FactorCase {
  const char* units;
  long double siToEnglish;  // English units per SI unit, worked out from the placeholder factors
};

TEST(UnitsConversionFactor, FollowsTheTermRule) {
  const std::vector<FactorCase> cases = {
      {"F/L2^2", 224.8089237L / (3.280839895L * 3.280839895L)},                 // about 20.885
      {"F/L2^3", 224.8089237L / (3.280839895L * 3.280839895L * 3.280839895L)},  // about 6.366
      {"F/L^2", 224.8089237L / (39.37007874L * 39.37007874L)},                  // about 0.14504
      {"L2", 3.280839895L},
      {"L", 39.37007874L},
      {"L1", 0.03937007874L},
      {"F", 224.8089237L},
      {"F2", 0.1124044745L},
      {"F1/L2", 0.2248089237L / 3.280839895L},
      {"F2^2", 0.1124044745L * 0.1124044745L},
      {"DEG", 1},
      {"", 1},
  };
  for (const FactorCase& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_NEAR(unitsConversionFactor(c.units, 2, 1), c.siToEnglish, 1e-15L * c.siToEnglish);
    EXPECT_NEAR(unitsConversionFactor(c.units, 1, 2), 1 / c.siToEnglish, 1e-15L / c.siToEnglish);
    EXPECT_EQ(unitsConversionFactor(c.units, 1, 3), 1);
    EXPECT_EQ(unitsConversionFactor(c.units, 2, 2), 1);
  }
  EXPECT_NEAR(unitsConversionFactor("F/L2^2", 2, 1), 20.885, 5e-4);
  EXPECT_NEAR(unitsConversionFactor("F/L2^3", 2, 1), 6.366, 5e-4);
  EXPECT_NEAR(unitsConversionFactor("F/L^2", 2, 1), 0.14504, 5e-6);
}

struct TextCase {
  const char* units;
  const char* english;
  const char* si;
  const char* dimensions;
};

TEST(GridUnitsText, ExpandsEveryPlaceholder) {
  const std::vector<TextCase> cases = {
      {"F/L2^2", "lbs/ft^2", "kN/m^2", "F/L^2"},
      {"F/L2^3", "lbs/ft^3", "kN/m^3", "F/L^3"},
      {"F/L^2", "lbs/in^2", "kN/m^2", "F/L^2"},
      {"L2", "ft", "m", "L"},
      {"L1", "in", "mm", "L"},
      {"L", "in", "m", "L"},
      {"F2", "tons", "kN", "F"},
      {"F1", "kips", "kN", "F"},
      {"F4", "lb-sec2/in", "Mg", "M"},
      {"F5", "sec", "sec", "T"},
      {"L3", "rad", "rad", "L"},
      {"DEG", "DEG", "DEG", "DEG"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(gridUnitsText(c.units, 1), c.english);
    EXPECT_EQ(gridUnitsText(c.units, 2), c.si);
    EXPECT_EQ(gridUnitsText(c.units, 3), c.dimensions);
  }
}

}  // namespace
}  // namespace tolvane::grid
