// A main window for the view tests: the core with its project and plots, an MDI area, and the
// "Show 3D View" menu and 3D tool buttons of the views.
#pragma once

#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>

#include "main_form_rules.h"
#include "program_data.h"
#include "project_grids.h"
#include "user_messages.h"
#include "view_commands.h"
#include "window_host.h"

namespace tolvane::app::testing {

class TestHost : public app::WindowHost {
 public:
  TestHost() : form(messages, projectHost, std::filesystem::path()) {
    area.resize(1000, 760);
    area.show();
    controls = new Block3DControls(*this, &menuBar, &toolBar);
  }
  app::MainFormRules& core() override { return form; }
  QMdiArea* mdiArea() override { return &area; }
  QWidget* frame() override { return &area; }
  void projectChanged() override { ++changes; }
  void updateEnabling() override {
    ++enablings;
    controls->updateVisibility();
  }

  // Sand to 20 ft over clay to 60 ft; a 3 ft shaft of 40 ft with 5 ft and 3 ft zones without side
  // resistance; water at 10 ft.
  void sandOverClay() {
    TProgramData& data = form.Data();
    data.DSTART = 3;
    data.TOPLENG = 5;
    data.BS = 3;
    data.PD = 40;
    data.WTD = 10;
    grid::TGridTable& d = form.project().grids().D();
    d.SetRowCount(2);
    d.SetIntValue(kColSoilType, 0, kSand);
    d.SetFloatValue(kColBottomDepth, 0, 20);
    d.SetIntValue(kColSoilType, 1, kClay);
    d.SetFloatValue(kColBottomDepth, 1, 60);
  }

  // A belled shaft in four layers: B = 4 ft, bell 2.5 B at 30 degrees, 50 ft long with a 5 ft
  // upper and a 3 ft lower zone; clay, sand, weak rock and strong rock to 15, 30, 45 and 60 ft;
  // water at 20 ft.
  void belledShaftInFourLayers() {
    TProgramData& data = form.Data();
    data.DSTART = 4;
    data.RATIO = 2.5L;
    data.BELANGL = 30;
    data.TOPLENG = 5;
    data.BS = 3;
    data.PD = 50;
    data.WTD = 20;
    grid::TGridTable& d = form.project().grids().D();
    d.SetRowCount(4);
    const int32_t types[] = {kClay, kSand, kWeakRock, kStrongRock};
    for (int row = 0; row < 4; ++row) {
      d.SetIntValue(kColSoilType, row, types[row]);
      d.SetFloatValue(kColBottomDepth, row, 15.0L * (row + 1));
    }
  }

  app::ConsoleMessages messages;
  HeadlessHost projectHost;
  app::MainFormRules form;
  QMdiArea area;
  QMenuBar menuBar;
  QToolBar toolBar;
  Block3DControls* controls = nullptr;
  int changes = 0;
  int enablings = 0;
};

}  // namespace tolvane::app::testing
