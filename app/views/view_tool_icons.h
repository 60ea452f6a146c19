// Pictures of the seven 3D tool buttons: panning, zooming, rotating, zoom window, zoom in, zoom
// out and restart view.
#pragma once

#include <QIcon>

namespace tolvane::app {

enum class BlockToolIcon {
  kPanning,
  kZooming,
  kRotating,
  kZoomWindow,
  kZoomIn,
  kZoomOut,
  kRestart
};

QIcon blockToolIcon(BlockToolIcon icon);

}  // namespace tolvane::app
