#include "tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <functional>

#include "result_plots.h"

namespace tolvane::app {
namespace {

constexpr double kGrid = 24.0;  // every picture is drawn on a 24 x 24 grid
constexpr int kSharpScale = 2;  // and also at twice the size for dense screens

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kSand(230, 200, 120);
const QColor kClay(170, 120, 80);
const QColor kRock(150, 150, 160);
const QColor kConcrete(190, 190, 190);
const QColor kUltimate(30, 90, 200);
const QColor kFactored(200, 50, 40);
const QColor kThird(30, 150, 60);

using Drawing = std::function<void(QPainter&)>;

QImage draw(const Drawing& drawing, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kGrid, size / kGrid);
  drawing(painter);
  return image;
}

QIcon make(const Drawing& drawing) {
  QIcon icon;
  for (const int scale : {1, kSharpScale}) {
    icon.addPixmap(QPixmap::fromImage(draw(drawing, kToolIconSize * scale)));
  }
  return icon;
}

void page(QPainter& p) {
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(kPaper);
  p.drawPolygon(QPolygonF({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}}));
  p.drawPolyline(QPolygonF({{15, 2}, {15, 7}, {20, 7}}));
}

void textLines(QPainter& p, double top) {
  p.setPen(QPen(kInk, 1.0));
  for (double y = top; y < 20; y += 3) p.drawLine(QPointF(8, y), QPointF(17, y));
}

void ground(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kSand);
  p.drawRect(QRectF(1, 5, 22, 7));
  p.setBrush(kClay);
  p.drawRect(QRectF(1, 12, 22, 6));
  p.setBrush(kRock);
  p.drawRect(QRectF(1, 18, 22, 5));
}

void shaft(QPainter& p, bool bell) {
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(kConcrete);
  if (bell) {
    p.drawPolygon(QPolygonF({{9, 2}, {15, 2}, {15, 16}, {19, 21}, {5, 21}, {9, 16}}));
  } else {
    p.drawRect(QRectF(9, 2, 6, 19));
  }
}

void Axes(QPainter& p, bool depthDown) {
  p.setPen(QPen(kInk, 1.2));
  if (depthDown) {
    // Capacity along the top, depth downwards.
    p.drawLine(QPointF(3, 3), QPointF(22, 3));
    p.drawLine(QPointF(3, 3), QPointF(3, 22));
  } else {
    p.drawLine(QPointF(3, 21), QPointF(22, 21));
    p.drawLine(QPointF(3, 21), QPointF(3, 2));
  }
}

void curve(QPainter& p, const QColor& color, const QPolygonF& points) {
  p.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(points);
}

// Capacity against depth: more resistance with depth.
void depthPlot(QPainter& p, const QColor& color, int kind) {
  Axes(p, true);
  const QPolygonF skin({{4, 4}, {8, 9}, {12, 14}, {15, 21}});
  const QPolygonF tip({{4, 4}, {6, 10}, {7, 15}, {9, 21}});
  const QPolygonF total({{4, 4}, {11, 9}, {16, 14}, {21, 21}});
  if (kind == 0 || kind == 3) curve(p, color, skin);
  if (kind == 1 || kind == 3) curve(p, kind == 3 ? kThird : color, tip);
  if (kind == 2 || kind == 3) curve(p, kind == 3 ? kInk : color, total);
}

// Load against settlement, settlement downwards.
void settlementPlot(QPainter& p, int kind) {
  Axes(p, true);
  const QPolygonF trend({{4, 4}, {12, 6}, {17, 10}, {19, 20}});
  const QPolygonF upper({{4, 4}, {15, 5}, {20, 8}, {22, 16}});
  const QPolygonF lower({{4, 4}, {9, 7}, {13, 12}, {14, 21}});
  if (kind == 0 || kind == 3) curve(p, kUltimate, trend);
  if (kind == 1 || kind == 3) curve(p, kFactored, upper);
  if (kind == 2 || kind == 3) curve(p, kThird, lower);
}

void tzPlot(QPainter& p, int count) {
  Axes(p, false);
  for (int c = 0; c < count; ++c) {
    const double top = 14.0 - 4.0 * c;
    curve(p, c == 0 ? kUltimate : (c == 1 ? kFactored : kThird),
          QPolygonF({{3, 21}, {6, top + 2}, {11, top}, {22, top}}));
  }
}

void qwPlot(QPainter& p) {
  Axes(p, false);
  curve(p, kUltimate, QPolygonF({{3, 21}, {6, 14}, {11, 9}, {17, 6}, {22, 5}}));
}

void loadDistribution(QPainter& p) {
  Axes(p, true);
  for (int c = 0; c < 3; ++c) {
    const double load = 20.0 - 5.0 * c;
    curve(p, c == 0 ? kUltimate : (c == 1 ? kFactored : kThird),
          QPolygonF({{load, 4}, {load - 3, 12}, {load - 8, 21}}));
  }
}

void programPicture(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 225, 250));
  p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 3, 3);
  ground(p);
  shaft(p, true);
}

void drawNew(QPainter& p) {
  page(p);
  p.setPen(QPen(kThird, 2.2));
  p.drawLine(QPointF(12.5, 11), QPointF(12.5, 19));
  p.drawLine(QPointF(8.5, 15), QPointF(16.5, 15));
}

void drawOpen(QPainter& p) {
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(QColor(235, 190, 70));
  p.drawPolygon(QPolygonF({{2, 5}, {9, 5}, {11, 7}, {21, 7}, {21, 20}, {2, 20}}));
  p.setBrush(QColor(250, 215, 110));
  p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 20}, {2, 20}}));
}

