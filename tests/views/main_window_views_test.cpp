// The views in the desktop program's main window: opened from the Computation menu, listed in
// the Window menu, the "Show 3D View" menu and the 3D tool buttons while the 3D view is open, and
// both views closed by New and Open and opened again. Saves a screenshot of the main window.
#include <QAction>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

#include "dlg_block.h"
#include "dlg_side_view.h"
#include "gl_window.h"
#include "main_window.h"
#include "view_commands.h"

using tolvane::app::TMainForm;
using namespace tolvane::app;

namespace {

QString screenshotPath(const char* name) {
  std::filesystem::create_directories(TOLVANE_SCREENSHOT_DIR);
  QString file = QLatin1String(name);
  const QString suffix = qEnvironmentVariable("TOLVANE_SCREENSHOT_SUFFIX");
  if (!suffix.isEmpty()) file.replace(QStringLiteral(".png"), suffix + QStringLiteral(".png"));
  return QString::fromUtf8(TOLVANE_SCREENSHOT_DIR) + QLatin1Char('/') + file;
}

QStringList windowMenuItems(TMainForm& window) {
  QMenu* menu = window.findChild<QMenu*>(QStringLiteral("menuWindow"));
  QStringList items;
  if (menu == nullptr) return items;
  emit menu->aboutToShow();
  for (QAction* action : menu->actions()) {
    if (action->isVisible() && action->objectName().startsWith(QStringLiteral("actionChild"))) {
      items << action->text();
    }
  }
  return items;
}

}  // namespace

class MainWindowViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void viewsOpenFromTheMenusAndCloseWithNewAndOpen() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("sand-over-clay.tv9d"));
    QVERIFY(QFile::copy(QStringLiteral(TOLVANE_EXAMPLES_DIR "/sand-over-clay.tv9d"), project));
    QProcess analysis;
    analysis.start(QStringLiteral(TOLVANE_PROGRAM), {QStringLiteral("--run"), project});
    QVERIFY(analysis.waitForFinished(120000));
    QCOMPARE(analysis.exitCode(), 0);

    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.resize(1280, 900);
    window.show();
    window.start(project);
    QVERIFY(window.core().flags.ShowOutput);
    QVERIFY(!window.block3DControls()->viewMenuAction()->isVisible());

    window.action(QStringLiteral("actionSideView"))->trigger();
    QVERIFY(findSideView(window) != nullptr);
    window.action(QStringLiteral("action3DView"))->trigger();
    TDlgBlock* block = find3DView(window);
    QVERIFY(block != nullptr);
    QVERIFY(window.block3DControls()->viewMenuAction()->isVisible());
    for (QAction* tool : window.block3DControls()->toolActions()) QVERIFY(tool->isVisible());
    // Results are shown, the shaft is on and the plot data exist: "Combined Plots" is offered.
    window.block3DControls()->updateMenu();
    QAction* combined = window.block3DControls()->viewMenu()->actions().last();
    QCOMPARE(combined->text(), QStringLiteral("Combined Plots"));
    QVERIFY(combined->isEnabled());
    QVERIFY(!combined->isChecked());
    combined->trigger();
    QVERIFY(block->UltimateEffectsExists());
    block->pileDiagrams()->showPlots()->setChecked(true);
    block->pileDiagrams()->showMaximumValues()->setChecked(true);
    window.block3DControls()->updateMenu();
    QVERIFY(combined->isChecked());

    const QStringList listed = windowMenuItems(window);
    QVERIFY2(listed.filter(QStringLiteral("Elevation View")).size() == 1,
             qPrintable(listed.join('|')));
    QVERIFY2(listed.filter(QStringLiteral("3-D View")).size() == 1, qPrintable(listed.join('|')));

    // Side by side inside the MDI area, for looking at.
    QMdiSubWindow* side = qobject_cast<QMdiSubWindow*>(findSideView(window)->parentWidget());
    QMdiSubWindow* view3d = qobject_cast<QMdiSubWindow*>(block->parentWidget());
    QVERIFY(side != nullptr && view3d != nullptr);
    side->setGeometry(0, 0, 560, 600);
    view3d->setGeometry(560, 0, 640, 600);
    QTest::qWait(50);
    QPixmap shot = window.grab();
    if (block->glWindow() != nullptr && block->glWindow()->hasContext()) {
      // The labels are painted into the OpenGL framebuffer, which a widget grab leaves out.
      QPainter painter(&shot);
      painter.drawImage(block->glWindow()->mapTo(&window, QPoint(0, 0)),
                        block->glWindow()->grabFramebuffer());
    }
    QVERIFY(shot.save(screenshotPath("main-window-with-views.png")));

    // New closes both views and hides the 3D controls; the views open again afterwards.
    window.newProject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(find3DView(window) == nullptr);
    QVERIFY(findSideView(window) == nullptr);
    QVERIFY(!window.block3DControls()->viewMenuAction()->isVisible());
    QVERIFY(!window.block3DControls()->toolActions()[0]->isVisible());
    window.action(QStringLiteral("action3DView"))->trigger();
    QVERIFY(find3DView(window) != nullptr);
    QVERIFY(window.block3DControls()->viewMenuAction()->isVisible());
    // A new project has no layers below 0: the extents are those of the new project.
    QCOMPARE(find3DView(window)->extents().Dmax, 0.0);

    // Open closes the 3D view as well.
    window.OpenFile(project, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(find3DView(window) == nullptr);
    QVERIFY(!window.block3DControls()->viewMenuAction()->isVisible());
    window.action(QStringLiteral("action3DView"))->trigger();
    QCOMPARE(find3DView(window)->extents().Dmax, 60.0);
    window.action(QStringLiteral("actionSideView"))->trigger();
    QCOMPARE(findSideView(window)->sideGeometry().project().layers.size(), size_t{2});
  }
};

QTEST_MAIN(MainWindowViewsTest)
#include "main_window_views_test.moc"
