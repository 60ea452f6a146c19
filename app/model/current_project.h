// The one project the program holds: the grid tables of the main window and the TProgramData
// that New, Open and each batch item replace. The main window (or a batch run) owns it.
#pragma once

#include <memory>
#include <string>

#include "program_data.h"
#include "project_grids.h"

namespace tolvane::app {

class TCurrentProject {
 public:
  // Starts with a new project in the given unit system.
  TCurrentProject(TProjectHost& host, int default_units);

  TProjectGrids& Grids() { return Grids_; }
  TProgramData& Data() { return *Data_; }
  const TProgramData& Data() const { return *Data_; }

  void New(int default_units);
  // Replaces the project by the file's; returns the format error shown to the user, empty when
  // the whole file was read. Throws EProjectFileError when the file cannot be read at all.
  std::string Open(const std::string& file_name, int file_type_index);
  void Save() { Data_->Save(); }
  // The project-changed flag or a change in any grid table.
  bool Changed() const { return Grids_.ProjectChanged || Grids_.AnyChanged(); }

 private:
  TProjectHost* Host_;
  TProjectGrids Grids_;
  std::unique_ptr<TProgramData> Data_;
};

}  // namespace tolvane::app
