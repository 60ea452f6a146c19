// The 3D view: its offscreen render checked for the layer colours, the shaft and the diagrams at
// known pixels; the window with the "Show 3D View" menu, the tool buttons and the mouse modes;
// the "Combined Plots" dialog; and the headless render of the program. Saves its screenshots.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <filesystem>

#include "block_offscreen.h"
#include "dlg_block.h"
#include "dlg_pile_diagrams.h"
#include "gl_window.h"
#include "result_plots.h"
#include "view_test_host.h"

using namespace tolvane::app;
using tolvane::app::testing::TestHost;

namespace {

QString screenshotPath(const char* name) {
  std::filesystem::create_directories(TOLVANE_SCREENSHOT_DIR);
  QString file = QLatin1String(name);
  const QString suffix = qEnvironmentVariable("TOLVANE_SCREENSHOT_SUFFIX");
  if (!suffix.isEmpty()) file.replace(QStringLiteral(".png"), suffix + QStringLiteral(".png"));
  return QString::fromUtf8(TOLVANE_SCREENSHOT_DIR) + QLatin1Char('/') + file;
}

// A colour (0..1 channels) as 8-bit channels, within a tolerance.
bool near(QRgb pixel, double r, double g, double b, int tolerance = 3) {
  return std::abs(qRed(pixel) - r * 255) <= tolerance &&
         std::abs(qGreen(pixel) - g * 255) <= tolerance &&
         std::abs(qBlue(pixel) - b * 255) <= tolerance;
}

QString describe(QRgb pixel) {
  return QStringLiteral("(%1, %2, %3)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel));
}

// A face of alpha 0.5 in colour c over a colour below.
double over(double c, double below) {
  return 0.5 * c + 0.5 * below;
}

QPoint pixel(const BlockCamera& camera, Vec3 p, QSize size) {
  const ScreenPoint at = projectToPixel(camera.lastModelView, p, size.width(), size.height());
  return QPoint(static_cast<int>(std::floor(at.x)), static_cast<int>(std::floor(at.y)));
}

// Side, tip and total capacity of a 40 ft shaft: side grows to 300 tons, tip 100, total 400.
void fillCombinedPlot(tolvane::plot::TGraphPlot& plot) {
  plot.SetLineCount(3);
  plot.SetCount(9);
  for (int m = 0; m < 9; ++m) {
    const long double depth = 5.0L * m;
    plot.Data(0, m) = {300.0L * m / 8, depth};
    plot.Data(1, m) = {100.0L, depth};
    plot.Data(2, m) = {300.0L * m / 8 + 100.0L, depth};
  }
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons,
                    modifiers);
  QCoreApplication::sendEvent(widget, &event);
}

}  // namespace

class BlockViewWindowTest : public QObject {
  Q_OBJECT

 private:
  TDlgBlock* Open(TestHost& host) {
    tolvane::app::show3DView(host);
    TDlgBlock* view = find3DView(host);
    if (view != nullptr) {
      view->parentWidget()->resize(700, 560);
      QCoreApplication::processEvents();
    }
    return view;
  }

  BlockSceneInput scene(TestHost& host) {
    BlockSceneInput input;
    input.project = readViewProject(host.form.Data());
    input.extents = GetMaxDims(input.project);
    input.combine = &host.form.plots()[tolvane::app::kPltCombine];
    return input;
  }

