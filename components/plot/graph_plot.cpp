#include "graph_plot.h"

#include <algorithm>

#include "axis_scale.h"
#include "number_text.h"

namespace tolvane::plot {
namespace {

// Significant digits of the shortest general text of a number.
constexpr int kShortestDigits = 15;

}  // namespace

std::string shortestText(long double value) {
  return entry::formatGeneral(value, kShortestDigits);
}

TLine::TLine(const TGraphPlot& owner, long double value, int count)
    : Value(value), owner_(&owner), points_(static_cast<size_t>(std::max(count, 0))) {}

std::string TLine::LineName() const {
  if (!name_.empty()) return name_;
  return owner_->CurveName + shortestText(Value);
}

void TLine::SetCount(int count) {
  points_.resize(static_cast<size_t>(std::max(count, 0)));
}

void LineList::SetLineCount(int count) {
  count = std::max(count, 0);
  if (count < LineCount()) lines_.resize(static_cast<size_t>(count), TLine(*owner_, 0, 0));
  const int points = lines_.empty() ? owner_->Count() : Count();
  while (LineCount() < count) {
    lines_.emplace_back(*owner_, static_cast<long double>(LineCount() + 1), points);
  }
}

void LineList::SetCount(int count) {
  for (TLine& line : lines_) line.SetCount(count);
}

void TGraphPlot::SetUnits(int units) {
  units_ = std::clamp(units, kEnglishUnits, kNoUnitExpansion);
}

std::string TGraphPlot::xAxisCaption() const {
  return axisCaption(XCaption, XUnits, units_);
}

std::string TGraphPlot::yAxisCaption() const {
  return axisCaption(YCaption, YUnits, units_);
}

std::optional<TFloatRect> TGraphPlot::autoBounds() const {
  TFloatRect bounds;
  if (Yreversed && LineCount() > 0 && Count() > 0) {
    bounds.Top = bounds.Bottom = Data(0, 0).y;
  }
  for (int lineIndex = 0; lineIndex < LineCount(); ++lineIndex) {
    for (const TFloatPoint& point : line(lineIndex).points()) {
      if (point.x < bounds.Left) {
        bounds.Left = point.x;
      } else if (point.x > bounds.Right) {
        bounds.Right = point.x;
      }
      if (point.y < bounds.Top) {
        bounds.Top = point.y;
      } else if (point.y > bounds.Bottom) {
        bounds.Bottom = point.y;
      }
    }
  }
  const std::optional<AxisRange> y = roundedRange(bounds.Top, bounds.Bottom);
  const std::optional<AxisRange> x = roundedRange(bounds.Left, bounds.Right);
  if (!x || !y) return std::nullopt;
  bounds.Left = x->lower;
  bounds.Right = x->upper;
  bounds.Top = Yreversed ? y->upper : y->lower;
  bounds.Bottom = Yreversed ? y->lower : y->upper;
  return bounds;
}

}  // namespace tolvane::plot
