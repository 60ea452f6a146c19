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

TMainForm::TMainForm(std::filesystem::path program_dir, QWidget* parent)
    : QMainWindow(parent), ProgramDir_(std::move(program_dir)) {
  Messages_ = std::make_unique<TWindowMessages>(this);
  Form_ = std::make_unique<MainFormRules>(*Messages_, *this, ProgramDir_);
  Form_->EngineRunner = [this](const std::function<TEngineCall()>& call) {
    return RunOnWorker(call);
  };
  // The file dialogs start in the program's folder; an installed program's folder is not the
  // user's to write in, so they start in the home folder then.
  const QString program_folder = ToQString(ProgramDir_.string());
  Settings_.CurDir = QFileInfo(program_folder).isWritable() ? ProgramDir_.string()
                                                            : QDir::homePath().toStdString();

  setAcceptDrops(true);
  setObjectName("MainWindow");
  Mdi_ = new QMdiArea(this);
  Mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(Mdi_);
  connect(Mdi_, &QMdiArea::subWindowActivated, this, [this] { UpdateWindowMenu(); });

  CreateFileMenu();
  CreateDataMenu();
  CreateComputationMenu();
  CreateGraphicsMenu();
  CreateWindowMenu();
  CreateHelpMenu();
  CreateToolBar();
  Block3D_ = new TBlock3DControls(*this, menuBar(), Tools_, WindowMenu_->menuAction());
  CreateStatusBar();
  resize(kDefaultWidth, kDefaultHeight);

  ApplyDesignMethodToGrid();
  UpdateTitle();
  UpdateEnabling();
}

TMainForm::~TMainForm() {
  // The child windows reach the core through the host: they go before it, and the frame no
  // longer listens to their area while it goes.
  disconnect(Mdi_, nullptr, this, nullptr);
  delete Mdi_;
  Mdi_ = nullptr;
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) delete child;
  }
}

TEngineCall TMainForm::RunOnWorker(const std::function<TEngineCall()>& call) {
  // The engine runs on a worker thread; this thread keeps painting and shows that it is busy.
  TEngineCall result;
  QEventLoop loop;
  std::unique_ptr<QThread> worker(QThread::create([&result, &call] {
    try {
      result = call();
    } catch (const std::exception&) {
      result.Status = TEngineCallStatus::kInitFailed;
    }
  }));
  connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  SetBusy(true);
  worker->start();
  loop.exec();
  worker->wait();
  SetBusy(false);
  return result;
}

