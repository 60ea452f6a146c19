// Checks that the main window's Data menu opens the data windows, that a second command brings
// the open window back, and that the unit switch refreshes an open window at once.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "main_window.h"
#include "option_windows.h"
#include "soil_layers_window.h"

namespace tolvane::app {

class MainWindowMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void theDataMenuOpensEachWindow() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    window.core().Data().METHOD = 2;
    window.updateEnabling();
    const struct {
      const char* action;
      DataWindow window;
      const char* Caption;
    } commands[] = {
        {"actionTitle", DataWindow::kTitle, "Project Title"},
        {"actionDrilledShaft", DataWindow::kDrilledShaftProperties, "Drilled-Shaft Properties"},
        {"actionSoilLayers", DataWindow::kSoilLayers, "Soil Layers"},
        {"actionFactorOfSafety", DataWindow::kFactorOfSafety, "Factor of Safety (F.S.)"},
        {"actionWaterTable", DataWindow::kWaterTable, "Water Table"},
        {"actionShaftLength", DataWindow::kShaftLength, "Drilled Shaft Length"},
        {"actionMultipleLengths", DataWindow::kMultipleLengths, "Multiple Shaft Lengths"},
        {"actionControlOptions", DataWindow::kControlOptions, "Control Options"},
        {"actionDesignLoad", DataWindow::kDesignLoad, "Specification of Design Load"},
    };
    for (const auto& command : commands) {
      QAction* action = window.action(QString::fromUtf8(command.action));
      QVERIFY2(action != nullptr, command.action);
      action->trigger();
      QWidget* opened = findDataWindow(window, command.window);
      QVERIFY2(opened != nullptr, command.action);
      QCOMPARE(opened->windowTitle(), QString::fromUtf8(command.Caption));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The design-load command closed the shaft-length window.
    QVERIFY(findDataWindow(window, DataWindow::kShaftLength) == nullptr);
    // A second command shows the same window again.
    QWidget* layers = findDataWindow(window, DataWindow::kSoilLayers);
    window.action(QStringLiteral("actionSoilLayers"))->trigger();
    QCOMPARE(findDataWindow(window, DataWindow::kSoilLayers), layers);
    QCOMPARE(window.mdiArea()->activeSubWindow()->widget(), layers);

    // The multiple-lengths window is a window of its own, owned by the main window.
    QWidget* lengths = findDataWindow(window, DataWindow::kMultipleLengths);
    QVERIFY(lengths->isWindow());
    QCOMPARE(lengths->parentWidget(), &window);

    window.grab().save(QStringLiteral(TOLVANE_SCREENSHOT_DIR "/main_window_with_data_windows.png"));
    window.core().project().grids().projectChanged = false;
  }

  void theDesignMethodShowsTheLrfdColumnsOfAnOpenLayerWindow() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    window.action(QStringLiteral("actionSoilLayers"))->trigger();
    auto* layers = qobject_cast<SoilLayersWindow*>(findDataWindow(window, DataWindow::kSoilLayers));
    QVERIFY(layers != nullptr);
    QCOMPARE(layers->Grid()->columnCount(), 5);
    window.action(QStringLiteral("actionLRFD"))->trigger();
    QCOMPARE(window.core().Data().NLRFD, 1);
    QCOMPARE(layers->Grid()->columnCount(), 7);
    window.core().project().grids().projectChanged = false;
  }

  void theUnitSwitchRefreshesAnOpenWindow() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    window.action(QStringLiteral("actionEnglishUnits"))->trigger();
    window.core().Data().WTD = 10;
    window.action(QStringLiteral("actionWaterTable"))->trigger();
    auto* water = qobject_cast<WaterTableWindow*>(findDataWindow(window, DataWindow::kWaterTable));
    QVERIFY(water != nullptr);
    QCOMPARE(water->depthEdit()->text(), QStringLiteral("10"));
    window.action(QStringLiteral("actionSIUnits"))->trigger();
    // 10 ft = 10 / 3.280839895 m = 3.048 m
    QCOMPARE(water->depthEdit()->text(), QStringLiteral("3.048"));
    QCOMPARE(water->depthEdit()->EditLabel()->text(), QStringLiteral("&Depth of water table (m)"));
    window.core().project().grids().projectChanged = false;
    window.action(QStringLiteral("actionEnglishUnits"))->trigger();
    window.core().project().grids().projectChanged = false;
  }
};

}  // namespace tolvane::app

QTEST_MAIN(tolvane::app::MainWindowMenusTest)
#include "main_window_menus_test.moc"
