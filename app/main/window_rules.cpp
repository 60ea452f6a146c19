#include "window_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <system_error>

#include "columns.h"
#include "graph_plot.h"
#include "run_pipeline.h"

namespace tolvane::app {
namespace {

constexpr const char* kProjectExtension = ".tv9d";
constexpr const char* kBatchSwitchFile = "batch.in";
constexpr int kBatchSwitchOn = 1;
constexpr int32_t kMultipleLengthsOn = 1;     // IPENT
constexpr int32_t kDesignChartsOn = 1;        // IChart
constexpr int32_t kAdditionalTZCurvesOn = 1;  // PrintTZCurves

constexpr const char* kASDComment =
    "Max. Side Friction and Max. End Bearing:\r\xC2\xB7 If entries are left as zero, the program "
    "assumes no limits in side friction and end bearing computed by the program.";
constexpr const char* kLRFDCommentTail =
    "\rLRFD Resistance Factors\r\xC2\xB7 Options for entering LRFD resistance factors for side "
    "friction and for for tip resistance in each layer.";

// The Graphics menu captions in the order of the result plots; the design charts follow.
constexpr std::array<const char*, kPltChart1> kGraphicsCaptions = {
    "Ultimate &Skin Friction vs Depth",
    "Ultimate &Tip Resistance vs Depth",
    "Ultimate Total &Capacity vs Depth",
    "C&ombined Plots vs Depth (initial diameter)",
    "ASD/LRFD Skin Friction vs Depth ",
    "ASD/LRFD Tip Resistance vs Depth ",
    "ASD/LRFD Total Capacity vs Depth",
    "Combined Plots vs Depth (initial diameter)",
    "Axial Load vs Settlement (averaged)",
    "Axial Load vs Settlement (upper bound)",
    "Axial Load vs Settlement (lower bound)",
    "Combined Plots of Load vs Settlement (initial diameter)",
    "t-z curves (averaged, initial diameter)",
    "Q-w curves (averaged)",
    "Additional t-z curves (averaged, initial diameter)",
    "Load Distribution (averaged, initial diameter)",
};

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool fileExists(const std::filesystem::path& file) {
  std::error_code ignored;
  return !file.empty() && std::filesystem::is_regular_file(file, ignored);
}

}  // namespace

std::string titleName(const std::string& fileName) {
  std::string name = std::filesystem::path(fileName).filename().string();
  if (lower(std::filesystem::path(name).extension().string()) == kProjectExtension) {
    name = name.substr(0, name.find('.'));
  }
  if (name.size() > 1 && std::islower(static_cast<unsigned char>(name[0]))) {
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  }
  return name;
}

std::string mainWindowTitle(const std::string& fileName) {
  return kTitlePrefix + titleName(fileName);
}

std::string startupFile(const std::string& argument) {
  if (argument.empty()) return argument;
  // Only the name counts: a "." in a folder name does not make an extension.
  const std::string name = std::filesystem::path(argument).filename().string();
  return name.find('.') == std::string::npos ? argument + kProjectExtension : argument;
}

bool startupFileOpens(const std::string& file) {
  return fileExists(file) && fileTypeIndexForPath(file) != 0;
}

ResultFiles findResultFiles(const std::string& projectFile) {
  ResultFiles files;
  if (projectFile.empty()) return files;
  std::error_code ignored;
  const std::filesystem::path project = std::filesystem::absolute(projectFile, ignored);
  files.project = fileExists(project);
  files.report = fileExists(resultFile(project, kReportExtension));
  files.runLog = fileExists(resultFile(project, kRunLogExtension));
  files.plotData = fileExists(resultFile(project, kPlotDataExtension));
  return files;
}

ResultCommands resultCommands(const TProgramData& data, const ResultFlags& flags,
                              const ResultPlots& plots, const ResultFiles& files) {
  ResultCommands commands;
  commands.viewInput = files.project;
  commands.viewRunNotes = files.runLog;
  commands.viewOutput = files.report;
  const bool results = flags.ShowOutput && files.plotData;
  for (int plot = kPltSkin; plot <= kPltAxial; ++plot) {
    commands.plotEnabled[static_cast<size_t>(plot)] = results;
  }
  const bool bounds = results && data.ID2 != 0;
  commands.plotEnabled[kPltUpper] = bounds;
  commands.plotEnabled[kPltLower] = bounds;
  commands.plotEnabled[kPltCombinedSettle] = bounds;
  commands.plotEnabled[kPltTz] = flags.showtzcurves;
  commands.plotEnabled[kPltQw] = flags.showtzcurves;
  commands.plotEnabled[kPltTzAdd] =
      data.PrintTZCurves == kAdditionalTZCurvesOn && plots[kPltTzAdd].LineCount() > 0;
  commands.plotEnabled[kPltLoad] = flags.showloadcurves;
  for (int chart = 0; chart < kDesignChartPlots; ++chart) {
    const bool visible = data.IChart == kDesignChartsOn && chart + 1 <= data.NPOINTPD;
    commands.chartVisible[static_cast<size_t>(chart)] = visible;
    // A chart is only offered once results are loaded: before that its plot is empty.
    commands.plotEnabled[static_cast<size_t>(kPltChart1) + static_cast<size_t>(chart)] =
        visible && results;
  }
  commands.exportToExcel = results;
  return commands;
}

std::string initialGraphicsCaption(int plotIndex) {
  if (plotIndex >= 0 && plotIndex < kPltChart1) {
    return kGraphicsCaptions[static_cast<size_t>(plotIndex)];
  }
  return "Design Chart " + std::to_string(plotIndex - kPltChart1 + 1);
}

std::string graphicsCaption(const TProgramData& data, int plotIndex) {
  const std::string first =
      data.IPENT == kMultipleLengthsOn ? "(Initial Length)" : "(Initial Diameter)";
  if (plotIndex == kPltCombine) return "Combined Plots vs Depth " + first;
  if (plotIndex == kPltCombinedSettle) return "Combined Plots of Load vs Settlement " + first;
  if (plotIndex >= kPltChart1 && plotIndex < kResultPlotCount) {
    const long double settlement = data.PDSETT[static_cast<size_t>(plotIndex - kPltChart1)];
    return "Design Chart (" + plot::shortestText(settlement) + (data.isSI() ? "-m" : "-in") +
           " movement)";
  }
  return initialGraphicsCaption(plotIndex);
}

DataMenuState dataMenuState(const TProgramData& data) {
  DataMenuState state;
  state.englishUnits = !data.isSI();
  state.lrfd = data.isLrfd();
  state.CFAPile = data.CFAPile != 0;
  state.shaftLengthGiven = !data.designLoadGiven();
  state.factorOfSafetyEnabled = data.NLRFD == kAsd;
  const bool designLoad = data.designLoadGiven();
  state.multipleLengthsEnabled = !designLoad && data.IChart != kDesignChartsOn;
  state.multipleLengthsChecked = data.IPENT == kMultipleLengthsOn;
  state.designChartsEnabled = !designLoad && data.IPENT != kMultipleLengthsOn;
  state.designChartsChecked = data.IChart == kDesignChartsOn;
  return state;
}

std::string layerTableComment(int32_t nlrfd) {
  std::string comment = kASDComment;
  if (nlrfd == kLrfd) comment += kLRFDCommentTail;
  return comment;
}

void applyDesignMethod(ProjectGrids& grids, int32_t nlrfd) {
  grid::TGridTable& layers = grids.D();
  for (const int column : {kColSideResistanceFactor, kColEndResistanceFactor}) {
    if (column < layers.ColCount()) layers.GetColumn(column).Visible = nlrfd == kLrfd;
  }
  layers.Comments = layerTableComment(nlrfd);
}

bool batchCommandVisible(const std::filesystem::path& programDir) {
  std::ifstream in(programDir / kBatchSwitchFile);
  std::string word;
  if (!(in >> word)) return false;
  int first = 0;
  const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), first);
  return status == std::errc{} && end == word.data() + word.size() && first == kBatchSwitchOn;
}

std::string wordProcessorCommand(const std::string& wordProcessor, const std::string& file) {
  return wordProcessor + " \"" + file + "\"";
}

}  // namespace tolvane::app
