// The 3D view "3-D View": a child window of the main window holding the OpenGL drawing control.
// The main window steers it: the "Show 3D View" menu toggles what is shown, seven tool buttons
// choose the mouse mode and zoom, and the "Combined Plots" dialog controls the diagrams.
#pragma once

#include <QPointer>
#include <QWidget>

#include "block_camera.h"
#include "block_options.h"
#include "block_renderer.h"
#include "block_scene.h"
#include "dlg_pile_diagrams.h"

namespace tolvane::app {

class WindowHost;

class TglWindow;

class TDlgBlock : public QWidget {
 public:
  explicit TDlgBlock(app::WindowHost& host, QWidget* parent = nullptr);
  ~TDlgBlock() override;

  BlockFlags flags;  // the display flags, mouse mode included
  const BlockCamera& camera() const { return camera_; }
  BlockCamera& camera() { return camera_; }
  const SceneExtents& extents() const { return extents_; }
  // The drawing control; none where the platform gives no OpenGL context (the window then says
  // so instead of drawing).
  TglWindow* glWindow() const { return gl_; }
  app::WindowHost& host() const { return host_; }

  // The toggles of the "Show 3D View" menu: each inverts its flag and rebuilds the scene.
  void ShowShaftOption();
  void ShowWaterLevelOption();
  void ShowSoilLayersOption();
  void ShowSoilLayerLabelsOption();
  void ShowSoilLayerDepthLabelsOption();
  void ShowLocalAxesOption();
  // "Combined Plots": shows the dialog, creating it on first use.
  void UltimateEffectsWindow();
  TDlgPileDiagrams* pileDiagrams() const { return diagrams_; }
  bool UltimateEffectsExists() const { return diagrams_ != nullptr; }

  // The tool buttons: a mouse mode (kMousePanning ... kMouseZoomWindow) with whether "Zoom
  // Window" is down, "Zoom In" and "Zoom Out" (Zooming with kZoomStep or its inverse) and
  // "Restart View".
  void setMouseOption(int option, bool zoomWindowDown);
  void Zooming(double factor);
  void RestartViewButtonClick();

  // Repaint replaying the compiled scene.
  void RedrawFigure();
  // Rebuild the scene from the project on the next paint.
  void RedrawComplete();
  // Fit the drawing control to the window and rebuild on the next paint.
  void ResizeWindow();
  // The state of the "Show 3D View" menu when it opens.
  Block3DMenuState menuState() const;

  // The scene as it would be built now (project, extents, flags, the diagrams' plot).
  BlockSceneInput sceneInput() const;
  // Set once the window is closing: the main window no longer counts it as open.
  bool isClosing() const { return closing_; }

  static constexpr const char* kTitle = "3-D View";
  static constexpr const char* kNoOpenGLMessage =
      "The 3D view cannot be drawn here: the display gives no OpenGL 2.1 compatibility "
      "context.";

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormActivate();
  void paint();
  void mouseDown(QMouseEvent* event);
  void mouseMove(QMouseEvent* event);
  void mouseUp(QMouseEvent* event);
  void toggleFlag(bool& flag);

  app::WindowHost& host_;
  TglWindow* gl_ = nullptr;
  BlockRenderer renderer_;
  BlockCamera camera_;
  SceneExtents extents_;
  bool activated_ = false;
  bool closing_ = false;
  BlockSceneInput scene_;  // the scene of the last set-up
  QPointer<TDlgPileDiagrams> diagrams_;
};

}  // namespace tolvane::app
