// Feeds arbitrary text to the expression evaluator: it must return a value or raise its entry
// error, never crash or hang; a finite value written with 18 digits must read back as a number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "expression.h"
#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const long double value = tolvane::entry::EvaluateExpression(text);
    if (std::isfinite(value) && !tolvane::entry::parseReal(tolvane::entry::formatGeneral(
                                    value, tolvane::entry::kEvaluatorDigits))) {
      std::abort();
    }
  } catch (const tolvane::entry::EAssignError&) {
  }
  return 0;
}
