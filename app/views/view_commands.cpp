#include "view_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "dlg_block.h"
#include "dlg_side_view.h"
#include "view_tool_icons.h"
#include "window_host.h"

namespace tolvane::app {

namespace {

template <typename View>
View* findView(app::WindowHost& host) {
  QMdiArea* area = host.mdiArea();
  if (area == nullptr) return nullptr;
  for (QMdiSubWindow* sub : area->subWindowList()) {
    if (auto* view = dynamic_cast<View*>(sub->widget())) return view;
  }
  return nullptr;
}

// Puts a new view into the MDI area (or shows it as its own window without one).
QMdiSubWindow* addToArea(app::WindowHost& host, QWidget* view) {
  QMdiArea* area = host.mdiArea();
  if (area == nullptr) {
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->show();
    return nullptr;
  }
  QMdiSubWindow* sub = area->addSubWindow(view);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(host.frame() != nullptr ? host.frame()->windowIcon() : QIcon());
  return sub;
}

void bringToFront(QWidget* view) {
  QWidget* window = view->parentWidget() != nullptr ? view->parentWidget() : view;
  window->showNormal();
  window->raise();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
    if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
  }
  view->activateWindow();
}

}  // namespace

TDlgSideView* findSideView(app::WindowHost& host) {
  return findView<TDlgSideView>(host);
}

TDlgBlock* find3DView(app::WindowHost& host) {
  TDlgBlock* view = findView<TDlgBlock>(host);
  return view != nullptr && !view->isClosing() ? view : nullptr;
}

Block3DControls::Block3DControls(app::WindowHost& host, QMenuBar* menuBar, QToolBar* toolBar,
                                 QAction* before)
    : QObject(menuBar), host_(host) {
  menu_ = new QMenu(tr("Show 3D View"), menuBar);
  const auto item = [this](const char* text, void (TDlgBlock::*toggle)()) {
    QAction* action = menu_->addAction(tr(text));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, toggle] {
      if (TDlgBlock* view = find3DView(host_)) (view->*toggle)();
    });
    return action;
  };
  shaft_ = item("Shaft", &TDlgBlock::ShowShaftOption);
  water_ = item("Water Level", &TDlgBlock::ShowWaterLevelOption);
  layers_ = item("Soil Layers", &TDlgBlock::ShowSoilLayersOption);
  layerLabels_ = item("Layer Labels", &TDlgBlock::ShowSoilLayerLabelsOption);
  layerDepths_ = item("Layer Depths", &TDlgBlock::ShowSoilLayerDepthLabelsOption);
  axes_ = item("Global Axes", &TDlgBlock::ShowLocalAxesOption);
  menu_->addSeparator();
  combined_ = item("Combined Plots", &TDlgBlock::UltimateEffectsWindow);
  menu_->setObjectName(QStringLiteral("menuShow3DView"));
  if (menuBar != nullptr && before != nullptr) {
    menuBar->insertMenu(before, menu_);
  } else if (menuBar != nullptr) {
    menuBar->addMenu(menu_);
  }
  connect(menu_, &QMenu::aboutToShow, this, [this] { updateMenu(); });

  modes_ = new QActionGroup(this);
  modes_->setExclusive(true);
  const char* const hints[] = {"Panning", "Zooming",  "Rotating",    "Zoom Window",
                               "Zoom In", "Zoom Out", "Restart View"};
  for (size_t i = 0; i < tools_.size(); ++i) {
    tools_[i] = new QAction(blockToolIcon(static_cast<BlockToolIcon>(i)), tr(hints[i]), this);
    tools_[i]->setToolTip(tr(hints[i]));
    if (toolBar != nullptr) toolBar->addAction(tools_[i]);
  }
  for (size_t i = 0; i < 4; ++i) {
    tools_[i]->setCheckable(true);
    modes_->addAction(tools_[i]);
    connect(tools_[i], &QAction::triggered, this, [this] { mouseModeChosen(); });
  }
  connect(tools_[4], &QAction::triggered, this, [this] {
    if (TDlgBlock* view = find3DView(host_)) view->Zooming(kZoomStep);
  });
  connect(tools_[5], &QAction::triggered, this, [this] {
    if (TDlgBlock* view = find3DView(host_)) view->Zooming(1 / kZoomStep);
  });
  connect(tools_[6], &QAction::triggered, this, [this] {
    if (TDlgBlock* view = find3DView(host_)) view->RestartViewButtonClick();
  });
  updateVisibility();
}

QAction* Block3DControls::viewMenuAction() const {
  return menu_->menuAction();
}

void Block3DControls::mouseModeChosen() {
  TDlgBlock* view = find3DView(host_);
  if (view == nullptr) return;
  const int modes[] = {kMousePanning, kMouseZooming, kMouseRotating, kMouseZoomWindow};
  int option = kMouseNone;
  for (size_t i = 0; i < 4; ++i) {
    if (tools_[i]->isChecked()) option = modes[i];
  }
  view->setMouseOption(option, tools_[3]->isChecked());
}

void Block3DControls::updateVisibility() {
  const bool exists = find3DView(host_) != nullptr;
  menu_->menuAction()->setVisible(exists);
  for (QAction* tool : tools_) tool->setVisible(exists);
}

void Block3DControls::updateMenu() {
  TDlgBlock* view = find3DView(host_);
  if (view == nullptr) return;
  const Block3DMenuState state = view->menuState();
  const auto apply = [](QAction* action, const MenuItemState& item) {
    action->setChecked(item.checked);
    action->setEnabled(item.enabled);
  };
  apply(shaft_, state.shaft);
  apply(water_, state.waterLevel);
  apply(layers_, state.soilLayers);
  apply(layerLabels_, state.layerLabels);
  apply(layerDepths_, state.layerDepths);
  apply(axes_, state.globalAxes);
  apply(combined_, state.combinedPlots);
}

void showSideView(WindowHost& host) {
  if (TDlgSideView* open = findSideView(host)) {
    bringToFront(open);
    open->FormActivate();
    return;
  }
  auto* view = new TDlgSideView(host);
  QMdiSubWindow* sub = addToArea(host, view);
  if (sub != nullptr) {
    QObject::connect(host.mdiArea(), &QMdiArea::subWindowActivated, view,
                     [view, sub](QMdiSubWindow* active) {
                       if (active == sub) view->FormActivate();
                     });
    sub->show();
  }
  view->FormActivate();
}

void show3DView(WindowHost& host) {
  if (TDlgBlock* open = find3DView(host)) {
    bringToFront(open);
    return;
  }
  auto* view = new TDlgBlock(host);
  if (QMdiSubWindow* sub = addToArea(host, view)) sub->show();
  view->ResizeWindow();
  host.updateEnabling();
}

void Close3DView(WindowHost& host) {
  TDlgBlock* view = find3DView(host);
  if (view == nullptr) return;
  QWidget* window = view->parentWidget() != nullptr ? view->parentWidget() : view;
  window->close();
}

}  // namespace tolvane::app
