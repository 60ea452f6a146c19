// The menus, tool bar and status bar of the main window.
#include <QActionGroup>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <tuple>

#include "main_window.h"
#include "tool_icons.h"
#include "window_rules.h"
#include "window_services.h"

namespace tolvane::app {
namespace {

constexpr int kWindowListSize = 50;  // child windows the Window menu lists
constexpr const char* kUsersManual = "Tolvane 2023 Users Manual.pdf";
constexpr const char* kTechnicalManual = "Tolvane 2023 Technical Manual.pdf";
constexpr const char* kUpdatePage = "https://github.com/kestrum/tolvane/releases";

// The hints of the plot buttons, in the order of the result plots.
constexpr std::array<const char*, kPltChart1> kPlotHints = {
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

}  // namespace

QAction* TMainForm::NewAction(const QString& name, const QString& caption) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  return action;
}

QAction* TMainForm::Action(const QString& name) const {
  return findChild<QAction*>(name);
}

void TMainForm::CreateFileMenu() {
  FileMenu_ = menuBar()->addMenu("&File");
  FileMenu_->setObjectName("menuFile");
  QAction* const new_file = NewAction("actionNew", "&New");
  new_file->setShortcut(QKeySequence::New);
  connect(new_file, &QAction::triggered, this, [this] { NewProject(); });
  QAction* const open = NewAction("actionOpen", "&Open...");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this] { OpenWithDialog(); });
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
      if (!file.empty()) OpenRecentOrDropped(ToQString(file));
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

QMenu* TMainForm::AddChoiceMenu(QMenu* parent, const QString& caption,
                                  std::initializer_list<TMenuChoice> choices,
                                  const std::function<void(int)>& choose) {
  QMenu* const menu = parent->addMenu(caption);
  auto* const group = new QActionGroup(this);  // the items exclude each other
  for (const TMenuChoice& choice : choices) {
    QAction* const item = NewAction(choice.Name, choice.Caption);
    item->setCheckable(true);
    group->addAction(item);
    menu->addAction(item);
    connect(item, &QAction::triggered, this, [choose, value = choice.Value] { choose(value); });
  }
  return menu;
}

QAction* TMainForm::AddDataWindowItem(QMenu* menu, const QString& name, const QString& caption,
                                        TDataWindow window) {
  QAction* const item = NewAction(name, caption);
  connect(item, &QAction::triggered, this, [this, window] { ShowDataWindow(*this, window); });
  menu->addAction(item);
  return item;
}

void TMainForm::CreateDataMenu() {
  DataMenu_ = menuBar()->addMenu("&Data");
  DataMenu_->setObjectName("menuData");
  AddDataWindowItem(DataMenu_, "actionTitle", "&Title", TDataWindow::kTitle);
  AddChoiceMenu(DataMenu_, "&Units",
                {{"actionEnglishUnits", "&English Units (lbs, ft, in)", kEnglishUnits},
                 {"actionSIUnits", "&SI Units (kN, m)", kSIUnits}},
                [this](int units) { SetUnits(units); });
  AddChoiceMenu(DataMenu_, "Design Method (ASD or LRFD)",
                {{"actionASD", "ASD (Allowable Stress Design)", kAsd},
                 {"actionLRFD", "LRFD (Load Resistance Factor Design)", kLrfd}},
                [this](int nlrfd) { SetDesignMethod(nlrfd); });
  AddChoiceMenu(DataMenu_, "&Drilled-Shaft/CFA PIle Properties",
                {{"actionDrilledShaft", "Drilled-Shaft Properties", 0},
                 {"actionCFAPile", "CFA Pile Properties", 1}},
                [this](int cfa) { ShowPileProperties(cfa != 0); });
  AddDataWindowItem(DataMenu_, "actionSoilLayers", "Soil &Layer Data", TDataWindow::kSoilLayers);
  AddDataWindowItem(DataMenu_, "actionFactorOfSafety",
                    "&Factor of Safety (Allowable Stress Design)", TDataWindow::kFactorOfSafety);
  AddChoiceMenu(DataMenu_, "&Computation Methods",
                {{"actionShaftLength", "Specify the shaft length", kShaftLengthGiven},
                 {"actionDesignLoad", "Specify the design load", kDesignLoadGiven}},
                [this](int method) { SetComputationMethod(method); });
  AddDataWindowItem(DataMenu_, "actionWaterTable", "&Water Table", TDataWindow::kWaterTable);
  // The check marks of the two options show whether they are on; the items open their windows.
  AddDataWindowItem(DataMenu_, "actionMultipleLengths", "Evaluate Multiple Shaft Lengths",
                    TDataWindow::kMultipleLengths)
      ->setCheckable(true);
  AddDataWindowItem(DataMenu_, "actionDesignCharts", "ASD/LRFD Design Charts",
                    TDataWindow::kDesignCharts)
      ->setCheckable(true);
  AddDataWindowItem(DataMenu_, "actionControlOptions", "Control &Options...",
                    TDataWindow::kControlOptions);
  connect(DataMenu_, &QMenu::aboutToShow, this, [this] {
    CommitActiveChild();
    UpdateDataMenu();
  });
}

void TMainForm::CreateComputationMenu() {
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
      ViewTextFile(ToQString((ext.empty() ? project : resultFile(project, ext.c_str())).string()));
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

void TMainForm::CreateGraphicsMenu() {
  GraphicsMenu_ = menuBar()->addMenu("&Graphics");
  GraphicsMenu_->setObjectName("menuGraphics");
  for (int plot = 0; plot < kResultPlotCount; ++plot) {
    if (plot == kFSpltSkin || plot == kPltAxial || plot == kPltTz || plot == kPltChart1) {
      GraphicsMenu_->addSeparator();
    }
    QAction* const item =
        NewAction(QString("actionPlot%1").arg(plot), ToQString(InitialGraphicsCaption(plot)));
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

void TMainForm::CreateWindowMenu() {
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

void TMainForm::CreateHelpMenu() {
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

void TMainForm::CreateToolBar() {
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
         [this] { ViewTextFile(ToQString(resultFile(ProjectFile(), kReportExtension).string())); });
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

void TMainForm::CreateStatusBar() {
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

}  // namespace tolvane::app
