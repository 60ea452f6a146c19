// The load-settlement lines of a run's cases, solved ahead of the case loop on a small pool of
// threads. The case loop still writes every case in its order; it takes each case's solved
// lines from here, or solves them itself when they are missing, so the files are the same
// whatever the number of threads.
#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "settlement/load_settlement.h"

namespace tolvane::engine {

// The number of threads the engine computes the cases of a run with: TOLVANE_THREADS when it
// holds a whole number from 1 (today's sequential run) up, otherwise the hardware's count.
int engineThreadCount();

// The solved lines of one case, trend line and both bounds; empty when the case has no solver
// lines (a tip in rock, no printed row, a stopped analysis).
struct CaseLines {
  std::array<std::unique_ptr<LineSolution>, kCurveLineCount> lines;
};

class LinesAhead {
 public:
  // Solves case i (0-based, in the loop's order) from any thread; must touch nothing shared
  // that is written.
  using Solve = std::function<std::unique_ptr<CaseLines>(std::size_t caseIndex)>;

  LinesAhead(std::size_t caseCount, int threads, Solve solve);
  ~LinesAhead();
  LinesAhead(const LinesAhead&) = delete;
  LinesAhead& operator=(const LinesAhead&) = delete;

  // The lines of case i, waiting for them when they are being solved; null when the pool could
  // not solve them. Cases are taken in order, each once.
  std::unique_ptr<CaseLines> take(std::size_t caseIndex);

 private:
  void work();

  const std::size_t caseCount_;
  const std::size_t window_;  // cases solved ahead of the one the loop takes
  const Solve solve_;
  std::mutex mutex_;
  std::condition_variable solved_;
  std::condition_variable room_;
  std::vector<std::unique_ptr<CaseLines>> slots_;
  std::vector<bool> done_;
  std::size_t next_ = 0;   // the next case a thread starts
  std::size_t taken_ = 0;  // the cases the loop has taken
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace tolvane::engine
