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
using tolvane::app::testing::TestHost;

namespace {

QString screenshotPath(const char* name) {
  std::filesystem::create_directories(TOLVANE_SCREENSHOT_DIR);
  return QString::fromUtf8(TOLVANE_SCREENSHOT_DIR) + QLatin1Char('/') + QLatin1String(name);
}

// Pixels of a colour in a rectangle of an image.
int countColour(const QImage& image, const QRect& area, QRgb colour) {
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
  TDlgSideView* Open(TestHost& host) {
    tolvane::app::showSideView(host);
    TDlgSideView* view = tolvane::app::findSideView(host);
    if (view != nullptr) {
      view->parentWidget()->resize(820, 560);
      QCoreApplication::processEvents();
      view->FormActivate();
    }
    return view;
  }

  QRect bandArea(const TDlgSideView& view, double top, double bottom) const {
    const int w = view.Canvas()->width();
    const auto& g = view.sideGeometry();
    return QRect(QPoint(w * 6 / 10, g.depthRow(top)), QPoint(w * 95 / 100, g.depthRow(bottom)));
  }

 private slots:
  void opensWithTitleAndButtons() {
    TestHost host;
    host.sandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    QCOMPARE(view->windowTitle(), QStringLiteral("Elevation View"));
    QCOMPARE(view->omitHatchesBox()->text(), QStringLiteral("Omit Hatches"));
    QCOMPARE(view->omitHatchesBox()->toolTip(),
             QStringLiteral("Click to omit hatches from printing"));
    QCOMPARE(host.area.subWindowList().size(), 1);
    // A second command brings the same window forward.
    tolvane::app::showSideView(host);
    QCOMPARE(host.area.subWindowList().size(), 1);
  }

  void drawsLayerColoursAndShaftPiecesAtKnownPixels() {
    TestHost host;
    host.sandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const auto& g = view->sideGeometry();
    QVERIFY(g.hasScale());
    QCOMPARE(g.groundOffset(), 6.0);  // 2B
    const QImage image = view->Canvas()->grab().toImage();
    const QRect sand = bandArea(*view, 3, 17);
    const QRect clay = bandArea(*view, 23, 57);
    // Sand hatched in #C0C0C0, clay in #808000, each only in its own band.
    QVERIFY(countColour(image, sand, 0xC0C0C0) > sand.width());
    QCOMPARE(countColour(image, sand, 0x808000), 0);
    QVERIFY(countColour(image, clay, 0x808000) > clay.width());
    QCOMPARE(countColour(image, clay, 0xC0C0C0), 0);
    // Upper zone (0 to 5 ft) red, body grey, lower zone (37 to 40 ft) blue, on the axis.
    const auto atDepth = [&](double depth) {
      const tolvane::app::ViewPixel p = g.toPixel({0, depth + g.groundOffset()});
      return image.pixel(p.x, p.y) & 0xFFFFFF;
    };
    QCOMPARE(atDepth(2.5), 0xFF0000u);
    QCOMPARE(atDepth(20), 0x808080u);
    QCOMPARE(atDepth(38.5), 0x0000FFu);
    // Above the ground surface the window background shows.
    const QRgb background = view->Canvas()->palette().color(QPalette::Window).rgb();
    QCOMPARE(image.pixel(view->Canvas()->width() * 8 / 10, g.depthRow(-3)) & 0xFFFFFF,
             background & 0xFFFFFF);
    QVERIFY(view->parentWidget()->grab().save(screenshotPath("elevation-view.png")));

    view->omitHatchesBox()->setChecked(true);
    const QImage plain = view->Canvas()->grab().toImage();
    QCOMPARE(countColour(plain, sand, 0xFFFFFF), sand.width() * sand.height());
    QCOMPARE(countColour(plain, clay, 0xFFFFFF), clay.width() * clay.height());
    const tolvane::app::ViewPixel body = g.toPixel({0, 26});
    QCOMPARE(plain.pixel(body.x, body.y) & 0xFFFFFF, 0x808080u);  // the shaft is unchanged
    QVERIFY(view->parentWidget()->grab().save(screenshotPath("elevation-view-no-hatches.png")));
  }

  void drawsTheBellWiderThanTheShaft() {
    TestHost host;
    host.belledShaftInFourLayers();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const auto& g = view->sideGeometry();
    // Hb = (2.5 - 1)/2 x 4 / tan(30 x 3.1416/180) = 3 / 0.57735 = 5.196 ft; the bell widens
    // from 4 ft to 10 ft over it.
    QCOMPARE(g.Data().size(), size_t{4});
    QVERIFY(std::abs(g.Data()[3].bottomLeft.y - g.Data()[3].TopLeft.y - 5.196) < 0.001);
    QCOMPARE(g.Data()[3].bottomRight.x, 5.0);
    const QImage image = view->Canvas()->grab().toImage();
    const auto colour = [&](double x, double depth) {
      const tolvane::app::ViewPixel p = g.toPixel({x, depth + g.groundOffset()});
      return image.pixel(p.x, p.y) & 0xFFFFFF;
    };
    QCOMPARE(colour(4.0, 49.5), 0x808080u);  // inside the bell near the tip (half-width 4.7)
    QVERIFY(colour(2.5, 43) != 0x808080u);   // beside the body above the bell (half-width 2)
    QCOMPARE(colour(0, 45), 0x808080u);      // the bell on the axis
    QVERIFY(view->parentWidget()->grab().save(screenshotPath("elevation-view-belled.png")));
  }

  void aProjectWithoutLengthGetsTheDeepestLayerBottom() {
    TestHost host;
    host.sandOverClay();
    host.form.Data().PD = 0;
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    QCOMPARE(static_cast<double>(host.form.Data().PD), 60.0);
    // The bell piece ends at the tip: G + 60.
    QCOMPARE(view->sideGeometry().Data().back().bottomLeft.y, 66.0);
  }

  void mouseMoveShowsTheDepthInTheTitle() {
    TestHost host;
    host.sandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const int row = view->sideGeometry().depthRow(12.5);
    QMouseEvent move(QEvent::MouseMove, QPointF(100, row), QPointF(100, row), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->Canvas(), &move);
    // One pixel is a tenth of a foot or more here, so the read-out is 12.5 within a pixel.
    const auto depth = view->sideGeometry().toLogical(100, row);
    QVERIFY(depth.has_value());
    QVERIFY(std::abs(depth->y - 6 - 12.5) < 0.2);
    QVERIFY(view->windowTitle().startsWith(QStringLiteral("  Depth: ")));
    QCOMPARE(view->windowTitle(), QString::fromStdString(tolvane::app::depthReadout(depth->y - 6)));
    QCOMPARE(view->parentWidget()->windowTitle(), view->windowTitle());
  }

  void printsOneLandscapePageToPdf() {
    TestHost host;
    host.sandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    const QString pdf = screenshotPath("elevation-print.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(view->printTo(printer));
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
    tolvane::app::paintSidePrintPage(painter, view->sideGeometry(), page.width(), page.height(),
                                     false, view->palette().color(QPalette::Window), font,
                                     300.0 / 96);
    painter.end();
    // The clay band is hatched inside the frame; the margin outside stays white.
    const tolvane::app::SidePrintLayout layout(3300, 2550, 6, 60);
    const QRect clay(QPoint(1800, layout.pageRow(25)), QPoint(2700, layout.pageRow(55)));
    const int olive = countColour(page, clay, 0x808000);
    QVERIFY(olive > clay.width());
    QVERIFY(olive < clay.width() * clay.height() / 2);  // hatch lines, not a solid fill
    QCOMPARE(countColour(page, QRect(0, 0, 300, 240), 0xFFFFFF), 300 * 240);
    page = page.scaled(1100, 850, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(page.save(screenshotPath("elevation-print-page.png")));
  }

  void aZeroSizedClientAreaDrawsNothingUntilTheNextResize() {
    TestHost host;
    host.sandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    view->Canvas()->resize(0, 200);
    QVERIFY(!view->sideGeometry().hasScale());
    QImage empty(10, 10, QImage::Format_RGB32);
    empty.fill(Qt::white);
    QPainter painter(&empty);
    tolvane::app::paintSideView(painter, view->sideGeometry(), false, Qt::black);
    painter.end();
    QCOMPARE(empty.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);  // nothing drawn, not even the background
    view->Canvas()->resize(400, 300);
    QVERIFY(view->sideGeometry().hasScale());
    const QImage image = view->Canvas()->grab().toImage();
    const tolvane::app::ViewPixel body = view->sideGeometry().toPixel({0, 26});
    QCOMPARE(image.pixel(body.x, body.y) & 0xFFFFFF, 0x808080u);
  }

  void closingRemovesTheWindow() {
    TestHost host;
    host.sandOverClay();
    TDlgSideView* view = Open(host);
    QVERIFY(view != nullptr);
    view->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(tolvane::app::findSideView(host) == nullptr);
    QCOMPARE(host.area.subWindowList().size(), 0);
  }
};

QTEST_MAIN(SideViewWindowTest)
#include "side_view_window_test.moc"
