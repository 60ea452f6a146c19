// The 3D view rendered into an image without a window: an offscreen OpenGL context (Qt's
// offscreen surface, or on Linux a surfaceless EGL context of Mesa when the platform gives none)
// with a framebuffer object, then the labels through Qt.
#pragma once

#include <QImage>
#include <QSize>

#include <string>

#include "block_camera.h"
#include "block_renderer.h"

namespace tolvane::app {

struct OffscreenResult {
  QImage image;          // null when no context could be had
  std::string error;     // why, when the image is null
  std::string renderer;  // the OpenGL renderer that drew it
};

// The scene of input in an image of the given size under the camera (its fit scale is set by the
// scene set-up).
OffscreenResult renderBlockOffscreen(const BlockSceneInput& input, QSize size, BlockCamera& camera);

}  // namespace tolvane::app
