// The elevation view's window: opened from the host, rebuilt from the project with the default
// shaft length, drawn with the layer colours and shaft pieces at known pixels, "Omit Hatches",
// the depth read-out, printing to a PDF page, and closing. Saves its screenshots.
#include <QCheckBox>
#include <QFile>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QtTest>

#include <filesystem>

#include "dlg_side_view.h"
#include "side_view_painter.h"
#include "view_test_host.h"

using tolvane::app::TDlgSideView;
using tolvane::app::testing::TTestHost;

namespace {

QString ScreenshotPath(const char* name) {
  std::filesystem::create_directories(TOLVANE_SCREENSHOT_DIR);
  return QString::fromUtf8(TOLVANE_SCREENSHOT_DIR) + QLatin1Char('/') + QLatin1String(name);
}

// Pixels of a colour in a rectangle of an image.
int CountColour(const QImage& image, const QRect& area, QRgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++count;
    }
  }
  return count;
}

}  // namespace

class SideViewWindowTest : public QObject {
  Q_OBJECT

 private:
  TDlgSideView* Open(TTestHost& host) {
    tolvane::app::ShowSideView(host);
    TDlgSideView* view = tolvane::app::FindSideView(host);
    if (view != nullptr) {
      view->parentWidget()->resize(820, 560);
      QCoreApplication::processEvents();
      view->FormActivate();
    }
    return view;
  }

  QRect BandArea(const TDlgSideView& view, double top, double bottom) const {
    const int w = view.Canvas()->width();
    const auto& g = view.Geometry();
    return QRect(QPoint(w * 6 / 10, g.DepthRow(top)), QPoint(w * 95 / 100, g.DepthRow(bottom)));
  }

 private slots:
  void opensWithTitleAndButtons() {
    TTestHost host;
    host.SandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    QCOMPARE(view->windowTitle(), QStringLiteral("Elevation View"));
    QCOMPARE(view->OmitHatchesBox()->text(), QStringLiteral("Omit Hatches"));
    QCOMPARE(view->OmitHatchesBox()->toolTip(),
             QStringLiteral("Click to omit hatches from printing"));
    QCOMPARE(host.Area.subWindowList().size(), 1);
    // A second command brings the same window forward.
    tolvane::app::ShowSideView(host);
    QCOMPARE(host.Area.subWindowList().size(), 1);
  }

  void drawsLayerColoursAndShaftPiecesAtKnownPixels() {
    TTestHost host;
    host.SandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const auto& g = view->Geometry();
    QVERIFY(g.HasScale());
    QCOMPARE(g.GroundOffset(), 6.0);  // 2B
    const QImage image = view->Canvas()->grab().toImage();
    const QRect sand = BandArea(*view, 3, 17);
    const QRect clay = BandArea(*view, 23, 57);
    // Sand hatched in #C0C0C0, clay in #808000, each only in its own band.
    QVERIFY(CountColour(image, sand, 0xC0C0C0) > sand.width());
    QCOMPARE(CountColour(image, sand, 0x808000), 0);
    QVERIFY(CountColour(image, clay, 0x808000) > clay.width());
    QCOMPARE(CountColour(image, clay, 0xC0C0C0), 0);
    // Upper zone (0 to 5 ft) red, body grey, lower zone (37 to 40 ft) blue, on the axis.
    const auto at_depth = [&](double depth) {
      const tolvane::app::TViewPixel p = g.ToPixel({0, depth + g.GroundOffset()});
      return image.pixel(p.x, p.y) & 0xFFFFFF;
    };
    QCOMPARE(at_depth(2.5), 0xFF0000u);
    QCOMPARE(at_depth(20), 0x808080u);
    QCOMPARE(at_depth(38.5), 0x0000FFu);
    // Above the ground surface the window background shows.
    const QRgb background = view->Canvas()->palette().color(QPalette::Window).rgb();
    QCOMPARE(image.pixel(view->Canvas()->width() * 8 / 10, g.DepthRow(-3)) & 0xFFFFFF,
             background & 0xFFFFFF);
    QVERIFY(view->parentWidget()->grab().save(ScreenshotPath("elevation-view.png")));

    view->OmitHatchesBox()->setChecked(true);
    const QImage plain = view->Canvas()->grab().toImage();
    QCOMPARE(CountColour(plain, sand, 0xFFFFFF), sand.width() * sand.height());
    QCOMPARE(CountColour(plain, clay, 0xFFFFFF), clay.width() * clay.height());
    const tolvane::app::TViewPixel body = g.ToPixel({0, 26});
    QCOMPARE(plain.pixel(body.x, body.y) & 0xFFFFFF, 0x808080u);  // the shaft is unchanged
    QVERIFY(view->parentWidget()->grab().save(ScreenshotPath("elevation-view-no-hatches.png")));
  }

