#include "main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>
#include <QUrl>
#include <clocale>
#include <system_error>

#include "about_box.h"
#include "batch_window.h"
#include "desktop.h"
#include "tool_icons.h"
#include "window_rules.h"
#include "window_services.h"

namespace tolvane::app {
namespace {

constexpr int kWindowListSize = 50;  // child windows the Window menu lists
constexpr int kDefaultWidth = 1100;  // pixels, before a placement is stored
constexpr int kDefaultHeight = 760;
constexpr int kPlotButtonCount = kPltChart1;  // the tool bar shows plots 0 to 15
constexpr const char* kUsersManual = "Tolvane 2023 Users Manual.pdf";
constexpr const char* kTechnicalManual = "Tolvane 2023 Technical Manual.pdf";
constexpr const char* kUpdatePage = "https://github.com/kestrum/tolvane/releases";

// The hints of the plot buttons, in the order of the result plots.
constexpr std::array<const char*, kPlotButtonCount> kPlotHints = {
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
    "Load Distribution",
};

// The filters of the open dialog, in the order of the file-type index.
const QStringList& OpenFilters() {
  static const QStringList filters = {"TOLVANE 2023(*.tv9d)", "TOLVANE 2017(*.tv8d)",
                                      "TOLVANE 2012(*.tvd)", "TOLVANE 6.0(*.tvd)",
                                      "All Files(*.*)"};
  return filters;
}
constexpr int kAllFilesFilter = 5;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

TMainWindow::TMainWindow(std::filesystem::path program_dir, QWidget* parent)
    : QMainWindow(parent), ProgramDir_(std::move(program_dir)) {
  Messages_ = std::make_unique<TWindowMessages>(this);
  Form_ = std::make_unique<TMainForm>(*Messages_, *this, ProgramDir_);
  Form_->EngineRunner = [this](const std::function<TEngineCall()>& call) {
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
  };
  // The file dialogs start in the program's folder; an installed program's folder is not the
  // user's to write in, so they start in the home folder then.
  const QString program_folder = Q(ProgramDir_.string());
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
  CreateStatusBar();
  resize(kDefaultWidth, kDefaultHeight);

  ApplyDesignMethodToGrid();
  UpdateTitle();
  UpdateEnabling();
}

TMainWindow::~TMainWindow() {
  // The child windows reach the core through the host: they go before it.
  delete Mdi_;
  Mdi_ = nullptr;
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) delete child;
  }
}

QAction* TMainWindow::NewAction(const QString& name, const QString& caption) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  return action;
}

QAction* TMainWindow::Action(const QString& name) const {
  return findChild<QAction*>(name);
}

void TMainWindow::CreateFileMenu() {
  FileMenu_ = menuBar()->addMenu("&File");
  FileMenu_->setObjectName("menuFile");
  QAction* const new_file = NewAction("actionNew", "&New");
  new_file->setShortcut(QKeySequence::New);
  connect(new_file, &QAction::triggered, this, [this] { NewProject(); });
  QAction* const open = NewAction("actionOpen", "&Open...");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this] {
    QFileDialog dialog(this, "Open", Q(Settings_.CurDir));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(OpenFilters());
    dialog.setDefaultSuffix("tv9d");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString file = dialog.selectedFiles().constFirst();
    int type = static_cast<int>(OpenFilters().indexOf(dialog.selectedNameFilter())) + 1;
    // With "All Files" the extension says which layout the file has.
    if (type == kAllFilesFilter || type == 0) {
      type = FileTypeIndexForPath(file.toStdString());
      if (type == 0) type = kOldestShortFile;
    }
    if (AskToSave()) OpenFile(file, type);
  });
  QAction* const save = NewAction("actionSave", "&Save");
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] { SaveProject(); });
  QAction* const save_as = NewAction("actionSaveAs", "Save &As...");
  connect(save_as, &QAction::triggered, this, [this] { SaveProjectAs(); });
  FileMenu_->addActions({new_file, open, save, save_as});
  FileMenu_->addSeparator();
  for (int n = 0; n < kRecentFileCount; ++n) {
    QAction* const recent = NewAction(QString("actionRecent%1").arg(n + 1), QString());
    recent->setVisible(false);
    connect(recent, &QAction::triggered, this, [this, n] {
      const std::string file = Settings_.Recent.PrevFile()[static_cast<size_t>(n)];
      if (!file.empty()) OpenRecentOrDropped(Q(file));
    });
    FileMenu_->addAction(recent);
    RecentActions_[static_cast<size_t>(n)] = recent;
  }
  FileMenu_->addSeparator();
  QAction* const exit = NewAction("actionExit", "E&xit");
  connect(exit, &QAction::triggered, this, &QWidget::close);
  FileMenu_->addAction(exit);
  connect(FileMenu_, &QMenu::aboutToShow, this, [this] {
    CommitActiveChild();
    UpdateFileMenu();
  });
}

