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
std::optional<int32_t> ParseWholeInt32(const std::string& word) {
  int32_t value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, status] = std::from_chars(word.data(), end, value);
  if (status != std::errc() || stop != end) return std::nullopt;
  return value;
}

const char* Flag(bool value) {
  return value ? "1" : "0";
}

void WriteBlock(std::ostream& out, const plot::TGraphPlot& plot) {
  out << ":Plot Caption" << kEndOfLine << plot.Caption << kEndOfLine;
  out << plot.LineCount() << ' ' << plot.Count() << "   :LineCount, Count" << kEndOfLine;
  if (plot.LineCount() <= 0 || plot.Count() <= 0) return;
  out << Flag(plot.ShowLegend) << (plot.ShowLegend ? " : Show Legend" : " : Do not Show Legend")
      << kEndOfLine;
  out << Flag(plot.ShowLayers)
      << (plot.ShowLayers ? " : Show Soil Layers" : " : Do not Show Soil Layers") << kEndOfLine;
  out << Flag(plot.ShowWall)
      << (plot.ShowWall ? " : Show Wall Geometry" : " : Do not Show Wall Geometry") << kEndOfLine;
  out << plot.Markers << "   :Markers Index" << kEndOfLine;
  out << plot.SizeFont << "   :FontSize Index" << kEndOfLine;
  out << plot.WidthLine << "   :LineWidth Index" << kEndOfLine;
  out << ":Graph Title" << kEndOfLine << plot.UserCaption << kEndOfLine;
  out << Flag(plot.UserCaptionOnTop)
      << (plot.UserCaptionOnTop ? " : User Caption on Top" : " : User Caption on Bottom")
      << kEndOfLine;
  for (int n = 1; n <= plot.LineCount(); ++n) {
    out << ":Legend, Line " << n << kEndOfLine << plot.Line(n - 1).LineName() << kEndOfLine;
  }
  for (int n = 1; n <= plot.LineCount(); ++n) {
    const plot::TLine& line = plot.Line(n - 1);
    out << Flag(line.Active) << ' ' << Flag(line.Visible) << " : Active, Visible, Line " << n
        << kEndOfLine;
  }
}

// The leading integer of a line; the label after it is ignored.
int32_t LeadingInteger(TWordReader& reader) {
  const std::string line = reader.ReadLine();
  std::istringstream words(line);
  std::string word;
  words >> word;
  const std::optional<int32_t> value = ParseWholeInt32(word);
  if (!value) throw EProjectFormatError("An integer was expected but not found.");
  return *value;
}

void ApplyBlock(plot::TGraphPlot& plot, TWordReader& reader, int n_lines) {
  plot.ShowLegend = LeadingInteger(reader) != 0;
  plot.ShowLayers = LeadingInteger(reader) != 0;
  plot.ShowWall = LeadingInteger(reader) != 0;
  plot.Markers = LeadingInteger(reader);
  plot.SizeFont = LeadingInteger(reader);
  plot.WidthLine = LeadingInteger(reader);
  reader.ReadLine();
  plot.UserCaption = reader.ReadLine();
  plot.UserCaptionOnTop = LeadingInteger(reader) != 0;
  for (int n = 0; n < n_lines; ++n) {
    reader.ReadLine();
    plot.Line(n).SetLineName(reader.ReadLine());
  }
  for (int n = 0; n < n_lines; ++n) {
    const std::string line = reader.ReadLine();
    std::istringstream words(line);
    std::string active;
    std::string visible;
    words >> active >> visible;
    const std::optional<int32_t> a = ParseWholeInt32(active);
    const std::optional<int32_t> v = ParseWholeInt32(visible);
    if (!a || !v) throw EProjectFormatError("An integer was expected but not found.");
    plot.Line(n).Active = *a != 0;
    plot.Line(n).Visible = *v != 0;
  }
  plot.LimitActive = false;
}

}  // namespace

std::string PlotFormatText(const TResultPlots& plots) {
  std::ostringstream out;
  for (int p = 0; p < TResultPlots::size(); ++p) WriteBlock(out, plots[p]);
  return out.str();
}

bool WritePlotFormat(const TResultPlots& plots, const std::filesystem::path& file,
                     std::string* problem) {
  try {
    ReplaceFileKeepingPermissions(file, PlotFormatText(plots));
    return true;
  } catch (const EProjectFileError& failure) {
    if (problem != nullptr) *problem = failure.what();
    return false;
  }
}

int ApplyPlotFormat(TResultPlots& plots, const std::string& text) {
  TWordReader reader = TWordReader::FromText(text);
  int applied = 0;
  try {
    for (int p = 0; p < TResultPlots::size(); ++p) {
      reader.ReadLine();
      reader.ReadLine();
      const std::string counts = reader.ReadLine();
      std::istringstream words(counts);
      std::string first;
      std::string second;
      words >> first >> second;
      const std::optional<int32_t> n_lines = ParseWholeInt32(first);
      const std::optional<int32_t> n_points = ParseWholeInt32(second);
      if (!n_lines || !n_points) return applied;
      if (*n_lines <= 0 || *n_points <= 0) continue;
      plot::TGraphPlot& plot = plots[p];
      if (*n_lines == plot.LineCount() && *n_points == plot.Count()) {
        ApplyBlock(plot, reader, *n_lines);
        ++applied;
      } else {
        const long long lines = kAttributeLines + 3LL * *n_lines;
        for (long long skip = 0; skip < lines; ++skip) reader.ReadLine();
      }
    }
  } catch (const EProjectFormatError&) {
  }
  return applied;
}

int ApplyPlotFormatFile(TResultPlots& plots, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return 0;
  std::ostringstream content;
  content << in.rdbuf();
  return ApplyPlotFormat(plots, content.str());
}

}  // namespace tolvane::app
