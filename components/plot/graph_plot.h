// The x-y plot model: lines of points in four line lists, captions and units, display
// attributes, soil-layer bands, the automatic axis bounds, tick spacing and the mapping between
// logical values and pixels. Drawing onto a canvas builds on it separately.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tolvane/project_codes.h"

namespace tolvane::plot {

struct TFloatPoint {
  long double x = 0;
  long double y = 0;
};

// Logical bounds: Left/Right the first and last x of the axis, Top/Bottom the first and last y,
// "first" being the value drawn at the x-axis side.
struct TFloatRect {
  long double Left = 0;
  long double Right = 0;
  long double Top = 0;
  long double Bottom = 0;
};

// A rectangle of pixels; Right and Bottom are exclusive edges as on a canvas.
struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct Pixel {
  int x = 0;
  int y = 0;
};

// Unit systems of the placeholder expansion: kEnglishUnits and kSIUnits of the project, or none.
inline constexpr int kNoUnitExpansion = 3;

class TGraphPlot;

class TLine {
 public:
  TLine(const TGraphPlot& owner, long double value, int count);

  // The explicit name, or the plot's CurveName followed by Value.
  std::string LineName() const;
  void setLineName(std::string name) { name_ = std::move(name); }
  const std::string& explicitName() const { return name_; }

  int Count() const { return static_cast<int>(points_.size()); }
  void SetCount(int count);  // removes from the end or appends (0, 0)
  TFloatPoint& point(int index) { return points_.at(static_cast<size_t>(index)); }
  const TFloatPoint& point(int index) const { return points_.at(static_cast<size_t>(index)); }
  const std::vector<TFloatPoint>& points() const { return points_; }

  long double Value;
  bool Visible = true;
  bool Active = true;

 private:
  const TGraphPlot* owner_;
  std::string name_;
  std::vector<TFloatPoint> points_;
};

// One ordered list of lines with a common point count.
class LineList {
 public:
  explicit LineList(const TGraphPlot& owner) : owner_(&owner) {}
  int LineCount() const { return static_cast<int>(lines_.size()); }
  // Below 0 counts as 0; surplus lines go from the end; new lines get the point count of line 0
  // (of the plot's main list when this list is empty), all points (0, 0).
  void SetLineCount(int count);
  // The point count of line 0, 0 without lines.
  int Count() const { return lines_.empty() ? 0 : lines_.front().Count(); }
  // Sets the point count of every line; nothing happens without lines.
  void SetCount(int count);
  TLine& line(int index) { return lines_.at(static_cast<size_t>(index)); }
  const TLine& line(int index) const { return lines_.at(static_cast<size_t>(index)); }
  TFloatPoint& Data(int lineIndex, int point) { return line(lineIndex).point(point); }
  const TFloatPoint& Data(int lineIndex, int point) const { return line(lineIndex).point(point); }

 private:
  const TGraphPlot* owner_;
  std::vector<TLine> lines_;
};

class TGraphPlot {
 public:
  TGraphPlot() = default;
  TGraphPlot(const TGraphPlot&) = delete;
  TGraphPlot& operator=(const TGraphPlot&) = delete;

  std::string Caption;
  std::string CurveName = "Curve #";
  std::string XCaption;
  std::string YCaption;
  std::string XUnits;
  std::string YUnits;
  bool XOnTop = true;
  bool ShowLegend = true;
  bool ShowLayers = false;
  bool ShowFontWidth = true;
  int Markers = 1;
  int SizeFont = 10;
  int LegendFont = 11;
  int WidthLine = 1;
  bool AnyChange = false;
  bool LimitActive = true;
  bool FormExists = false;
  std::string UserCaption;
  bool UserCaptionOnTop = false;
  long double LayersTop = 0;
  bool Yreversed = false;
  bool ShowWall = false;

  int Units() const { return units_; }
  void SetUnits(int units);  // clamped into 1..3

  // The curves and the soil-layer bands.
  LineList& Lines() { return lines_; }
  const LineList& Lines() const { return lines_; }
  LineList& LayerLines() { return layerLines_; }
  const LineList& LayerLines() const { return layerLines_; }

  int LineCount() const { return lines_.LineCount(); }
  void SetLineCount(int count) { lines_.SetLineCount(count); }
  int Count() const { return lines_.Count(); }
  void SetCount(int count) { lines_.SetCount(count); }
  TFloatPoint& Data(int line, int point) { return lines_.Data(line, point); }
  const TFloatPoint& Data(int line, int point) const { return lines_.Data(line, point); }
  TLine& line(int index) { return lines_.line(index); }
  const TLine& line(int index) const { return lines_.line(index); }

  int LayerLineCount() const { return layerLines_.LineCount(); }
  void SetLayerLineCount(int count) { layerLines_.SetLineCount(count); }
  int LayerCount() const { return layerLines_.Count(); }
  void SetLayerCount(int count) { layerLines_.SetCount(count); }
  TFloatPoint& LayerData(int line, int point) { return layerLines_.Data(line, point); }
  TLine& layerLine(int index) { return layerLines_.line(index); }
  const TLine& layerLine(int index) const { return layerLines_.line(index); }

  bool HasSomethingToDraw() const { return LineCount() > 0; }

  // Axis captions with their expanded units: "Depth  (ft)".
  std::string xAxisCaption() const;
  std::string yAxisCaption() const;

  // The bounds of all points of all lines; none when the spacing comes out 0 (the window then
  // closes).
  std::optional<TFloatRect> autoBounds() const;

 private:
  int units_ = kEnglishUnits;
  LineList lines_{*this};
  LineList layerLines_{*this};
};

// The units placeholder string expanded for a unit system ('F/L^2' reads "lbs/in^2" or "kN/m^2").
std::string expandUnits(const std::string& units, int unitSystem);
// The caption, then " (" units ")" when the units string is non-empty.
std::string axisCaption(const std::string& caption, const std::string& units, int unitSystem);

// The shortest general text of a value (legend numbers, line names).
std::string shortestText(long double value);

}  // namespace tolvane::plot
