#include "view_tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace tolvane::app {

namespace {

constexpr int kIconPixels = 24;
constexpr double kPenPixels = 1.6;
const QColor kInk(0x20, 0x30, 0x60);
const QColor kGlass(0xC8, 0xE0, 0xF8);

void arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
  const QPointF n(-d.y(), d.x());
  const double head = 3.5;
  p.drawPolygon(QPolygonF({to, to - d * head + n * head * 0.7, to - d * head - n * head * 0.7}));
}

void magnifier(QPainter& p, QPointF centre, double radius) {
  p.setBrush(kGlass);
  p.drawEllipse(centre, radius, radius);
  p.setBrush(kInk);
  const QPointF handle = centre + QPointF(radius * 0.7, radius * 0.7);
  p.setPen(QPen(kInk, kPenPixels * 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(handle, handle + QPointF(radius * 0.8, radius * 0.8));
  p.setPen(QPen(kInk, kPenPixels));
}

void draw(QPainter& p, BlockToolIcon icon) {
  p.setPen(QPen(kInk, kPenPixels));
  p.setBrush(kInk);
  const QPointF c(12, 12);
  switch (icon) {
    case BlockToolIcon::kPanning:
      for (const QPointF end : {QPointF(12, 2), QPointF(12, 22), QPointF(2, 12), QPointF(22, 12)}) {
        arrow(p, c, end);
      }
      break;
    case BlockToolIcon::kZooming:
      magnifier(p, QPointF(9, 9), 6);
      arrow(p, QPointF(20, 14), QPointF(20, 3));
      arrow(p, QPointF(20, 12), QPointF(20, 22));
      break;
    case BlockToolIcon::kRotating: {
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(3, 3, 18, 18), 30 * 16, 280 * 16);
      p.setBrush(kInk);
      p.drawPolygon(QPolygonF({QPointF(20, 3), QPointF(21, 10), QPointF(14.5, 7.5)}));
      break;
    }
    case BlockToolIcon::kZoomWindow:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(kInk, kPenPixels, Qt::DashLine));
      p.drawRect(QRectF(2, 2, 14, 11));
      p.setPen(QPen(kInk, kPenPixels));
      magnifier(p, QPointF(14, 14), 5);
      break;
    case BlockToolIcon::kZoomIn:
    case BlockToolIcon::kZoomOut:
      magnifier(p, QPointF(10, 10), 7.5);
      p.drawLine(QPointF(6, 10), QPointF(14, 10));
      if (icon == BlockToolIcon::kZoomIn) p.drawLine(QPointF(10, 6), QPointF(10, 14));
      break;
    case BlockToolIcon::kRestart: {
      // A box seen from the front, as the view starts.
      p.setBrush(kGlass);
      p.drawRect(QRectF(5, 8, 12, 12));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF(
          {QPointF(5, 8), QPointF(9, 4), QPointF(21, 4), QPointF(21, 16), QPointF(17, 20)}));
      p.drawLine(QPointF(17, 8), QPointF(21, 4));
      break;
    }
  }
}

}  // namespace

QIcon blockToolIcon(BlockToolIcon icon) {
  QPixmap picture(kIconPixels, kIconPixels);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter, icon);
  painter.end();
  return QIcon(picture);
}

}  // namespace tolvane::app