void TMainWindow::CreateDataMenu() {
  DataMenu_ = menuBar()->addMenu("&Data");
  DataMenu_->setObjectName("menuData");
  QAction* const title = NewAction("actionTitle", "&Title");
  connect(title, &QAction::triggered, this, [this] { ShowDataWindow(*this, TDataWindow::kTitle); });
  DataMenu_->addAction(title);

  QMenu* const units = DataMenu_->addMenu("&Units");
  auto* const unit_group = new QActionGroup(this);
  for (const auto& [name, caption, system] :
       {std::tuple{"actionEnglishUnits", "&English Units (lbs, ft, in)", kEnglishUnits},
        std::tuple{"actionSIUnits", "&SI Units (kN, m)", kSIUnits}}) {
    QAction* const item = NewAction(name, caption);
    item->setCheckable(true);
    unit_group->addAction(item);
    units->addAction(item);
    connect(item, &QAction::triggered, this,
            [this, unit_system = system] { SetUnits(unit_system); });
  }

  QMenu* const method = DataMenu_->addMenu("Design Method (ASD or LRFD)");
  auto* const method_group = new QActionGroup(this);
  for (const auto& [name, caption, value] :
       {std::tuple{"actionASD", "ASD (Allowable Stress Design)", kASDMethod},
        std::tuple{"actionLRFD", "LRFD (Load Resistance Factor Design)", kLRFDMethod}}) {
    QAction* const item = NewAction(name, caption);
    item->setCheckable(true);
    method_group->addAction(item);
    method->addAction(item);
    connect(item, &QAction::triggered, this, [this, nlrfd = value] { SetDesignMethod(nlrfd); });
  }

  QMenu* const kind = DataMenu_->addMenu("&Drilled-Shaft/CFA PIle Properties");
  auto* const kind_group = new QActionGroup(this);
  QAction* const shaft = NewAction("actionDrilledShaft", "Drilled-Shaft Properties");
  QAction* const cfa = NewAction("actionCFAPile", "CFA Pile Properties");
  for (QAction* item : {shaft, cfa}) {
    item->setCheckable(true);
    kind_group->addAction(item);
    kind->addAction(item);
  }
  connect(shaft, &QAction::triggered, this, [this] { ShowPileProperties(false); });
  connect(cfa, &QAction::triggered, this, [this] { ShowPileProperties(true); });

  QAction* const soil = NewAction("actionSoilLayers", "Soil &Layer Data");
  connect(soil, &QAction::triggered, this,
          [this] { ShowDataWindow(*this, TDataWindow::kSoilLayers); });
  QAction* const safety =
      NewAction("actionFactorOfSafety", "&Factor of Safety (Allowable Stress Design)");
  connect(safety, &QAction::triggered, this,
          [this] { ShowDataWindow(*this, TDataWindow::kFactorOfSafety); });
  DataMenu_->addActions({soil, safety});

  QMenu* const computation = DataMenu_->addMenu("&Computation Methods");
  auto* const computation_group = new QActionGroup(this);
  QAction* const length = NewAction("actionShaftLength", "Specify the shaft length");
  QAction* const load = NewAction("actionDesignLoad", "Specify the design load");
  for (QAction* item : {length, load}) {
    item->setCheckable(true);
    computation_group->addAction(item);
    computation->addAction(item);
  }
  connect(length, &QAction::triggered, this, [this] { SetComputationMethod(kShaftLengthGiven); });
  connect(load, &QAction::triggered, this, [this] { SetComputationMethod(kDesignLoadGiven); });

  QAction* const water = NewAction("actionWaterTable", "&Water Table");
  connect(water, &QAction::triggered, this,
          [this] { ShowDataWindow(*this, TDataWindow::kWaterTable); });
  QAction* const lengths = NewAction("actionMultipleLengths", "Evaluate Multiple Shaft Lengths");
  connect(lengths, &QAction::triggered, this,
          [this] { ShowDataWindow(*this, TDataWindow::kMultipleLengths); });
  QAction* const charts = NewAction("actionDesignCharts", "ASD/LRFD Design Charts");
  connect(charts, &QAction::triggered, this,
          [this] { ShowDataWindow(*this, TDataWindow::kDesignCharts); });
  QAction* const options = NewAction("actionControlOptions", "Control &Options...");
  connect(options, &QAction::triggered, this,
          [this] { ShowDataWindow(*this, TDataWindow::kControlOptions); });
  // The check marks show whether the option is on; the item opens its window.
  lengths->setCheckable(true);
  charts->setCheckable(true);
  DataMenu_->addActions({water, lengths, charts, options});
  connect(DataMenu_, &QMenu::aboutToShow, this, [this] {
    CommitActiveChild();
    UpdateDataMenu();
  });
}

