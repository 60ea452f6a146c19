// The drawing pass of a plot onto a QPainter: one code path for the window, the printer page
// and images. The geometry comes from plotLayout.h.
#pragma once

#include <QImage>
#include <QPainter>
#include <optional>

#include "graph_plot.h"
#include "plot_layout.h"

namespace tolvane::plot {

// Draws the plot into the target with the given bounds. The legend box (only when the target's
// PrintLegend is set) sits as `legend` says, or without one in the corner of the curve area where
// it hides the fewest curve points.
void drawPlot(QPainter& painter, const TGraphPlot& plot, const TDrawArea& area,
              const TFloatRect& bounds, const std::optional<LegendPlacement>& legend = {});

// The default resolution of a saved image, pixels per inch (the screen's).
inline constexpr int kScreenPixelsPerInch = 96;

// A plot drawn into a new image of the size with the image layout; a null image when the plot
// has nothing to draw, its bounds cannot be computed or the image cannot be allocated.
QImage renderPlotImage(const TGraphPlot& plot, int width, int height,
                       int pixelsPerInch = kScreenPixelsPerInch);

// One printed page: the page less the margins (thousandths of an inch) laid out with the
// printer layout at the printer's resolution, painter origin at the paper's corner.
void drawPrintedPage(QPainter& painter, const TGraphPlot& plot, const TFloatRect& bounds,
                     const Pixel& pixelsPerInch, int pageWidth, int pageHeight,
                     const PageMargins& margins, const std::optional<LegendPlacement>& legend = {});

// The plot's font of the given pixel height.
QFont plotFont(int pixelHeight, bool bold);

}  // namespace tolvane::plot
