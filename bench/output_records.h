// The lines of a result file taken apart into edit-descriptor layouts and values, so that a
// benchmark can format and write the same output again without the analysis: every number of a
// line becomes a field of the kind, width and digits it was printed with (its leading blanks
// count into its width) and the text between the numbers becomes literals.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "io/edit_format.h"

namespace tolvane::bench {

// One line: its layout and values (values()[first, first + count)), or, when the line cannot be
// told apart into fields that give it back, the line itself.
struct OutputRecord {
  const engine::EditFormat* format = nullptr;
  std::size_t first = 0;
  std::size_t count = 0;
  std::string text;  // the line with its '\n' when there is no format
};

class OutputRecords {
 public:
  // Takes `line` (without its '\n') apart; a line whose fields do not format back to it exactly
  // is kept as text.
  void add(const std::string& line);

  const std::vector<OutputRecord>& records() const { return records_; }
  // The values of a record, all records' values held in one piece as a writer holds its data.
  std::span<const engine::FormatValue> values(const OutputRecord& record) const {
    return {values_.data() + record.first, record.count};
  }
  std::size_t formattedLines() const { return formattedLines_; }
  std::size_t fields() const { return fields_; }
  std::size_t textLines() const { return records_.size() - formattedLines_; }

 private:
  std::vector<OutputRecord> records_;
  std::vector<engine::FormatValue> values_;
  // The compiled layouts by their text; std::map keeps them in place as it grows.
  std::map<std::string, std::unique_ptr<engine::EditFormat>> layouts_;
  std::size_t formattedLines_ = 0;
  std::size_t fields_ = 0;
};

}  // namespace tolvane::bench