void TMainWindow::CreateComputationMenu() {
  ComputationMenu_ = menuBar()->addMenu("&Computation");
  ComputationMenu_->setObjectName("menuComputation");
  QAction* const run = NewAction("actionRun", "&Run Analysis");
  run->setShortcut(Qt::Key_F9);
  connect(run, &QAction::triggered, this, [this] { RunAnalysis(); });
  ComputationMenu_->addAction(run);
  ComputationMenu_->addSeparator();
  for (const auto& [name, caption, extension] :
       {std::tuple{"actionViewInput", "View I&nput Text", ""},
        std::tuple{"actionViewRunNotes", "View &Processor-Run Notes", kRunLogExtension},
        std::tuple{"actionViewOutput", "View &Output Text", kReportExtension}}) {
    QAction* const item = NewAction(name, caption);
    connect(item, &QAction::triggered, this, [this, ext = std::string(extension)] {
      const std::filesystem::path project = ProjectFile();
      ViewTextFile(Q((ext.empty() ? project : resultFile(project, ext.c_str())).string()));
    });
    ComputationMenu_->addAction(item);
  }
  ComputationMenu_->addSeparator();
  QAction* const elevation = NewAction("actionSideView", "&View Shaft Elevation");
  connect(elevation, &QAction::triggered, this, [this] { ShowSideView(*this); });
  QAction* const view3d = NewAction("action3DView", "3D View");
  connect(view3d, &QAction::triggered, this, [this] { Show3DView(*this); });
  ComputationMenu_->addActions({elevation, view3d});
  QAction* const batch_separator = ComputationMenu_->addSeparator();
  batch_separator->setObjectName("separatorBatch");
  QAction* const batch = NewAction("actionBatch", "Multi-File Analysis (Batch Run)");
  connect(batch, &QAction::triggered, this, [this] { ShowBatchWindow(); });
  ComputationMenu_->addAction(batch);
  connect(ComputationMenu_, &QMenu::aboutToShow, this, [this] {
    CommitActiveChild();
    UpdateComputationMenu();
  });
}

