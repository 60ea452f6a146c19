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
void paintSideView(QPainter& painter, const SideViewGeometry& view, bool omitHatches,
                   const QColor& background);

// One page of width w and height h (device pixels): the frame, bands and labels with the units
// of the project, the ground line and the shaft at the page's scale. The hatch lines are spaced
// hatchScale times as far apart as on the screen (the printer's dots per screen pixel).
void paintSidePrintPage(QPainter& painter, const SideViewGeometry& view, int w, int h,
                        bool omitHatches, const QColor& background, const QFont& font,
                        double hatchScale);

// Sets the printer to landscape with the job title "Soil-Pile Profile" and prints the page;
// false when the printer could not be started.
bool printSideView(QPrinter& printer, const SideViewGeometry& view, bool omitHatches,
                   const QColor& background, const QFont& font);

// The elevation of a project in an image of the given size, as the window shows it.
QImage renderSideViewImage(const ViewProject& project, double shaftLength, QSize size,
                           bool omitHatches, const QColor& background, const QFont& font);

}  // namespace tolvane::app
