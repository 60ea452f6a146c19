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

QAction* TMainForm::newAction(const QString& name, const QString& caption) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  return action;
}

QAction* TMainForm::action(const QString& name) const {
  return findChild<QAction*>(name);
}

void TMainForm::createFileMenu() {
  fileMenu_ = menuBar()->addMenu("&File");
  fileMenu_->setObjectName("menuFile");
  QAction* const newFile = newAction("actionNew", "&New");
  newFile->setShortcut(QKeySequence::New);
  connect(newFile, &QAction::triggered, this, [this] { newProject(); });
  QAction* const open = newAction("actionOpen", "&Open...");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this] { openWithDialog(); });
  QAction* const save = newAction("actionSave", "&Save");
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] { saveProject(); });
  QAction* const saveAs = newAction("actionSaveAs", "Save &As...");
  connect(saveAs, &QAction::triggered, this, [this] { saveProjectAs(); });
  fileMenu_->addActions({newFile, open, save, saveAs});
  fileMenu_->addSeparator();
  for (int n = 0; n < kRecentFileCount; ++n) {
    QAction* const recent = newAction(QString("actionRecent%1").arg(n + 1), QString());
    recent->setVisible(false);
    connect(recent, &QAction::triggered, this, [this, n] {
      const std::string file = settings_.recent.PrevFile()[static_cast<size_t>(n)];
      if (!file.empty()) openRecentOrDropped(toQString(file));
    });
    fileMenu_->addAction(recent);
    recentActions_[static_cast<size_t>(n)] = recent;
  }
  fileMenu_->addSeparator();
  QAction* const exit = newAction("actionExit", "E&xit");
  connect(exit, &QAction::triggered, this, &QWidget::close);
  fileMenu_->addAction(exit);
  connect(fileMenu_, &QMenu::aboutToShow, this, [this] {
    commitActiveChild();
    updateFileMenu();
  });
}

QMenu* TMainForm::addChoiceMenu(QMenu* parent, const QString& caption,
                                std::initializer_list<MenuChoice> choices,
                                const std::function<void(int)>& choose) {
  QMenu* const menu = parent->addMenu(caption);
  auto* const group = new QActionGroup(this);  // the items exclude each other
  for (const MenuChoice& choice : choices) {
    QAction* const item = newAction(choice.Name, choice.Caption);
    item->setCheckable(true);
    group->addAction(item);
    menu->addAction(item);
    connect(item, &QAction::triggered, this, [choose, value = choice.Value] { choose(value); });
  }
  return menu;
}

QAction* TMainForm::addDataWindowItem(QMenu* menu, const QString& name, const QString& caption,
                                      DataWindow window) {
  QAction* const item = newAction(name, caption);
  connect(item, &QAction::triggered, this, [this, window] { showDataWindow(*this, window); });
  menu->addAction(item);
  return item;
}

void TMainForm::createDataMenu() {
  dataMenu_ = menuBar()->addMenu("&Data");
  dataMenu_->setObjectName("menuData");
  addDataWindowItem(dataMenu_, "actionTitle", "&Title", DataWindow::kTitle);
  addChoiceMenu(dataMenu_, "&Units",
                {{"actionEnglishUnits", "&English Units (lbs, ft, in)", kEnglishUnits},
                 {"actionSIUnits", "&SI Units (kN, m)", kSIUnits}},
                [this](int units) { SetUnits(units); });
  addChoiceMenu(dataMenu_, "Design Method (ASD or LRFD)",
                {{"actionASD", "ASD (Allowable Stress Design)", kAsd},
                 {"actionLRFD", "LRFD (Load Resistance Factor Design)", kLrfd}},
                [this](int nlrfd) { setDesignMethod(nlrfd); });
  addChoiceMenu(dataMenu_, "&Drilled-Shaft/CFA PIle Properties",
                {{"actionDrilledShaft", "Drilled-Shaft Properties", 0},
                 {"actionCFAPile", "CFA Pile Properties", 1}},
                [this](int cfa) { showPileProperties(cfa != 0); });
  addDataWindowItem(dataMenu_, "actionSoilLayers", "Soil &Layer Data", DataWindow::kSoilLayers);
  addDataWindowItem(dataMenu_, "actionFactorOfSafety",
                    "&Factor of Safety (Allowable Stress Design)", DataWindow::kFactorOfSafety);
  addChoiceMenu(dataMenu_, "&Computation Methods",
                {{"actionShaftLength", "Specify the shaft length", kShaftLengthGiven},
                 {"actionDesignLoad", "Specify the design load", kDesignLoadGiven}},
                [this](int method) { setComputationMethod(method); });
  addDataWindowItem(dataMenu_, "actionWaterTable", "&Water Table", DataWindow::kWaterTable);
  // The check marks of the two options show whether they are on; the items open their windows.
  addDataWindowItem(dataMenu_, "actionMultipleLengths", "Evaluate Multiple Shaft Lengths",
                    DataWindow::kMultipleLengths)
      ->setCheckable(true);
  addDataWindowItem(dataMenu_, "actionDesignCharts", "ASD/LRFD Design Charts",
                    DataWindow::kDesignCharts)
      ->setCheckable(true);
  addDataWindowItem(dataMenu_, "actionControlOptions", "Control &Options...",
                    DataWindow::kControlOptions);
  connect(dataMenu_, &QMenu::aboutToShow, this, [this] {
    commitActiveChild();
    updateDataMenu();
  });
}