void TMainWindow::CreateGraphicsMenu() {
  GraphicsMenu_ = menuBar()->addMenu("&Graphics");
  GraphicsMenu_->setObjectName("menuGraphics");
  for (int plot = 0; plot < kResultPlotCount; ++plot) {
    if (plot == kFSpltSkin || plot == kPltAxial || plot == kPltTz || plot == kPltChart1) {
      GraphicsMenu_->addSeparator();
    }
    QAction* const item =
        NewAction(QString("actionPlot%1").arg(plot), Q(InitialGraphicsCaption(plot)));
    connect(item, &QAction::triggered, this, [this, plot] { ShowPlot(plot); });
    GraphicsMenu_->addAction(item);
    PlotActions_[static_cast<size_t>(plot)] = item;
  }
  GraphicsMenu_->addSeparator();
  QAction* const excel = NewAction("actionExportToExcel", "Export Plots to Excel");
  connect(excel, &QAction::triggered, this, [this] {
    CommitActiveChild();
    ShowExportToExcel(*this);
  });
  GraphicsMenu_->addAction(excel);
  connect(GraphicsMenu_, &QMenu::aboutToShow, this, [this] { UpdateGraphicsMenu(); });
}

void TMainWindow::CreateWindowMenu() {
  WindowMenu_ = menuBar()->addMenu("&Window");
  WindowMenu_->setObjectName("menuWindow");
  QAction* const cascade = NewAction("actionCascade", "&Cascade");
  connect(cascade, &QAction::triggered, Mdi_, &QMdiArea::cascadeSubWindows);
  QAction* const arrange = NewAction("actionArrangeIcons", "&Arrange Icons");
  connect(arrange, &QAction::triggered, this, [this] { ArrangeIcons(); });
  WindowMenu_->addActions({cascade, arrange});
  WindowMenu_->addSeparator();
  for (int n = 0; n < kWindowListSize; ++n) {
    QAction* const item = NewAction(QString("actionChildWindow%1").arg(n + 1), QString());
    item->setVisible(false);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, n] { ShowChildFromWindowMenu(n); });
    WindowMenu_->addAction(item);
    WindowListActions_.push_back(item);
  }
  connect(WindowMenu_, &QMenu::aboutToShow, this, [this] { UpdateWindowMenu(); });
}

void TMainWindow::CreateHelpMenu() {
  HelpMenu_ = menuBar()->addMenu("&Help");
  HelpMenu_->setObjectName("menuHelp");
  QAction* const users = NewAction("actionUsersManual", "&User's Manual");
  connect(users, &QAction::triggered, this, [this] { OpenManual(kUsersManual); });
  QAction* const technical = NewAction("actionTechnicalManual", "&Technical Manual");
  connect(technical, &QAction::triggered, this, [this] { OpenManual(kTechnicalManual); });
  QAction* const about = NewAction("actionAbout", "&About...");
  connect(about, &QAction::triggered, this, [this] { ShowAboutBox(); });
  QAction* const updates = NewAction("actionCheckForUpdates", "&Check for Updates");
  connect(updates, &QAction::triggered, this, [] { QDesktopServices::openUrl(QUrl(kUpdatePage)); });
  HelpMenu_->addActions({users, technical});
  HelpMenu_->addSeparator();
  HelpMenu_->addActions({about, updates});
  connect(HelpMenu_, &QMenu::aboutToShow, this, [this] { CommitActiveChild(); });
}

