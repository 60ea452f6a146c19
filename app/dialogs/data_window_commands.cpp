// The commands that open and close the data windows: each is created on first use, as a child of
// the main window's MDI area or, for the multiple-lengths and design-chart windows, as an ordinary
// window owned by the main window; a second command shows it again; closing destroys it.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "data_windows.h"
#include "option_windows.h"
#include "pile_properties_window.h"
#include "soil_layers_window.h"

namespace tolvane::app {
namespace {

// The MDI frame of a data window. A frame being destroyed changes its state once more; the window
// then no longer follows it, since the project may be gone already.
class DataSubWindow : public QMdiSubWindow {
 public:
  ~DataSubWindow() override {
    if (QWidget* inner = widget()) inner->setProperty("tolvaneClosing", true);
  }
};

bool isMdiChild(DataWindow window) {
  return window != DataWindow::kMultipleLengths && window != DataWindow::kDesignCharts;
}

DataWindowBase* createWindow(WindowHost& host, DataWindow window) {
  switch (window) {
    case DataWindow::kTitle:
      return new TitleWindow(host);
    case DataWindow::kDrilledShaftProperties:
      return new PilePropertiesWindow(host, false);
    case DataWindow::kCfaPileProperties:
      return new PilePropertiesWindow(host, true);
    case DataWindow::kSoilLayers:
      return new SoilLayersWindow(host);
    case DataWindow::kFactorOfSafety:
      return new FactorOfSafetyWindow(host);
    case DataWindow::kShaftLength:
      return new LoadingWindow(host, false);
    case DataWindow::kDesignLoad:
      return new LoadingWindow(host, true);
    case DataWindow::kWaterTable:
      return new WaterTableWindow(host);
    case DataWindow::kMultipleLengths:
      return new MultipleLengthsWindow(host);
    case DataWindow::kDesignCharts:
      return new DesignChartsWindow(host);
    case DataWindow::kControlOptions:
      return new ControlOptionsWindow(host);
  }
  return nullptr;
}

// The window that a command for `window` closes first: the shaft-length and design-load windows
// exclude each other, and so do the two property windows (closing one sets the pile kind, so it
// goes before the other is opened).
std::optional<DataWindow> excluded(DataWindow window) {
  switch (window) {
    case DataWindow::kShaftLength:
      return DataWindow::kDesignLoad;
    case DataWindow::kDesignLoad:
      return DataWindow::kShaftLength;
    case DataWindow::kDrilledShaftProperties:
      return DataWindow::kCfaPileProperties;
    case DataWindow::kCfaPileProperties:
      return DataWindow::kDrilledShaftProperties;
    default:
      return std::nullopt;
  }
}

// An MDI child loads the project when it becomes active and writes it back when it stops being
// active; when its active field holds invalid text it is made active again and writes nothing.
void followActivation(QMdiArea* area, QMdiSubWindow* sub, DataWindowBase* window) {
  QObject::connect(sub, &QMdiSubWindow::windowStateChanged, window,
                   [area, sub, window](Qt::WindowStates oldState, Qt::WindowStates newState) {
                     if (window->property("tolvaneClosing").toBool()) return;
                     const bool wasActive = oldState.testFlag(Qt::WindowActive);
                     const bool active = newState.testFlag(Qt::WindowActive);
                     if (!wasActive && active) {
                       window->onActivated();
                     } else if (wasActive && !active && !window->deactivated()) {
                       QTimer::singleShot(0, sub, [area, sub] { area->setActiveSubWindow(sub); });
                     }
                   });
}

// The area cascades a new child window below and right of the last one; when it would stick out
// of the area there, it moves up and left just enough to be seen whole (as far as it fits).
void keepInside(const QMdiArea& area, QMdiSubWindow& sub) {
  const QSize room = area.viewport()->size();
  const int left = std::max(0, std::min(sub.x(), room.width() - sub.width()));
  const int top = std::max(0, std::min(sub.y(), room.height() - sub.height()));
  sub.move(left, top);
}

}  // namespace

void showDataWindow(WindowHost& host, DataWindow window) {
  if (const auto other = excluded(window)) closeDataWindow(host, *other);
  auto* existing = qobject_cast<DataWindowBase*>(findDataWindow(host, window));
  QMdiArea* area = host.mdiArea();
  if (existing != nullptr) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
      sub->show();
      if (area != nullptr && area->activeSubWindow() != sub) {
        area->setActiveSubWindow(sub);
      } else {
        existing->loadValues();
      }
    } else {
      existing->loadValues();
      existing->show();
      existing->raise();
      existing->activateWindow();
    }
    return;
  }
  DataWindowBase* created = createWindow(host, window);
  if (created == nullptr) return;
  if (isMdiChild(window) && area != nullptr) {
    auto* sub = new DataSubWindow;
    sub->setWidget(created);
    area->addSubWindow(sub);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(created->windowTitle());
    created->loadValues();
    followActivation(area, sub, created);
    sub->adjustSize();
    sub->show();
    keepInside(*area, *sub);
    area->setActiveSubWindow(sub);
  } else {
    created->setParent(host.frame(), Qt::Window);
    created->setAttribute(Qt::WA_DeleteOnClose);
    created->loadValues();
    created->adjustSize();
    created->show();
    created->raise();
    created->activateWindow();
  }
}

void closeDataWindow(WindowHost& host, DataWindow window) {
  QWidget* existing = findDataWindow(host, window);
  if (existing == nullptr) return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
    sub->close();
  } else {
    existing->close();
  }
}

}  // namespace tolvane::app
