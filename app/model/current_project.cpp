#include "current_project.h"

namespace tolvane::app {

TCurrentProject::TCurrentProject(TProjectHost& host, int defaultUnits)
    : host_(&host), data_(TProgramData::Create(grids_, host, defaultUnits)) {}

void TCurrentProject::New(int defaultUnits) {
  data_.reset();
  data_ = TProgramData::Create(grids_, *host_, defaultUnits);
}

std::string TCurrentProject::Open(const std::string& fileName, int fileTypeIndex) {
  TProjectReadResult result =
      TProgramData::CreateFromFile(grids_, *host_, fileName, fileTypeIndex);
  data_ = std::move(result.Data);
  return result.FormatError;
}

}  // namespace tolvane::app