void TMainWindow::CreateToolBar() {
  Tools_ = addToolBar("Tools");
  Tools_->setObjectName("toolBar");
  Tools_->setMovable(false);
  Tools_->setIconSize(QSize(kToolIconSize, kToolIconSize));
  // A tool command first lets the active child write its fields.
  const auto button = [this](const QString& name, const QString& hint, const QIcon& icon,
                             std::function<void()> command) {
    QAction* const action = NewAction(name, hint);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setIcon(icon);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    Tools_->addAction(action);
    return action;
  };
  button("buttonNew", "New File", ToolIcon(TToolIcon::kNew), [this] {
    CommitActiveChild();
    NewProject();
  });
  button("buttonOpen", "Open File", ToolIcon(TToolIcon::kOpen), [this] {
    CommitActiveChild();
    Action("actionOpen")->trigger();
  });
  button("buttonSave", "Save File", ToolIcon(TToolIcon::kSave), [this] {
    CommitActiveChild();
    SaveProject();
  });
  Tools_->addSeparator();
  button("buttonTitle", "Title", ToolIcon(TToolIcon::kTitle),
         [this] { ShowDataWindow(*this, TDataWindow::kTitle); });
  auto* const kind_group = new QActionGroup(this);
  QAction* const shaft =
      button("buttonDrilledShaft", "Drilled Shaft Properties", ToolIcon(TToolIcon::kDrilledShaft),
             [this] { ShowPileProperties(false); });
  QAction* const cfa = button("buttonCFAPile", "CFA Pile Properties", ToolIcon(TToolIcon::kCFAPile),
                              [this] { ShowPileProperties(true); });
  for (QAction* item : {shaft, cfa}) {
    item->setCheckable(true);
    kind_group->addAction(item);
  }
  button("buttonSoilLayers", "Soil Layer Data", ToolIcon(TToolIcon::kSoilLayers),
         [this] { ShowDataWindow(*this, TDataWindow::kSoilLayers); });
  button("buttonFactorOfSafety", "Factor of Safety (ASD)", ToolIcon(TToolIcon::kFactorOfSafety),
         [this] { ShowDataWindow(*this, TDataWindow::kFactorOfSafety); });
  Tools_->addSeparator();
  button("buttonRun", "Run Data File", ToolIcon(TToolIcon::kRun), [this] { RunAnalysis(); });
  button("buttonViewOutput", "View Output", ToolIcon(TToolIcon::kViewOutput),
         [this] { ViewTextFile(Q(resultFile(ProjectFile(), kReportExtension).string())); });
  button("buttonSideView", "View Soil Profile", ToolIcon(TToolIcon::kSideView),
         [this] { ShowSideView(*this); });
  button("button3DView", "3D View", ToolIcon(TToolIcon::k3DView), [this] { Show3DView(*this); });
  Tools_->addSeparator();
  for (int plot = 0; plot < kPlotButtonCount; ++plot) {
    if (plot == kFSpltSkin || plot == kPltAxial || plot == kPltTz) Tools_->addSeparator();
    PlotButtons_.push_back(button(QString("buttonPlot%1").arg(plot),
                                  kPlotHints[static_cast<size_t>(plot)], PlotIcon(plot),
                                  [this, plot] { ShowPlot(plot); }));
  }
}

void TMainWindow::CreateStatusBar() {
  StatusProject_ = new QLabel(this);
  StatusProject_->setObjectName("statusProject");
  statusBar()->addWidget(StatusProject_, 1);
  StatusBusy_ = new QLabel("Running the analysis...", this);
  BusyBar_ = new QProgressBar(this);
  BusyBar_->setRange(0, 0);  // no known end: the bar moves to and fro while the engine runs
  BusyBar_->setMaximumWidth(160);
  statusBar()->addPermanentWidget(StatusBusy_);
  statusBar()->addPermanentWidget(BusyBar_);
  StatusBusy_->hide();
  BusyBar_->hide();
}

