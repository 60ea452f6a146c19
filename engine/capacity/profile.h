// The soil profile at a depth: values interpolated within a layer and the effective vertical
// stress.
#pragma once

#include "core/analysis_input.h"
#include "core/units.h"

namespace tolvane::engine {

// Value of a top/bottom field at dz ft below the layer top, linear between the two ends.
float ParameterAt(const Layer& layer, const EndValues& field, float dz);

// Index of the layer that contains depth z (the first whose bottom is at or below z), or
// LayerCount when z lies below the profile.
int layerAt(const AnalysisInput& input, float z);

// Effective vertical stress at depth z, lb/ft². Only whole feet count: z is truncated. Each
// foot takes the unit weight of its layer at the foot's depth, less the unit weight of water
// below the water table; a foot that crosses a layer boundary is split between the two layers.
float EffectiveStress(const AnalysisInput& input, float z);

// The effective stress gained over the foot from depth j - 1 to j, lb/ft².
float footStress(const AnalysisInput& input, int j);

// Effective stress at the middle of the one-foot step ending at depth z, lb/ft².
float effectiveStressMid(const AnalysisInput& input, float z);

}  // namespace tolvane::engine
