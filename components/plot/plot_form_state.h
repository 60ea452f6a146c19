// The toolkit-free state and rules of the plot window: bounds and zoom, the limit of active
// lines, the legend rows and curve menu items, the display commands with their change mark, the
// mouse read-out, and the rules of the window's dialogs (Legend, Active Curves, Save
// Attributes). The window moves values between its controls and this state.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph_plot.h"
#include "plot_layout.h"

namespace tolvane::plot {

// At most this many lines stay active when a window opens on a plot with LimitActive set.
inline constexpr int kActiveLineLimit = 20;
// The form's own title until the mouse first moves.
inline constexpr const char* kPlotFormTitle = "PlotForm";
inline constexpr const char* kLineNeedsNameMessage = "The line must have a name!";
inline constexpr const char* kNotEnoughMemoryMessage =
    "There is not enough memory to complete this task.";
// The first menu items of "&Plot" before the curve items.
inline constexpr int kFixedPlotMenuItems = 14;

// Radio values of the sub-menus.
struct MenuValue {
  const char* Caption;
  int Value;
};
inline constexpr MenuValue kMarkerItems[] = {{"&Never", 0},
                                             {"Every &Increment", 1},
                                             {"Every &2 Increments", 2},
                                             {"Every &3 Incrments", 3},
                                             {"Every &5 Increments", 5},
                                             {"Every &10 Incements", 10}};
inline constexpr MenuValue kFontSizeItems[] = {{"&Default", 10},    {"1.5 * Default", 15},
                                               {"2 * Default", 20}, {"2.5 * Default", 25},
                                               {"3 * Default", 30}, {"4 * Default", 40}};
inline constexpr MenuValue kLineWidthItems[] = {{"&Default", 1},
                                                {"2 * Default", 2},
                                                {"4 * Default", 4},
                                                {"6 * Default", 6},
                                                {"10 * Default", 10}};

class PlotFormState {
 public:
  // Opens on the plot: bounds for its curves (none: the window closes), the limit of active
  // lines, the legend rows.
  explicit PlotFormState(TGraphPlot& plot);

  bool opened() const { return opened_; }
  // The plot's lines were replaced since the window opened (a new reading): the window closes.
  bool stale() const;
  TGraphPlot& plot() { return *plot_; }
  const TGraphPlot& plot() const { return *plot_; }

  const TFloatRect& LogicBounds() const { return logicBounds_; }
  const TFloatRect& MaxLogicBounds() const { return maxLogicBounds_; }

  // Legend row r shows line legendLines()[r]; curve menu item 14 + r belongs to it.
  const std::vector<int>& legendLines() const { return legendLines_; }
  // The legend row's text: the line name, " *" appended when the line is visible.
  std::string legendText(int row) const;

  // Menu state.
  bool soilLayerItemVisible() const { return plot_->LayerLineCount() > 0; }
  bool wallItemVisible() const { return false; }  // this program draws no wall geometry
  bool fontAndWidthVisible() const { return plot_->ShowFontWidth; }

  // Commands; each marks the plot changed except the curve toggle.
  void toggleLegend();
  void toggleLayers();
  void setMarkers(int value);
  // Returns the legend's new font size: value x LegendFont / 10.
  int setFontSize(int value);
  void setLineWidth(int value);
  void toggleCurve(int row);
  void setGraphTitle(const std::string& title, bool onTop);
  // Legend dialog on OK: every line's name.
  void setLineNames(const std::vector<std::string>& names);
  // Active Curves dialog on OK: every line's active state; the legend rows are rebuilt.
  void setActive(const std::vector<bool>& active);

  // "Caption X: x Y: y" for the pixel clamped into the curve area.
  std::string readOutTitle(const TDrawArea& area, const Pixel& pixel) const;
  // Zooming: a press inside the curve area starts one.
  static bool insideCurveArea(const TDrawArea& area, const Pixel& pixel);
  void zoomTo(const TDrawArea& area, const Pixel& press, const Pixel& release);
  void zoomOutAt(const TDrawArea& area, const Pixel& click);

 private:
  void buildLegend();

  TGraphPlot* plot_;
  bool opened_ = false;
  int openedLineCount_ = 0;
  int openedCount_ = 0;
  TFloatRect logicBounds_;
  TFloatRect maxLogicBounds_;
  std::vector<int> legendLines_;
};

// The legend dialog's editing: the rows hold all line names, the edit the selected one.
class LineNamesEdit {
 public:
  explicit LineNamesEdit(std::vector<std::string> names) : names_(std::move(names)) {}
  const std::vector<std::string>& Names() const { return names_; }
  int selected() const { return selected_; }
  // Selecting a row: its name goes to the edit.
  std::string select(int row);
  // Enter or leaving the edit: the selected row takes the text; an empty text is refused with
  // the message and the row's name comes back (returned).
  std::optional<std::string> commit(const std::string& text, std::string& message);

 private:
  std::vector<std::string> names_;
  int selected_ = 0;
};

// The rows of the Active Curves dialog.
std::string activeCurveRow(bool active, const std::string& name);

// Save Attributes: height and width in inches (default 4 and 6, at least 2), pixels per inch
// (whole, default 72, at least 10).
struct SaveAttributes {
  double heightInches = 4;
  double widthInches = 6;
  int PixelsPerInch = 72;
};
inline constexpr double kMinSaveInches = 2;
inline constexpr int kMinSavePixelsPerInch = 10;
// The first rule the attributes break, empty when they are acceptable.
std::string checkSaveAttributes(const SaveAttributes& attributes);
// The largest side of a saved picture, pixels; a larger one cannot be allocated.
inline constexpr int kMaxSavedImageSide = 32767;
// round(pixels per inch x width) by round(pixels per inch x height); none when a side would
// exceed the largest one (the picture cannot be allocated).
std::optional<Pixel> savedImageSize(const SaveAttributes& attributes);

// Printing and page setup are offered when a printer is installed or Qt can print to a PDF file.
bool printingAvailable(int installedPrinters, bool pdfPrinter);

}  // namespace tolvane::plot
