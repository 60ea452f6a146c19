#include "tolvane/itolvane.h"

#include <exception>

#include "core/capacities.h"
#include "driver/run_engine.h"

namespace {
constexpr int32_t kHandshakeA = 9;
constexpr int32_t kHandshakeB = 2;
}  // namespace

extern "C" TOLVANE_EXPORT int32_t TOLVANE_CALL ITOLVANE(int32_t a, int32_t b) {
  if (a != kHandshakeA || b != kHandshakeB) return tolvane::engine::kResultHandshakeMismatch;
  // No exception may cross the library boundary.
  try {
    return tolvane::engine::RunEngine(tolvane::engine::RunSettings{});
  } catch (const std::exception&) {
    return tolvane::engine::kResultInternalError;
  } catch (...) {
    return tolvane::engine::kResultInternalError;
  }
}
