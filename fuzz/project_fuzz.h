// The common part of the project-reader fuzz drivers: reads the input as a project file of the
// given layout into fresh grids, then writes the project text of whatever was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "program_data.h"
#include "word_reader.h"

namespace tolvane::app::fuzz {

inline void ReadProject(const uint8_t* data, size_t size, int file_type_index) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TProjectGrids grids;
  THeadlessHost host;
  TWordReader reader = TWordReader::FromText(text);
  TProjectReadResult result =
      TProgramData::ReadFrom(grids, host, reader, "fuzz.tv9d", file_type_index);
  result.Data->ApplyDerivedValues();
  (void)result.Data->ProjectText();
}

}  // namespace tolvane::app::fuzz