  void drawsTheBellWiderThanTheShaft() {
    TTestHost host;
    host.BelledShaftInFourLayers();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const auto& g = view->Geometry();
    // Hb = (2.5 - 1)/2 x 4 / tan(30 x 3.1416/180) = 3 / 0.57735 = 5.196 ft; the bell widens
    // from 4 ft to 10 ft over it.
    QCOMPARE(g.Data().size(), size_t{4});
    QVERIFY(std::abs(g.Data()[3].BottomLeft.y - g.Data()[3].TopLeft.y - 5.196) < 0.001);
    QCOMPARE(g.Data()[3].BottomRight.x, 5.0);
    const QImage image = view->Canvas()->grab().toImage();
    const auto colour = [&](double x, double depth) {
      const tolvane::app::TViewPixel p = g.ToPixel({x, depth + g.GroundOffset()});
      return image.pixel(p.x, p.y) & 0xFFFFFF;
    };
    QCOMPARE(colour(4.0, 49.5), 0x808080u);  // inside the bell near the tip (half-width 4.7)
    QVERIFY(colour(2.5, 43) != 0x808080u);   // beside the body above the bell (half-width 2)
    QCOMPARE(colour(0, 45), 0x808080u);      // the bell on the axis
    QVERIFY(view->parentWidget()->grab().save(ScreenshotPath("elevation-view-belled.png")));
  }

  void aProjectWithoutLengthGetsTheDeepestLayerBottom() {
    TTestHost host;
    host.SandOverClay();
    host.Form.Data().PD = 0;
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    QCOMPARE(static_cast<double>(host.Form.Data().PD), 60.0);
    // The bell piece ends at the tip: G + 60.
    QCOMPARE(view->Geometry().Data().back().BottomLeft.y, 66.0);
  }

  void mouseMoveShowsTheDepthInTheTitle() {
    TTestHost host;
    host.SandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const int row = view->Geometry().DepthRow(12.5);
    QMouseEvent move(QEvent::MouseMove, QPointF(100, row), QPointF(100, row), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->Canvas(), &move);
    // One pixel is a tenth of a foot or more here, so the read-out is 12.5 within a pixel.
    const auto depth = view->Geometry().ToLogical(100, row);
    QVERIFY(depth.has_value());
    QVERIFY(std::abs(depth->y - 6 - 12.5) < 0.2);
    QVERIFY(view->windowTitle().startsWith(QStringLiteral("  Depth: ")));
    QCOMPARE(view->windowTitle(),
             QString::fromStdString(tolvane::app::DepthReadout(depth->y - 6)));
    QCOMPARE(view->parentWidget()->windowTitle(), view->windowTitle());
  }

  void printsOneLandscapePageToPdf() {
    TTestHost host;
    host.SandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const QString pdf = ScreenshotPath("elevation-print.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(view->PrintTo(printer));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.docName(), QStringLiteral("Soil-Pile Profile"));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(4), QByteArray("%PDF"));
    QVERIFY(file.size() > 1000);
    // The page as a 300 dpi printer draws it (a letter page of 3300 x 2550 dots), for looking
    // at scaled to 1100 x 850.
    constexpr int kDotsPerMetre = 11811;  // 300 dpi
    QImage page(3300, 2550, QImage::Format_RGB32);
    page.setDotsPerMeterX(kDotsPerMetre);
    page.setDotsPerMeterY(kDotsPerMetre);
    page.fill(Qt::white);
    QPainter painter(&page);
    QFont font = view->font();
    font.setPointSize(10);
    tolvane::app::PaintSidePrintPage(painter, view->Geometry(), page.width(), page.height(),
                                       false, view->palette().color(QPalette::Window), font,
                                       300.0 / 96);
    painter.end();
    // The clay band is hatched inside the frame; the margin outside stays white.
    const tolvane::app::TSidePrintLayout layout(3300, 2550, 6, 60);
    const QRect clay(QPoint(1800, layout.Y(25)), QPoint(2700, layout.Y(55)));
    const int olive = CountColour(page, clay, 0x808000);
    QVERIFY(olive > clay.width());
    QVERIFY(olive < clay.width() * clay.height() / 2);  // hatch lines, not a solid fill
    QCOMPARE(CountColour(page, QRect(0, 0, 300, 240), 0xFFFFFF), 300 * 240);
    page = page.scaled(1100, 850, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(page.save(ScreenshotPath("elevation-print-page.png")));
  }

  void aZeroSizedClientAreaDrawsNothingUntilTheNextResize() {
    TTestHost host;
    host.SandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    view->Canvas()->resize(0, 200);
    QVERIFY(!view->Geometry().HasScale());
    QImage empty(10, 10, QImage::Format_RGB32);
    empty.fill(Qt::white);
    QPainter painter(&empty);
    tolvane::app::PaintSideView(painter, view->Geometry(), false, Qt::black);
    painter.end();
    QCOMPARE(empty.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);  // nothing drawn, not even the background
    view->Canvas()->resize(400, 300);
    QVERIFY(view->Geometry().HasScale());
    const QImage image = view->Canvas()->grab().toImage();
    const tolvane::app::TViewPixel body = view->Geometry().ToPixel({0, 26});
    QCOMPARE(image.pixel(body.x, body.y) & 0xFFFFFF, 0x808080u);
  }

  void closingRemovesTheWindow() {
    TTestHost host;
    host.SandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    view->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(tolvane::app::FindSideView(host) == nullptr);
    QCOMPARE(host.Area.subWindowList().size(), 0);
  }
};

QTEST_MAIN(SideViewWindowTest)
#include "side_view_window_test.moc"
