// The main window's side of the views: finding the open elevation and 3D views, and the
// "Show 3D View" menu with the seven 3D tool buttons, visible while a 3D view exists. The commands
// ShowSideView, Show3DView and Close3DView are declared with the host in window_host.h.
#pragma once

#include <QObject>

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QToolBar;

namespace tolvane::app {

class TWindowHost;

class TDlgBlock;
class TDlgSideView;

// The open views of the host's MDI area; none when the view is not open (or is closing).
TDlgSideView* FindSideView(app::TWindowHost& host);
TDlgBlock* Find3DView(app::TWindowHost& host);

class TBlock3DControls : public QObject {
 public:
  // Adds the "Show 3D View" menu to the menu bar (before the menu of the action before, at the
  // end without one) and the seven buttons to the tool bar, hidden until a 3D view exists.
  TBlock3DControls(app::TWindowHost& host, QMenuBar* menu_bar, QToolBar* tool_bar,
                   QAction* before = nullptr);

  // Shows the menu and the buttons while a 3D view exists, hides them otherwise.
  void UpdateVisibility();
  QMenu* Menu() const { return Menu_; }
  QAction* MenuAction() const;
  // Panning, Zooming, Rotating, Zoom Window, Zoom In, Zoom Out, Restart View.
  const std::array<QAction*, 7>& ToolActions() const { return Tools_; }
  // Checks and enables the menu items by the view's flags (as when the menu opens).
  void UpdateMenu();

 private:
  void MouseModeChosen();

  app::TWindowHost& Host_;
  QMenu* Menu_ = nullptr;
  QAction* Shaft_ = nullptr;
  QAction* Water_ = nullptr;
  QAction* Layers_ = nullptr;
  QAction* LayerLabels_ = nullptr;
  QAction* LayerDepths_ = nullptr;
  QAction* Axes_ = nullptr;
  QAction* Combined_ = nullptr;
  QActionGroup* Modes_ = nullptr;
  std::array<QAction*, 7> Tools_{};
};

}  // namespace tolvane::app
