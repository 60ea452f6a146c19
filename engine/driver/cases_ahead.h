// The cases of a run, analysed ahead of the case loop on a small pool of threads. The loop still
// writes every case in its order; it takes each case's outcome from here, or analyses the case
// itself when the pool could not, so the files are the same whatever the number of threads.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tolvane::engine {

// The number of threads the engine computes the cases of a run with: TOLVANE_THREADS when it
// holds a whole number from 1 (today's sequential run) up, otherwise the hardware's count.
int engineThreadCount();

// Cases analysed ahead per thread: enough to keep the threads busy while the loop writes, few
// enough to hold their outcomes in memory.
inline constexpr std::size_t kCasesAheadPerThread = 4;

template <class Outcome>
class CasesAhead {
 public:
  // Analyses case i (0-based, in the loop's order) from any thread; must touch nothing shared
  // that is written.
  using Analyse = std::function<std::unique_ptr<Outcome>(std::size_t caseIndex)>;

  CasesAhead(std::size_t caseCount, int threads, Analyse analyse)
      : caseCount_(caseCount),
        window_(kCasesAheadPerThread * static_cast<std::size_t>(std::max(threads, 1))),
        analyse_(std::move(analyse)),
        slots_(caseCount),
        done_(caseCount, false) {
    try {
      for (int t = 0; t < threads; ++t) threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      // Fewer threads than asked, or none: the loop analyses what the pool does not.
    }
  }

  ~CasesAhead() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    room_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  CasesAhead(const CasesAhead&) = delete;
  CasesAhead& operator=(const CasesAhead&) = delete;

  // The outcome of case i, waiting for it while it is analysed; null when the pool could not
  // analyse it. Cases are taken in order, each once.
  std::unique_ptr<Outcome> take(std::size_t caseIndex) {
    std::unique_lock lock(mutex_);
    if (threads_.empty() || caseIndex >= caseCount_) return nullptr;
    taken_ = std::max(taken_, caseIndex + 1);
    room_.notify_all();
    // Every case below taken_ + window_ is started, so a case the loop asks for is on its way.
    solved_.wait(lock, [&] { return done_[caseIndex]; });
    return std::move(slots_[caseIndex]);
  }

 private:
  void work() {
    std::unique_lock lock(mutex_);
    while (true) {
      room_.wait(lock,
                 [&] { return stopping_ || next_ >= caseCount_ || next_ < taken_ + window_; });
      if (stopping_ || next_ >= caseCount_) return;
      const std::size_t i = next_++;
      lock.unlock();
      std::unique_ptr<Outcome> outcome;
      try {
        outcome = analyse_(i);
      } catch (...) {
        // The loop analyses this case itself and meets the fault where it writes the case.
        outcome.reset();
      }
      lock.lock();
      slots_[i] = std::move(outcome);
      done_[i] = true;
      solved_.notify_all();
    }
  }

  const std::size_t caseCount_;
  const std::size_t window_;  // cases analysed ahead of the one the loop takes
  const Analyse analyse_;
  std::mutex mutex_;
  std::condition_variable solved_;
  std::condition_variable room_;
  std::vector<std::unique_ptr<Outcome>> slots_;
  std::vector<bool> done_;
  std::size_t next_ = 0;   // the next case a thread starts
  std::size_t taken_ = 0;  // the cases the loop has taken
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace tolvane::engine
