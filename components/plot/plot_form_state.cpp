#include "plot_form_state.h"

#include <cmath>

#include "number_text.h"
#include "plot_zoom.h"

namespace tolvane::plot {
namespace {

constexpr int kReadOutDigits = 5;
constexpr int kSizeFontUnit = 10;

}  // namespace

TPlotFormState::TPlotFormState(TGraphPlot& plot) : Plot_(&plot) {
  const std::optional<TFloatRect> bounds = plot.AutoBounds();
  if (!bounds) return;
  LogicBounds_ = MaxLogicBounds_ = *bounds;
  if (plot.LimitActive && plot.LineCount() > kActiveLineLimit) {
    for (int n = kActiveLineLimit; n < plot.LineCount(); ++n) plot.Line(n).Active = false;
  }
  OpenedLineCount_ = plot.LineCount();
  OpenedCount_ = plot.Count();
  BuildLegend();
  Opened_ = true;
}

bool TPlotFormState::Stale() const {
  return Plot_->LineCount() != OpenedLineCount_ || Plot_->Count() != OpenedCount_;
}

void TPlotFormState::BuildLegend() {
  LegendLines_ = ActiveLines(*Plot_);
}

std::string TPlotFormState::LegendText(int row) const {
  const TLine& line = Plot_->Line(LegendLines_.at(static_cast<size_t>(row)));
  return line.LineName() + (line.Visible ? " *" : "");
}

void TPlotFormState::ToggleLegend() {
  Plot_->ShowLegend = !Plot_->ShowLegend;
  Plot_->AnyChange = true;
}

void TPlotFormState::ToggleLayers() {
  Plot_->ShowLayers = !Plot_->ShowLayers;
  Plot_->AnyChange = true;
}

void TPlotFormState::SetMarkers(int value) {
  Plot_->Markers = value;
  Plot_->AnyChange = true;
}

int TPlotFormState::SetFontSize(int value) {
  Plot_->SizeFont = value;
  Plot_->AnyChange = true;
  return value * Plot_->LegendFont / kSizeFontUnit;
}

void TPlotFormState::SetLineWidth(int value) {
  Plot_->WidthLine = value;
  Plot_->AnyChange = true;
}

void TPlotFormState::ToggleCurve(int row) {
  if (row < 0 || row >= static_cast<int>(LegendLines_.size())) return;
  TLine& line = Plot_->Line(LegendLines_[static_cast<size_t>(row)]);
  line.Visible = !line.Visible;
}

void TPlotFormState::SetGraphTitle(const std::string& title, bool on_top) {
  Plot_->UserCaption = title;
  Plot_->UserCaptionOnTop = on_top;
  Plot_->AnyChange = true;
}

void TPlotFormState::SetLineNames(const std::vector<std::string>& names) {
  for (int n = 0; n < Plot_->LineCount() && n < static_cast<int>(names.size()); ++n) {
    Plot_->Line(n).SetLineName(names[static_cast<size_t>(n)]);
  }
  Plot_->AnyChange = true;
}

void TPlotFormState::SetActive(const std::vector<bool>& active) {
  for (int n = 0; n < Plot_->LineCount() && n < static_cast<int>(active.size()); ++n) {
    Plot_->Line(n).Active = active[static_cast<size_t>(n)];
  }
  Plot_->AnyChange = true;
  BuildLegend();
}

std::string TPlotFormState::ReadOutTitle(const TDrawArea& area, const TPixel& pixel) const {
  const TFloatPoint p = ReadOut(LogicBounds_, area.GraphArea, Plot_->XOnTop, pixel);
  return Plot_->Caption + " X: " + entry::FormatGeneral(p.x, kReadOutDigits) +
         " Y: " + entry::FormatGeneral(p.y, kReadOutDigits);
}

bool TPlotFormState::InsideCurveArea(const TDrawArea& area, const TPixel& pixel) {
  const TPixelRect& g = area.GraphArea;
  return pixel.x >= g.Left && pixel.x <= g.Right && pixel.y >= g.Top && pixel.y <= g.Bottom;
}

void TPlotFormState::ZoomTo(const TDrawArea& area, const TPixel& press, const TPixel& release) {
  const std::optional<TFloatRect> zoomed =
      ZoomToRectangle(LogicBounds_, MaxLogicBounds_, area.GraphArea, Plot_->XOnTop,
                      Plot_->Yreversed, press, release);
  if (zoomed) LogicBounds_ = *zoomed;
}

void TPlotFormState::ZoomOutAt(const TDrawArea& area, const TPixel& click) {
  LogicBounds_ = ZoomOut(LogicBounds_, MaxLogicBounds_, area.GraphArea, Plot_->XOnTop,
                         Plot_->Yreversed, click);
}

std::string TLineNamesEdit::Select(int row) {
  if (row < 0 || row >= static_cast<int>(Names_.size())) return {};
  Selected_ = row;
  return Names_[static_cast<size_t>(row)];
}

std::optional<std::string> TLineNamesEdit::Commit(const std::string& text, std::string& message) {
  message.clear();
  if (Selected_ < 0 || Selected_ >= static_cast<int>(Names_.size())) return std::nullopt;
  std::string& name = Names_[static_cast<size_t>(Selected_)];
  if (text.empty()) {
    message = kLineNeedsNameMessage;
    return name;
  }
  name = text;
  return std::nullopt;
}

std::string ActiveCurveRow(bool active, const std::string& name) {
  return std::string(active ? " yes : " : " no  : ") + "   " + name;
}

std::string CheckSaveAttributes(const TSaveAttributes& a) {
  if (!(a.HeightInches >= kMinSaveInches) || !std::isfinite(a.HeightInches)) {
    return "The height must be at least 2 inches.";
  }
  if (!(a.WidthInches >= kMinSaveInches) || !std::isfinite(a.WidthInches)) {
    return "The width must be at least 2 inches.";
  }
  if (a.PixelsPerInch < kMinSavePixelsPerInch) {
    return "The pixels per inch must be at least 10.";
  }
  return {};
}

std::optional<TPixel> SavedImageSize(const TSaveAttributes& a) {
  const double width = std::nearbyint(a.PixelsPerInch * a.WidthInches);
  const double height = std::nearbyint(a.PixelsPerInch * a.HeightInches);
  if (!(width >= 1 && width <= kMaxSavedImageSide && height >= 1 && height <= kMaxSavedImageSide)) {
    return std::nullopt;
  }
  return TPixel{static_cast<int>(width), static_cast<int>(height)};
}

bool PrintingAvailable(int installed_printers, bool pdf_printer) {
  return installed_printers > 0 || pdf_printer;
}

}  // namespace tolvane::plot
