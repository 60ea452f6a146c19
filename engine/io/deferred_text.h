// Text kept as layouts and values and formatted only when it is needed: the load-transfer
// listing of the last solver call, recorded and formatted once when the run closes its files.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "io/edit_format.h"

namespace tolvane::engine {

class DeferredText {
 public:
  void clear() {
    records_.clear();
    values_.clear();
  }
  // `format` must outlive the text (a function-local static), and so must texts among values.
  void add(const EditFormat& format, std::initializer_list<FormatValue> values) {
    records_.push_back({&format, static_cast<std::uint32_t>(values_.size()),
                        static_cast<std::uint32_t>(values.size())});
    values_.insert(values_.end(), values.begin(), values.end());
  }
  std::string render() const {
    std::string text;
    for (const Record& record : records_) {
      text += (*record.format)(
          std::span<const FormatValue>(values_.data() + record.first, record.count));
    }
    return text;
  }

 private:
  struct Record {
    const EditFormat* format;
    std::uint32_t first;
    std::uint32_t count;
  };
  std::vector<Record> records_;
  std::vector<FormatValue> values_;
};

// The two files that each solver call opens afresh: the load-transfer listing (.tv9m) and plot
// section file N (.tv9n). They are written once, when the run closes its files, with what the
// last call that wrote to each left there: a call that writes nothing to a file it opened
// leaves its earlier content, so section N keeps the diameter index of the last diameter whose
// curves were headed, which the plot-data reader takes as the count of the Q-w curves. The
// listing is formatted from the last call's line (EngineRun::listedSolution).
struct SolverCallFiles {
  bool opened = false;
  std::string sectionN;

  void startCall() { opened = true; }
};

}  // namespace tolvane::engine
