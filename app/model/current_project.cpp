#include "current_project.h"

namespace tolvane::app {

CurrentProject::CurrentProject(ProjectHost& host, int defaultUnits)
    : host_(&host), data_(TProgramData::Create(grids_, host, defaultUnits)) {}

void CurrentProject::newProject(int defaultUnits) {
  data_.reset();
  data_ = TProgramData::Create(grids_, *host_, defaultUnits);
}

std::string CurrentProject::Open(const std::string& fileName, int fileTypeIndex) {
  ProjectReadResult result = TProgramData::CreateFromFile(grids_, *host_, fileName, fileTypeIndex);
  data_ = std::move(result.Data);
  return result.formatError;
}

}  // namespace tolvane::app
