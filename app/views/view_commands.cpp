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
View* FindView(app::TWindowHost& host) {
  QMdiArea* area = host.MdiArea();
  if (area == nullptr) return nullptr;
  for (QMdiSubWindow* sub : area->subWindowList()) {
    if (auto* view = dynamic_cast<View*>(sub->widget())) return view;
  }
  return nullptr;
}

// Puts a new view into the MDI area (or shows it as its own window without one).
QMdiSubWindow* AddToArea(app::TWindowHost& host, QWidget* view) {
  QMdiArea* area = host.MdiArea();
  if (area == nullptr) {
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->show();
    return nullptr;
  }
  QMdiSubWindow* sub = area->addSubWindow(view);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(host.Frame() != nullptr ? host.Frame()->windowIcon() : QIcon());
  return sub;
}

void BringToFront(QWidget* view) {
  QWidget* window = view->parentWidget() != nullptr ? view->parentWidget() : view;
  window->showNormal();
  window->raise();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
    if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
  }
  view->activateWindow();
}

}  // namespace

TDlgSideView* FindSideView(app::TWindowHost& host) {
  return FindView<TDlgSideView>(host);
}

TDlgBlock* Find3DView(app::TWindowHost& host) {
  TDlgBlock* view = FindView<TDlgBlock>(host);
  return view != nullptr && !view->IsClosing() ? view : nullptr;
}

TBlock3DControls::TBlock3DControls(app::TWindowHost& host, QMenuBar* menu_bar, QToolBar* tool_bar,
                                   QAction* before)
    : QObject(menu_bar), Host_(host) {
  Menu_ = new QMenu(tr("Show 3D View"), menu_bar);
  const auto item = [this](const char* text, void (TDlgBlock::*toggle)()) {
    QAction* action = Menu_->addAction(tr(text));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, toggle] {
      if (TDlgBlock* view = Find3DView(Host_)) (view->*toggle)();
    });
    return action;
  };
  Shaft_ = item("Shaft", &TDlgBlock::ShowShaftOption);
  Water_ = item("Water Level", &TDlgBlock::ShowWaterLevelOption);
  Layers_ = item("Soil Layers", &TDlgBlock::ShowSoilLayersOption);
  LayerLabels_ = item("Layer Labels", &TDlgBlock::ShowSoilLayerLabelsOption);
  LayerDepths_ = item("Layer Depths", &TDlgBlock::ShowSoilLayerDepthLabelsOption);
  Axes_ = item("Global Axes", &TDlgBlock::ShowLocalAxesOption);
  Menu_->addSeparator();
  Combined_ = item("Combined Plots", &TDlgBlock::UltimateEffectsWindow);
  Menu_->setObjectName(QStringLiteral("menuShow3DView"));
  if (menu_bar != nullptr && before != nullptr) {
    menu_bar->insertMenu(before, Menu_);
  } else if (menu_bar != nullptr) {
    menu_bar->addMenu(Menu_);
  }
  connect(Menu_, &QMenu::aboutToShow, this, [this] { UpdateMenu(); });

  Modes_ = new QActionGroup(this);
  Modes_->setExclusive(true);
  const char* const hints[] = {"Panning", "Zooming",  "Rotating",    "Zoom Window",
                               "Zoom In", "Zoom Out", "Restart View"};
  for (size_t i = 0; i < Tools_.size(); ++i) {
    Tools_[i] = new QAction(BlockToolIcon(static_cast<TBlockToolIcon>(i)), tr(hints[i]), this);
    Tools_[i]->setToolTip(tr(hints[i]));
    if (tool_bar != nullptr) tool_bar->addAction(Tools_[i]);
  }
  for (size_t i = 0; i < 4; ++i) {
    Tools_[i]->setCheckable(true);
    Modes_->addAction(Tools_[i]);
    connect(Tools_[i], &QAction::triggered, this, [this] { MouseModeChosen(); });
  }
  connect(Tools_[4], &QAction::triggered, this, [this] {
    if (TDlgBlock* view = Find3DView(Host_)) view->Zooming(kZoomStep);
  });
  connect(Tools_[5], &QAction::triggered, this, [this] {
    if (TDlgBlock* view = Find3DView(Host_)) view->Zooming(1 / kZoomStep);
  });
  connect(Tools_[6], &QAction::triggered, this, [this] {
    if (TDlgBlock* view = Find3DView(Host_)) view->RestartViewButtonClick();
  });
  UpdateVisibility();
}

QAction* TBlock3DControls::MenuAction() const {
  return Menu_->menuAction();
}

void TBlock3DControls::MouseModeChosen() {
  TDlgBlock* view = Find3DView(Host_);
  if (view == nullptr) return;
  const int modes[] = {kMousePanning, kMouseZooming, kMouseRotating, kMouseZoomWindow};
  int option = kMouseNone;
  for (size_t i = 0; i < 4; ++i) {
    if (Tools_[i]->isChecked()) option = modes[i];
  }
  view->SetMouseOption(option, Tools_[3]->isChecked());
}

void TBlock3DControls::UpdateVisibility() {
  const bool exists = Find3DView(Host_) != nullptr;
  Menu_->menuAction()->setVisible(exists);
  for (QAction* tool : Tools_) tool->setVisible(exists);
}

void TBlock3DControls::UpdateMenu() {
  TDlgBlock* view = Find3DView(Host_);
  if (view == nullptr) return;
  const TBlock3DMenuState state = view->MenuState();
  const auto apply = [](QAction* action, const TMenuItemState& item) {
    action->setChecked(item.Checked);
    action->setEnabled(item.Enabled);
  };
  apply(Shaft_, state.Shaft);
  apply(Water_, state.WaterLevel);
  apply(Layers_, state.SoilLayers);
  apply(LayerLabels_, state.LayerLabels);
  apply(LayerDepths_, state.LayerDepths);
  apply(Axes_, state.GlobalAxes);
  apply(Combined_, state.CombinedPlots);
}



void ShowSideView(TWindowHost& host) {
  if (TDlgSideView* open = FindSideView(host)) {
    BringToFront(open);
    open->FormActivate();
    return;
  }
  auto* view = new TDlgSideView(host);
  QMdiSubWindow* sub = AddToArea(host, view);
  if (sub != nullptr) {
    QObject::connect(host.MdiArea(), &QMdiArea::subWindowActivated, view,
                     [view, sub](QMdiSubWindow* active) {
                       if (active == sub) view->FormActivate();
                     });
    sub->show();
  }
  view->FormActivate();
}

void Show3DView(TWindowHost& host) {
  if (TDlgBlock* open = Find3DView(host)) {
    BringToFront(open);
    return;
  }
  auto* view = new TDlgBlock(host);
  if (QMdiSubWindow* sub = AddToArea(host, view)) sub->show();
  view->ResizeWindow();
  host.UpdateEnabling();
}

void Close3DView(TWindowHost& host) {
  TDlgBlock* view = Find3DView(host);
  if (view == nullptr) return;
  QWidget* window = view->parentWidget() != nullptr ? view->parentWidget() : view;
  window->close();
}

}  // namespace tolvane::app
