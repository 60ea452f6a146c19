#include "layer_patterns.h"

#include <QPainter>
#include <array>

namespace tolvane::plot {
namespace {

// Codes of the hatches.
constexpr int kBDiagonal = 1;
constexpr int kFDiagonal = 2;
constexpr int kCross = 3;
constexpr int kDiagCross = 4;
constexpr int kHorizontal = 5;
constexpr int kVertical = 6;
constexpr int kDots = 7;
constexpr int kDashes = 8;
constexpr int kBricks = 9;
constexpr int kBricksWithStrokes = 10;
constexpr int kDotsAndPebbles = 11;
constexpr int kPebbles = 12;

// A motif drawn at a scale: the screen version uses scale 1, the print version a coarser one.
struct DotMotif {
  int size;     // dot edge, pixels
  int spacing;  // across a row
  int rowStep;  // between rows
  int shift;    // alternate rows
};
constexpr DotMotif kScreenDots = {2, 8, 4, 4};
constexpr DotMotif kPrintDots = {6, 48, 24, 24};

struct CourseMotif {
  int Width;
  int Height;
  int course;     // distance of the full-width lines
  int thickness;  // of every stroke
  int jointA;     // x of the joints of even and odd courses
  int jointB;
  int dashLength;  // staggered dashes
  int dashGap;
  int dashShift;
};
constexpr CourseMotif kScreenCourses = {30, 42, 7, 1, 7, 21, 20, 10, 19};
constexpr CourseMotif kPrintCourses = {96, 69, 23, 2, 22, 70, 64, 32, 61};

constexpr int kScreenDotTile = 80;
constexpr int kPrintDotTile = 96;
constexpr int kPrintPebbleTileHeight = 192;

// Pebbles of the 80 x 80 screen tile: left, top, width, height in pixels.
struct Pebble {
  int Left, Top, Width, Height;
};
constexpr std::array<Pebble, 10> kPebbleShapes = {{{4, 6, 9, 7},
                                                   {30, 3, 12, 9},
                                                   {58, 10, 7, 6},
                                                   {14, 30, 6, 5},
                                                   {40, 26, 10, 12},
                                                   {66, 34, 8, 9},
                                                   {6, 52, 11, 8},
                                                   {34, 56, 5, 6},
                                                   {52, 62, 12, 10},
                                                   {22, 70, 7, 5}}};
// The print tile holds the screen arrangement twice, scaled, the lower copy shifted half a tile.
constexpr double kPrintPebbleScale = 1.2;

QImage whiteTile(int width, int height) {
  QImage tile(width, height, QImage::Format_RGB32);
  tile.fill(Qt::white);
  return tile;
}

void drawDots(QImage& tile, const DotMotif& m) {
  QPainter p(&tile);
  for (int row = 0, y = 0; y < tile.height(); ++row, y += m.rowStep) {
    for (int x = (row % 2) * m.shift; x < tile.width(); x += m.spacing) {
      p.fillRect(x, y, m.size, m.size, Qt::black);
    }
  }
}

void drawDashes(QImage& tile, const CourseMotif& m) {
  QPainter p(&tile);
  const int period = m.dashLength + m.dashGap;
  for (int row = 0, y = 0; y < tile.height(); ++row, y += m.course) {
    const int shift = (row % 2) * m.dashShift % period;
    for (int x = shift - period; x < tile.width(); x += period) {
      p.fillRect(x, y, m.dashLength, m.thickness, Qt::black);
    }
  }
}

void drawBricks(QImage& tile, const CourseMotif& m, bool strokes) {
  QPainter p(&tile);
  for (int row = 0, y = 0; y < tile.height(); ++row, y += m.course) {
    p.fillRect(0, y, tile.width(), m.thickness, Qt::black);
    const int joint = row % 2 == 0 ? m.jointA : m.jointB;
    p.fillRect(joint, y, m.thickness, m.course, Qt::black);
    if (!strokes) continue;
    // One pixel down per two across, from the course's top line to the next one.
    const int start = (joint + m.Width / 2) % m.Width;
    for (int d = 0; d < m.course; d += 1) {
      p.fillRect((start + 2 * d) % m.Width, y + d, 2 * m.thickness, m.thickness, Qt::black);
    }
  }
}

void drawPebbles(QImage& tile, bool printVersion) {
  QPainter p(&tile);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  if (!printVersion) {
    for (const Pebble& s : kPebbleShapes) p.drawEllipse(s.Left, s.Top, s.Width, s.Height);
    return;
  }
  const auto scaled = [](int v) { return static_cast<int>(v * kPrintPebbleScale); };
  for (int copy = 0; copy < 2; ++copy) {
    const int dx = copy * kPrintDotTile / 2;
    const int dy = copy * kPrintDotTile;
    for (const Pebble& s : kPebbleShapes) {
      const int x = (scaled(s.Left) + dx) % kPrintDotTile;
      p.drawEllipse(x, scaled(s.Top) + dy, scaled(s.Width), scaled(s.Height));
    }
  }
}

}  // namespace

QImage layerPicture(int code, bool printVersion) {
  const CourseMotif& courses = printVersion ? kPrintCourses : kScreenCourses;
  const DotMotif& dots = printVersion ? kPrintDots : kScreenDots;
  const int dotTile = printVersion ? kPrintDotTile : kScreenDotTile;
  const int pebbleHeight = printVersion ? kPrintPebbleTileHeight : kScreenDotTile;
  QImage tile;
  switch (code) {
    case kDots:
      tile = whiteTile(dotTile, dotTile);
      drawDots(tile, dots);
      break;
    case kDashes:
      tile = whiteTile(courses.Width, courses.Height);
      drawDashes(tile, courses);
      break;
    case kBricks:
    case kBricksWithStrokes:
      tile = whiteTile(courses.Width, courses.Height);
      drawBricks(tile, courses, code == kBricksWithStrokes);
      break;
    case kDotsAndPebbles:
    case kPebbles:
      tile = whiteTile(dotTile, pebbleHeight);
      if (code == kDotsAndPebbles) drawDots(tile, dots);
      drawPebbles(tile, printVersion);
      break;
    default:
      break;
  }
  return tile;
}

namespace {

QBrush hatch(Qt::BrushStyle style, int pixelsPerInch) {
  QBrush brush(Qt::black, style);
  if (pixelsPerInch > kHatchPixelsPerInch) {
    const double scale = static_cast<double>(pixelsPerInch) / kHatchPixelsPerInch;
    brush.setTransform(QTransform::fromScale(scale, scale));
  }
  return brush;
}

}  // namespace

QBrush layerBrush(int code, bool printVersion, int pixelsPerInch) {
  switch (code) {
    case kBDiagonal:
      return hatch(Qt::BDiagPattern, pixelsPerInch);
    case kFDiagonal:
      return hatch(Qt::FDiagPattern, pixelsPerInch);
    case kCross:
      return hatch(Qt::CrossPattern, pixelsPerInch);
    case kDiagCross:
      return hatch(Qt::DiagCrossPattern, pixelsPerInch);
    case kHorizontal:
      return hatch(Qt::HorPattern, pixelsPerInch);
    case kVertical:
      return hatch(Qt::VerPattern, pixelsPerInch);
    default:
      break;
  }
  if (code < kFirstPictureCode || code > kLastPatternCode) return QBrush(Qt::NoBrush);
  QBrush brush(layerPicture(code, printVersion));
  const int madeFor = printVersion ? kPrintPicturePixelsPerInch : kHatchPixelsPerInch;
  if (pixelsPerInch > madeFor) {
    const double scale = static_cast<double>(pixelsPerInch) / madeFor;
    brush.setTransform(QTransform::fromScale(scale, scale));
  }
  return brush;
}

}  // namespace tolvane::plot
