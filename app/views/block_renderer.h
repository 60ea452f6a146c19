// The OpenGL drawing of the 3D view: the scene set-up (projection, fit scale, display lists of the
// soil layers and water table and of the shaft and diagrams) and the frame (camera, lists, axes,
// zoom box). It needs a current compatibility-profile context; the window and the offscreen
// render share it.
#pragma once

#include <vector>

#include "block_camera.h"
#include "block_options.h"
#include "block_scene.h"
#include "gl_window.h"

namespace tolvane::plot {
class TGraphPlot;
}

namespace tolvane::app {

// What a scene is built from.
struct BlockSceneInput {
  ViewProject project;
  SceneExtents extents;
  BlockFlags flags;
  const plot::TGraphPlot* combine = nullptr;  // the combined plot of the diagrams, if any
};

class BlockRenderer {
 public:
  BlockRenderer() = default;
  BlockRenderer(const BlockRenderer&) = delete;
  BlockRenderer& operator=(const BlockRenderer&) = delete;

  // The scene set-up for a drawing control of width w and height h inside a client area of
  // clientW by clientH: projection, fit scale (into the camera) and the display lists.
  void setupRc(const BlockSceneInput& input, int w, int h, int clientW, int clientH,
               BlockCamera& camera);
  // One frame: clears, sets the camera, replays the lists, draws axes and the zoom box.
  void DrawFigure(const BlockSceneInput& input, int w, int h, BlockCamera& camera);
  // Frees the display lists (the context must be current).
  void freeLists();

  // The labels of the last frame (layer depths and names, diagram maxima, axes).
  const std::vector<SceneLabel>& labels() const { return frameLabels_; }

 private:
  void compileSoilAndWater(const BlockSceneInput& input);
  void compileShaftAndDiagrams(const BlockSceneInput& input);
  void DrawAxes(const BlockCamera& camera);
  void drawZoomBox(const BlockCamera& camera, int w, int h);

  unsigned listBase_ = 0;  // lists 1, 2 and 5 of the scene at ListBase_ + 0, 1, 2
  std::vector<SceneLabel> sceneLabels_;
  std::vector<SceneLabel> frameLabels_;
};

}  // namespace tolvane::app
