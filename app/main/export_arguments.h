// The command lines of the headless exports:
//   --plots PROJECT --out DIR [--format png|svg|pdf|bmp] [--size WIDTHxHEIGHT] [--layers yes|no]
//   --xlsx PROJECT --out FILE.xlsx [--select 1,9,12]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tolvane::app {

// The image size of the plot export when none is given, pixels.
inline constexpr int kDefaultExportWidth = 960;
inline constexpr int kDefaultExportHeight = 640;
// Sizes beyond this many pixels a side are refused (an image of that size needs 400 MB).
inline constexpr int kMaxExportPixels = 10000;

struct PlotExportArguments {
  std::string project;
  std::string outDir;
  std::string format = "png";
  int Width = kDefaultExportWidth;
  int Height = kDefaultExportHeight;
  // --layers yes|no: draw the soil-layer column on the plots that have one, or on none; without
  // it each plot shows it as its saved formatting says.
  std::optional<bool> ShowLayers;
};

struct XlsxExportArguments {
  std::string project;
  std::string outFile;
  std::vector<int> select;  // plot numbers 1..26 of the plot list; empty: every available plot
};

// The arguments after the program name; none with `error` set when they are wrong.
std::optional<PlotExportArguments> parsePlotExportArguments(const std::vector<std::string>& args,
                                                            std::string& error);
std::optional<XlsxExportArguments> parseXlsxExportArguments(const std::vector<std::string>& args,
                                                            std::string& error);

// "plot-07.png" for plot index 6 (the number is 1-based, two digits).
std::string plotFileName(int plotIndex, const std::string& format);

}  // namespace tolvane::app