 private slots:
  void offscreenRenderShowsLayersShaftAndDiagrams() {
    TestHost host;
    host.sandOverClay();
    fillCombinedPlot(host.form.plots()[tolvane::app::kPltCombine]);
    BlockSceneInput input = scene(host);
    const QSize size(640, 480);
    BlockCamera camera;
    camera.restart(input.extents);
    const OffscreenResult plain = renderBlockOffscreen(input, size, camera);
    if (plain.image.isNull()) {
      QSKIP(qPrintable(QStringLiteral("no OpenGL context for the offscreen render: ") +
                       QString::fromStdString(plain.error)));
    }
    qInfo("OpenGL renderer: %s", plain.renderer.c_str());
    const QImage& image = plain.image;
    QCOMPARE(image.size(), size);
    QVERIFY(near(image.pixel(2, 2), 1, 1, 1, 0));  // white background
    // Fit scale min((640 - 50)/75, (480 - 50)/120) = 3.583 pixels per foot.
    QVERIFY(std::abs(camera.fit - 430.0 / 120) < 1e-12);
    const double x = -0.6 * input.extents.x;
    // Front faces of alpha 0.5 over white: sand (row 0) and clay (row 1) in their colours.
    const QRgb sand = image.pixel(pixel(camera, {x, 0, -16}, size));
    QVERIFY2(near(sand, over(0.8, 1), over(0.55, 1), over(0, 1)), qPrintable(describe(sand)));
    const QRgb clay = image.pixel(pixel(camera, {x, 0, -40}, size));
    QVERIFY2(near(clay, over(0.55, 1), over(0.4, 1), over(0.2, 1)), qPrintable(describe(clay)));
    // The grey shaft body behind the clay's face.
    const QRgb body = image.pixel(pixel(camera, {0, 0, -30}, size));
    QVERIFY2(near(body, over(0.55, 0.25), over(0.4, 0.25), over(0.2, 0.25)),
             qPrintable(describe(body)));
    // Below the deepest layer the background.
    QVERIFY(near(image.pixel(pixel(camera, {x, 0, -65}, size)), 1, 1, 1, 0));
    QVERIFY(image.save(screenshotPath("3d-view-front.png")));

    // The diagrams lie right of the shaft, from x = B to x = B + 2B: reddish, greenish and
    // bluish lines under the translucent faces where there are none without them.
    const auto coloured = [&](const QImage& picture) {
      int count = 0;
      // Below the water table's outline and markers at 10 ft.
      const QPoint from = pixel(camera, {3.5, 0, -13}, size);
      const QPoint to = pixel(camera, {9.5, 0, -36}, size);
      for (int py = from.y(); py <= to.y(); ++py) {
        for (int px = from.x(); px <= to.x(); ++px) {
          const QRgb p = picture.pixel(px, py);
          if (qBlue(p) > qRed(p) + 60 || qRed(p) > qGreen(p) + 120) ++count;
        }
      }
      return count;
    };
    QCOMPARE(coloured(image), 0);
    input.flags.ShowUltimateEffects = true;
    const OffscreenResult diagrams = renderBlockOffscreen(input, size, camera);
    QVERIFY(coloured(diagrams.image) > 20);

    // Turned for looking at: labels, depths and the maximum values.
    input.flags.ShowSoilLayerLabels = true;
    input.flags.ShowSoilLayerDepthLabels = true;
    input.flags.ShowUltimateEffectsValues = true;
    input.flags.UltimateEffectsFactor = 3;
    camera.angleX = 20;
    camera.angleZ = -35;
    const OffscreenResult turned = renderBlockOffscreen(input, QSize(800, 600), camera);
    QVERIFY(!turned.image.isNull());
    QVERIFY(turned.image.save(screenshotPath("3d-view-rotated.png")));
  }

  void offscreenRenderOfABelledShaftInFourLayers() {
    TestHost host;
    host.belledShaftInFourLayers();
    BlockSceneInput input = scene(host);
    input.flags.ShowSoilLayerLabels = true;
    input.flags.ShowSoilLayerDepthLabels = true;
    BlockCamera camera;
    camera.restart(input.extents);
    const QSize size(640, 480);
    const OffscreenResult front = renderBlockOffscreen(input, size, camera);
    if (front.image.isNull()) {
      QSKIP(qPrintable(QStringLiteral("no OpenGL context for the offscreen render: ") +
                       QString::fromStdString(front.error)));
    }
    // X = Y = 12.5 x 4 = 50 ft; rows 2 and 3 take (0.4, 0.4, 0.2) and (0.4, 0.4, 0.55).
    const double x = -0.6 * input.extents.x;
    const QRgb rock = front.image.pixel(pixel(camera, {x, 0, -37}, size));
    QVERIFY2(near(rock, over(0.4, 1), over(0.4, 1), over(0.2, 1)), qPrintable(describe(rock)));
    const QRgb strong = front.image.pixel(pixel(camera, {x, 0, -52}, size));
    QVERIFY2(near(strong, over(0.4, 1), over(0.4, 1), over(0.55, 1)), qPrintable(describe(strong)));
    // The bell (10 ft across at the tip) shows grey beside where the 4 ft body would end.
    const QRgb bell = front.image.pixel(pixel(camera, {3.5, 0, -49.5}, size));
    QVERIFY2(near(bell, over(0.4, 0.25), over(0.4, 0.25), over(0.55, 0.25)),
             qPrintable(describe(bell)));
    QVERIFY(front.image.save(screenshotPath("3d-view-belled-front.png")));
    camera.angleX = 25;
    camera.angleZ = -30;
    const OffscreenResult turned = renderBlockOffscreen(input, QSize(800, 600), camera);
    QVERIFY(turned.image.save(screenshotPath("3d-view-belled-rotated.png")));
  }

