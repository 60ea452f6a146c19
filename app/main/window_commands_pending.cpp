// Stand-ins for the child windows that this build does not have yet: each command tells the
// user which window is missing. A window's own files replace its functions here once it exists.
#include <QMessageBox>
#include <QString>

#include "main_form.h"
#include "window_host.h"

namespace tolvane::app {
namespace {

void NotAvailable(TWindowHost& host, const QString& window) {
  QMessageBox::information(host.Frame(), "Information",
                           "The window \"" + window + "\" is not available in this build yet.");
}

QString DataWindowCaption(TDataWindow window) {
  switch (window) {
    case TDataWindow::kTitle:
      return "Title";
    case TDataWindow::kDrilledShaftProperties:
      return "Drilled-Shaft Properties";
    case TDataWindow::kCfaPileProperties:
      return "CFA Pile Properties";
    case TDataWindow::kSoilLayers:
      return "Soil Layer Data";
    case TDataWindow::kFactorOfSafety:
      return "Factor of Safety";
    case TDataWindow::kShaftLength:
      return "Specify the shaft length";
    case TDataWindow::kDesignLoad:
      return "Specify the design load";
    case TDataWindow::kWaterTable:
      return "Water Table";
    case TDataWindow::kMultipleLengths:
      return "Evaluate Multiple Shaft Lengths";
    case TDataWindow::kDesignCharts:
      return "ASD/LRFD Design Charts";
    case TDataWindow::kControlOptions:
      return "Control Options";
  }
  return "Data";
}

}  // namespace

void ShowDataWindow(TWindowHost& host, TDataWindow window) {
  NotAvailable(host, DataWindowCaption(window));
}

// No data window can be open in this build, so there is nothing to close.
void CloseDataWindow(TWindowHost& /*host*/, TDataWindow /*window*/) {}

void ShowPlotWindow(TWindowHost& host, int plot_index) {
  NotAvailable(host, QString::fromStdString(host.Core().Plots()[plot_index].Caption));
}

void ShowExportToExcel(TWindowHost& host) {
  NotAvailable(host, "Export Plots to Excel");
}

void ShowSideView(TWindowHost& host) {
  NotAvailable(host, "View Shaft Elevation");
}

void Show3DView(TWindowHost& host) {
  NotAvailable(host, "3D View");
}

// No 3D view can be open in this build.
void Close3DView(TWindowHost& /*host*/) {}

}  // namespace tolvane::app
