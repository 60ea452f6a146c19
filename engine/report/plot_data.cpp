#include "report/plot_data.h"

#include <array>

#include "io/edit_format.h"

namespace tolvane::engine {

void PlotData::beginCurve(float firstDepth) {
  PlotCurve curve;
  curve.text = "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  \n";
  static const EditFormat kFirstRow("(1X,E10.3,'   0.0   0.0  0.0 0.0  0.0  0.0 ')");
  curve.text += kFirstRow({firstDepth});
  curves_.push_back(std::move(curve));
}

void PlotData::addDepthRow(const std::array<float, 7>& values) {
  static const EditFormat kRow("(5(1X,E10.3))");
  if (curves_.empty()) return;
  PlotCurve& curve = curves_.back();
  kRow.appendTo(curve.text,
                {values[0], values[1], values[2], values[3], values[4], values[5], values[6]});
  ++curve.depthRows;
}

void PlotData::appendToCurve(const std::string& text) {
  if (!curves_.empty()) {
    curves_.back().text += text;
  } else {
    beforeCurves_ += text;
  }
}

void PlotData::takeCase(PlotData&& part) {
  if (!part.beforeCurves_.empty()) appendToCurve(part.beforeCurves_);
  for (PlotCurve& curve : part.curves_) curves_.push_back(std::move(curve));
  tail_ += part.tail_;
  if (part.lineCountSet_) setLineCount(part.lineCount_);
}

void PlotData::write(OutputFile& file) const {
  if (!started_) return;
  const auto count = static_cast<int>(curves_.size());
  const int firstRows = curves_.empty() ? 0 : curves_.front().depthRows;
  file.write(freeFormatRecord({count, firstRows + 2, lineCount_}));
  for (int c = 0; c < count; ++c) {
    file.write(curves_[static_cast<std::size_t>(c)].text);
    if (c + 1 < count) {
      const int nextRows = curves_[static_cast<std::size_t>(c) + 1].depthRows;
      file.write(freeFormatRecord({c + 2, nextRows + 2, lineCount_}));
    }
  }
  file.write(tail_);
}

}  // namespace tolvane::engine