void TMainWindow::SetBusy(bool busy) {
  Running_ = busy;
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

void TMainWindow::Start(const QString& argument) {
  ReadUserSettings();
  RestorePlacement();
  const std::string file = StartupFile(argument.toStdString());
  if (!file.empty() && StartupFileOpens(file)) {
    OpenFile(Q(file), FileTypeIndexForPath(file));
  } else {
    Form_->New();
  }
  UpdateTitle();
  ApplyDesignMethodToGrid();
  UpdateEnabling();
}

void TMainWindow::ReadUserSettings() {
  const TQtSettingsStore store;
  ReadSettings(store, Settings_);
  Form_->SetDefaultUnits(Settings_.DefSIUnits);
  Form_->CurDir = Settings_.CurDir;
}

void TMainWindow::WriteUserSettings() {
  Settings_.CurDir = Form_->CurDir.empty() ? Settings_.CurDir : Form_->CurDir;
  const QRect bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
  Settings_.DefWindowsPos = true;
  Settings_.DefWindowsState = isMinimized()   ? kWindowMinimized
                              : isMaximized() ? kWindowMaximized
                                              : kWindowNormal;
  Settings_.DefBoundLeft = bounds.left();
  Settings_.DefBoundTop = bounds.top();
  Settings_.DefBoundWidth = bounds.width();
  Settings_.DefBoundHeight = bounds.height();
  TQtSettingsStore store;
  WriteSettings(store, Settings_);
  store.Sync();
}

void TMainWindow::RestorePlacement() {
  if (!Settings_.DefWindowsPos || Settings_.DefBoundWidth <= 0 || Settings_.DefBoundHeight <= 0) {
    return;
  }
  setGeometry(Settings_.DefBoundLeft, Settings_.DefBoundTop, Settings_.DefBoundWidth,
              Settings_.DefBoundHeight);
  // A window stored minimized comes back normal, so that the program is seen to start.
  if (Settings_.DefWindowsState == kWindowMaximized) setWindowState(Qt::WindowMaximized);
}

// ---- host ----

void TMainWindow::ProjectChanged() {
  Form_->Project().Grids().ProjectChanged = true;
  UpdateTitle();
  UpdateEnabling();
}

void TMainWindow::HideChildWindows() {
  // A project is created before the frame has its MDI area.
  if (Mdi_ != nullptr) Mdi_->closeAllSubWindows();
}

bool TMainWindow::Confirm(const std::string& message) {
  return AskYesNo(this, message);
}

void TMainWindow::CommitActiveChild() {
  QMdiSubWindow* const active = Mdi_->activeSubWindow();
  if (active == nullptr) return;
  auto* const commit = dynamic_cast<TCommitValues*>(active->widget());
  if (commit != nullptr) commit->CommitValues();
}

std::filesystem::path TMainWindow::ProjectFile() const {
  std::error_code ignored;
  return std::filesystem::absolute(Form_->Data().FileName, ignored);
}

// ---- title, enabling, menus ----

void TMainWindow::UpdateTitle() {
  setWindowTitle(Q(WindowTitle(Form_->Data().FileName)));
  UpdateStatus();
}

void TMainWindow::UpdateStatus() {
  const TProgramData& project = Form_->Data();
  StatusProject_->setText(
      Q(project.Title) + "    |    " +
      (project.fUnits == kSIUnits ? "SI units (kN, m)" : "English units (lbs, ft, in)") +
      "    |    " + (project.CFAPile != 0 ? "CFA pile" : "Drilled shaft") + "    |    " +
      (project.NLRFD == kLRFDMethod ? "LRFD" : "ASD"));
}

void TMainWindow::UpdateEnabling() {
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
}

void TMainWindow::UpdateFileMenu() {
  for (int n = 0; n < kRecentFileCount; ++n) {
    QAction* const item = RecentActions_[static_cast<size_t>(n)];
    const bool shown = n < Settings_.Recent.NumberPrevFile();
    item->setVisible(shown);
    if (shown) item->setText(Q(Settings_.Recent.Caption(n + 1, Form_->CurDir)));
  }
}

void TMainWindow::UpdateDataMenu() {
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

void TMainWindow::UpdateComputationMenu() {
  const TResultFiles files = FindResultFiles(Form_->Data().FileName);
  Action("actionViewInput")->setEnabled(files.Project);
  Action("actionViewRunNotes")->setEnabled(files.RunLog);
  Action("actionViewOutput")->setEnabled(files.Report);
  const bool batch = BatchCommandVisible(ProgramDir_);
  Action("actionBatch")->setVisible(batch);
  findChild<QAction*>("separatorBatch")->setVisible(batch);
}

void TMainWindow::UpdateGraphicsMenu() {
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
      item->setText(Q(GraphicsCaption(project, plot)));
    }
  }
  Action("actionExportToExcel")->setEnabled(commands.ExportToExcel);
}

void TMainWindow::UpdateWindowMenu() {
  const QList<QMdiSubWindow*> children = Mdi_->subWindowList();
  for (int n = 0; n < kWindowListSize; ++n) {
    QAction* const item = WindowListActions_[static_cast<size_t>(n)];
    const bool shown = n < children.size();
    item->setVisible(shown);
    if (!shown) continue;
    item->setText(children[n]->windowTitle());
    item->setChecked(children[n] == Mdi_->activeSubWindow());
  }
}