  void aNewProjectWithoutDiameterOrDepthDrawsWithoutFaults() {
    // No diameter, no water depth, one layer ending at 0: zero ranges fall back (fit scale 1).
    TestHost host;
    BlockSceneInput input = scene(host);
    BlockCamera camera;
    camera.restart(input.extents);
    const OffscreenResult result = renderBlockOffscreen(input, QSize(320, 240), camera);
    if (result.image.isNull()) {
      QSKIP(qPrintable(QStringLiteral("no OpenGL context for the offscreen render: ") +
                       QString::fromStdString(result.error)));
    }
    QCOMPARE(camera.fit, 1.0);
    QVERIFY(near(result.image.pixel(10, 10), 1, 1, 1, 0));
    // The axes start at the centre of the picture: 80 pixels of blue to the right.
    QVERIFY(near(result.image.pixel(160 + 40, 120), 0, 0, 1, 60));
  }

  void labelsStayInsideThePictureAndClearOfEachOther() {
    // Identity model-view: model (x, y) lies at pixel (100 + x, 50 - y) of a 200 x 100 picture.
    const auto draw = [](const std::vector<SceneLabel>& labels) {
      QImage image(200, 100, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      paintSceneLabels(painter, labels, identityMatrix(), 200, 100);
      painter.end();
      return image;
    };
    const auto darkRows = [](const QImage& image, int fromX) {
      std::vector<int> rows;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = fromX; x < image.width(); ++x) {
          if (qGray(image.pixel(x, y)) < 128) {
            rows.push_back(y);
            break;
          }
        }
      }
      return rows;
    };
    // Near the right edge: drawn, and its last letters reach into the last columns.
    const QImage edge = draw({{"Strong Rock", {95, 0, 0}}});
    QVERIFY(!darkRows(edge, 190).empty());
    QVERIFY(darkRows(edge, 0).size() < 20);  // one line of text
    // Out of the picture: not drawn.
    QVERIFY(darkRows(draw({{"Strong Rock", {120, 0, 0}}}), 0).empty());
    // Two labels at one point: the second one a line lower.
    const std::vector<int> two =
        darkRows(draw({{"300.000", {0, 0, 0}}, {"400.000", {0, 0, 0}}}), 0);
    const std::vector<int> one = darkRows(draw({{"300.000", {0, 0, 0}}}), 0);
    QVERIFY(two.back() - one.back() >= 12);
  }

  void windowOpensWithTheMenuAndToolButtonsAndCloses() {
    TestHost host;
    host.sandOverClay();
    QVERIFY(!host.controls->viewMenuAction()->isVisible());
    TDlgBlock* view = Open(host);
    QVERIFY(view != nullptr);
    QCOMPARE(view->windowTitle(), QStringLiteral("3-D View"));
    QVERIFY(host.controls->viewMenuAction()->isVisible());
    for (QAction* tool : host.controls->toolActions()) QVERIFY(tool->isVisible());
    QCOMPARE(host.controls->toolActions()[0]->toolTip(), QStringLiteral("Panning"));
    QCOMPARE(host.controls->toolActions()[6]->toolTip(), QStringLiteral("Restart View"));
    // The extents of the first activation: X = Y = 12.5 x 3, Dmax 60.
    QCOMPARE(view->extents().x, 37.5);
    QCOMPARE(view->extents().Dmax, 60.0);

    // The menu checks by the flags; "Layer Labels" follows "Soil Layers".
    host.controls->updateMenu();
    const QList<QAction*> items = host.controls->viewMenu()->actions();
    QCOMPARE(items[0]->text(), QStringLiteral("Shaft"));
    QVERIFY(items[0]->isChecked());
    QVERIFY(items[3]->isEnabled());
    items[2]->trigger();  // "Soil Layers" off
    QVERIFY(!view->flags.ShowSoilLayers);
    host.controls->updateMenu();
    QVERIFY(!items[3]->isEnabled());
    QVERIFY(!items[4]->isEnabled());
    QCOMPARE(items.last()->text(), QStringLiteral("Combined Plots"));
    QVERIFY(!items.last()->isEnabled());  // no results loaded

    // Mouse modes, zoom and restart through the tool buttons.
    host.controls->toolActions()[3]->trigger();
    QCOMPARE(view->flags.MouseOption, static_cast<int>(kMouseZoomWindow));
    QVERIFY(view->flags.ZoomWindowBoxEnabled);
    host.controls->toolActions()[2]->trigger();
    QCOMPARE(view->flags.MouseOption, static_cast<int>(kMouseRotating));
    QVERIFY(!view->flags.ZoomWindowBoxEnabled);
    host.controls->toolActions()[4]->trigger();
    QCOMPARE(view->camera().zoom, 1.4142);
    host.controls->toolActions()[6]->trigger();
    QCOMPARE(view->camera().zoom, 1.0);

    // Closing (also from New and Open) hides the menu and the buttons again.
    tolvane::app::Close3DView(host);
    QVERIFY(find3DView(host) == nullptr);  // closing already
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!host.controls->viewMenuAction()->isVisible());
    QVERIFY(!host.controls->toolActions()[0]->isVisible());
    QCOMPARE(host.area.subWindowList().size(), 0);
  }

  void mouseOnTheDrawingControl() {
    TestHost host;
    host.sandOverClay();
    TDlgBlock* view = Open(host);
    QVERIFY(view != nullptr);
    host.controls->toolActions()[2]->trigger();  // "Rotating"
    // Rotating with Shift: a drag mostly across turns about one axis only.
    QWidget* gl = view->glWindow();
    if (gl == nullptr) {
      QVERIFY(!view->findChildren<QLabel*>().isEmpty());
      QVERIFY(view->findChildren<QLabel*>().front()->text().contains(QStringLiteral("OpenGL")));
      QSKIP(
          "no OpenGL context on this platform for the mouse on the drawing control "
          "(block_view_window_test_xvfb runs this under xvfb-run)");
    }
    view->camera().lastModelView = view->camera().modelView(view->extents().Dmax);
    sendMouse(gl, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    sendMouse(gl, QEvent::MouseMove, QPoint(100 + gl->width() / 4, 110), Qt::NoButton,
              Qt::LeftButton, Qt::ShiftModifier);
    sendMouse(gl, QEvent::MouseButtonRelease, QPoint(100 + gl->width() / 4, 110), Qt::LeftButton,
              Qt::NoButton, Qt::ShiftModifier);
    QVERIFY(std::abs(view->camera().angleZ - 22.5) < 0.5);  // a quarter width: 90/4 degrees
    QCOMPARE(view->camera().angleX, 0.0);
    QCOMPARE(view->camera().angleY, 0.0);

    // Zoom window: a box over the upper left quarter zooms by min(w/dx, h/dy).
    host.controls->toolActions()[6]->trigger();
    host.controls->toolActions()[3]->trigger();
    view->camera().lastModelView = view->camera().modelView(view->extents().Dmax);
    const QPoint corner(gl->width() / 2, gl->height() / 2);
    sendMouse(gl, QEvent::MouseButtonPress, QPoint(0, 0), Qt::LeftButton, Qt::LeftButton);
    QVERIFY(view->camera().zoomBoxVisible);
    sendMouse(gl, QEvent::MouseMove, corner, Qt::NoButton, Qt::LeftButton);
    // The box is drawn in green from the press point to the pointer.
    const QImage boxed = view->glWindow()->grabFramebuffer();
    const QRgb edge = boxed.pixel(corner.x() / 2, corner.y());
    QVERIFY2(qGreen(edge) > 200 && qRed(edge) < 60 && qBlue(edge) < 60, qPrintable(describe(edge)));
    QVERIFY(boxed.save(screenshotPath("3d-view-zoom-box.png")));
    sendMouse(gl, QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!view->camera().zoomBoxVisible);
    QVERIFY(std::abs(view->camera().zoom - 2.0) < 0.01);  // half sizes rounded down
  }

  void windowDrawsWhereAContextExists() {
    TestHost host;
    host.sandOverClay();
    TDlgBlock* view = Open(host);
    QVERIFY(view != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(view->parentWidget()));
    QCoreApplication::processEvents();
    const QImage image =
        view->glWindow() != nullptr ? view->glWindow()->grabFramebuffer() : QImage();
    if (view->glWindow() == nullptr || !view->glWindow()->hasContext() || image.isNull()) {
      QSKIP(
          "the platform gives the OpenGL widget no context (the offscreen platform has none; "
          "block_view_window_test_xvfb runs this under xvfb-run)");
    }
    const QSize size = image.size();
    const QRgb sand = image.pixel(pixel(view->camera(), {-0.6 * view->extents().x, 0, -16}, size));
    QVERIFY2(near(sand, over(0.8, 1), over(0.55, 1), over(0, 1)), qPrintable(describe(sand)));
    // The frame with the drawing control's picture as the screen shows it (a widget grab leaves
    // out the labels that Qt paints into the OpenGL framebuffer).
    QPixmap shot = view->parentWidget()->grab();
    QPainter painter(&shot);
    painter.drawImage(view->glWindow()->mapTo(view->parentWidget(), QPoint(0, 0)), image);
    painter.end();
    QVERIFY(shot.save(screenshotPath("3d-view-window.png")));
  }

  void combinedPlotsDialogStepsTheSizeFactor() {
    TestHost host;
    host.sandOverClay();
    TDlgBlock* view = Open(host);
    QVERIFY(view != nullptr);
    view->UltimateEffectsWindow();
    TDlgPileDiagrams* dialog = view->pileDiagrams();
    QVERIFY(dialog != nullptr);
    QVERIFY(view->UltimateEffectsExists());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Combined Plots"));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Inside the main window's bottom and right edges.
    const QRect frame = host.area.frameGeometry();
    QVERIFY(dialog->frameGeometry().right() <= frame.right());
    QVERIFY(dialog->frameGeometry().bottom() <= frame.bottom());
    // Everything but "Show Plots" waits for "Show Plots".
    QVERIFY(!dialog->showPlots()->isChecked());
    QVERIFY(!dialog->skinFriction()->isEnabled());
    QVERIFY(!dialog->sizeFactor()->isEnabled());
    dialog->showPlots()->setChecked(true);
    QVERIFY(view->flags.ShowUltimateEffects);
    QVERIFY(dialog->skinFriction()->isEnabled());
    QCOMPARE(dialog->sizeFactor()->text(), QStringLiteral("1"));
    dialog->sizeUp()->click();
    QCOMPARE(dialog->sizeFactor()->text(), QStringLiteral("2"));
    QCOMPARE(view->flags.UltimateEffectsFactor, 2.0);
    dialog->sizeDown()->click();
    dialog->sizeDown()->click();
    QCOMPARE(dialog->sizeFactor()->text(), QStringLiteral("0.9"));
    dialog->tipResistance()->setChecked(false);
    QVERIFY(!view->flags.ShowTipResistance);
    dialog->designEffects()->setChecked(true);
    QCOMPARE(view->flags.ShowUltimateResults, 1);
    // A text that is no number leaves the factor as it was.
    QTest::keyClicks(dialog->sizeFactor(), QStringLiteral("x"));
    QCOMPARE(view->flags.UltimateEffectsFactor, 0.9);
    QVERIFY(dialog->factorError()->text().contains(QStringLiteral("not a valid")));
    dialog->sizeFactor()->clear();
    QTest::keyClicks(dialog->sizeFactor(), QStringLiteral("2.5"));
    QCOMPARE(view->flags.UltimateEffectsFactor, 2.5);
    QVERIFY(dialog->factorError()->text().isEmpty());
    QVERIFY(dialog->grab().save(screenshotPath("combined-plots-dialog.png")));
    // Closing frees the dialog.
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!view->UltimateEffectsExists());
  }

  void headlessRenderOfTheProgram() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("sand-over-clay.tv9d"));
    QVERIFY(QFile::copy(QStringLiteral(TOLVANE_EXAMPLES_DIR "/sand-over-clay.tv9d"), project));
    const auto run = [&](const QStringList& args) {
      QProcess process;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
      environment.remove(QStringLiteral("DISPLAY"));
      process.setProcessEnvironment(environment);
      process.setWorkingDirectory(dir.path());
      process.start(QStringLiteral(TOLVANE_PROGRAM), args);
      process.waitForFinished(120000);
      return std::make_pair(process.exitCode(),
                            QString::fromLocal8Bit(process.readAllStandardError()));
    };
    QCOMPARE(run({QStringLiteral("--run"), project}).first, 0);
    const QString elevation = dir.filePath(QStringLiteral("elevation.png"));
    QCOMPARE(run({QStringLiteral("--view"), QStringLiteral("elevation"), project,
                  QStringLiteral("--out"), elevation})
                 .first,
             0);
    QCOMPARE(QImage(elevation).size(), QSize(800, 600));
    const QString block = dir.filePath(QStringLiteral("block.png"));
    const auto [code, message] =
        run({QStringLiteral("--view"), QStringLiteral("3d"), project, QStringLiteral("--out"),
             block, QStringLiteral("--size"), QStringLiteral("400x300")});
    if (code == 69) {
      QVERIFY(message.contains(QStringLiteral("no OpenGL context")));
    } else {
      QCOMPARE(code, 0);
      const QImage image(block);
      QCOMPARE(image.size(), QSize(400, 300));
      QVERIFY(near(image.pixel(1, 1), 1, 1, 1, 0));
    }
    // Every example, analysed first so that the 3D view shows its capacity diagrams.
    const QDir examples(QStringLiteral(TOLVANE_EXAMPLES_DIR));
    for (const QString& name : examples.entryList({QStringLiteral("*.tv9d")}, QDir::Files)) {
      const QString copy = dir.filePath(QStringLiteral("example-") + name);
      QVERIFY(QFile::copy(examples.filePath(name), copy));
      QCOMPARE(run({QStringLiteral("--run"), copy}).first, 0);
      const QString stem = QFileInfo(name).completeBaseName();
      for (const char* kind : {"elevation", "3d"}) {
        const QString shot = screenshotPath(
            qPrintable(QStringLiteral("example-%1-%2.png").arg(stem, QLatin1String(kind))));
        const int result = run({QStringLiteral("--view"), QLatin1String(kind), copy,
                                QStringLiteral("--out"), shot})
                               .first;
        QVERIFY(result == 0 || (result == 69 && QLatin1String(kind) == QLatin1String("3d")));
      }
    }
    QCOMPARE(run({QStringLiteral("--view"), QStringLiteral("plan"), project}).first, 64);
    QCOMPARE(run({QStringLiteral("--view"), QStringLiteral("3d"), project}).first, 64);
    QCOMPARE(run({QStringLiteral("--view"), QStringLiteral("3d"), project, QStringLiteral("--out"),
                  block, QStringLiteral("--size"), QStringLiteral("0x300")})
                 .first,
             64);
    QCOMPARE(run({QStringLiteral("--view"), QStringLiteral("elevation"),
                  dir.filePath(QStringLiteral("missing.tv9d")), QStringLiteral("--out"), block})
                 .first,
             66);
  }
};

QTEST_MAIN(BlockViewWindowTest)
#include "block_view_window_test.moc"
