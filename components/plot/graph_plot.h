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
struct TPixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct TPixel {
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
  void SetLineName(std::string name) { Name_ = std::move(name); }
  const std::string& ExplicitName() const { return Name_; }

  int Count() const { return static_cast<int>(Points_.size()); }
  void SetCount(int count);  // removes from the end or appends (0, 0)
  TFloatPoint& Point(int index) { return Points_.at(static_cast<size_t>(index)); }
  const TFloatPoint& Point(int index) const { return Points_.at(static_cast<size_t>(index)); }
  const std::vector<TFloatPoint>& Points() const { return Points_; }

  long double Value;
  bool Visible = true;
  bool Active = true;

 private:
  const TGraphPlot* Owner_;
  std::string Name_;
  std::vector<TFloatPoint> Points_;
};

// One ordered list of lines with a common point count.
class TLineList {
 public:
  explicit TLineList(const TGraphPlot& owner) : Owner_(&owner) {}
  int LineCount() const { return static_cast<int>(Lines_.size()); }
  // Below 0 counts as 0; surplus lines go from the end; new lines get the point count of line 0
  // (of the plot's main list when this list is empty), all points (0, 0).
  void SetLineCount(int count);
  // The point count of line 0, 0 without lines.
  int Count() const { return Lines_.empty() ? 0 : Lines_.front().Count(); }
  // Sets the point count of every line; nothing happens without lines.
  void SetCount(int count);
  TLine& Line(int index) { return Lines_.at(static_cast<size_t>(index)); }
  const TLine& Line(int index) const { return Lines_.at(static_cast<size_t>(index)); }
  TFloatPoint& Data(int line, int point) { return Line(line).Point(point); }
  const TFloatPoint& Data(int line, int point) const { return Line(line).Point(point); }

 private:
  const TGraphPlot* Owner_;
  std::vector<TLine> Lines_;
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

  int Units() const { return Units_; }
  void SetUnits(int units);  // clamped into 1..3

  // The curves and the soil-layer bands.
  TLineList& Lines() { return Lines_; }
  const TLineList& Lines() const { return Lines_; }
  TLineList& LayerLines() { return LayerLines_; }
  const TLineList& LayerLines() const { return LayerLines_; }

  int LineCount() const { return Lines_.LineCount(); }
  void SetLineCount(int count) { Lines_.SetLineCount(count); }
  int Count() const { return Lines_.Count(); }
  void SetCount(int count) { Lines_.SetCount(count); }
  TFloatPoint& Data(int line, int point) { return Lines_.Data(line, point); }
  const TFloatPoint& Data(int line, int point) const { return Lines_.Data(line, point); }
  TLine& Line(int index) { return Lines_.Line(index); }
  const TLine& Line(int index) const { return Lines_.Line(index); }

  int LayerLineCount() const { return LayerLines_.LineCount(); }
  void SetLayerLineCount(int count) { LayerLines_.SetLineCount(count); }
  int LayerCount() const { return LayerLines_.Count(); }
  void SetLayerCount(int count) { LayerLines_.SetCount(count); }
  TFloatPoint& LayerData(int line, int point) { return LayerLines_.Data(line, point); }
  TLine& LayerLine(int index) { return LayerLines_.Line(index); }
  const TLine& LayerLine(int index) const { return LayerLines_.Line(index); }

  bool HasSomethingToDraw() const { return LineCount() > 0; }

  // Axis captions with their expanded units: "Depth  (ft)".
  std::string XAxisCaption() const;
  std::string YAxisCaption() const;

  // The bounds of all points of all lines; none when the spacing comes out 0 (the window then
  // closes).
  std::optional<TFloatRect> AutoBounds() const;

 private:
  int Units_ = kEnglishUnits;
  TLineList Lines_{*this};
  TLineList LayerLines_{*this};
};

// The units placeholder string expanded for a unit system ('F/L^2' reads "lbs/in^2" or "kN/m^2").
std::string ExpandUnits(const std::string& units, int unit_system);
// The caption, then " (" units ")" when the units string is non-empty.
std::string AxisCaption(const std::string& caption, const std::string& units, int unit_system);

// The shortest general text of a value (legend numbers, line names).
std::string ShortestText(long double value);

}  // namespace tolvane::plot