void TMainWindow::ShowChildFromWindowMenu(int index) {
  const QList<QMdiSubWindow*> children = Mdi_->subWindowList();
  if (index < children.size()) {
    children[index]->showNormal();
    Mdi_->setActiveSubWindow(children[index]);
  }
}

void TMainWindow::ArrangeIcons() {
  // Minimized children line up along the bottom edge of the frame.
  int x = 0;
  for (QMdiSubWindow* child : Mdi_->subWindowList()) {
    if (!child->isMinimized()) continue;
    child->move(x, Mdi_->viewport()->height() - child->height());
    x += child->width();
  }
}

void TMainWindow::ApplyDesignMethodToGrid() {
  ApplyDesignMethod(Form_->Project().Grids(), Form_->Data().NLRFD);
}

// ---- File commands ----

bool TMainWindow::AskToSave() {
  const std::string before = Form_->Data().FileName;
  const bool go_on = Form_->AskToSave();
  if (Form_->Data().FileName != before) AfterSaveAs(true);
  return go_on;
}

void TMainWindow::NewProject() {
  if (AskToSave()) {
    Form_->New();
    UpdateTitle();
  }
  Form_->Flags.Clear();
  ApplyDesignMethodToGrid();
  Close3DView(*this);
  UpdateEnabling();
}

bool TMainWindow::OpenRecentOrDropped(const QString& file) {
  const int type = FileTypeIndexForPath(file.toStdString());
  if (type == 0 || !AskToSave()) return false;
  OpenFile(file, type);
  return true;
}

void TMainWindow::OpenFile(const QString& file, int file_type_index) {
  const TOpenResult opened = Form_->Open(file.toStdString(), file_type_index);
  Settings_.CurDir = Form_->CurDir;
  if (opened.Opened) {
    Settings_.Recent.PutFirst(ProjectFile().string());
    Settings_.DefSIUnits = Form_->Data().fUnits;
    Form_->SetDefaultUnits(Settings_.DefSIUnits);
    WriteUserSettings();
  }
  UpdateTitle();
  ApplyDesignMethodToGrid();
  Close3DView(*this);
  UpdateEnabling();
}

void TMainWindow::SaveProject() {
  const std::string& name = Form_->Data().FileName;
  // Save goes through Save As for a new project and for a file of an older layout.
  const bool save_as = name == kNewProjectFileName ||
                       QFileInfo(Q(name)).suffix().compare("tv9d", Qt::CaseInsensitive) != 0;
  if (save_as) {
    SaveProjectAs();
    return;
  }
  try {
    Form_->Save();
  } catch (const std::exception& failure) {
    Messages_->error(failure.what());
  }
  UpdateEnabling();
}

void TMainWindow::SaveProjectAs() {
  Form_->filesaved = true;
  bool chosen = false;
  try {
    Form_->SaveAs();
    chosen = Form_->filesaved;
  } catch (const std::exception& failure) {
    Messages_->error(failure.what());
  }
  AfterSaveAs(chosen);
}

