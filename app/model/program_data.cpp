#include "program_data.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tolvane::app {
namespace {

const char* const kNewProjectTitle = "New Pile";
constexpr long double kInchesPerMetre = 39.37007874L;
// Design-chart settlements of a new project, in inches (metres after InitPDSET in SI).
constexpr std::array<long double, kMaxChartSettlements> kDefaultSettlements{
    0.1L, 0.25L, 0.5L, 0.75L, 1.0L, 1.0L, 1.0L, 1.0L, 1.0L, 1.0L};
constexpr int32_t kNewProjectChartSettlements = 5;
constexpr long double kNewProjectSideSafetyFactor = 2.5L;
constexpr long double kNewProjectBaseSafetyFactor = 3.0L;

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

int fileTypeIndexForPath(const std::string& path) {
  const std::string extension = lowerCase(std::filesystem::path(path).extension().string());
  if (extension == ".tv9d") return kVersion9File;
  if (extension == ".tv8d") return kVersion8File;
  if (extension == ".tvd") return kOldestShortFile;
  return 0;
}

std::unique_ptr<TProgramData> TProgramData::Create(ProjectGrids& grids, ProjectHost& host,
                                                   int defaultUnits) {
  std::unique_ptr<TProgramData> data(new TProgramData(grids, host));
  host.hideChildWindows();
  data->constructing_ = true;
  data->FileName = kNewProjectFileName;
  data->fUnits = kEnglishUnits;
  data->Title = kNewProjectTitle;
  data->SetUnits(kEnglishUnits);
  if (defaultUnits == kSIUnits) data->SetUnits(kSIUnits);
  data->PINC = 1.0L;
  data->METHOD = kShaftLengthGiven;
  data->KCYCL = 1;
  data->RCYCL = 1.0L;
  data->FST = kNewProjectSideSafetyFactor;
  data->FSB = kNewProjectBaseSafetyFactor;
  data->ID2 = 1;
  data->IMOD = 1;
  data->Yesnewversion = 1;
  data->NLRFD = kAsd;
  data->PDSETT = kDefaultSettlements;  // the same numbers in either unit system
  data->NPOINTPD = kNewProjectChartSettlements;
  data->ValElevation = 0;
  data->UseElevation = 0;
  grids.setAllRowCounts(0);
  grids.fillToMinRows();
  grids.projectChanged = false;
  grids.resetAllChanged();
  data->constructing_ = false;
  return data;
}

void TProgramData::InitPDSET() {
  PDSETT = kDefaultSettlements;
  if (isSI()) {
    for (long double& settlement : PDSETT) settlement /= kInchesPerMetre;
  }
}

void TProgramData::applyDerivedValues() {
  METHOD = PD > 0 ? kShaftLengthGiven : kDesignLoadGiven;
  if (designLoadGiven()) {
    PD = 0;
    IPENT = 0;  // multiple lengths and design charts need a given length
    IChart = 0;
  } else {
    LPD = 0;
  }
  Yesnewversion = 1;
  if (IPENT == 1) DIALIM = DSTART;  // multiple lengths are evaluated for one diameter
  // Rock and intermediate geomaterial tips give no upper- and lower-bound curves.
  const grid::TGridTable& layers = grids_->D();
  for (int row = 0; row < layers.RowCount(); ++row) {
    const int32_t type = layers.GetIntValue(kColSoilType, row);
    if (type >= kStrongRockSideOrEnd && type <= kStrongRock) ID2 = 0;
  }
}

}  // namespace tolvane::app
