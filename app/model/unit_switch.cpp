// Switching a project between English units (lb, ft, in, tons) and SI units (kN, m).
#include <algorithm>

#include "program_data.h"

namespace tolvane::app {
namespace {

// English units per SI unit.
constexpr long double kFeetPerMetre = 3.280839895L;
constexpr long double kInchesPerMetre = 39.37007874L;
constexpr long double kPoundsPerKilonewton = 224.8089237L;
constexpr long double kTonsPerKilonewton = 0.1124044745L;

struct UnitFactors {
  long double largeLength;  // ft or m
  long double smallLength;  // in or m
  long double force;        // lb or kN
  long double load;         // tons or kN
};

UnitFactors factorsTo(int target) {
  if (target == kEnglishUnits) {
    return {kFeetPerMetre, kInchesPerMetre, kPoundsPerKilonewton, kTonsPerKilonewton};
  }
  return {1.0L / kFeetPerMetre, 1.0L / kInchesPerMetre, 1.0L / kPoundsPerKilonewton,
          1.0L / kTonsPerKilonewton};
}

}  // namespace

void TProgramData::SetUnits(int target) {
  target = std::clamp(target, kEnglishUnits, kSIUnits);
  if (target == fUnits && !constructing_) return;
  fUnits = target;
  for (grid::TGridTable* table : grids_->all()) table->SetUnits(target);

  const UnitFactors f = factorsTo(target);
  for (long double* length :
       {&PINC, &DSTART, &DIALIM, &TOPLENG, &BS, &WTD, &PD, &PDMIN, &PDINCR, &DIAMINCR}) {
    *length *= f.largeLength;
  }
  EPILE *= f.force / (f.smallLength * f.smallLength);  // lb/in^2 <-> kPa
  LPD *= f.load;
  const int nSettlements = std::clamp(NPOINTPD, 0, kMaxChartSettlements);
  for (int i = 0; i < nSettlements; ++i) PDSETT[static_cast<size_t>(i)] *= f.smallLength;
  if (!constructing_) host_->unitsChanged();
}

void TProgramData::setUnitsOnEmptyProject(int target) {
  const bool constructing = constructing_;
  constructing_ = true;
  SetUnits(target);
  constructing_ = constructing;
}

}  // namespace tolvane::app
