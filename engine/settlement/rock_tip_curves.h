// The load-settlement curves of a shaft whose tip lies in rock or an intermediate geomaterial:
// granular IGM and weak rock by their socket solutions, strong rock by the settlement-influence
// chart of the socket and the side-transfer tables of the soil above it.
#pragma once

#include <array>
#include <string>

#include "capacity/rock.h"
#include "core/analysis_input.h"
#include "core/case_geometry.h"
#include "io/engine_files.h"

namespace tolvane::engine {

inline constexpr int kRockCurvePoints = 15;

struct LoadSettlementPoint {
  float load = 0.0F;        // tons (kN in SI once converted)
  float settlement = 0.0F;  // ft during the computation, then in or m
};
using RockCurve = std::array<LoadSettlementPoint, kRockCurvePoints>;

// What the driver knows of a case whose tip lies in a rock or IGM layer.
struct RockTipCase {
  const AnalysisInput& input;
  const CaseGeometry& geometry;
  float tipDepth = 0.0F;  // ft
  int tipLayer = 0;       // 0-based index of the layer that holds the tip
  float diameterScale = 1.0F;
  float tipCapacity = 0.0F;  // QB of the case at the tip depth, tons
  // Accumulated side capacity by shaft length (the walk's table), tons.
  const float* sideByLength = nullptr;
  int firstRow = 0;
  int lastRow = -1;
};

struct RockTipResult {
  RockCurve top{};            // top load against top settlement
  RockCurve second{};         // strong rock: curve B; otherwise zeros
  float tipCapacity = 0.0F;   // tons, granular IGM and weak rock
  float baseDiameter = 0.0F;  // ft, strong rock: the socket diameter
  std::string heading;        // the routine's own report text
  std::string notes;          // notes on the profile, for the report and the run log
};

// In output units (in and tons, or m and kN). Throw InputError when the case cannot be computed.
RockTipResult granularIgmTipCurve(const RockTipCase& tip, const RockWalkState& walk);
RockTipResult weakRockTipCurve(const RockTipCase& tip, RockWalkState& walk, OutputFile& runLog);
RockTipResult strongRockTipCurve(const RockTipCase& tip);

// Chart values of the strong-rock socket.
float strongRockModulusRatio(float rqd);                                 // Em / Em_avg
float settlementInfluenceFactor(float modulusRatio, float lengthRatio);  // I by Ec/Er and L/B
// Mobilized share of the ultimate side resistance of a soil layer above the rock, at a
// settlement of movementRatio x D: lower-bound tables in the first pass, upper-bound in the second.
float sideTransferRatio(bool sand, bool upperBound, float movementRatio);

// The curve of the tip layer's routine.
RockTipResult rockTipCurve(const RockTipCase& tip, RockWalkState& walk, OutputFile& runLog);

}  // namespace tolvane::engine