void TMainForm::SetBusy(bool busy) {
  Running_ = busy;
  // No command while the engine runs, not even by its shortcut key.
  if (busy) {
    for (QAction* action : findChildren<QAction*>()) {
      if (!action->isEnabled()) continue;
      action->setEnabled(false);
      DisabledWhileBusy_.push_back(action);
    }
  } else {
    for (QAction* action : DisabledWhileBusy_) action->setEnabled(true);
    DisabledWhileBusy_.clear();
  }
  menuBar()->setEnabled(!busy);
  Tools_->setEnabled(!busy);
  Mdi_->setEnabled(!busy);
  StatusBusy_->setVisible(busy);
  BusyBar_->setVisible(busy);
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// ---- start-up and settings ----

void TMainForm::Start(const QString& argument) {
  ReadUserSettings();
  RestorePlacement();
  const std::string file = StartupFile(argument.toStdString());
  if (!file.empty() && StartupFileOpens(file)) {
    OpenFile(ToQString(file), FileTypeIndexForPath(file));
  } else {
    Form_->New();
  }
  UpdateTitle();
  ApplyDesignMethodToGrid();
  UpdateEnabling();
}

void TMainForm::ReadUserSettings() {
  const TQtSettingsStore store;
  ReadSettings(store, Settings_);
  Form_->SetDefaultUnits(Settings_.DefSIUnits);
  Form_->CurDir = Settings_.CurDir;
}

void TMainForm::WriteUserSettings() {
  Settings_.CurDir = Form_->CurDir.empty() ? Settings_.CurDir : Form_->CurDir;
  // The placement of a window not yet shown is not the user's: the stored one stays.
  if (isVisible()) {
    const QRect bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
    Settings_.DefWindowsPos = true;
    Settings_.DefWindowsState = isMinimized()   ? kWindowMinimized
                                : isMaximized() ? kWindowMaximized
                                                : kWindowNormal;
    Settings_.DefBoundLeft = bounds.left();
    Settings_.DefBoundTop = bounds.top();
    Settings_.DefBoundWidth = bounds.width();
    Settings_.DefBoundHeight = bounds.height();
  }
  TQtSettingsStore store;
  WriteSettings(store, Settings_);
  store.Sync();
}

void TMainForm::RestorePlacement() {
  if (!Settings_.DefWindowsPos || Settings_.DefBoundWidth <= 0 || Settings_.DefBoundHeight <= 0) {
    return;
  }
  setGeometry(Settings_.DefBoundLeft, Settings_.DefBoundTop, Settings_.DefBoundWidth,
              Settings_.DefBoundHeight);
  // A window stored minimized comes back normal, so that the program is seen to start.
  if (Settings_.DefWindowsState == kWindowMaximized) setWindowState(Qt::WindowMaximized);
}

// ---- host ----

void TMainForm::ProjectChanged() {
  Form_->Project().Grids().ProjectChanged = true;
  UpdateTitle();
  UpdateEnabling();
}

void TMainForm::HideChildWindows() {
  // The data windows write their fields back as they close, the ordinary windows included.
  CloseAllDataWindows(*this);
  // A project is created before the frame has its MDI area.
  if (Mdi_ != nullptr) Mdi_->closeAllSubWindows();
}

bool TMainForm::Confirm(const std::string& message) {
  return AskYesNo(this, message);
}

void TMainForm::CommitActiveChild() {
  QMdiSubWindow* const active = Mdi_->activeSubWindow();
  if (active == nullptr) return;
  auto* const commit = dynamic_cast<TCommitValues*>(active->widget());
  if (commit != nullptr) commit->CommitValues();
}

std::filesystem::path TMainForm::ProjectFile() const {
  std::error_code ignored;
  return std::filesystem::absolute(Form_->Data().FileName, ignored);
}

// ---- title, enabling, menus ----

void TMainForm::UpdateTitle() {
  setWindowTitle(ToQString(WindowTitle(Form_->Data().FileName)));
  UpdateStatus();
}

void TMainForm::UpdateStatus() {
  const TProgramData& project = Form_->Data();
  StatusProject_->setText(
      ToQString(project.Title) + "    |    " +
      (project.isSI() ? "SI units (kN, m)" : "English units (lbs, ft, in)") +
      "    |    " + (project.CFAPile != 0 ? "CFA pile" : "Drilled shaft") + "    |    " +
      (project.isLrfd() ? "LRFD" : "ASD"));
}

void TMainForm::UpdateEnabling() {
  const TProgramData& project = Form_->Data();
  const TResultCommands commands =
      ResultCommands(project, Form_->Flags, Form_->Plots(), FindResultFiles(project.FileName));
  Action("buttonViewOutput")->setEnabled(commands.ViewOutput);
  for (int plot = 0; plot < kPlotButtonCount; ++plot) {
    PlotButtons_[static_cast<size_t>(plot)]->setEnabled(
        commands.PlotEnabled[static_cast<size_t>(plot)]);
  }
  const TDataMenuState state = DataMenuState(project);
  Action("buttonDrilledShaft")->setChecked(!state.CFAPile);
  Action("buttonCFAPile")->setChecked(state.CFAPile);
  Action("buttonFactorOfSafety")->setEnabled(state.FactorOfSafetyEnabled);
  UpdateDataMenu();
  UpdateComputationMenu();
  UpdateGraphicsMenu();
  UpdateStatus();
  if (Block3D_ != nullptr) Block3D_->UpdateVisibility();
}

void TMainForm::UpdateFileMenu() {
  for (int n = 0; n < kRecentFileCount; ++n) {
    QAction* const item = RecentActions_[static_cast<size_t>(n)];
    const bool shown = n < Settings_.Recent.NumberPrevFile();
    item->setVisible(shown);
    if (shown) item->setText(ToQString(Settings_.Recent.Caption(n + 1, Form_->CurDir)));
  }
}

void TMainForm::UpdateDataMenu() {
  const TDataMenuState state = DataMenuState(Form_->Data());
  Action("actionEnglishUnits")->setChecked(state.EnglishUnits);
  Action("actionSIUnits")->setChecked(!state.EnglishUnits);
  Action("actionLRFD")->setChecked(state.LRFD);
  Action("actionASD")->setChecked(!state.LRFD);
  Action("actionDrilledShaft")->setChecked(!state.CFAPile);
  Action("actionCFAPile")->setChecked(state.CFAPile);
  Action("actionShaftLength")->setChecked(state.ShaftLengthGiven);
  Action("actionDesignLoad")->setChecked(!state.ShaftLengthGiven);
  Action("actionFactorOfSafety")->setEnabled(state.FactorOfSafetyEnabled);
  Action("actionMultipleLengths")->setEnabled(state.MultipleLengthsEnabled);
  Action("actionMultipleLengths")->setChecked(state.MultipleLengthsChecked);
  Action("actionDesignCharts")->setEnabled(state.DesignChartsEnabled);
  Action("actionDesignCharts")->setChecked(state.DesignChartsChecked);
}

void TMainForm::UpdateComputationMenu() {
  const TResultFiles files = FindResultFiles(Form_->Data().FileName);
  Action("actionViewInput")->setEnabled(files.Project);
  Action("actionViewRunNotes")->setEnabled(files.RunLog);
  Action("actionViewOutput")->setEnabled(files.Report);
  const bool batch = BatchCommandVisible(ProgramDir_);
  Action("actionBatch")->setVisible(batch);
  findChild<QAction*>("separatorBatch")->setVisible(batch);
}

void TMainForm::UpdateGraphicsMenu() {
  const TProgramData& project = Form_->Data();
  const TResultCommands commands =
      ResultCommands(project, Form_->Flags, Form_->Plots(), FindResultFiles(project.FileName));
  for (int plot = 0; plot < kResultPlotCount; ++plot) {
    QAction* const item = PlotActions_[static_cast<size_t>(plot)];
    item->setEnabled(commands.PlotEnabled[static_cast<size_t>(plot)]);
    if (plot >= kPltChart1) {
      item->setVisible(commands.ChartVisible[static_cast<size_t>(plot - kPltChart1)]);
    }
    if (plot == kPltCombine || plot == kPltCombinedSettle || plot >= kPltChart1) {
      item->setText(ToQString(GraphicsCaption(project, plot)));
    }
  }
  Action("actionExportToExcel")->setEnabled(commands.ExportToExcel);
}

void TMainForm::UpdateWindowMenu() {
  const QList<QMdiSubWindow*> children = Mdi_->subWindowList();
  for (int n = 0; n < static_cast<int>(WindowListActions_.size()); ++n) {
    QAction* const item = WindowListActions_[static_cast<size_t>(n)];
    const bool shown = n < children.size();
    item->setVisible(shown);
    if (!shown) continue;
    item->setText(children[n]->windowTitle());
    item->setChecked(children[n] == Mdi_->activeSubWindow());
  }
}

void TMainForm::ShowChildFromWindowMenu(int index) {
  const QList<QMdiSubWindow*> children = Mdi_->subWindowList();
  if (index < children.size()) {
    children[index]->showNormal();
    Mdi_->setActiveSubWindow(children[index]);
  }
}

void TMainForm::ArrangeIcons() {
  // Minimized children line up along the bottom edge of the frame.
  int x = 0;
  for (QMdiSubWindow* child : Mdi_->subWindowList()) {
    if (!child->isMinimized()) continue;
    child->move(x, Mdi_->viewport()->height() - child->height());
    x += child->width();
  }
}

void TMainForm::ApplyDesignMethodToGrid() {
  ApplyDesignMethod(Form_->Project().Grids(), Form_->Data().NLRFD);
}

// ---- the program ----

namespace {

// On Linux the window system is named by the environment; without one the toolkit would abort.
bool DisplayAvailable(int argc, char** argv) {
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

int RunDesktop(int argc, char** argv) {
  if (!DisplayAvailable(argc, argv)) {
    std::cerr << "tolvane2023: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set) "
                 "for the desktop program.\nWithout a display, use tolvane2023 --run PROJECT or "
                 "tolvane2023 --batch LIST.pyb.\n";
    return kExitUnavailable;
  }
  QApplication application(argc, argv);
  QApplication::setOrganizationName(kSettingsOrganization);
  QApplication::setApplicationName(kSettingsApplication);
  QApplication::setApplicationVersion(kProgramVersion);
  QApplication::setWindowIcon(ProgramIcon());
  // The application object takes the user's locale; numbers are still read and written with a
  // point.
  std::setlocale(LC_NUMERIC, "C");
  const QStringList arguments = QApplication::arguments();
  TMainForm window(QApplication::applicationDirPath().toStdString());
  window.Start(arguments.size() > 1 ? arguments.at(1) : QString());
  window.show();
  return QApplication::exec();
}

}  // namespace tolvane::app
