// The commands that open and close the data windows: each is created on first use, as a child of
// the main window's MDI area or, for the multiple-lengths and design-chart windows, as an ordinary
// window owned by the main window; a second command shows it again; closing destroys it.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <memory>

#include "data_windows.h"
#include "option_windows.h"
#include "pile_properties_window.h"
#include "soil_layers_window.h"

namespace tolvane::app {
namespace {

// The MDI frame of a data window. A frame being destroyed changes its state once more; the window
// then no longer follows it, since the project may be gone already.
class TDataSubWindow : public QMdiSubWindow {
 public:
  ~TDataSubWindow() override {
    if (QWidget* inner = widget()) inner->setProperty("tolvaneClosing", true);
  }
};

bool IsMdiChild(TDataWindow window) {
  return window != TDataWindow::kMultipleLengths && window != TDataWindow::kDesignCharts;
}

TDataWindowBase* CreateWindow(TWindowHost& host, TDataWindow window) {
  switch (window) {
    case TDataWindow::kTitle:
      return new TTitleWindow(host);
    case TDataWindow::kDrilledShaftProperties:
      return new TPilePropertiesWindow(host, false);
    case TDataWindow::kCfaPileProperties:
      return new TPilePropertiesWindow(host, true);
    case TDataWindow::kSoilLayers:
      return new TSoilLayersWindow(host);
    case TDataWindow::kFactorOfSafety:
      return new TFactorOfSafetyWindow(host);
    case TDataWindow::kShaftLength:
      return new TLoadingWindow(host, false);
    case TDataWindow::kDesignLoad:
      return new TLoadingWindow(host, true);
    case TDataWindow::kWaterTable:
      return new TWaterTableWindow(host);
    case TDataWindow::kMultipleLengths:
      return new TMultipleLengthsWindow(host);
    case TDataWindow::kDesignCharts:
      return new TDesignChartsWindow(host);
    case TDataWindow::kControlOptions:
      return new TControlOptionsWindow(host);
  }
  return nullptr;
}

// The window that a command for `window` closes first: the shaft-length and design-load windows
// exclude each other, and so do the two property windows (closing one sets the pile kind, so it
// goes before the other is opened).
std::optional<TDataWindow> Excluded(TDataWindow window) {
  switch (window) {
    case TDataWindow::kShaftLength:
      return TDataWindow::kDesignLoad;
    case TDataWindow::kDesignLoad:
      return TDataWindow::kShaftLength;
    case TDataWindow::kDrilledShaftProperties:
      return TDataWindow::kCfaPileProperties;
    case TDataWindow::kCfaPileProperties:
      return TDataWindow::kDrilledShaftProperties;
    default:
      return std::nullopt;
  }
}

// An MDI child loads the project when it becomes active and writes it back when it stops being
// active; when its active field holds invalid text it is made active again and writes nothing.
void FollowActivation(QMdiArea* area, QMdiSubWindow* sub, TDataWindowBase* window) {
  QObject::connect(sub, &QMdiSubWindow::windowStateChanged, window,
                   [area, sub, window](Qt::WindowStates old_state, Qt::WindowStates new_state) {
                     if (window->property("tolvaneClosing").toBool()) return;
                     const bool was_active = old_state.testFlag(Qt::WindowActive);
                     const bool active = new_state.testFlag(Qt::WindowActive);
                     if (!was_active && active) {
                       window->Activated();
                     } else if (was_active && !active && !window->Deactivated()) {
                       QTimer::singleShot(0, sub, [area, sub] { area->setActiveSubWindow(sub); });
                     }
                   });
}

}  // namespace

void ShowDataWindow(TWindowHost& host, TDataWindow window) {
  if (const auto other = Excluded(window)) CloseDataWindow(host, *other);
  auto* existing = qobject_cast<TDataWindowBase*>(FindDataWindow(host, window));
  QMdiArea* area = host.MdiArea();
  if (existing != nullptr) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
      sub->show();
      if (area != nullptr && area->activeSubWindow() != sub) {
        area->setActiveSubWindow(sub);
      } else {
        existing->LoadValues();
      }
    } else {
      existing->LoadValues();
      existing->show();
      existing->raise();
      existing->activateWindow();
    }
    return;
  }
  TDataWindowBase* created = CreateWindow(host, window);
  if (created == nullptr) return;
  if (IsMdiChild(window) && area != nullptr) {
    auto* sub = new TDataSubWindow;
    sub->setWidget(created);
    area->addSubWindow(sub);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(created->windowTitle());
    created->LoadValues();
    FollowActivation(area, sub, created);
    sub->adjustSize();
    sub->show();
    area->setActiveSubWindow(sub);
  } else {
    created->setParent(host.Frame(), Qt::Window);
    created->setAttribute(Qt::WA_DeleteOnClose);
    created->LoadValues();
    created->adjustSize();
    created->show();
    created->raise();
    created->activateWindow();
  }
}

void CloseDataWindow(TWindowHost& host, TDataWindow window) {
  QWidget* existing = FindDataWindow(host, window);
  if (existing == nullptr) return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
    sub->close();
  } else {
    existing->close();
  }
}

}  // namespace tolvane::app
