// Feeds arbitrary bytes to the reader of the oldest project-file layout; the first byte picks the
// file type (a short line 3, or one with IMOD and NLRFD).
#include "project_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int index =
      (data[0] & 1) == 0 ? tolvane::app::kOldestShortFile : tolvane::app::kOldestShortFile + 1;
  tolvane::app::fuzz::readProject(data + 1, size - 1, index);
  return 0;
}
