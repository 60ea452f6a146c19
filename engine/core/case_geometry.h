// Geometry of one shaft diameter: areas, perimeter and the bell.
#pragma once

#include "core/analysis_input.h"
#include "core/units.h"

namespace tolvane::engine {

struct CaseGeometry {
  float ShaftDiameter = 0.0F;  // D, ft
  float BaseDiameter = 0.0F;   // Db, ft
  float BaseArea = 0.0F;       // ft²
  float ShaftArea = 0.0F;      // ft²
  float Perimeter = 0.0F;      // ft
  float BellToeHeight = 0.0F;  // ft
  float BellHeight = 0.0F;     // ft, toe included
  float BellVolume = 0.0F;     // cubic yards

  bool hasBell() const { return BellHeight > 0.0F; }
};

CaseGeometry caseGeometry(const AnalysisInput& input, float shaftDiameter);

// Concrete volume of a shaft of length L (ft) in cubic yards, bell included.
float shaftVolume(const CaseGeometry& geometry, float length);

}  // namespace tolvane::engine
