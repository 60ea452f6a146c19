#include "plot_form_state.h"

#include <cmath>

#include "number_text.h"
#include "plot_zoom.h"

namespace tolvane::plot {
namespace {

constexpr int kReadOutDigits = 5;
constexpr int kSizeFontUnit = 10;

}  // namespace

PlotFormState::PlotFormState(TGraphPlot& plot) : plot_(&plot) {
  const std::optional<TFloatRect> bounds = plot.autoBounds();
  if (!bounds) return;
  logicBounds_ = maxLogicBounds_ = *bounds;
  if (plot.LimitActive && plot.LineCount() > kActiveLineLimit) {
    for (int n = kActiveLineLimit; n < plot.LineCount(); ++n) plot.line(n).Active = false;
  }
  openedLineCount_ = plot.LineCount();
  openedCount_ = plot.Count();
  buildLegend();
  opened_ = true;
}

bool PlotFormState::stale() const {
  return plot_->LineCount() != openedLineCount_ || plot_->Count() != openedCount_;
}

void PlotFormState::buildLegend() {
  legendLines_ = activeLines(*plot_);
}

std::string PlotFormState::legendText(int row) const {
  const TLine& line = plot_->line(legendLines_.at(static_cast<size_t>(row)));
  return line.LineName() + (line.Visible ? " *" : "");
}

void PlotFormState::toggleLegend() {
  plot_->ShowLegend = !plot_->ShowLegend;
  plot_->AnyChange = true;
}

void PlotFormState::toggleLayers() {
  plot_->ShowLayers = !plot_->ShowLayers;
  plot_->AnyChange = true;
}

void PlotFormState::setMarkers(int value) {
  plot_->Markers = value;
  plot_->AnyChange = true;
}

int PlotFormState::setFontSize(int value) {
  plot_->SizeFont = value;
  plot_->AnyChange = true;
  return value * plot_->LegendFont / kSizeFontUnit;
}

void PlotFormState::setLineWidth(int value) {
  plot_->WidthLine = value;
  plot_->AnyChange = true;
}

void PlotFormState::toggleCurve(int row) {
  if (row < 0 || row >= static_cast<int>(legendLines_.size())) return;
  TLine& line = plot_->line(legendLines_[static_cast<size_t>(row)]);
  line.Visible = !line.Visible;
}

void PlotFormState::setGraphTitle(const std::string& title, bool onTop) {
  plot_->UserCaption = title;
  plot_->UserCaptionOnTop = onTop;
  plot_->AnyChange = true;
}

void PlotFormState::setLineNames(const std::vector<std::string>& names) {
  for (int n = 0; n < plot_->LineCount() && n < static_cast<int>(names.size()); ++n) {
    plot_->line(n).setLineName(names[static_cast<size_t>(n)]);
  }
  plot_->AnyChange = true;
}

void PlotFormState::setActive(const std::vector<bool>& active) {
  for (int n = 0; n < plot_->LineCount() && n < static_cast<int>(active.size()); ++n) {
    plot_->line(n).Active = active[static_cast<size_t>(n)];
  }
  plot_->AnyChange = true;
  buildLegend();
}

std::string PlotFormState::readOutTitle(const TDrawArea& area, const Pixel& pixel) const {
  const TFloatPoint p = readOut(logicBounds_, area.GraphArea, plot_->XOnTop, pixel);
  return plot_->Caption + " X: " + entry::formatGeneral(p.x, kReadOutDigits) +
         " Y: " + entry::formatGeneral(p.y, kReadOutDigits);
}

bool PlotFormState::insideCurveArea(const TDrawArea& area, const Pixel& pixel) {
  const PixelRect& g = area.GraphArea;
  return pixel.x >= g.Left && pixel.x <= g.Right && pixel.y >= g.Top && pixel.y <= g.Bottom;
}

void PlotFormState::zoomTo(const TDrawArea& area, const Pixel& press, const Pixel& release) {
  const std::optional<TFloatRect> zoomed =
      zoomToRectangle(logicBounds_, maxLogicBounds_, area.GraphArea, plot_->XOnTop,
                      plot_->Yreversed, press, release);
  if (zoomed) logicBounds_ = *zoomed;
}

void PlotFormState::zoomOutAt(const TDrawArea& area, const Pixel& click) {
  logicBounds_ = zoomOut(logicBounds_, maxLogicBounds_, area.GraphArea, plot_->XOnTop,
                         plot_->Yreversed, click);
}

std::string LineNamesEdit::select(int row) {
  if (row < 0 || row >= static_cast<int>(names_.size())) return {};
  selected_ = row;
  return names_[static_cast<size_t>(row)];
}

std::optional<std::string> LineNamesEdit::commit(const std::string& text, std::string& message) {
  message.clear();
  if (selected_ < 0 || selected_ >= static_cast<int>(names_.size())) return std::nullopt;
  std::string& name = names_[static_cast<size_t>(selected_)];
  if (text.empty()) {
    message = kLineNeedsNameMessage;
    return name;
  }
  name = text;
  return std::nullopt;
}

std::string activeCurveRow(bool active, const std::string& name) {
  return std::string(active ? " yes : " : " no  : ") + "   " + name;
}

std::string checkSaveAttributes(const SaveAttributes& a) {
  if (!(a.heightInches >= kMinSaveInches) || !std::isfinite(a.heightInches)) {
    return "The height must be at least 2 inches.";
  }
  if (!(a.widthInches >= kMinSaveInches) || !std::isfinite(a.widthInches)) {
    return "The width must be at least 2 inches.";
  }
  if (a.PixelsPerInch < kMinSavePixelsPerInch) {
    return "The pixels per inch must be at least 10.";
  }
  return {};
}

std::optional<Pixel> savedImageSize(const SaveAttributes& a) {
  const double width = std::nearbyint(a.PixelsPerInch * a.widthInches);
  const double height = std::nearbyint(a.PixelsPerInch * a.heightInches);
  if (!(width >= 1 && width <= kMaxSavedImageSide && height >= 1 && height <= kMaxSavedImageSide)) {
    return std::nullopt;
  }
  return Pixel{static_cast<int>(width), static_cast<int>(height)};
}

bool printingAvailable(int installedPrinters, bool pdfPrinter) {
  return installedPrinters > 0 || pdfPrinter;
}

}  // namespace tolvane::plot
