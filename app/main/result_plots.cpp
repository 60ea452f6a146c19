#include "result_plots.h"

#include <string>

namespace tolvane::app {
namespace {

struct PlotTexts {
  const char* Caption;
  const char* XCaption;
  const char* XUnits;
  const char* YCaption;
  const char* YUnits;
};

constexpr std::array<PlotTexts, kPltChart1> kPlotTexts = {{
    {"Ultimate Skin Friction vs Depth", "Ultimate Skin Friction ", "F2", "Depth ", "L2"},
    {"Ultimate Tip Resistance vs Depth", "Ultimate Tip Resistance ", "F2", "Depth ", "L2"},
    {"Ultimate Total Capacity vs Depth", "Ultimate Total Capacity ", "F2", "Depth ", "L2"},
    {"Combined Plots vs Depth (ultimate)", "Ultimate Axial Capacity", "F2", "Depth", "L2"},
    {"ASD/LRFD Skin Friction vs Depth ", "Skin Friction w/F.S.", "F2", "Depth", "L2"},
    {"ASD/LRFD Tip Resistance vs Depth ", "Tip Resistance w/F.S.", "F2", "Depth", "L2"},
    {"ASD/LRFD Total Capacity vs Depth", "Total Capacity w/F.S.", "F2", "Depth", "L2"},
    {"Combined Plots vs Depth (ASD/LRFD)", "Axial Capacity w/F. S.", "F2", "Depth", "L2"},
    {"Axial Load vs Settlement (averaged)", "Axial Load ", "F2", "Settlement ", "L"},
    {"Axial Load vs Settlement (upper bound)", "Axial Load (upper bound)", "F2", "Settlement", "L"},
    {"Axial Load vs Settlement (lower bound)", "Axial Load (lower bound)", "F2", "Settlement", "L"},
    {"Combined Plots of Load vs Settlement", "Axial Load", "F2", "Settlement", "L"},
    {"t-z curves (averaged)", "Axial Displacement, z", "L", "Unit Load Transfer, t", "F/L^2"},
    {"Q-w curves (averaged)", "Tip Displacement, w", "L", "Tip Load, Q", "F2"},
    {"Additional t-z curves (averaged)", "Axial Displacement, z", "L", "Unit Load Transfer, t",
     "F/L^2"},
    {"Load Distribution", "Total Capacity ", "F2", "Depth ", "L2"},
}};

constexpr int kLastChartNumberWithOneBlank = 9;
// Display attributes every plot gets back before reading.
constexpr int kMarkersOnEveryPoint = 1;
constexpr int kNormalFontSize = 10;
constexpr int kNormalLineWidth = 1;

void setTexts(plot::TGraphPlot& plot, const PlotTexts& texts) {
  plot.Caption = texts.Caption;
  plot.XCaption = texts.XCaption;
  plot.XUnits = texts.XUnits;
  plot.YCaption = texts.YCaption;
  plot.YUnits = texts.YUnits;
}

}  // namespace

ResultPlots::ResultPlots() {
  for (int i = 0; i < kPltChart1; ++i) setTexts((*this)[i], kPlotTexts[static_cast<size_t>(i)]);
  for (int n = 1; n <= kDesignChartPlots; ++n) {
    // The tenth caption carries two blanks.
    const std::string gap = n <= kLastChartNumberWithOneBlank ? " " : "  ";
    const std::string caption = "Design Chart" + gap + std::to_string(n);
    setTexts((*this)[kPltChart1 + n - 1], {caption.c_str(), "Axial Capacity", "F2", "Depth", "L2"});
  }
  for (plot::TGraphPlot& plot : plots_) plot.SetUnits(kEnglishUnits);
}

void ResultPlots::resetForReading() {
  for (plot::TGraphPlot& plot : plots_) {
    plot.LimitActive = false;
    plot.SetLineCount(0);
    plot.Markers = kMarkersOnEveryPoint;
    plot.SizeFont = kNormalFontSize;
    plot.WidthLine = kNormalLineWidth;
    plot.SetLayerLineCount(0);
  }
}

void ResultPlots::SetUnits(int units) {
  for (plot::TGraphPlot& plot : plots_) plot.SetUnits(units);
}

bool ResultPlots::AnyChange() const {
  for (const plot::TGraphPlot& plot : plots_) {
    if (plot.AnyChange) return true;
  }
  return false;
}

void ResultPlots::clearChanges() {
  for (plot::TGraphPlot& plot : plots_) plot.AnyChange = false;
}

}  // namespace tolvane::app
