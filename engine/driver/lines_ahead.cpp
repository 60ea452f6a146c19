#include "driver/lines_ahead.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace tolvane::engine {
namespace {

inline constexpr int kMostThreads = 64;
// Cases solved ahead per thread: enough to keep the threads busy while the loop writes, few
// enough to hold their solutions in memory.
inline constexpr std::size_t kCasesAheadPerThread = 4;

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

LinesAhead::LinesAhead(std::size_t caseCount, int threads, Solve solve)
    : caseCount_(caseCount),
      window_(kCasesAheadPerThread * static_cast<std::size_t>(std::max(threads, 1))),
      solve_(std::move(solve)),
      slots_(caseCount),
      done_(caseCount, false) {
  try {
    for (int t = 0; t < threads; ++t) threads_.emplace_back([this] { work(); });
  } catch (const std::system_error&) {
    // Fewer threads than asked, or none: the loop solves what the pool does not.
  }
}

LinesAhead::~LinesAhead() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  room_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

std::unique_ptr<CaseLines> LinesAhead::take(std::size_t caseIndex) {
  std::unique_lock lock(mutex_);
  if (threads_.empty() || caseIndex >= caseCount_) return nullptr;
  taken_ = std::max(taken_, caseIndex + 1);
  room_.notify_all();
  // Every case below taken_ + window_ is started, so a case the loop asks for is on its way.
  solved_.wait(lock, [&] { return done_[caseIndex]; });
  return std::move(slots_[caseIndex]);
}

void LinesAhead::work() {
  std::unique_lock lock(mutex_);
  while (true) {
    room_.wait(lock, [&] { return stopping_ || next_ >= caseCount_ || next_ < taken_ + window_; });
    if (stopping_ || next_ >= caseCount_) return;
    const std::size_t i = next_++;
    lock.unlock();
    std::unique_ptr<CaseLines> lines;
    try {
      lines = solve_(i);
    } catch (...) {
      // The loop solves this case itself and meets the fault where it writes its messages.
      lines.reset();
    }
    lock.lock();
    slots_[i] = std::move(lines);
    done_[i] = true;
    solved_.notify_all();
  }
}

}  // namespace tolvane::engine
