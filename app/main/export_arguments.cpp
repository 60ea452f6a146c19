#include "export_arguments.h"

#include <array>
#include <charconv>

#include "result_plots.h"

namespace tolvane::app {
namespace {

constexpr std::array<const char*, 4> kFormats = {"png", "svg", "pdf", "bmp"};

std::optional<int> wholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, status] = std::from_chars(text.data(), end, value);
  if (text.empty() || status != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool parseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const std::optional<int> w = wholeNumber(text.substr(0, x));
  const std::optional<int> h = wholeNumber(text.substr(x + 1));
  if (!w || !h || *w < 1 || *h < 1 || *w > kMaxExportPixels || *h > kMaxExportPixels) {
    return false;
  }
  width = *w;
  height = *h;
  return true;
}

bool parseSelection(const std::string& text, std::vector<int>& plots) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = std::min(text.find(',', start), text.size());
    const std::optional<int> n = wholeNumber(text.substr(start, comma - start));
    if (!n || *n < 1 || *n > kResultPlotCount) return false;
    plots.push_back(*n);
    start = comma + 1;
  }
  return !plots.empty();
}

// Splits "MODE PROJECT --option value ..." into the project and option pairs.
bool optionPairs(const std::vector<std::string>& args,
                 std::vector<std::pair<std::string, std::string>>& options, std::string& error) {
  if (args.size() < 2 || args[1].empty() || args[1].rfind("--", 0) == 0) {
    error = "The project file is missing after " + (args.empty() ? std::string() : args[0]) + ".";
    return false;
  }
  for (size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      error = "The option " + args[i] + " needs a value.";
      return false;
    }
    options.emplace_back(args[i], args[i + 1]);
  }
  return true;
}

}  // namespace

std::optional<PlotExportArguments> parsePlotExportArguments(const std::vector<std::string>& args,
                                                            std::string& error) {
  std::vector<std::pair<std::string, std::string>> options;
  if (!optionPairs(args, options, error)) return std::nullopt;
  PlotExportArguments parsed;
  parsed.project = args[1];
  for (const auto& [name, value] : options) {
    if (name == "--out") {
      parsed.outDir = value;
    } else if (name == "--format") {
      bool known = false;
      for (const char* format : kFormats) known = known || value == format;
      if (!known) {
        error = "The format " + value + " is not one of png, svg, pdf, bmp.";
        return std::nullopt;
      }
      parsed.format = value;
    } else if (name == "--size") {
      if (!parseSize(value, parsed.Width, parsed.Height)) {
        error = "The size " + value + " is not WIDTHxHEIGHT in pixels (1 to " +
                std::to_string(kMaxExportPixels) + " each).";
        return std::nullopt;
      }
    } else if (name == "--layers" && (value == "yes" || value == "no")) {
      parsed.ShowLayers = value == "yes";
    } else if (name == "--layers") {
      error = "The option --layers takes yes or no.";
      return std::nullopt;
    } else {
      error = "Unknown option " + name + ".";
      return std::nullopt;
    }
  }
  if (parsed.outDir.empty()) {
    error = "The output folder is missing: --out DIR.";
    return std::nullopt;
  }
  return parsed;
}

std::optional<XlsxExportArguments> parseXlsxExportArguments(const std::vector<std::string>& args,
                                                            std::string& error) {
  std::vector<std::pair<std::string, std::string>> options;
  if (!optionPairs(args, options, error)) return std::nullopt;
  XlsxExportArguments parsed;
  parsed.project = args[1];
  for (const auto& [name, value] : options) {
    if (name == "--out") {
      parsed.outFile = value;
    } else if (name == "--select") {
      parsed.select.clear();
      if (!parseSelection(value, parsed.select)) {
        error = "The selection " + value + " is not a list of plot numbers 1 to " +
                std::to_string(kResultPlotCount) + " such as 1,9,12.";
        return std::nullopt;
      }
    } else {
      error = "Unknown option " + name + ".";
      return std::nullopt;
    }
  }
  if (parsed.outFile.empty()) {
    error = "The workbook file is missing: --out FILE.xlsx.";
    return std::nullopt;
  }
  return parsed;
}

std::string plotFileName(int plotIndex, const std::string& format) {
  const int number = plotIndex + 1;
  return std::string("plot-") + (number < 10 ? "0" : "") + std::to_string(number) + "." + format;
}

}  // namespace tolvane::app
