#include "graph_plot.h"

#include <algorithm>

#include "axis_scale.h"
#include "number_text.h"

namespace tolvane::plot {
namespace {

// Significant digits of the shortest general text of a number.
constexpr int kShortestDigits = 15;

}  // namespace

std::string ShortestText(long double value) {
  return entry::FormatGeneral(value, kShortestDigits);
}

TLine::TLine(const TGraphPlot& owner, long double value, int count)
    : Value(value), Owner_(&owner), Points_(static_cast<size_t>(std::max(count, 0))) {}

std::string TLine::LineName() const {
  if (!Name_.empty()) return Name_;
  return Owner_->CurveName + ShortestText(Value);
}

void TLine::SetCount(int count) {
  Points_.resize(static_cast<size_t>(std::max(count, 0)));
}

void TLineList::SetLineCount(int count) {
  count = std::max(count, 0);
  if (count < LineCount()) Lines_.resize(static_cast<size_t>(count), TLine(*Owner_, 0, 0));
  const int points = Lines_.empty() ? Owner_->Count() : Count();
  while (LineCount() < count) {
    Lines_.emplace_back(*Owner_, static_cast<long double>(LineCount() + 1), points);
  }
}

void TLineList::SetCount(int count) {
  for (TLine& line : Lines_) line.SetCount(count);
}

void TGraphPlot::SetUnits(int units) {
  Units_ = std::clamp(units, kEnglishUnits, kNoUnitExpansion);
}

std::string TGraphPlot::XAxisCaption() const {
  return AxisCaption(XCaption, XUnits, Units_);
}

std::string TGraphPlot::YAxisCaption() const {
  return AxisCaption(YCaption, YUnits, Units_);
}

std::optional<TFloatRect> TGraphPlot::AutoBounds() const {
  TFloatRect bounds;
  if (Yreversed && LineCount() > 0 && Count() > 0) {
    bounds.Top = bounds.Bottom = Data(0, 0).y;
  }
  for (int line = 0; line < LineCount(); ++line) {
    for (const TFloatPoint& point : Line(line).Points()) {
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
  const std::optional<TAxisRange> y = RoundedRange(bounds.Top, bounds.Bottom);
  const std::optional<TAxisRange> x = RoundedRange(bounds.Left, bounds.Right);
  if (!x || !y) return std::nullopt;
  bounds.Left = x->Lower;
  bounds.Right = x->Upper;
  bounds.Top = Yreversed ? y->Upper : y->Lower;
  bounds.Bottom = Yreversed ? y->Lower : y->Upper;
  return bounds;
}

}  // namespace tolvane::plot
