#include "plot_files.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

#include "plot_painter.h"

namespace tolvane::plot {
namespace {

constexpr double kMetresPerInch = 0.0254;

TDrawArea imageArea(const TGraphPlot& plot, const PictureSize& size) {
  return layoutTarget(plot, DrawTarget::kBitmap, {0, 0, size.Width, size.Height},
                      {size.PixelsPerInch, size.PixelsPerInch});
}

bool saveImage(const TGraphPlot& plot, const TFloatRect& bounds, QSaveFile& out, const char* format,
               const PictureSize& size, const std::optional<LegendPlacement>& legend) {
  QImage image(size.Width, size.Height, QImage::Format_RGB32);
  if (image.isNull()) return false;
  const int dotsPerMetre = static_cast<int>(size.PixelsPerInch / kMetresPerInch);
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  {
    QPainter painter(&image);
    drawPlot(painter, plot, imageArea(plot, size), bounds, legend);
  }
  return image.save(&out, format);
}

bool saveSvg(const TGraphPlot& plot, const TFloatRect& bounds, QSaveFile& out,
             const PictureSize& size, const std::optional<LegendPlacement>& legend) {
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(QSize(size.Width, size.Height));
  svg.setViewBox(QRect(0, 0, size.Width, size.Height));
  svg.setResolution(size.PixelsPerInch);
  svg.setTitle(QString::fromStdString(plot.Caption));
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  drawPlot(painter, plot, imageArea(plot, size), bounds, legend);
  return painter.end();
}

bool savePdf(const TGraphPlot& plot, const TFloatRect& bounds, QSaveFile& out,
             const PictureSize& size, const std::optional<LegendPlacement>& legend) {
  QPdfWriter pdf(&out);
  pdf.setResolution(size.PixelsPerInch);
  pdf.setTitle(QString::fromStdString(plot.Caption));
  const QSizeF inches(static_cast<double>(size.Width) / size.PixelsPerInch,
                      static_cast<double>(size.Height) / size.PixelsPerInch);
  pdf.setPageLayout(QPageLayout(QPageSize(inches, QPageSize::Inch), QPageLayout::Portrait,
                                QMarginsF(0, 0, 0, 0)));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  drawPlot(painter, plot, imageArea(plot, size), bounds, legend);
  return painter.end();
}

}  // namespace

std::optional<PictureFormat> pictureFormatFromName(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "png") return PictureFormat::kPng;
  if (lower == "bmp") return PictureFormat::kBmp;
  if (lower == "svg") return PictureFormat::kSvg;
  if (lower == "pdf") return PictureFormat::kPdf;
  return std::nullopt;
}

bool savePlotPicture(const TGraphPlot& plot, const TFloatRect& bounds, const QString& file,
                     PictureFormat format, const PictureSize& size,
                     const std::optional<LegendPlacement>& legend) {
  if (size.Width <= 0 || size.Height <= 0 || size.PixelsPerInch <= 0) return false;
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return false;
  bool drawn = false;
  switch (format) {
    case PictureFormat::kPng:
      drawn = saveImage(plot, bounds, out, "PNG", size, legend);
      break;
    case PictureFormat::kBmp:
      drawn = saveImage(plot, bounds, out, "BMP", size, legend);
      break;
    case PictureFormat::kSvg:
      drawn = saveSvg(plot, bounds, out, size, legend);
      break;
    case PictureFormat::kPdf:
      drawn = savePdf(plot, bounds, out, size, legend);
      break;
  }
  if (!drawn) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

}  // namespace tolvane::plot
