// Construction of the main window, start-up and settings, the host of the child windows, and
// the enabling of its menus and tool buttons.
#include "main_window.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>
#include <clocale>
#include <iostream>
#include <string_view>
#include <system_error>

#include "desktop.h"
#include "tool_icons.h"
#include "view_commands.h"
#include "window_rules.h"
#include "window_services.h"

namespace tolvane::app {
namespace {

constexpr int kDefaultWidth = 1100;  // pixels, before a placement is stored
constexpr int kDefaultHeight = 760;

}  // namespace

TMainForm::TMainForm(std::filesystem::path programDir, QWidget* parent)
    : QMainWindow(parent), programDir_(std::move(programDir)) {
  messages_ = std::make_unique<WindowMessages>(this);
  form_ = std::make_unique<MainFormRules>(*messages_, *this, programDir_);
  form_->engineRunner = [this](const std::function<EngineCall()>& call) {
    return runOnWorker(call);
  };
  // The file dialogs start in the program's folder; an installed program's folder is not the
  // user's to write in, so they start in the home folder then.
  const QString programFolder = toQString(programDir_.string());
  settings_.CurDir =
      QFileInfo(programFolder).isWritable() ? programDir_.string() : QDir::homePath().toStdString();

  setAcceptDrops(true);
  setObjectName("MainWindow");
  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { updateWindowMenu(); });

  createFileMenu();
  createDataMenu();
  createComputationMenu();
  createGraphicsMenu();
  createWindowMenu();
  createHelpMenu();
  createToolBar();
  block3D_ = new Block3DControls(*this, menuBar(), tools_, windowMenu_->menuAction());
  createStatusBar();
  resize(kDefaultWidth, kDefaultHeight);

  applyDesignMethodToGrid();
  updateTitle();
  updateEnabling();
}

TMainForm::~TMainForm() {
  // The child windows reach the core through the host: they go before it, and the frame no
  // longer listens to their area while it goes.
  disconnect(mdi_, nullptr, this, nullptr);
  delete mdi_;
  mdi_ = nullptr;
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) delete child;
  }
}

EngineCall TMainForm::runOnWorker(const std::function<EngineCall()>& call) {
  // The engine runs on a worker thread; this thread keeps painting and shows that it is busy.
  EngineCall result;
  QEventLoop loop;
  std::unique_ptr<QThread> worker(QThread::create([&result, &call] {
    try {
      result = call();
    } catch (const std::exception&) {
      result.status = EngineCallStatus::kInitFailed;
    }
  }));
  connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  setBusy(true);
  worker->start();
  loop.exec();
  worker->wait();
  setBusy(false);
  return result;
}

