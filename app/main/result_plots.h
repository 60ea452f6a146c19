// The 26 result plots of the main window with their captions and units, and the flags that say
// which results are loaded.
#pragma once

#include <array>

#include "graph_plot.h"

namespace tolvane::app {

// Positions of the result plots, in the order of the main window's plot list.
enum ResultPlot : int {
  kPltSkin = 0,
  kPltTip,
  kPltTotal,
  kPltCombine,
  kFSpltSkin,
  kFSpltTip,
  kFSpltTotal,
  kPltCombineD,
  kPltAxial,
  kPltUpper,
  kPltLower,
  kPltCombinedSettle,
  kPltTz,
  kPltQw,
  kPltTzAdd,
  kPltLoad,
  kPltChart1,
};
inline constexpr int kDesignChartPlots = 10;
inline constexpr int kResultPlotCount = kPltChart1 + kDesignChartPlots;

class ResultPlots {
 public:
  // Every plot with its caption, axis captions and units, in English units.
  ResultPlots();
  ResultPlots(const ResultPlots&) = delete;
  ResultPlots& operator=(const ResultPlots&) = delete;

  plot::TGraphPlot& operator[](int index) { return plots_.at(static_cast<size_t>(index)); }
  const plot::TGraphPlot& operator[](int index) const {
    return plots_.at(static_cast<size_t>(index));
  }
  static constexpr int size() { return kResultPlotCount; }

  // Before reading: no limit of active lines, no lines, markers on every point, font size 10,
  // line width 1, no soil-layer bands.
  void resetForReading();
  void SetUnits(int units);
  bool AnyChange() const;
  void clearChanges();

 private:
  std::array<plot::TGraphPlot, kResultPlotCount> plots_;
};

// Which results are loaded; they decide which plot commands are enabled.
struct ResultFlags {
  bool ShowOutput = false;      // plot data loaded
  bool showtzcurves = false;    // t-z and Q-w curves loaded
  bool showloadcurves = false;  // load-distribution curves loaded
  void clear() { *this = ResultFlags{}; }
};

}  // namespace tolvane::app
