// The plot commands of the main window end to end: after a run of the example, the Graphics
// tool button opens the plot window inside the main window and the export command the
// "Export to Excel" window with the plots that have results.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "export_window.h"
#include "main_window.h"
#include "plot_form.h"

namespace {

const QString kExample = "sand-over-clay.tv9d";

}  // namespace

class PlotMainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void graphicsCommandsOpenThePlotWindows() {
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QString(TOLVANE_EXAMPLES_DIR) + "/" + kExample, dir.filePath(kExample)));
    QFile(dir.filePath(kExample)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QProcess run;
    run.setWorkingDirectory(dir.path());
    run.start(TOLVANE_PROGRAM, {"--run", kExample});
    QVERIFY(run.waitForFinished(120000));
    QCOMPARE(run.exitCode(), 0);

    tolvane::app::TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(dir.filePath(kExample));
    window.resize(1100, 780);
    window.show();
    QVERIFY(window.core().flags.ShowOutput);
    QVERIFY(window.action("buttonPlot0")->isEnabled());
    window.action("buttonPlot0")->trigger();
    QMdiSubWindow* sub = window.mdiArea()->activeSubWindow();
    QVERIFY(sub != nullptr);
    auto* form = qobject_cast<tolvane::plot::TPlotForm*>(sub->widget());
    QVERIFY(form != nullptr);
    QCOMPARE(form->plot().Caption, std::string("Ultimate Skin Friction vs Depth"));
    QVERIFY(sub->isMaximized());
    QApplication::processEvents();
    // The read-out of the mouse shows in the title of the maximised child's frame.
    const tolvane::plot::PixelRect g = form->screenArea().GraphArea;
    QTest::mouseMove(form->Canvas(), QPoint((g.Left + g.Right) / 2, (g.Top + g.Bottom) / 2));
    QVERIFY(form->windowTitle().startsWith("Ultimate Skin Friction vs Depth X: "));
    QVERIFY(window.windowTitle().contains("[Ultimate Skin Friction vs Depth X: "));
    QDir().mkpath(TOLVANE_SCREENSHOT_DIR);
    QVERIFY(window.grab().save(QString(TOLVANE_SCREENSHOT_DIR) + "/main-window-plot.png"));

    window.action("actionExportToExcel")->trigger();
    auto* excel = window.findChild<tolvane::plot::TDlgExport*>();
    QVERIFY(excel != nullptr);
    QCOMPARE(excel->list()->count(), 15);
    excel->close();
    window.mdiArea()->closeAllSubWindows();
    QTRY_VERIFY(!window.core().plots()[tolvane::app::kPltSkin].FormExists);
  }
};

QTEST_MAIN(PlotMainWindowTest)
#include "plot_main_window_test.moc"
