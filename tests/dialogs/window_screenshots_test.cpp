// Saves a picture of every data window, each soil-parameter page included, under the build's
// screenshots folder, with values in them as a user would have entered them.
#include <QDir>
#include <QMdiSubWindow>
#include <QtTest>

#include "option_windows.h"
#include "pile_properties_window.h"
#include "soil_layer_rules.h"
#include "soil_layers_window.h"
#include "soil_parameter_dialog.h"
#include "table_form.h"
#include "test_host.h"

namespace tolvane::app::testing {

class WindowScreenshotsTest : public QObject {
  Q_OBJECT

  static void Save(QWidget* widget, const QString& name) {
    QVERIFY(widget != nullptr);
    QWidget* shown = widget;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget())) shown = sub;
    shown->adjustSize();
    QCoreApplication::processEvents();
    QDir().mkpath(QStringLiteral(TOLVANE_SCREENSHOT_DIR));
    const QPixmap picture = shown->grab();
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() > 100 && picture.height() > 50);
    QVERIFY(picture.save(QStringLiteral(TOLVANE_SCREENSHOT_DIR "/") + name + ".png"));
  }

  static void sampleProfile(TestHost& host) {
    ProjectGrids& grids = host.grids();
    addLayer(grids);
    changeSoilType(grids, 1, kClay);
    grids.D().SetFloatValue(kColBottomDepth, 0, 20);
    grids.D().SetFloatValue(kColBottomDepth, 1, 60);
    grids.layerTable(0)->SetFloatValue(0, kTopRow, 115);
    grids.layerTable(0)->SetFloatValue(0, kBottomRow, 120);
  }

 private slots:
  void soilLayers() {
    for (const bool lrfd : {false, true}) {
      TestHost host;
      host.Data().NLRFD = lrfd ? 1 : 2;
      sampleProfile(host);
      showDataWindow(host, DataWindow::kSoilLayers);
      Save(host.dataWindow<QWidget>(DataWindow::kSoilLayers),
           lrfd ? QStringLiteral("soil_layers_lrfd") : QStringLiteral("soil_layers"));
    }
  }

  void soilParameterPages() {
    const struct {
      int32_t type;
      int method;
      const char* name;
    } pages[] = {
        {kSand, 2, "soil_page_sand"},
        {kClay, 1, "soil_page_clay"},
        {kShale, 0, "soil_page_shale"},
        {kStrongRockSideOrEnd, 0, "soil_page_rock"},
        {kDecomposedRock, 0, "soil_page_decomposed_rock"},
        {kWeakRock, 0, "soil_page_weak_rock"},
        {kGravel, 0, "soil_page_gravel"},
        {kCfaSand, 3, "soil_page_sand_cfa"},
        {kCfaClay, 3, "soil_page_clay_cfa"},
    };
    for (const auto& page : pages) {
      TestHost host;
      changeSoilType(host.grids(), 0, page.type);
      grid::TGridTable& table = *host.grids().layerTable(0);
      const int unitWeight = soilPageFor(page.type).fields.front().column;
      table.SetFloatValue(unitWeight, kTopRow, 110);
      table.SetFloatValue(unitWeight, kBottomRow, 115);
      const int methodColumn = soilPageFor(page.type).methodColumn;
      if (page.method > 0 && methodColumn >= 0) {
        table.SetIntValue(methodColumn, kTopRow, page.method);
        table.SetIntValue(methodColumn, kBottomRow, page.method);
      }
      SoilParameterDialog dialog(host, 0, host.frame());
      dialog.show();
      Save(&dialog, QString::fromUtf8(page.name));
      dialog.close();
    }
  }

  void pileProperties() {
    TestHost host;
    host.Data().DSTART = 3;
    host.Data().DIALIM = 6;
    host.Data().RATIO = 3;
    host.Data().BELANGL = 45;
    host.Data().TOPLENG = 5;
    host.Data().BS = 3;
    host.Data().EPILE = 4000000;
    host.Data().PD = 40;
    showDataWindow(host, DataWindow::kDrilledShaftProperties);
    Save(host.dataWindow<QWidget>(DataWindow::kDrilledShaftProperties),
         QStringLiteral("drilled_shaft_properties"));
    showDataWindow(host, DataWindow::kCfaPileProperties);
    Save(host.dataWindow<QWidget>(DataWindow::kCfaPileProperties),
         QStringLiteral("cfa_pile_properties"));
  }

  void optionWindows() {
    TestHost host;
    host.Data().PD = 60;
    host.Data().PDMIN = 20;
    host.Data().PDINCR = 5;
    host.Data().IPENT = 1;
    host.Data().IChart = 1;
    host.Data().Title = "Bridge over Kestrel Creek, pier 4";
    const struct {
      DataWindow window;
      const char* name;
    } windows[] = {
        {DataWindow::kTitle, "project_title"},
        {DataWindow::kFactorOfSafety, "factor_of_safety"},
        {DataWindow::kWaterTable, "water_table"},
        {DataWindow::kShaftLength, "shaft_length"},
        {DataWindow::kDesignLoad, "design_load"},
        {DataWindow::kMultipleLengths, "multiple_lengths"},
        {DataWindow::kDesignCharts, "design_charts"},
        {DataWindow::kControlOptions, "control_options"},
    };
    for (const auto& window : windows) {
      showDataWindow(host, window.window);
      Save(host.dataWindow<QWidget>(window.window), QString::fromUtf8(window.name));
    }
  }

  void depthTable() {
    TestHost host;
    grid::TGridTable& depths = host.grids().TblTZDepth();
    depths.SetRowCount(3);
    depths.SetFloatValue(0, 0, 10);
    depths.SetFloatValue(0, 1, 20);
    depths.SetFloatValue(0, 2, 35.5L);
    grid::TableWindowFactory factory(host.frame(), host);
    depths.registry().windowFactory = &factory;
    depths.Show();
    grid::TTableForm* form = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* candidate = qobject_cast<grid::TTableForm*>(widget);
          candidate && candidate->isVisible()) {
        form = candidate;
      }
    }
    QVERIFY(form != nullptr);
    QCOMPARE(form->RowsVisible(), 3);
    form->show();
    QCoreApplication::processEvents();
    const QPixmap picture = form->grab();
    QVERIFY(picture.save(QStringLiteral(TOLVANE_SCREENSHOT_DIR "/depth_table.png")));
    depths.Hide();
    depths.registry().windowFactory = nullptr;
  }
};

}  // namespace tolvane::app::testing

QTEST_MAIN(tolvane::app::testing::WindowScreenshotsTest)
#include "window_screenshots_test.moc"