void TMainForm::createComputationMenu() {
  computationMenu_ = menuBar()->addMenu("&Computation");
  computationMenu_->setObjectName("menuComputation");
  QAction* const run = newAction("actionRun", "&Run Analysis");
  run->setShortcut(Qt::Key_F9);
  connect(run, &QAction::triggered, this, [this] { runAnalysis(); });
  computationMenu_->addAction(run);
  computationMenu_->addSeparator();
  for (const auto& [name, caption, extension] :
       {std::tuple{"actionViewInput", "View I&nput Text", ""},
        std::tuple{"actionViewRunNotes", "View &Processor-Run Notes", kRunLogExtension},
        std::tuple{"actionViewOutput", "View &Output Text", kReportExtension}}) {
    QAction* const item = newAction(name, caption);
    connect(item, &QAction::triggered, this, [this, ext = std::string(extension)] {
      const std::filesystem::path project = projectFile();
      viewTextFile(toQString((ext.empty() ? project : resultFile(project, ext.c_str())).string()));
    });
    computationMenu_->addAction(item);
  }
  computationMenu_->addSeparator();
  QAction* const elevation = newAction("actionSideView", "&View Shaft Elevation");
  connect(elevation, &QAction::triggered, this, [this] { showSideView(*this); });
  QAction* const view3d = newAction("action3DView", "3D View");
  connect(view3d, &QAction::triggered, this, [this] { show3DView(*this); });
  computationMenu_->addActions({elevation, view3d});
  QAction* const batchSeparator = computationMenu_->addSeparator();
  batchSeparator->setObjectName("separatorBatch");
  QAction* const batch = newAction("actionBatch", "Multi-File Analysis (Batch Run)");
  connect(batch, &QAction::triggered, this, [this] { showBatchWindow(); });
  computationMenu_->addAction(batch);
  connect(computationMenu_, &QMenu::aboutToShow, this, [this] {
    commitActiveChild();
    updateComputationMenu();
  });
}

void TMainForm::createGraphicsMenu() {
  graphicsMenu_ = menuBar()->addMenu("&Graphics");
  graphicsMenu_->setObjectName("menuGraphics");
  for (int plot = 0; plot < kResultPlotCount; ++plot) {
    if (plot == kFSpltSkin || plot == kPltAxial || plot == kPltTz || plot == kPltChart1) {
      graphicsMenu_->addSeparator();
    }
    QAction* const item =
        newAction(QString("actionPlot%1").arg(plot), toQString(initialGraphicsCaption(plot)));
    connect(item, &QAction::triggered, this, [this, plot] { showPlot(plot); });
    graphicsMenu_->addAction(item);
    plotActions_[static_cast<size_t>(plot)] = item;
  }
  graphicsMenu_->addSeparator();
  QAction* const excel = newAction("actionExportToExcel", "Export Plots to Excel");
  connect(excel, &QAction::triggered, this, [this] {
    commitActiveChild();
    showExportToExcel(*this);
  });
  graphicsMenu_->addAction(excel);
  connect(graphicsMenu_, &QMenu::aboutToShow, this, [this] { updateGraphicsMenu(); });
}

void TMainForm::createWindowMenu() {
  windowMenu_ = menuBar()->addMenu("&Window");
  windowMenu_->setObjectName("menuWindow");
  QAction* const cascade = newAction("actionCascade", "&Cascade");
  connect(cascade, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
  QAction* const arrange = newAction("actionArrangeIcons", "&Arrange Icons");
  connect(arrange, &QAction::triggered, this, [this] { arrangeIcons(); });
  windowMenu_->addActions({cascade, arrange});
  windowMenu_->addSeparator();
  for (int n = 0; n < kWindowListSize; ++n) {
    QAction* const item = newAction(QString("actionChildWindow%1").arg(n + 1), QString());
    item->setVisible(false);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, n] { showChildFromWindowMenu(n); });
    windowMenu_->addAction(item);
    windowListActions_.push_back(item);
  }
  connect(windowMenu_, &QMenu::aboutToShow, this, [this] { updateWindowMenu(); });
}

