// The pictures of the main window's tool buttons and the program's icon, drawn here so that the
// program needs no image files.
#pragma once

#include <QIcon>

namespace tolvane::app {

inline constexpr int kToolIconSize = 24;  // pixels of a tool button's picture

enum class ToolIcon {
  kNew,
  kOpen,
  kSave,
  kTitle,
  kDrilledShaft,
  kCFAPile,
  kSoilLayers,
  kFactorOfSafety,
  kRun,
  kViewOutput,
  kSideView,
  k3DView,
};

QIcon toolIcon(ToolIcon icon);
// The picture of a result plot's button (plot index 0 to 15).
QIcon plotIcon(int plotIndex);
// A drilled shaft with its bell in layered ground: the program's own icon.
QIcon programIcon();
// The same picture as an image of the given size, for the icon files of the installation.
QImage programImage(int size);

}  // namespace tolvane::app
