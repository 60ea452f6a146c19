// The common part of the project-reader fuzz drivers: reads the input as a project file of the
// given layout into fresh grids, then writes the project text of whatever was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "program_data.h"
#include "word_reader.h"

namespace tolvane::app::fuzz {

inline void readProject(const uint8_t* data, size_t size, int fileTypeIndex) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ProjectGrids grids;
  HeadlessHost host;
  TWordReader reader = TWordReader::fromText(text);
  ProjectReadResult result =
      TProgramData::readFrom(grids, host, reader, "fuzz.tv9d", fileTypeIndex);
  result.Data->applyDerivedValues();
  (void)result.Data->projectText();
}

}  // namespace tolvane::app::fuzz
