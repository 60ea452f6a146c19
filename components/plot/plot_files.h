// Saving a plot as a picture file: PNG and BMP images, SVG drawings and PDF pages, all through
// the drawing pass with the image layout.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "graph_plot.h"
#include "plot_layout.h"

namespace tolvane::plot {

enum class PictureFormat { kPng, kBmp, kSvg, kPdf };

// "png", "bmp", "svg", "pdf" (any case); none for other names.
std::optional<PictureFormat> pictureFormatFromName(const std::string& name);

struct PictureSize {
  int Width = 0;           // pixels
  int Height = 0;          // pixels
  int PixelsPerInch = 96;  // the layout's resolution (the screen's)
};

// Draws the plot within the bounds into the file, replacing it only once the whole picture is
// written. False when the picture cannot be allocated or the file cannot be written.
bool savePlotPicture(const TGraphPlot& plot, const TFloatRect& bounds, const QString& file,
                     PictureFormat format, const PictureSize& size,
                     const std::optional<LegendPlacement>& legend = {});

}  // namespace tolvane::plot
