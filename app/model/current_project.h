// The one project the program holds: the grid tables of the main window and the TProgramData
// that New, Open and each batch item replace. The main window (or a batch run) owns it.
#pragma once

#include <memory>
#include <string>

#include "program_data.h"
#include "project_grids.h"

namespace tolvane::app {

class CurrentProject {
 public:
  // Starts with a new project in the given unit system.
  CurrentProject(ProjectHost& host, int defaultUnits);

  ProjectGrids& grids() { return grids_; }
  TProgramData& Data() { return *data_; }
  const TProgramData& Data() const { return *data_; }

  void newProject(int defaultUnits);
  // Replaces the project by the file's; returns the format error shown to the user, empty when
  // the whole file was read. Throws ProjectFileError when the file cannot be read at all.
  std::string Open(const std::string& fileName, int fileTypeIndex);
  void Save() { data_->Save(); }
  // The project-changed flag or a change in any grid table.
  bool Changed() const { return grids_.projectChanged || grids_.anyChanged(); }

 private:
  ProjectHost* host_;
  ProjectGrids grids_;
  std::unique_ptr<TProgramData> data_;
};

}  // namespace tolvane::app
