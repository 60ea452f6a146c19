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

using testing::AnswerMessageBoxes;

// The sand-over-clay example reports the capacity plots and all three settlement lines.
constexpr int kCapacityAndSettlementPlots = kPltCombinedSettle + 1;

}  // namespace

class RunTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { testing::ClearProgramSettings(); }
  void cleanup() { testing::EndAnswers(); }

  void runEnablesThePlotCommands() {
    testing::TScratchProjects scratch;
    const QString project = scratch.Copy("sand-over-clay.tv9d");
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.Start(project);
    QVERIFY(!window.Action("buttonPlot0")->isEnabled());
    QVERIFY(!window.Action("buttonViewOutput")->isEnabled());

    // Busy while the engine runs: sampled from the event loop that waits for it.
    bool seen_busy = false;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
      if (window.RunInProgress()) {
        seen_busy = seen_busy ||
                    (!window.menuBar()->isEnabled() && QApplication::overrideCursor() != nullptr);
      }
    });
    sampler.start(0);
    auto answers = AnswerMessageBoxes(QMessageBox::Ok);
    window.Action("actionRun")->trigger();
    sampler.stop();
    QCOMPARE(answers->texts,
             QStringList({"Computations are completed.\nPlease, check output file for results "
                          "or error messages."}));
    QCOMPARE(answers->titles, QStringList({"Information"}));
    Q_UNUSED(seen_busy);  // a short run may end before the first sample

    QVERIFY(window.Core().Flags.ShowOutput);
    QVERIFY(window.Core().Data().ID2 != 0);
    for (int plot = 0; plot < kCapacityAndSettlementPlots; ++plot) {
      QVERIFY2(window.Action(QString("buttonPlot%1").arg(plot))->isEnabled(),
               qPrintable(QString::number(plot)));
      QVERIFY2(window.Action(QString("actionPlot%1").arg(plot))->isEnabled(),
               qPrintable(QString::number(plot)));
    }
    // The curve plots follow what the plot-data file held.
    QCOMPARE(window.Action("buttonPlot12")->isEnabled(), window.Core().Flags.showtzcurves);
    QCOMPARE(window.Action("buttonPlot13")->isEnabled(), window.Core().Flags.showtzcurves);
    QCOMPARE(window.Action("buttonPlot15")->isEnabled(), window.Core().Flags.showloadcurves);
    QCOMPARE(window.Action("buttonPlot14")->isEnabled(),
             window.Core().Data().PrintTZCurves == 1 &&
                 window.Core().Plots()[kPltTzAdd].LineCount() > 0);
    QVERIFY(window.Action("buttonViewOutput")->isEnabled());
    QVERIFY(window.Action("actionExportToExcel")->isEnabled());
    Q_EMIT window.findChild<QMenu*>("menuComputation")->aboutToShow();
    QVERIFY(window.Action("actionViewOutput")->isEnabled());
    QVERIFY(window.Action("actionViewRunNotes")->isEnabled());

    // The run is over: input again, no hourglass, scratch files and names.dat gone.
    QVERIFY(!window.RunInProgress());
    QVERIFY(window.menuBar()->isEnabled());
    QVERIFY(window.ToolBar()->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(!QFile::exists(scratch.Path("names.dat")));
    QVERIFY(!QFile::exists(scratch.Path("sand-over-clay.tv9w")));
    QVERIFY(QFile::exists(scratch.Path("sand-over-clay.tv9o")));
    QCOMPARE(QDir::currentPath(), scratch.Folder());
  }

  void whileTheEngineRunsNothingElseCan() {
    testing::TScratchProjects scratch;
    const QString project = scratch.Copy("sand-over-clay.tv9d");
    const QString other = scratch.Copy("sand-over-clay.tv9d", "other.tv9d");
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.Start(project);
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
    const TEngineCall call = window.Core().EngineRunner([&] {
      seen.worker_thread = QThread::currentThread() != qApp->thread();
      QMetaObject::invokeMethod(
          &window,
          [&] {
            seen.busy = window.RunInProgress();
            seen.hourglass = QApplication::overrideCursor() != nullptr &&
                             QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            for (const char* name : {"actionNew", "actionOpen", "actionSave", "actionRun",
                                     "actionExit", "buttonRun", "actionSIUnits"}) {
              seen.commands_off = seen.commands_off && !window.Action(name)->isEnabled();
            }
            seen.dropped = window.DropFiles({QUrl::fromLocalFile(other)});
            seen.closed = window.close();
          },
          Qt::BlockingQueuedConnection);
      return TEngineCall{TEngineCallStatus::kCalled, 0};
    });
    QCOMPARE(call.Status, TEngineCallStatus::kCalled);
    QVERIFY(seen.worker_thread);
    QVERIFY(seen.busy);
    QVERIFY(seen.hourglass);
    QVERIFY(seen.commands_off);
    QVERIFY(!seen.dropped);
    QVERIFY(!seen.closed);
    QCOMPARE(QString::fromStdString(window.Core().Data().FileName), project);
    // Afterwards the commands are back and the cursor is the user's again.
    QVERIFY(!window.RunInProgress());
    QVERIFY(window.Action("actionNew")->isEnabled());
    QVERIFY(window.Action("actionRun")->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(window.isVisible());
  }

  void aNewProjectIsNotRun() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.Start(QString());
    // Save As is offered first; cancelling it runs nothing.
    testing::CancelFileDialog();
    window.Action("buttonRun")->trigger();
    QVERIFY(!window.Core().Flags.ShowOutput);
    QVERIFY(!window.Action("buttonPlot0")->isEnabled());
    QCOMPARE(QString::fromStdString(window.Core().Data().FileName), QString("NewTolvane.tv9d"));
  }

  void aMissingEngineIsReported() {
    testing::TScratchProjects scratch;
    QTemporaryDir empty_program_dir;
    TMainForm window(empty_program_dir.path().toStdString());
    window.Start(scratch.Copy("sand-over-clay.tv9d"));
    auto answers = AnswerMessageBoxes(QMessageBox::Ok, 2);
    window.Action("actionRun")->trigger();
    QCOMPARE(answers->texts.size(), 2);
    QVERIFY2(answers->texts[0].startsWith("Error Loading Library, error code = "),
             qPrintable(answers->texts[0]));
    QCOMPARE(answers->texts[1], QString("Attempt to initialize DLL failed"));
    QVERIFY(!window.Action("buttonPlot0")->isEnabled());
    QVERIFY(window.menuBar()->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void screenshotOfTheMainWindow() {
    testing::TScratchProjects scratch;
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.Start(scratch.Copy("sand-over-clay.tv9d"));
    auto answers = AnswerMessageBoxes(QMessageBox::Ok);
    window.Action("actionRun")->trigger();
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
