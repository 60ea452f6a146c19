#include "plot_format.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include <charconv>
#include <optional>
#include "file_replace.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

constexpr const char* kEndOfLine = "\r\n";
constexpr int kAttributeLines = 9;  // lines 4 to 12 of a block

// A whole word read as an integer, none for anything else.
std::optional<int32_t> parseWholeInt32(const std::string& word) {
  int32_t value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, status] = std::from_chars(word.data(), end, value);
  if (status != std::errc() || stop != end) return std::nullopt;
  return value;
}

const char* flag(bool value) {
  return value ? "1" : "0";
}

void writeBlock(std::ostream& out, const plot::TGraphPlot& plot) {
  out << ":Plot Caption" << kEndOfLine << plot.Caption << kEndOfLine;
  out << plot.LineCount() << ' ' << plot.Count() << "   :LineCount, Count" << kEndOfLine;
  if (plot.LineCount() <= 0 || plot.Count() <= 0) return;
  out << flag(plot.ShowLegend) << (plot.ShowLegend ? " : Show Legend" : " : Do not Show Legend")
      << kEndOfLine;
  out << flag(plot.ShowLayers)
      << (plot.ShowLayers ? " : Show Soil Layers" : " : Do not Show Soil Layers") << kEndOfLine;
  out << flag(plot.ShowWall)
      << (plot.ShowWall ? " : Show Wall Geometry" : " : Do not Show Wall Geometry") << kEndOfLine;
  out << plot.Markers << "   :Markers Index" << kEndOfLine;
  out << plot.SizeFont << "   :FontSize Index" << kEndOfLine;
  out << plot.WidthLine << "   :LineWidth Index" << kEndOfLine;
  out << ":Graph Title" << kEndOfLine << plot.UserCaption << kEndOfLine;
  out << flag(plot.UserCaptionOnTop)
      << (plot.UserCaptionOnTop ? " : User Caption on Top" : " : User Caption on Bottom")
      << kEndOfLine;
  for (int n = 1; n <= plot.LineCount(); ++n) {
    out << ":Legend, Line " << n << kEndOfLine << plot.line(n - 1).LineName() << kEndOfLine;
  }
  for (int n = 1; n <= plot.LineCount(); ++n) {
    const plot::TLine& line = plot.line(n - 1);
    out << flag(line.Active) << ' ' << flag(line.Visible) << " : Active, Visible, Line " << n
        << kEndOfLine;
  }
}

// The leading integer of a line; the label after it is ignored.
int32_t leadingInteger(TWordReader& reader) {
  const std::string line = reader.readLine();
  std::istringstream words(line);
  std::string word;
  words >> word;
  const std::optional<int32_t> value = parseWholeInt32(word);
  if (!value) throw ProjectFormatError("An integer was expected but not found.");
  return *value;
}

void applyBlock(plot::TGraphPlot& plot, TWordReader& reader, int nLines) {
  plot.ShowLegend = leadingInteger(reader) != 0;
  plot.ShowLayers = leadingInteger(reader) != 0;
  plot.ShowWall = leadingInteger(reader) != 0;
  plot.Markers = leadingInteger(reader);
  plot.SizeFont = leadingInteger(reader);
  plot.WidthLine = leadingInteger(reader);
  reader.readLine();
  plot.UserCaption = reader.readLine();
  plot.UserCaptionOnTop = leadingInteger(reader) != 0;
  for (int n = 0; n < nLines; ++n) {
    reader.readLine();
    plot.line(n).setLineName(reader.readLine());
  }
  for (int n = 0; n < nLines; ++n) {
    const std::string line = reader.readLine();
    std::istringstream words(line);
    std::string active;
    std::string visible;
    words >> active >> visible;
    const std::optional<int32_t> a = parseWholeInt32(active);
    const std::optional<int32_t> v = parseWholeInt32(visible);
    if (!a || !v) throw ProjectFormatError("An integer was expected but not found.");
    plot.line(n).Active = *a != 0;
    plot.line(n).Visible = *v != 0;
  }
  plot.LimitActive = false;
}

}  // namespace

std::string plotFormatText(const ResultPlots& plots) {
  std::ostringstream out;
  for (int p = 0; p < ResultPlots::size(); ++p) writeBlock(out, plots[p]);
  return out.str();
}

bool writePlotFormat(const ResultPlots& plots, const std::filesystem::path& file,
                     std::string* problem) {
  try {
    replaceFileKeepingPermissions(file, plotFormatText(plots));
    return true;
  } catch (const ProjectFileError& failure) {
    if (problem != nullptr) *problem = failure.what();
    return false;
  }
}

int applyPlotFormat(ResultPlots& plots, const std::string& text) {
  TWordReader reader = TWordReader::fromText(text);
  int applied = 0;
  try {
    for (int p = 0; p < ResultPlots::size(); ++p) {
      reader.readLine();
      reader.readLine();
      const std::string counts = reader.readLine();
      std::istringstream words(counts);
      std::string first;
      std::string second;
      words >> first >> second;
      const std::optional<int32_t> nLines = parseWholeInt32(first);
      const std::optional<int32_t> nPoints = parseWholeInt32(second);
      if (!nLines || !nPoints) return applied;
      if (*nLines <= 0 || *nPoints <= 0) continue;
      plot::TGraphPlot& plot = plots[p];
      if (*nLines == plot.LineCount() && *nPoints == plot.Count()) {
        applyBlock(plot, reader, *nLines);
        ++applied;
      } else {
        const long long lines = kAttributeLines + 3LL * *nLines;
        for (long long skip = 0; skip < lines; ++skip) reader.readLine();
      }
    }
  } catch (const ProjectFormatError&) {
  }
  return applied;
}

int applyPlotFormatFile(ResultPlots& plots, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return 0;
  std::ostringstream content;
  content << in.rdbuf();
  return applyPlotFormat(plots, content.str());
}

}  // namespace tolvane::app
