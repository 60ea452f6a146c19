// The main window's side of the views: finding the open elevation and 3D views, and the
// "Show 3D View" menu with the seven 3D tool buttons, visible while a 3D view exists. The commands
// showSideView, show3DView and Close3DView are declared with the host in window_host.h.
#pragma once

#include <QObject>

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QToolBar;

namespace tolvane::app {

class WindowHost;

class TDlgBlock;
class TDlgSideView;

// The open views of the host's MDI area; none when the view is not open (or is closing).
TDlgSideView* findSideView(app::WindowHost& host);
TDlgBlock* find3DView(app::WindowHost& host);

class Block3DControls : public QObject {
 public:
  // Adds the "Show 3D View" menu to the menu bar (before the menu of the action before, at the
  // end without one) and the seven buttons to the tool bar, hidden until a 3D view exists.
  Block3DControls(app::WindowHost& host, QMenuBar* menuBar, QToolBar* toolBar,
                  QAction* before = nullptr);

  // Shows the menu and the buttons while a 3D view exists, hides them otherwise.
  void updateVisibility();
  QMenu* viewMenu() const { return menu_; }
  QAction* viewMenuAction() const;
  // Panning, Zooming, Rotating, Zoom Window, Zoom In, Zoom Out, Restart View.
  const std::array<QAction*, 7>& toolActions() const { return tools_; }
  // Checks and enables the menu items by the view's flags (as when the menu opens).
  void updateMenu();

 private:
  void mouseModeChosen();

  app::WindowHost& host_;
  QMenu* menu_ = nullptr;
  QAction* shaft_ = nullptr;
  QAction* water_ = nullptr;
  QAction* layers_ = nullptr;
  QAction* layerLabels_ = nullptr;
  QAction* layerDepths_ = nullptr;
  QAction* axes_ = nullptr;
  QAction* combined_ = nullptr;
  QActionGroup* modes_ = nullptr;
  std::array<QAction*, 7> tools_{};
};

}  // namespace tolvane::app
