#include "current_project.h"

namespace tolvane::app {

TCurrentProject::TCurrentProject(TProjectHost& host, int default_units)
    : Host_(&host), Data_(TProgramData::Create(Grids_, host, default_units)) {}

void TCurrentProject::New(int default_units) {
  Data_.reset();
  Data_ = TProgramData::Create(Grids_, *Host_, default_units);
}

std::string TCurrentProject::Open(const std::string& file_name, int file_type_index) {
  TProjectReadResult result =
      TProgramData::CreateFromFile(Grids_, *Host_, file_name, file_type_index);
  Data_ = std::move(result.Data);
  return result.FormatError;
}

}  // namespace tolvane::app
