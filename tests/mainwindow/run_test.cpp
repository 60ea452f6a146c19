// Checks the Run command end to end in the window: the example project opened, the Run action
// triggered, the completion message, the plot commands enabled afterwards, the busy state gone;
// and the screenshot of the main window with the example open.
#include <QAction>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <QToolBar>
#include <QtTest>

#include "main_window.h"
#include "window_test_support.h"

namespace tolvane::app {
namespace {

using testing::answerMessageBoxes;

// The sand-over-clay example reports the capacity plots and all three settlement lines.
constexpr int kCapacityAndSettlementPlots = kPltCombinedSettle + 1;

}  // namespace

class RunTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { testing::clearProgramSettings(); }
  void cleanup() { testing::endAnswers(); }

  void runEnablesThePlotCommands() {
    testing::ScratchProjects scratch;
    const QString project = scratch.copyExample("sand-over-clay.tv9d");
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(project);
    QVERIFY(!window.action("buttonPlot0")->isEnabled());
    QVERIFY(!window.action("buttonViewOutput")->isEnabled());

    // Busy while the engine runs: sampled from the event loop that waits for it.
    bool seenBusy = false;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
      if (window.runInProgress()) {
        seenBusy = seenBusy ||
                   (!window.menuBar()->isEnabled() && QApplication::overrideCursor() != nullptr);
      }
    });
    sampler.start(0);
    auto answers = answerMessageBoxes(QMessageBox::Ok);
    window.action("actionRun")->trigger();
    sampler.stop();
    QCOMPARE(answers->texts,
             QStringList({"Computations are completed.\nPlease, check output file for results "
                          "or error messages."}));
    QCOMPARE(answers->titles, QStringList({"Information"}));
    Q_UNUSED(seenBusy);  // a short run may end before the first sample

    QVERIFY(window.core().flags.ShowOutput);
    QVERIFY(window.core().Data().ID2 != 0);
    for (int plot = 0; plot < kCapacityAndSettlementPlots; ++plot) {
      QVERIFY2(window.action(QString("buttonPlot%1").arg(plot))->isEnabled(),
               qPrintable(QString::number(plot)));
      QVERIFY2(window.action(QString("actionPlot%1").arg(plot))->isEnabled(),
               qPrintable(QString::number(plot)));
    }
    // The curve plots follow what the plot-data file held.
    QCOMPARE(window.action("buttonPlot12")->isEnabled(), window.core().flags.showtzcurves);
    QCOMPARE(window.action("buttonPlot13")->isEnabled(), window.core().flags.showtzcurves);
    QCOMPARE(window.action("buttonPlot15")->isEnabled(), window.core().flags.showloadcurves);
    QCOMPARE(window.action("buttonPlot14")->isEnabled(),
             window.core().Data().PrintTZCurves == 1 &&
                 window.core().plots()[kPltTzAdd].LineCount() > 0);
    QVERIFY(window.action("buttonViewOutput")->isEnabled());
    QVERIFY(window.action("actionExportToExcel")->isEnabled());
    Q_EMIT window.findChild<QMenu*>("menuComputation")->aboutToShow();
    QVERIFY(window.action("actionViewOutput")->isEnabled());
    QVERIFY(window.action("actionViewRunNotes")->isEnabled());

    // The run is over: input again, no hourglass, scratch files and names.dat gone.
    QVERIFY(!window.runInProgress());
    QVERIFY(window.menuBar()->isEnabled());
    QVERIFY(window.toolBar()->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(!QFile::exists(scratch.path("names.dat")));
    QVERIFY(!QFile::exists(scratch.path("sand-over-clay.tv9w")));
    QVERIFY(QFile::exists(scratch.path("sand-over-clay.tv9o")));
    QCOMPARE(QDir::currentPath(), scratch.folder());
  }

  void whileTheEngineRunsNothingElseCan() {
    testing::ScratchProjects scratch;
    const QString project = scratch.copyExample("sand-over-clay.tv9d");
    const QString other = scratch.copyExample("sand-over-clay.tv9d", "other.tv9d");
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(project);
    window.show();
    struct {
      bool worker_thread = false;
      bool busy = false;
      bool hourglass = false;
      bool commands_off = true;
      bool dropped = true;
      bool closed = true;
    } seen;
    // Stands in for the engine call: it runs on the worker and looks at the window from the
    // window's own thread, which keeps handling events meanwhile.
    const EngineCall call = window.core().engineRunner([&] {
      seen.worker_thread = QThread::currentThread() != qApp->thread();
      QMetaObject::invokeMethod(
          &window,
          [&] {
            seen.busy = window.runInProgress();
            seen.hourglass = QApplication::overrideCursor() != nullptr &&
                             QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            for (const char* name : {"actionNew", "actionOpen", "actionSave", "actionRun",
                                     "actionExit", "buttonRun", "actionSIUnits"}) {
              seen.commands_off = seen.commands_off && !window.action(name)->isEnabled();
            }
            seen.dropped = window.dropFiles({QUrl::fromLocalFile(other)});
            seen.closed = window.close();
          },
          Qt::BlockingQueuedConnection);
      return EngineCall{EngineCallStatus::kCalled, 0};
    });
    QCOMPARE(call.status, EngineCallStatus::kCalled);
    QVERIFY(seen.worker_thread);
    QVERIFY(seen.busy);
    QVERIFY(seen.hourglass);
    QVERIFY(seen.commands_off);
    QVERIFY(!seen.dropped);
    QVERIFY(!seen.closed);
    QCOMPARE(QString::fromStdString(window.core().Data().FileName), project);
    // Afterwards the commands are back and the cursor is the user's again.
    QVERIFY(!window.runInProgress());
    QVERIFY(window.action("actionNew")->isEnabled());
    QVERIFY(window.action("actionRun")->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(window.isVisible());
  }

  void aNewProjectIsNotRun() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    // Save As is offered first; cancelling it runs nothing.
    testing::cancelFileDialog();
    window.action("buttonRun")->trigger();
    QVERIFY(!window.core().flags.ShowOutput);
    QVERIFY(!window.action("buttonPlot0")->isEnabled());
    QCOMPARE(QString::fromStdString(window.core().Data().FileName), QString("NewTolvane.tv9d"));
  }

  void aMissingEngineIsReported() {
    testing::ScratchProjects scratch;
    QTemporaryDir emptyProgramDir;
    TMainForm window(emptyProgramDir.path().toStdString());
    window.start(scratch.copyExample("sand-over-clay.tv9d"));
    auto answers = answerMessageBoxes(QMessageBox::Ok, 2);
    window.action("actionRun")->trigger();
    QCOMPARE(answers->texts.size(), 2);
    QVERIFY2(answers->texts[0].startsWith("Error Loading Library, error code = "),
             qPrintable(answers->texts[0]));
    QCOMPARE(answers->texts[1], QString("Attempt to initialize DLL failed"));
    QVERIFY(!window.action("buttonPlot0")->isEnabled());
    QVERIFY(window.menuBar()->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void screenshotOfTheMainWindow() {
    testing::ScratchProjects scratch;
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(scratch.copyExample("sand-over-clay.tv9d"));
    auto answers = answerMessageBoxes(QMessageBox::Ok);
    window.action("actionRun")->trigger();
    QCOMPARE(answers->texts.size(), 1);
    window.resize(1180, 720);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString file = QString(TOLVANE_SCREENSHOT_DIR) + "/main-window.png";
    QVERIFY(window.grab().save(file));
    QVERIFY(QFileInfo(file).size() > 0);
    // The Graphics and Data menus as they open after the run.
    for (const char* name : {"menuGraphics", "menuData", "menuComputation"}) {
      QMenu* const menu = window.findChild<QMenu*>(name);
      menu->popup(window.mapToGlobal(QPoint(40, 30)));
      QVERIFY(QTest::qWaitForWindowExposed(menu));
      QVERIFY(menu->grab().save(QString(TOLVANE_SCREENSHOT_DIR) + "/" + name + ".png"));
      menu->hide();
    }
  }
};

}  // namespace tolvane::app

QTEST_MAIN(tolvane::app::RunTest)
#include "run_test.moc"
