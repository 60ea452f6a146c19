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

// The loop's own thread is one of the `threads`: while the case it asks for is not ready, it
// analyses the next case nobody has started, so `threads` threads compute at all times.
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
      for (int t = 1; t < threads; ++t) threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      // Fewer threads than asked, or none: the loop's thread analyses what the others do not.
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

  // The outcome of case i, analysing cases on this thread while it is not ready; null when the
  // analysis failed (the loop then analyses it again and meets the fault). Cases are taken in
  // order, each once.
  std::unique_ptr<Outcome> take(std::size_t caseIndex) {
    std::unique_lock lock(mutex_);
    if (caseIndex >= caseCount_) return nullptr;
    if (caseIndex + 1 > taken_) {
      taken_ = caseIndex + 1;
      if (idleWorkers_ > 0) room_.notify_one();
    }
    // Every case below taken_ + window_ may start, so case i is started or this thread starts it.
    while (!done_[caseIndex]) {
      if (startable()) {
        analyseNext(lock);
        continue;
      }
      loopWaiting_ = true;
      solved_.wait(lock, [&] { return done_[caseIndex]; });
      loopWaiting_ = false;
    }
    return std::move(slots_[caseIndex]);
  }

 private:
  bool startable() const { return next_ < caseCount_ && next_ < taken_ + window_; }

  // Analyses the next case with the lock released; called and returns with it held.
  void analyseNext(std::unique_lock<std::mutex>& lock) {
    const std::size_t i = next_++;
    lock.unlock();
    std::unique_ptr<Outcome> outcome;
    try {
      outcome = analyse_(i);
    } catch (...) {
      // The loop analyses this case again and meets the fault where it writes the case.
      outcome.reset();
    }
    lock.lock();
    slots_[i] = std::move(outcome);
    done_[i] = true;
  }

  void work() {
    std::unique_lock lock(mutex_);
    while (true) {
      ++idleWorkers_;
      room_.wait(lock, [&] { return stopping_ || next_ >= caseCount_ || startable(); });
      --idleWorkers_;
      if (stopping_ || next_ >= caseCount_) return;
      analyseNext(lock);
      if (loopWaiting_) solved_.notify_one();
    }
  }

  const std::size_t caseCount_;
  const std::size_t window_;  // cases analysed ahead of the one the loop takes
  const Analyse analyse_;
  std::mutex mutex_;
  std::condition_variable solved_;  // the loop's thread waits here for its case
  std::condition_variable room_;    // idle workers wait here for a case to start
  std::vector<std::unique_ptr<Outcome>> slots_;
  std::vector<bool> done_;
  std::size_t next_ = 0;   // the next case a thread starts
  std::size_t taken_ = 0;  // the cases the loop has taken
  int idleWorkers_ = 0;
  bool loopWaiting_ = false;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace tolvane::engine
