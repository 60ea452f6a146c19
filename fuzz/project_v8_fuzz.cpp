// Feeds arbitrary bytes to the version 8 project-file reader: it must read them or stop with a
// format error, never crash, hang or read out of bounds.
#include "project_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tolvane::app::fuzz::readProject(data, size, tolvane::app::kVersion8File);
  return 0;
}
