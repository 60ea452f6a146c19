// The drawing pass rendered into images: the frame of the curve area, the ticks along the x
// axis, a curve's pixel at a known point, the soil-layer fills, the legend box of a picture and
// the white target under one inch.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "layer_patterns.h"
#include "plot_layout.h"
#include "plot_painter.h"

using namespace tolvane::plot;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr Pixel kPpi{96, 96};

bool isBlack(const QImage& image, int x, int y) {
  return image.pixel(x, y) == qRgb(0, 0, 0);
}

// Two flat lines over x 0..100: black at y 45 and blue at y 20. The axis bounds come out 0..100
// and 0..50 (range 45: spacing 10).
void fillTwoLines(TGraphPlot& plot) {
  plot.XCaption = "Axial Load";
  plot.XUnits = "F2";
  plot.YCaption = "Depth";
  plot.YUnits = "L2";
  plot.SetLineCount(2);
  plot.SetCount(2);
  plot.Data(0, 0) = {0, 45};
  plot.Data(0, 1) = {100, 45};
  plot.Data(1, 0) = {0, 20};
  plot.Data(1, 1) = {100, 20};
  plot.Markers = 0;
}

QImage draw(const TGraphPlot& plot, DrawTarget target, int width = kWidth, int height = kHeight,
            const std::optional<LegendPlacement>& legend = {}) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::red);  // anything not painted shows
  const TDrawArea area = layoutTarget(plot, target, {0, 0, width, height}, kPpi);
  QPainter painter(&image);
  drawPlot(painter, plot, area, *plot.autoBounds(), legend);
  return image;
}

void saveShot(const QImage& image, const QString& name) {
  QDir().mkpath(TOLVANE_SCREENSHOT_DIR);
  image.save(QString(TOLVANE_SCREENSHOT_DIR) + "/" + name);
}

// Black pixels of a rectangle's interior, as a fraction.
double blackFraction(const QImage& image, const QRect& r) {
  int black = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) black += isBlack(image, x, y) ? 1 : 0;
  }
  return static_cast<double>(black) / (r.width() * r.height());
}

}  // namespace

class PlotDrawTest : public QObject {
  Q_OBJECT

 private slots:
  // The window layout of 800 x 600 puts the curve area at 35..771 x 35..571 (see the layout
  // tests); the frame includes its right and bottom edges.
  void frameSurroundsTheCurveArea() {
    TGraphPlot plot;
    fillTwoLines(plot);
    const QImage image = draw(plot, DrawTarget::kScreen);
    saveShot(image, "plot-draw-two-lines.png");
    QVERIFY(isBlack(image, 35, 300));
    QVERIFY(isBlack(image, 771, 300));
    QVERIFY(isBlack(image, 400, 35));
    QVERIFY(isBlack(image, 400, 571));
    QVERIFY(!isBlack(image, 400, 573));
    QCOMPARE(image.pixel(780, 300), qRgb(255, 255, 255));  // the white fill covers everything
  }

  // x ticks: step 2 over 0..100, indices 0 to 50, at 35 + round(i x 7.36). Row 38 crosses the
  // tick marks (6 pixels long from the top edge) and nothing else: 49 marks between the frame
  // columns 35 and 771.
  void tickMarksAlongTheXAxis() {
    TGraphPlot plot;
    fillTwoLines(plot);
    const QImage image = draw(plot, DrawTarget::kScreen);
    int marks = 0;
    for (int x = 36; x <= 770; ++x) marks += isBlack(image, x, 38) ? 1 : 0;
    QCOMPARE(marks, 49);
    QVERIFY(isBlack(image, 35 + 15, 38));   // i = 2: round(14.72) = 15
    QVERIFY(!isBlack(image, 35 + 15, 42));  // a minor tick ends after 6 pixels
  }

  // Line 1 (blue, the second palette colour) at y 20: row 35 + round(20/50 x 536) = 249.
  void curvePixelAtAKnownPoint() {
    TGraphPlot plot;
    fillTwoLines(plot);
    const QImage image = draw(plot, DrawTarget::kScreen);
    QCOMPARE(image.pixel(400, 249), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(400, 517), qRgb(0, 0, 0));  // line 0 at y 45: 35 + round(482.4)
    plot.line(0).Visible = false;                    // hidden: line 1 keeps its colour
    const QImage hidden = draw(plot, DrawTarget::kScreen);
    QCOMPARE(hidden.pixel(400, 249), qRgb(0, 0, 255));
    QCOMPARE(hidden.pixel(400, 517), qRgb(255, 255, 255));
    plot.line(0).Active = false;  // inactive: line 1 takes the first colour
    const QImage inactive = draw(plot, DrawTarget::kScreen);
    QCOMPARE(inactive.pixel(400, 249), qRgb(0, 0, 0));
  }

  // Two bands over the depth: cross hatch to 25, dots (a picture) to 50. An image one inch wider
  // than 800 keeps the curve area of 800 and puts the column at 790..867.
  void soilLayerFillsArePresent() {
    TGraphPlot plot;
    fillTwoLines(plot);
    plot.ShowLayers = true;
    plot.SetLayerLineCount(2);
    plot.SetLayerCount(1);
    plot.LayerData(0, 0) = {3, 25};
    plot.LayerData(1, 0) = {7, 50};
    plot.layerLine(0).setLineName(" CLAY ");
    plot.layerLine(1).setLineName(" SAND ");
    const QImage image = draw(plot, DrawTarget::kBitmap, kWidth + 96, kHeight);
    saveShot(image, "plot-draw-layers.png");
    const QRect hatch(800, 60, 40, 40);  // band 1 rows 35..303
    const QRect dots(800, 400, 40, 40);  // band 2 rows 303..570
    const double hatchBlack = blackFraction(image, hatch);
    const double dotsBlack = blackFraction(image, dots);
    QVERIFY2(hatchBlack > 0.1 && hatchBlack < 0.6, qPrintable(QString::number(hatchBlack)));
    // 2 x 2 dots every 8 pixels in rows 4 apart: 4 of 32 pixels.
    QVERIFY2(dotsBlack > 0.08 && dotsBlack < 0.18, qPrintable(QString::number(dotsBlack)));
    QVERIFY(isBlack(image, 790, 200));   // band frame on the column's left edge
    QVERIFY(!isBlack(image, 780, 200));  // the gap between curve area and column
    QVERIFY(isBlack(image, 800, 303));   // the shared boundary row
  }

