// Checks the main window: its menus, captions and tool buttons, the enabling rules, check marks
// and radio groups, the window title, ask-to-save, the recent list, and the settings kept from
// one start to the next.
#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

#include "main_window.h"
#include "window_rules.h"
#include "window_test_support.h"

namespace tolvane::app {
namespace {

using testing::AnswerMessageBoxes;

QStringList Captions(const QList<QAction*>& actions) {
  QStringList captions;
  for (const QAction* action : actions) {
    if (!action->isSeparator()) captions << action->text();
  }
  return captions;
}

QMenu* Menu(TMainWindow& window, const QString& name) {
  return window.findChild<QMenu*>(name);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { testing::ClearProgramSettings(); }

  void startsWithTheNewProject() {
    TMainWindow window(TOLVANE_PROGRAM_DIR);
    window.Start(QString());
    QCOMPARE(window.windowTitle(), QString("TOLVANE 2023.9.02 - NewTolvane"));
    QCOMPARE(QString::fromStdString(window.Core().Data().FileName), QString("NewTolvane.tv9d"));
    QCOMPARE(QString::fromStdString(window.Core().Data().Title), QString("New Pile"));
  }

  void menusHaveTheirCaptions() {
    TMainWindow window(TOLVANE_PROGRAM_DIR);
    window.Start(QString());
    QCOMPARE(Captions(window.menuBar()->actions()),
             QStringList({"&File", "&Data", "&Computation", "&Graphics", "&Window", "&Help"}));
    QStringList file = Captions(Menu(window, "menuFile")->actions());
    // The ten recent items sit between Save As and Exit; without recent files they are empty.
    file.removeAll(QString());
    QCOMPARE(file, QStringList({"&New", "&Open...", "&Save", "Save &As...", "E&xit"}));
    QCOMPARE(Captions(Menu(window, "menuData")->actions()),
             QStringList({"&Title", "&Units", "Design Method (ASD or LRFD)",
                          "&Drilled-Shaft/CFA PIle Properties", "Soil &Layer Data",
                          "&Factor of Safety (Allowable Stress Design)", "&Computation Methods",
                          "&Water Table", "Evaluate Multiple Shaft Lengths",
                          "ASD/LRFD Design Charts", "Control &Options..."}));
    QCOMPARE(Captions(Menu(window, "menuComputation")->actions()),
             QStringList({"&Run Analysis", "View I&nput Text", "View &Processor-Run Notes",
                          "View &Output Text", "&View Shaft Elevation", "3D View",
                          "Multi-File Analysis (Batch Run)"}));
    QCOMPARE(
        Captions(Menu(window, "menuHelp")->actions()),
        QStringList({"&User's Manual", "&Technical Manual", "&About...", "&Check for Updates"}));
    // The combined items are captioned as the menu shows them once it has opened.
    const QStringList graphics = Captions(Menu(window, "menuGraphics")->actions());
    QCOMPARE(graphics.mid(0, 16),
             QStringList(
                 {"Ultimate &Skin Friction vs Depth", "Ultimate &Tip Resistance vs Depth",
                  "Ultimate Total &Capacity vs Depth", "Combined Plots vs Depth (Initial Diameter)",
                  "ASD/LRFD Skin Friction vs Depth ", "ASD/LRFD Tip Resistance vs Depth ",
                  "ASD/LRFD Total Capacity vs Depth", "Combined Plots vs Depth (initial diameter)",
                  "Axial Load vs Settlement (averaged)", "Axial Load vs Settlement (upper bound)",
                  "Axial Load vs Settlement (lower bound)",
                  "Combined Plots of Load vs Settlement (Initial Diameter)",
                  "t-z curves (averaged, initial diameter)", "Q-w curves (averaged)",
                  "Additional t-z curves (averaged, initial diameter)",
                  "Load Distribution (averaged, initial diameter)"}));
    QCOMPARE(graphics.last(), QString("Export Plots to Excel"));
    QCOMPARE(graphics.size(), 16 + 10 + 1);
  }

  void toolButtonsHaveTheirHints() {
    TMainWindow window(TOLVANE_PROGRAM_DIR);
    window.Start(QString());
    QStringList hints;
    for (const QAction* action : window.ToolBar()->actions()) {
      if (!action->isSeparator()) hints << action->toolTip();
    }
    QCOMPARE(hints, QStringList({"New File",
                                 "Open File",
                                 "Save File",
                                 "Title",
                                 "Drilled Shaft Properties",
                                 "CFA Pile Properties",
                                 "Soil Layer Data",
                                 "Factor of Safety (ASD)",
                                 "Run Data File",
                                 "View Output",
                                 "View Soil Profile",
                                 "3D View",
                                 "Skin Friction Plot (Ultimate)",
                                 "Tip Resistance Plot (Ultimate)",
                                 "Total Capacity Plot (Ultimate)",
                                 "Combined Plot (Ultimate)",
                                 "Skin Friction Plot (LRFD/ASD)",
                                 "Tip Resistance Plot (LRFD/ASD)",
                                 "Total Capacity Plot (LRFD/ASD)",
                                 "Combined Plot (LRFD/ASD)",
                                 "Load vs. Settlement (averaged)",
                                 "Load vs. Settlement (upper bound)",
                                 "Load vs. Settlement (lower bound)",
                                 "Load vs. Settlement (Combine)",
                                 "t-z curves",
                                 "Q-w curves",
                                 "Additional t-z curves",
                                 "Load Distribution"}));
    for (const QAction* action : window.ToolBar()->actions()) {
      if (!action->isSeparator()) QVERIFY2(!action->icon().isNull(), qPrintable(action->toolTip()));
    }
  }

  void aNewProjectOffersNoResults() {
    TMainWindow window(TOLVANE_PROGRAM_DIR);
    window.Start(QString());
    QVERIFY(!window.Action("buttonViewOutput")->isEnabled());
    for (int plot = 0; plot < 16; ++plot) {
      QVERIFY(!window.Action(QString("buttonPlot%1").arg(plot))->isEnabled());
      QVERIFY(!window.Action(QString("actionPlot%1").arg(plot))->isEnabled());
    }
    QVERIFY(!window.Action("actionExportToExcel")->isEnabled());
    // No design charts are asked for: their items are hidden.
    for (int chart = 16; chart < 26; ++chart) {
      QVERIFY(!window.Action(QString("actionPlot%1").arg(chart))->isVisible());
    }
    QVERIFY(!window.Action("actionViewInput")->isEnabled());
    QVERIFY(!window.Action("actionViewOutput")->isEnabled());
  }
};

}  // namespace tolvane::app

QTEST_MAIN(tolvane::app::MainWindowTest)
#include "main_window_test.moc"
