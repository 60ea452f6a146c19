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

QMdiSubWindow* existingPlotWindow(QMdiArea& area, int plotIndex) {
  for (QMdiSubWindow* sub : area.subWindowList()) {
    const QWidget* form = sub->widget();
    if (form != nullptr && form->property(kPlotIndexProperty).toInt() == plotIndex + 1) {
      return sub;
    }
  }
  return nullptr;
}

}  // namespace

void showPlotWindow(WindowHost& host, int plotIndex) {
  if (plotIndex < 0 || plotIndex >= kResultPlotCount) return;
  QMdiArea* area = host.mdiArea();
  if (area == nullptr) return;
  if (QMdiSubWindow* sub = existingPlotWindow(*area, plotIndex)) {
    if (sub->isMinimized()) sub->showMaximized();
    area->setActiveSubWindow(sub);
    return;
  }
  plot::TGraphPlot& plot = host.core().plots()[plotIndex];
  if (!plot.HasSomethingToDraw()) return;
  auto* form = new plot::TPlotForm(plot);
  if (!form->opened()) {  // no bounds: the window closes at once
    delete form;
    return;
  }
  form->setProperty(kPlotIndexProperty, plotIndex + 1);
  QMdiSubWindow* sub = area->addSubWindow(form);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->showMaximized();
}

void showExportToExcel(WindowHost& host) {
  QWidget* frame = host.frame();
  auto* window =
      frame != nullptr ? frame->findChild<plot::TDlgExport*>(kExportWindowName) : nullptr;
  if (window == nullptr) {
    window = new plot::TDlgExport(
        [&host] {
          std::vector<plot::ExportPlot> plots;
          for (const int p : availableForExport(host.core())) {
            plots.push_back({&host.core().plots()[p]});
          }
          return plots;
        },
        frame);
    window->setObjectName(kExportWindowName);
  }
  window->rebuild();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace tolvane::app
