#include "capacity/capacity_rows.h"

#include <algorithm>

#include "capacity/profile.h"
#include "capacity/tip_averaging.h"
#include "core/units.h"

namespace tolvane::engine {
namespace {

inline constexpr float kConcreteWeightPerCubicYard = 4050.0F;             // lb
inline constexpr float kWaterTonsPerFootPerSquareDiameter = 0.02450448F;  // 62.4 π/4 / 2000
inline constexpr float kLengthTolerance = 1.0E-4F;                        // ft

}  // namespace

float CaseRows::shaftWeight(int length) const {
  const auto l = static_cast<float>(length);
  const float d = geometry_.ShaftDiameter;
  float weight =
      kConcreteWeightPerCubicYard * table_.volume[static_cast<std::size_t>(length)] / kPsfPerTsf;
  if (l > input_.WTD) weight -= (l - input_.WTD) * kWaterTonsPerFootPerSquareDiameter * d * d;
  return weight;
}

int CaseRows::tipLayer(int length) const {
  return std::min(layerAt(input_, static_cast<float>(length) + kLengthTolerance),
                  input_.LayerCount - 1);
}

float CaseRows::tipCapacity(int length) const {
  return averagedTip(table_, length, geometry_.BaseDiameter, geometry_.ShaftDiameter);
}

CapacityRow CaseRows::at(int length) const {
  const auto i = static_cast<std::size_t>(length);
  const bool uplift = input_.isUplift();
  CapacityRow row;
  row.length = static_cast<float>(length);
  row.volume = table_.volume[i];
  row.side = table_.side[i];
  row.tip = uplift ? shaftWeight(length) : tipCapacity(length);
  row.total = row.side + row.tip;
  if (input_.isLrfd()) {
    const float tipFactor =
        input_.layers[static_cast<std::size_t>(tipLayer(length))].ResistanceFactorTip;
    row.lrfd.side = table_.factoredSide[i];
    row.lrfd.tip = uplift ? row.tip : row.tip * tipFactor;
    row.lrfd.total = row.lrfd.side + row.lrfd.tip;
  } else {
    const float fsb = uplift ? 1.0F : input_.FSB;
    row.asd.allowableSide = row.side / input_.FST;
    row.asd.allowableTip = row.tip / fsb;
    row.asd.baseDesign = row.asd.allowableTip + row.side;
    row.asd.design = row.asd.allowableSide + row.asd.allowableTip;
  }
  return row;
}

float CaseRows::designCapacity(const CapacityRow& row) const {
  return input_.isLrfd() ? row.lrfd.total : row.asd.design;
}

int CaseRows::searchDesignLength(int last) const {
  for (int length = table_.firstRow; length <= last; ++length) {
    if (designCapacity(at(length)) > input_.LPD) return length;
  }
  return -1;
}

std::vector<int> CaseRows::printedLengths(int caseLength) const {
  const float increment = input_.isSI() ? input_.PINC * kFeetPerMetre : input_.PINC;
  float nextPrinted = increment;
  std::vector<int> lengths;
  for (int length = table_.firstRow; length <= caseLength; ++length) {
    const auto l = static_cast<float>(length);
    const bool onIncrement = l + kLengthTolerance >= nextPrinted;
    while (nextPrinted <= l + kLengthTolerance) nextPrinted += increment;
    if (onIncrement || length == caseLength) lengths.push_back(length);
  }
  return lengths;
}

}  // namespace tolvane::engine
