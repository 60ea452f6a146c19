// What the child windows of the desktop program see of the main window, and the commands that
// open them. The header names Qt types only by declaration, so the toolkit-free core can carry
// it; the windows and the main window are built with Qt.
//
// Each Show command creates its window on first use as a child of the host's MDI area (or an
// ordinary window owned by the main window where the window is not a child), shows it and brings
// an existing one to the front. A window that edits the project implements CommitValues: the
// main window calls commitValues() on the active child before its menus open, before the
// commands of the tool buttons and before it closes.
#pragma once

class QMdiArea;
class QWidget;

namespace tolvane::app {

class MainFormRules;

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // The project, its grids, the result plots and flags, the commands of the core.
  virtual MainFormRules& core() = 0;
  virtual QMdiArea* mdiArea() = 0;
  // The main window, parent of modal dialogs and message boxes.
  virtual QWidget* frame() = 0;
  // A window changed the project: set the changed flag, then update the title, the menus'
  // enabling and the tool buttons.
  virtual void projectChanged() = 0;
  // Re-evaluate the enabling of the menu items and tool buttons (after a run, an option change).
  virtual void updateEnabling() = 0;
};

// A child window that writes its fields into the project when it is deactivated.
class CommitValues {
 public:
  virtual ~CommitValues() = default;
  virtual void commitValues() = 0;
};

// The data windows of the Data menu.
enum class DataWindow {
  kTitle,
  kDrilledShaftProperties,
  kCfaPileProperties,
  kSoilLayers,
  kFactorOfSafety,
  kShaftLength,
  kDesignLoad,
  kWaterTable,
  kMultipleLengths,
  kDesignCharts,
  kControlOptions,
};

void showDataWindow(WindowHost& host, DataWindow window);
// Closes the data window if it is showing (the shaft-length and design-load windows close each
// other; a pile-kind switch closes the other property window).
void closeDataWindow(WindowHost& host, DataWindow window);

// Plot windows: plotIndex is the 0-based index of the result plot list (kPltSkin ...).
void showPlotWindow(WindowHost& host, int plotIndex);
void showExportToExcel(WindowHost& host);

// The shaft elevation view and the 3D view.
void showSideView(WindowHost& host);
void show3DView(WindowHost& host);
void Close3DView(WindowHost& host);

}  // namespace tolvane::app