  void everyPatternPictureHasItsTileSize() {
    const struct {
      int code;
      QSize screen;
      QSize print;
    } tiles[] = {{7, {80, 80}, {96, 96}},  {8, {30, 42}, {96, 69}},   {9, {30, 42}, {96, 69}},
                 {10, {30, 42}, {96, 69}}, {11, {80, 80}, {96, 192}}, {12, {80, 80}, {96, 192}}};
    for (const auto& t : tiles) {
      const QImage screen = layerPicture(t.code, false);
      const QImage print = layerPicture(t.code, true);
      QCOMPARE(screen.size(), t.screen);
      QCOMPARE(print.size(), t.print);
      const double black = blackFraction(screen, screen.rect());
      QVERIFY2(black > 0.02 && black < 0.5, qPrintable(QString::number(t.code)));
    }
    QVERIFY(layerPicture(3, false).isNull());
    QCOMPARE(layerBrush(0, false).style(), Qt::NoBrush);
    QCOMPARE(layerBrush(13, false).style(), Qt::NoBrush);
    QCOMPARE(layerBrush(4, true).style(), Qt::DiagCrossPattern);
    // On a page of 600 pixels per inch a hatch keeps its size on paper: 600 / 96 = 6.25 times;
    // a print picture, made for 600, is enlarged only beyond: twice at 1200.
    QCOMPARE(layerBrush(4, true, 600).transform().m11(), 6.25);
    QCOMPARE(layerBrush(4, false, 96).transform().m11(), 1.0);
    QCOMPARE(layerBrush(7, true, 600).transform().m11(), 1.0);
    QCOMPARE(layerBrush(7, true, 1200).transform().m22(), 2.0);
    QCOMPARE(layerBrush(7, false, 192).transform().m22(), 2.0);
  }

  // A picture draws its legend box; the window does not. Placement 410, 100 of 800 x 600:
  // x0 = 35 + 736 x 410 / 800 = 412, y0 = 35 + 536 x 100 / 600 = 124.
  void legendBoxOnlyInPictures() {
    TGraphPlot plot;
    fillTwoLines(plot);
    const LegendPlacement place{410, 100, kWidth, kHeight};
    const QImage picture = draw(plot, DrawTarget::kBitmap, kWidth, kHeight, place);
    const QImage window = draw(plot, DrawTarget::kScreen, kWidth, kHeight, place);
    saveShot(picture, "plot-draw-legend.png");
    QVERIFY(isBlack(picture, 412, 130));
    QVERIFY(isBlack(picture, 420, 124));
    QCOMPARE(window.pixel(412, 130), qRgb(255, 255, 255));
    // The second row's text is blue (smoothed text: mostly blue pixels).
    bool blue = false;
    for (int y = 124; y < 170 && !blue; ++y) {
      for (int x = 424; x < 520 && !blue; ++x) {
        const QRgb c = picture.pixel(x, y);
        blue = qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80;
      }
    }
    QVERIFY(blue);
  }

  void nothingUnderOneInch() {
    TGraphPlot plot;
    fillTwoLines(plot);
    for (const QSize size : {QSize(95, 300), QSize(300, 95)}) {
      const QImage image = draw(plot, DrawTarget::kBitmap, size.width(), size.height());
      QCOMPARE(blackFraction(image, image.rect()), 0.0);
      QCOMPARE(image.pixel(size.width() / 2, size.height() / 2), qRgb(255, 255, 255));
    }
  }

  // A design-chart run of 20 diameters x 100 lengths: 2000 curves, the colours repeating every
  // 17 curves; the legend box, far taller than the picture, is cut at its edge.
  void largestPlotIsDrawnWithinItsPicture() {
    TGraphPlot plot;
    plot.XCaption = "Axial Capacity";
    plot.XUnits = "F2";
    plot.YCaption = "Depth";
    plot.YUnits = "L2";
    plot.SetLineCount(2000);
    plot.SetCount(2);
    for (int c = 0; c < 2000; ++c) {
      const long double length = 20 + c % 100;
      plot.Data(c, 1) = {length * (2 + c / 100), length};
    }
    const QImage image = draw(plot, DrawTarget::kBitmap, kWidth, kHeight);
    saveShot(image, "plot-draw-2000-curves.png");
    QVERIFY(isBlack(image, 35, 300));
    int coloured = 0;
    for (int x = 40; x < 660; ++x) {
      const QRgb c = image.pixel(x, 300);
      coloured += qRed(c) != qGreen(c) || qGreen(c) != qBlue(c) ? 1 : 0;
    }
    QVERIFY(coloured > 20);
  }

  void renderedImageHasTheRequestedSize() {
    TGraphPlot plot;
    QVERIFY(renderPlotImage(plot, 400, 300).isNull());  // no lines
    fillTwoLines(plot);
    const QImage image = renderPlotImage(plot, 20, 20, 10);  // 2 x 2 inches at 10 per inch
    QCOMPARE(image.size(), QSize(20, 20));
  }
};

QTEST_MAIN(PlotDrawTest)
#include "plot_draw_test.moc"
