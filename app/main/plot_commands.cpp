// The commands of the Graphics menu that open plot windows and the export window.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "export_window.h"
#include "main_form_rules.h"
#include "plot_availability.h"
#include "plot_form.h"
#include "window_host.h"

namespace tolvane::app {
namespace {

// The result plot a plot window shows, kept on the window.
constexpr const char* kPlotIndexProperty = "tolvanePlotIndex";
constexpr const char* kExportWindowName = "tolvaneExportToExcel";

QMdiSubWindow* ExistingPlotWindow(QMdiArea& area, int plot_index) {
  for (QMdiSubWindow* sub : area.subWindowList()) {
    const QWidget* form = sub->widget();
    if (form != nullptr && form->property(kPlotIndexProperty).toInt() == plot_index + 1) {
      return sub;
    }
  }
  return nullptr;
}

}  // namespace

void ShowPlotWindow(TWindowHost& host, int plot_index) {
  if (plot_index < 0 || plot_index >= kResultPlotCount) return;
  QMdiArea* area = host.MdiArea();
  if (area == nullptr) return;
  if (QMdiSubWindow* sub = ExistingPlotWindow(*area, plot_index)) {
    if (sub->isMinimized()) sub->showMaximized();
    area->setActiveSubWindow(sub);
    return;
  }
  plot::TGraphPlot& plot = host.Core().Plots()[plot_index];
  if (!plot.HasSomethingToDraw()) return;
  auto* form = new plot::TPlotForm(plot);
  if (!form->Opened()) {  // no bounds: the window closes at once
    delete form;
    return;
  }
  form->setProperty(kPlotIndexProperty, plot_index + 1);
  QMdiSubWindow* sub = area->addSubWindow(form);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->showMaximized();
}

void ShowExportToExcel(TWindowHost& host) {
  QWidget* frame = host.Frame();
  auto* window =
      frame != nullptr ? frame->findChild<plot::TDlgExport*>(kExportWindowName) : nullptr;
  if (window == nullptr) {
    window = new plot::TDlgExport(
        [&host] {
          std::vector<plot::TExportPlot> plots;
          for (const int p : AvailableForExport(host.Core())) {
            plots.push_back({&host.Core().Plots()[p]});
          }
          return plots;
        },
        frame);
    window->setObjectName(kExportWindowName);
  }
  window->Rebuild();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace tolvane::app