void TMainWindow::AfterSaveAs(bool chosen) {
  // Save As ends with no results shown and every child window closed, chosen file or not.
  UpdateTitle();
  if (chosen) {
    Settings_.Recent.PutFirst(ProjectFile().string());
    WriteUserSettings();
  }
  HideChildWindows();
  UpdateEnabling();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (Running_) {
    event->ignore();
    return;
  }
  CommitActiveChild();
  if (!AskToSave()) {
    event->ignore();
    return;
  }
  WriteUserSettings();
  HideChildWindows();
  event->accept();
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainWindow::dropEvent(QDropEvent* event) {
  if (DropFiles(event->mimeData()->urls())) event->acceptProposedAction();
}

bool TMainWindow::DropFiles(const QList<QUrl>& urls) {
  // Only the first dropped file counts.
  if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return false;
  return OpenRecentOrDropped(urls.constFirst().toLocalFile());
}

// ---- Data commands ----

void TMainWindow::SetUnits(int units) {
  TProgramData& project = Form_->Data();
  if (project.fUnits != units) {
    project.SetUnits(units);
    Form_->Project().Grids().ProjectChanged = true;
  }
  // The next new project starts in the same system.
  Settings_.DefSIUnits = project.fUnits;
  Form_->SetDefaultUnits(project.fUnits);
  UpdateTitle();
  UpdateEnabling();
}

void TMainWindow::SetDesignMethod(int32_t nlrfd) {
  TProgramData& project = Form_->Data();
  if (project.NLRFD != nlrfd) {
    project.NLRFD = nlrfd;
    Form_->Project().Grids().ProjectChanged = true;
  }
  ApplyDesignMethodToGrid();
  UpdateTitle();
  UpdateEnabling();
}

void TMainWindow::ShowPileProperties(bool cfa) {
  CommitActiveChild();
  TProgramData& project = Form_->Data();
  if ((project.CFAPile != 0) != cfa) {
    if (!project.SwitchPileKind(cfa)) {
      UpdateEnabling();  // the pressed button and the check mark go back to the current kind
      return;
    }
    Form_->Project().Grids().ProjectChanged = true;
    CloseDataWindow(*this,
                    cfa ? TDataWindow::kDrilledShaftProperties : TDataWindow::kCfaPileProperties);
    UpdateEnabling();
  }
  ShowDataWindow(*this,
                 cfa ? TDataWindow::kCfaPileProperties : TDataWindow::kDrilledShaftProperties);
}

void TMainWindow::SetComputationMethod(int32_t method) {
  TProgramData& project = Form_->Data();
  if (project.METHOD != method) {
    project.METHOD = method;
    Form_->Project().Grids().ProjectChanged = true;
  }
  UpdateEnabling();
  const bool length = method == kShaftLengthGiven;
  CloseDataWindow(*this, length ? TDataWindow::kDesignLoad : TDataWindow::kShaftLength);
  ShowDataWindow(*this, length ? TDataWindow::kShaftLength : TDataWindow::kDesignLoad);
}

// ---- Computation and Graphics commands ----

void TMainWindow::RunAnalysis() {
  if (Running_) return;
  CommitActiveChild();
  const std::string before = Form_->Data().FileName;
  const TRunResult run = Form_->CompRunClick();
  Settings_.CurDir = Form_->CurDir;
  if (Form_->Data().FileName != before) {
    Settings_.Recent.PutFirst(ProjectFile().string());
    WriteUserSettings();
  }
  if (run.EngineCalled) HideChildWindows();
  UpdateTitle();
  UpdateEnabling();
}

void TMainWindow::ViewTextFile(const QString& file) {
  OpenWithWordProcessor(this, Settings_.WordProcessor, file);
}

void TMainWindow::ShowPlot(int plot_index) {
  CommitActiveChild();
  ShowPlotWindow(*this, plot_index);
}

void TMainWindow::ShowBatchWindow() {
  TBatchWindow batch(*this);
  batch.exec();
  UpdateTitle();
  UpdateEnabling();
}

void TMainWindow::ShowAboutBox() {
  TAboutBox about(this);
  about.exec();
}

void TMainWindow::OpenManual(const QString& file_name) {
  const QString manual = Q((ProgramDir_ / file_name.toStdString()).string());
  if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
    QMessageBox::information(this, "Information", "The manual cannot be opened:\n" + manual);
  }
}

// ---- the program ----

int RunDesktop(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(kSettingsOrganization);
  QApplication::setApplicationName(kSettingsApplication);
  QApplication::setApplicationVersion(kProgramVersion);
  QApplication::setWindowIcon(ProgramIcon());
  // The application object takes the user's locale; numbers are still read and written with a
  // point.
  std::setlocale(LC_NUMERIC, "C");
  const QStringList arguments = QApplication::arguments();
  TMainWindow window(QApplication::applicationDirPath().toStdString());
  window.Start(arguments.size() > 1 ? arguments.at(1) : QString());
  window.show();
  return QApplication::exec();
}

}  // namespace tolvane::app
