#include "driver/cases_ahead.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace tolvane::engine {
namespace {

inline constexpr int kMostThreads = 64;

}  // namespace

int engineThreadCount() {
  if (const char* text = std::getenv("TOLVANE_THREADS"); text != nullptr) {
    const std::string_view value(text);
    int count = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
    if (error == std::errc() && end == value.data() + value.size() && count >= 1) {
      return std::min(count, kMostThreads);
    }
  }
  const unsigned hardware = std::thread::hardware_concurrency();
  return std::clamp(static_cast<int>(hardware), 1, kMostThreads);
}

}  // namespace tolvane::engine