void TMainForm::setBusy(bool busy) {
  running_ = busy;
  // No command while the engine runs, not even by its shortcut key.
  if (busy) {
    for (QAction* action : findChildren<QAction*>()) {
      if (!action->isEnabled()) continue;
      action->setEnabled(false);
      disabledWhileBusy_.push_back(action);
    }
  } else {
    for (QAction* action : disabledWhileBusy_) action->setEnabled(true);
    disabledWhileBusy_.clear();
  }
  menuBar()->setEnabled(!busy);
  tools_->setEnabled(!busy);
  mdi_->setEnabled(!busy);
  statusBusy_->setVisible(busy);
  busyBar_->setVisible(busy);
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// ---- start-up and settings ----

void TMainForm::start(const QString& argument) {
  readUserSettings();
  restorePlacement();
  const std::string file = startupFile(argument.toStdString());
  if (!file.empty() && startupFileOpens(file)) {
    OpenFile(toQString(file), fileTypeIndexForPath(file));
  } else {
    form_->newProject();
  }
  updateTitle();
  applyDesignMethodToGrid();
  updateEnabling();
}

void TMainForm::readUserSettings() {
  const QtSettingsStore store;
  readSettings(store, settings_);
  form_->setDefaultUnits(settings_.DefSIUnits);
  form_->CurDir = settings_.CurDir;
}

void TMainForm::writeUserSettings() {
  settings_.CurDir = form_->CurDir.empty() ? settings_.CurDir : form_->CurDir;
  // The placement of a window not yet shown is not the user's: the stored one stays.
  if (isVisible()) {
    const QRect bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
    settings_.DefWindowsPos = true;
    settings_.DefWindowsState = isMinimized()   ? kWindowMinimized
                                : isMaximized() ? kWindowMaximized
                                                : kWindowNormal;
    settings_.DefBoundLeft = bounds.left();
    settings_.DefBoundTop = bounds.top();
    settings_.DefBoundWidth = bounds.width();
    settings_.DefBoundHeight = bounds.height();
  }
  QtSettingsStore store;
  writeSettings(store, settings_);
  store.sync();
}

void TMainForm::restorePlacement() {
  if (!settings_.DefWindowsPos || settings_.DefBoundWidth <= 0 || settings_.DefBoundHeight <= 0) {
    return;
  }
  setGeometry(settings_.DefBoundLeft, settings_.DefBoundTop, settings_.DefBoundWidth,
              settings_.DefBoundHeight);
  // A window stored minimized comes back normal, so that the program is seen to start.
  if (settings_.DefWindowsState == kWindowMaximized) setWindowState(Qt::WindowMaximized);
}

// ---- host ----

void TMainForm::projectChanged() {
  form_->project().grids().projectChanged = true;
  updateTitle();
  updateEnabling();
}

void TMainForm::hideChildWindows() {
  // The data windows write their fields back as they close, the ordinary windows included.
  closeAllDataWindows(*this);
  // A project is created before the frame has its MDI area.
  if (mdi_ != nullptr) mdi_->closeAllSubWindows();
}

bool TMainForm::confirm(const std::string& message) {
  return askYesNo(this, message);
}

void TMainForm::commitActiveChild() {
  QMdiSubWindow* const active = mdi_->activeSubWindow();
  if (active == nullptr) return;
  auto* const commit = dynamic_cast<CommitValues*>(active->widget());
  if (commit != nullptr) commit->commitValues();
}

std::filesystem::path TMainForm::projectFile() const {
  std::error_code ignored;
  return std::filesystem::absolute(form_->Data().FileName, ignored);
}

// ---- title, enabling, menus ----

void TMainForm::updateTitle() {
  setWindowTitle(toQString(mainWindowTitle(form_->Data().FileName)));
  updateStatus();
}

void TMainForm::updateStatus() {
  const TProgramData& project = form_->Data();
  statusProject_->setText(toQString(project.Title) + "    |    " +
                          (project.isSI() ? "SI units (kN, m)" : "English units (lbs, ft, in)") +
                          "    |    " + (project.CFAPile != 0 ? "CFA pile" : "Drilled shaft") +
                          "    |    " + (project.isLrfd() ? "LRFD" : "ASD"));
}

void TMainForm::updateEnabling() {
  const TProgramData& project = form_->Data();
  const ResultCommands commands =
      resultCommands(project, form_->flags, form_->plots(), findResultFiles(project.FileName));
  action("buttonViewOutput")->setEnabled(commands.viewOutput);
  for (int plot = 0; plot < kPlotButtonCount; ++plot) {
    plotButtons_[static_cast<size_t>(plot)]->setEnabled(
        commands.plotEnabled[static_cast<size_t>(plot)]);
  }
  const DataMenuState state = dataMenuState(project);
  action("buttonDrilledShaft")->setChecked(!state.CFAPile);
  action("buttonCFAPile")->setChecked(state.CFAPile);
  action("buttonFactorOfSafety")->setEnabled(state.factorOfSafetyEnabled);
  updateDataMenu();
  updateComputationMenu();
  updateGraphicsMenu();
  updateStatus();
  if (block3D_ != nullptr) block3D_->updateVisibility();
}

void TMainForm::updateFileMenu() {
  for (int n = 0; n < kRecentFileCount; ++n) {
    QAction* const item = recentActions_[static_cast<size_t>(n)];
    const bool shown = n < settings_.recent.NumberPrevFile();
    item->setVisible(shown);
    if (shown) item->setText(toQString(settings_.recent.Caption(n + 1, form_->CurDir)));
  }
}

void TMainForm::updateDataMenu() {
  const DataMenuState state = dataMenuState(form_->Data());
  action("actionEnglishUnits")->setChecked(state.englishUnits);
  action("actionSIUnits")->setChecked(!state.englishUnits);
  action("actionLRFD")->setChecked(state.lrfd);
  action("actionASD")->setChecked(!state.lrfd);
  action("actionDrilledShaft")->setChecked(!state.CFAPile);
  action("actionCFAPile")->setChecked(state.CFAPile);
  action("actionShaftLength")->setChecked(state.shaftLengthGiven);
  action("actionDesignLoad")->setChecked(!state.shaftLengthGiven);
  action("actionFactorOfSafety")->setEnabled(state.factorOfSafetyEnabled);
  action("actionMultipleLengths")->setEnabled(state.multipleLengthsEnabled);
  action("actionMultipleLengths")->setChecked(state.multipleLengthsChecked);
  action("actionDesignCharts")->setEnabled(state.designChartsEnabled);
  action("actionDesignCharts")->setChecked(state.designChartsChecked);
}

void TMainForm::updateComputationMenu() {
  const ResultFiles files = findResultFiles(form_->Data().FileName);
  action("actionViewInput")->setEnabled(files.project);
  action("actionViewRunNotes")->setEnabled(files.runLog);
  action("actionViewOutput")->setEnabled(files.report);
  const bool batch = batchCommandVisible(programDir_);
  action("actionBatch")->setVisible(batch);
  findChild<QAction*>("separatorBatch")->setVisible(batch);
}

void TMainForm::updateGraphicsMenu() {
  const TProgramData& project = form_->Data();
  const ResultCommands commands =
      resultCommands(project, form_->flags, form_->plots(), findResultFiles(project.FileName));
  for (int plot = 0; plot < kResultPlotCount; ++plot) {
    QAction* const item = plotActions_[static_cast<size_t>(plot)];
    item->setEnabled(commands.plotEnabled[static_cast<size_t>(plot)]);
    if (plot >= kPltChart1) {
      item->setVisible(commands.chartVisible[static_cast<size_t>(plot - kPltChart1)]);
    }
    if (plot == kPltCombine || plot == kPltCombinedSettle || plot >= kPltChart1) {
      item->setText(toQString(graphicsCaption(project, plot)));
    }
  }
  action("actionExportToExcel")->setEnabled(commands.exportToExcel);
}

void TMainForm::updateWindowMenu() {
  const QList<QMdiSubWindow*> children = mdi_->subWindowList();
  for (int n = 0; n < static_cast<int>(windowListActions_.size()); ++n) {
    QAction* const item = windowListActions_[static_cast<size_t>(n)];
    const bool shown = n < children.size();
    item->setVisible(shown);
    if (!shown) continue;
    item->setText(children[n]->windowTitle());
    item->setChecked(children[n] == mdi_->activeSubWindow());
  }
}

void TMainForm::showChildFromWindowMenu(int index) {
  const QList<QMdiSubWindow*> children = mdi_->subWindowList();
  if (index < children.size()) {
    children[index]->showNormal();
    mdi_->setActiveSubWindow(children[index]);
  }
}

void TMainForm::arrangeIcons() {
  // Minimized children line up along the bottom edge of the frame.
  int x = 0;
  for (QMdiSubWindow* child : mdi_->subWindowList()) {
    if (!child->isMinimized()) continue;
    child->move(x, mdi_->viewport()->height() - child->height());
    x += child->width();
  }
}

void TMainForm::applyDesignMethodToGrid() {
  applyDesignMethod(form_->project().grids(), form_->Data().NLRFD);
}

// ---- the program ----

namespace {

// On Linux the window system is named by the environment; without one the toolkit would abort.
bool displayAvailable(int argc, char** argv) {
#ifdef Q_OS_LINUX
  for (int a = 1; a < argc; ++a) {
    if (std::string_view(argv[a]) == "-platform") return true;  // the toolkit's own choice
  }
  return !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
  (void)argc;
  (void)argv;
  return true;
#endif
}

}  // namespace

int runDesktop(int argc, char** argv) {
  if (!displayAvailable(argc, argv)) {
    std::cerr << "tolvane2023: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set) "
                 "for the desktop program.\nWithout a display, use tolvane2023 --run PROJECT or "
                 "tolvane2023 --batch LIST.pyb.\n";
    return kExitUnavailable;
  }
  QApplication application(argc, argv);
  QApplication::setOrganizationName(kSettingsOrganization);
  QApplication::setApplicationName(kSettingsApplication);
  QApplication::setApplicationVersion(kProgramVersion);
  QApplication::setWindowIcon(programIcon());
  // The application object takes the user's locale; numbers are still read and written with a
  // point.
  std::setlocale(LC_NUMERIC, "C");
  const QStringList arguments = QApplication::arguments();
  TMainForm window(QApplication::applicationDirPath().toStdString());
  window.start(arguments.size() > 1 ? arguments.at(1) : QString());
  window.show();
  return QApplication::exec();
}

}  // namespace tolvane::app
