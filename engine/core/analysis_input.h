// The analysis data read from the project file, in the engine's internal units once read:
// lengths and depths in ft, loads in tons (2000 lb), stresses in lb/ft², unit weights in lb/ft³,
// angles in degrees.
#pragma once

#include <array>
#include <string>

#include "core/capacities.h"
#include "core/units.h"
#include "tolvane/project_codes.h"

namespace tolvane::engine {

enum class UnitSystem { English, SI };

// Values given at the top and at the bottom of a layer; they vary linearly in between.
enum LayerEnd { kTop = 0, kBottom = 1 };
using EndValues = std::array<float, 2>;
using EndFlags = std::array<bool, 2>;

// A value that the file leaves at 0 may be estimated from the other parameters of its layer;
// the report marks estimated values with "(*)".
struct EstimatedMarks {
  EndFlags FrictionAngle{};
  EndFlags SideFactor{};  // alpha or beta
  EndFlags BearingFactorNc{};
  EndFlags Ocr{};
};

struct Layer {
  int SoilType = 0;
  float TopDepth = 0.0F;
  float BottomDepth = 0.0F;
  EndValues UnitWeight{};
  EndValues FrictionAngle{};
  EndValues InterfaceAngle{};
  EndValues Cohesion{};
  EndValues BlowCount{};
  EndValues BearingFactorNc{};
  EndValues SideFactor{};  // sand Ko, beta or m; clay and shale alpha; CFA beta or alpha
  EndValues Ocr{};
  float SideMethod = 0.0F;  // read as a real
  EndValues TestType{};
  EndValues CfaSandType{};
  EndValues ConeResistance{};
  EndValues RockStrength{};
  EndValues ConcreteStrength{};
  EndValues JointSpacing{};
  EndValues JointThickness{};
  EndValues SocketDiameter{};
  EndValues RockModulus{};
  EndValues Rqd{};
  EndValues PoissonRatio{};
  std::array<int, 2> InterfaceCondition{};
  EndValues ConcreteSlump{};
  EndValues RockInterfaceAngle{};
  EndValues MaxUnitSide{};
  EndValues MaxUnitTip{};
  float ResistanceFactorSide = 0.0F;
  float ResistanceFactorTip = 0.0F;
  EstimatedMarks estimated;
  // Clay by the GEC10 method: the strength converted to a CIUC strength, lb/ft².
  EndValues ciucStrength{};
};

struct AnalysisInput {
  std::string Title;  // kTitleWidth characters, blank-padded
  int fUnits = kEnglishUnits;
  UnitSystem Units = UnitSystem::English;

  int METHOD = 0;            // kDesignLoadGiven or kShaftLengthGiven
  int KCYCL = kCompression;  // or kUplift
  float RCYCL = 0.7F;
  float PINC = 0.0F;
  int IMOD = 1;
  int NLRFD = 0;  // kLrfd or kAsd
  int IPENT = 0;
  int IChart = 0;
  int UseElevation = 0;
  float ValElevation = 0.0F;
  int PrintTZCurves = 0;  // 1: t-z curves at the listed depths
  int CFAPile = 0;        // 1: continuous-flight-auger pile

  float DSTART = 0.0F;
  float DIALIM = 0.0F;
  float RATIO = 0.0F;
  float BELANGL = 0.0F;
  float TOPLENG = 0.0F;
  float BS = 0.0F;
  float EPILE = 0.0F;  // as given: lb/in² or kPa

  int LayerCount = 0;
  float WTD = 0.0F;
  float LPD = 0.0F;            // design load (METHOD 1)
  float ProposedDepth = 0.0F;  // shaft length (METHOD 2)
  float FST = 0.0F;
  float FSB = 0.0F;

  float PDMIN = 0.0F;
  float PDINCR = 0.0F;
  float DIAMINCR = 0.0F;
  int NPOINTPD = 0;
  std::array<float, kMaxChartSettlements> PDSETT{};  // in or m, as given

  std::array<Layer, kLayerCapacity> layers{};
  int RockLayerCount = 0;  // layers of types 4, 6 and 7

  int tzDepthCount = 0;
  std::array<float, kMaxTzDepths> TzDepths{};

  // The per-layer tables handed to the load-settlement solver start cleared.
  std::array<float, kSolverLayerEntries> solverLayerTop{};
  std::array<float, kSolverLayerEntries> solverLayerBottom{};

  bool isSI() const { return Units == UnitSystem::SI; }
  bool isLrfd() const { return NLRFD == kLrfd; }
  bool isAsd() const { return NLRFD == kAsd; }
  bool isUplift() const { return KCYCL == kUplift; }
  bool designLoadGiven() const { return METHOD == kDesignLoadGiven; }
  bool shaftLengthGiven() const { return METHOD == kShaftLengthGiven; }
  bool isCfaPile() const { return CFAPile == 1; }
  bool printsTzCurvesAtDepths() const { return PrintTZCurves == 1; }
  const Layer& lastLayer() const { return layers[static_cast<std::size_t>(LayerCount - 1)]; }
};

}  // namespace tolvane::engine
