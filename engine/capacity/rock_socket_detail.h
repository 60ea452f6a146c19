// The weak-rock socket quantities shared by the socket step of the profile walk and by the
// load-settlement curve of a tip in weak rock.
#pragma once

#include "capacity/rock.h"

namespace tolvane::engine {

// The socket in the rock above a depth d.
struct WeakRockSocket {
  float rockTop = -1.0F;     // top of the first weak or strong rock layer, ft
  float toTip = 0.0F;        // Ls: proposed tip depth - rock top, ft
  float current = 0.0F;      // Lc: length of the socket at d, ft
  float check = 0.0F;        // Lk = Ls + 2 D, ft
  float middleDepth = 0.0F;  // zc, ft
};

WeakRockSocket weakRockSocket(const AnalysisInput& input, float depth, float proposedDepth,
                              float shaftDiameter);

struct WeakRockValues {
  float diameter = 0.0F;  // B, ft
  float length = 0.0F;    // Lc, ft
  float fa = 0.0F;        // lb/ft²
  float fs = 0.0F;        // mobilized, lb/ft²
  float n = 0.0F;
  float modulus = 0.0F;  // Em of the rock mass, tsf
  float omega = 0.0F;
  float gamma = 0.0F;
  float theta = 0.0F;
  float qb = 0.0F;           // base resistance, lb/ft²
  float tipCapacity = 0.0F;  // tons
  bool roughInterface = false;
};

// The quantities at the step `step`, for a settlement of settlementRatio x B. Adds the step's
// Ei to the running values and writes the range warnings.
WeakRockValues weakRockValues(const SocketStep& step, const WeakRockSocket& socket,
                              float settlementRatio, RockWalkState& state, OutputFile& runLog);

// Kf: the share of fa mobilized at Theta, limited by n.
float mobilizedSideFactor(float theta, float n);

}  // namespace tolvane::engine