void TMainForm::createHelpMenu() {
  helpMenu_ = menuBar()->addMenu("&Help");
  helpMenu_->setObjectName("menuHelp");
  QAction* const users = newAction("actionUsersManual", "&User's Manual");
  connect(users, &QAction::triggered, this, [this] { openManual(kUsersManual); });
  QAction* const technical = newAction("actionTechnicalManual", "&Technical Manual");
  connect(technical, &QAction::triggered, this, [this] { openManual(kTechnicalManual); });
  QAction* const about = newAction("actionAbout", "&About...");
  connect(about, &QAction::triggered, this, [this] { showAboutBox(); });
  QAction* const updates = newAction("actionCheckForUpdates", "&Check for Updates");
  connect(updates, &QAction::triggered, this, [] { QDesktopServices::openUrl(QUrl(kUpdatePage)); });
  helpMenu_->addActions({users, technical});
  helpMenu_->addSeparator();
  helpMenu_->addActions({about, updates});
  connect(helpMenu_, &QMenu::aboutToShow, this, [this] { commitActiveChild(); });
}

void TMainForm::createToolBar() {
  tools_ = addToolBar("Tools");
  tools_->setObjectName("toolBar");
  tools_->setMovable(false);
  tools_->setIconSize(QSize(kToolIconSize, kToolIconSize));
  // A tool command first lets the active child write its fields.
  const auto button = [this](const QString& name, const QString& hint, const QIcon& icon,
                             std::function<void()> command) {
    QAction* const action = newAction(name, hint);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setIcon(icon);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    tools_->addAction(action);
    return action;
  };
  button("buttonNew", "New File", toolIcon(ToolIcon::kNew), [this] {
    commitActiveChild();
    newProject();
  });
  button("buttonOpen", "Open File", toolIcon(ToolIcon::kOpen), [this] {
    commitActiveChild();
    action("actionOpen")->trigger();
  });
  button("buttonSave", "Save File", toolIcon(ToolIcon::kSave), [this] {
    commitActiveChild();
    saveProject();
  });
  tools_->addSeparator();
  button("buttonTitle", "Title", toolIcon(ToolIcon::kTitle),
         [this] { showDataWindow(*this, DataWindow::kTitle); });
  auto* const kindGroup = new QActionGroup(this);
  QAction* const shaft =
      button("buttonDrilledShaft", "Drilled Shaft Properties", toolIcon(ToolIcon::kDrilledShaft),
             [this] { showPileProperties(false); });
  QAction* const cfa = button("buttonCFAPile", "CFA Pile Properties", toolIcon(ToolIcon::kCFAPile),
                              [this] { showPileProperties(true); });
  for (QAction* item : {shaft, cfa}) {
    item->setCheckable(true);
    kindGroup->addAction(item);
  }
  button("buttonSoilLayers", "Soil Layer Data", toolIcon(ToolIcon::kSoilLayers),
         [this] { showDataWindow(*this, DataWindow::kSoilLayers); });
  button("buttonFactorOfSafety", "Factor of Safety (ASD)", toolIcon(ToolIcon::kFactorOfSafety),
         [this] { showDataWindow(*this, DataWindow::kFactorOfSafety); });
  tools_->addSeparator();
  button("buttonRun", "Run Data File", toolIcon(ToolIcon::kRun), [this] { runAnalysis(); });
  button("buttonViewOutput", "View Output", toolIcon(ToolIcon::kViewOutput),
         [this] { viewTextFile(toQString(resultFile(projectFile(), kReportExtension).string())); });
  button("buttonSideView", "View Soil Profile", toolIcon(ToolIcon::kSideView),
         [this] { showSideView(*this); });
  button("button3DView", "3D View", toolIcon(ToolIcon::k3DView), [this] { show3DView(*this); });
  tools_->addSeparator();
  for (int plot = 0; plot < kPlotButtonCount; ++plot) {
    if (plot == kFSpltSkin || plot == kPltAxial || plot == kPltTz) tools_->addSeparator();
    plotButtons_.push_back(button(QString("buttonPlot%1").arg(plot),
                                  kPlotHints[static_cast<size_t>(plot)], plotIcon(plot),
                                  [this, plot] { showPlot(plot); }));
  }
}

void TMainForm::createStatusBar() {
  statusProject_ = new QLabel(this);
  statusProject_->setObjectName("statusProject");
  statusBar()->addWidget(statusProject_, 1);
  statusBusy_ = new QLabel("Running the analysis...", this);
  busyBar_ = new QProgressBar(this);
  busyBar_->setRange(0, 0);  // no known end: the bar moves to and fro while the engine runs
  busyBar_->setMaximumWidth(160);
  statusBar()->addPermanentWidget(statusBusy_);
  statusBar()->addPermanentWidget(busyBar_);
  statusBusy_->hide();
  busyBar_->hide();
}

}  // namespace tolvane::app