void drawSave(QPainter& p) {
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(QColor(60, 100, 180));
  p.drawRect(QRectF(3, 3, 18, 18));
  p.setBrush(kPaper);
  p.drawRect(QRectF(6, 3, 12, 7));
  p.setBrush(QColor(220, 220, 220));
  p.drawRect(QRectF(7, 14, 10, 7));
}

void drawTitle(QPainter& p) {
  page(p);
  p.setPen(QPen(kUltimate, 2.4));
  p.drawLine(QPointF(8, 8), QPointF(17, 8));
  p.drawLine(QPointF(12.5, 8), QPointF(12.5, 19));
}

void drawDrilledShaft(QPainter& p) {
  ground(p);
  shaft(p, true);
}

void drawCfaPile(QPainter& p) {
  ground(p);
  shaft(p, false);
  p.setPen(QPen(kInk, 1.0));
  for (double y = 4; y < 20; y += 3) p.drawLine(QPointF(7, y + 2), QPointF(17, y));
}

void drawSoilLayers(QPainter& p) {
  ground(p);
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 5, 22, 18));
  p.drawLine(QPointF(1, 12), QPointF(23, 12));
  p.drawLine(QPointF(1, 18), QPointF(23, 18));
  p.setPen(QPen(QColor(40, 110, 220), 1.4));
  p.drawLine(QPointF(1, 8), QPointF(23, 8));  // the water table
}

void drawFactorOfSafety(QPainter& p) {
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(QColor(250, 235, 180));
  QPainterPath shield;
  shield.moveTo(12, 2);
  shield.lineTo(21, 5);
  shield.cubicTo(21, 14, 17, 19, 12, 22);
  shield.cubicTo(7, 19, 3, 14, 3, 5);
  shield.closeSubpath();
  p.drawPath(shield);
  QFont font = p.font();
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kFactored);
  p.drawText(QRectF(3, 4, 18, 14), Qt::AlignCenter, "FS");
}

void drawRun(QPainter& p) {
  p.setPen(QPen(QColor(20, 110, 30), 1.0));
  p.setBrush(QColor(50, 170, 60));
  p.drawPolygon(QPolygonF({{6, 3}, {21, 12}, {6, 21}}));
}

void drawViewOutput(QPainter& p) {
  page(p);
  textLines(p, 9);
}

void drawSideView(QPainter& p) {
  ground(p);
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(kConcrete);
  p.drawRect(QRectF(10, 2, 4, 17));
  p.setPen(QPen(kFactored, 1.2));
  p.drawLine(QPointF(14, 2), QPointF(21, 2));  // the capacity diagram beside the shaft
  p.drawLine(QPointF(14, 19), QPointF(21, 2));
}

void draw3DView(QPainter& p) {
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(kSand);
  p.drawPolygon(QPolygonF({{3, 8}, {12, 4}, {21, 8}, {12, 12}}));
  p.setBrush(kClay);
  p.drawPolygon(QPolygonF({{3, 8}, {12, 12}, {12, 21}, {3, 17}}));
  p.setBrush(kRock);
  p.drawPolygon(QPolygonF({{12, 12}, {21, 8}, {21, 17}, {12, 21}}));
}

Drawing picture(ToolIcon icon) {
  switch (icon) {
    case ToolIcon::kNew:
      return drawNew;
    case ToolIcon::kOpen:
      return drawOpen;
    case ToolIcon::kSave:
      return drawSave;
    case ToolIcon::kTitle:
      return drawTitle;
    case ToolIcon::kDrilledShaft:
      return drawDrilledShaft;
    case ToolIcon::kCFAPile:
      return drawCfaPile;
    case ToolIcon::kSoilLayers:
      return drawSoilLayers;
    case ToolIcon::kFactorOfSafety:
      return drawFactorOfSafety;
    case ToolIcon::kRun:
      return drawRun;
    case ToolIcon::kViewOutput:
      return drawViewOutput;
    case ToolIcon::kSideView:
      return drawSideView;
    case ToolIcon::k3DView:
      return draw3DView;
  }
  return [](QPainter&) {};
}

}  // namespace

QIcon toolIcon(ToolIcon icon) {
  return make(picture(icon));
}

QIcon plotIcon(int plotIndex) {
  if (plotIndex <= kPltCombine) {
    return make([plotIndex](QPainter& p) { depthPlot(p, kUltimate, plotIndex - kPltSkin); });
  }
  if (plotIndex <= kPltCombineD) {
    return make([plotIndex](QPainter& p) { depthPlot(p, kFactored, plotIndex - kFSpltSkin); });
  }
  if (plotIndex <= kPltCombinedSettle) {
    return make([plotIndex](QPainter& p) { settlementPlot(p, plotIndex - kPltAxial); });
  }
  if (plotIndex == kPltTz) return make([](QPainter& p) { tzPlot(p, 3); });
  if (plotIndex == kPltQw) return make([](QPainter& p) { qwPlot(p); });
  if (plotIndex == kPltTzAdd) return make([](QPainter& p) { tzPlot(p, 2); });
  return make([](QPainter& p) { loadDistribution(p); });
}

QIcon programIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(QPixmap::fromImage(programImage(size)));
  }
  return icon;
}

QImage programImage(int size) {
  return draw(programPicture, size);
}

}  // namespace tolvane::app
