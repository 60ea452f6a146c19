// Pictures of the seven 3D tool buttons: panning, zooming, rotating, zoom window, zoom in, zoom
// out and restart view.
#pragma once

#include <QIcon>

namespace tolvane::app {

enum class TBlockToolIcon {
  kPanning,
  kZooming,
  kRotating,
  kZoomWindow,
  kZoomIn,
  kZoomOut,
  kRestart
};

QIcon blockToolIcon(TBlockToolIcon icon);

}  // namespace tolvane::app
