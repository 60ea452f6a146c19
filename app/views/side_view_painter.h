// Drawing of the elevation view: the picture of a client area and the printed landscape page.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

#include "side_view_geometry.h"

class QPainter;
class QPrinter;

namespace tolvane::app {

// The layer bands, labels, ground line and shaft pieces of a client area of the geometry's size.
// Nothing is drawn while the client area has no width or height.
void PaintSideView(QPainter& painter, const TSideViewGeometry& view, bool omit_hatches,
                   const QColor& background);

// One page of width w and height h (device pixels): the frame, bands and labels with the units
// of the project, the ground line and the shaft at the page's scale. The hatch lines are spaced
// hatch_scale times as far apart as on the screen (the printer's dots per screen pixel).
void PaintSidePrintPage(QPainter& painter, const TSideViewGeometry& view, int w, int h,
                        bool omit_hatches, const QColor& background, const QFont& font,
                        double hatch_scale);

// Sets the printer to landscape with the job title "Soil-Pile Profile" and prints the page;
// false when the printer could not be started.
bool PrintSideView(QPrinter& printer, const TSideViewGeometry& view, bool omit_hatches,
                   const QColor& background, const QFont& font);

// The elevation of a project in an image of the given size, as the window shows it.
QImage RenderSideViewImage(const TViewProject& project, double shaft_length, QSize size,
                           bool omit_hatches, const QColor& background, const QFont& font);

}  // namespace tolvane::app
