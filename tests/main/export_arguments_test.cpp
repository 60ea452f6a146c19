// Checks the command lines of the headless plot and workbook exports.
#include "export_arguments.h"

#include <gtest/gtest.h>

namespace tolvane::app {
namespace {

TEST(ExportArguments, PlotsWithEveryOption) {
  std::string error;
  const auto args = parsePlotExportArguments({"--plots", "a.tv9d", "--out", "pics", "--format",
                                              "svg", "--size", "1200x800", "--layers", "yes"},
                                             error);
  ASSERT_TRUE(args) << error;
  EXPECT_EQ(args->project, "a.tv9d");
  EXPECT_EQ(args->outDir, "pics");
  EXPECT_EQ(args->format, "svg");
  EXPECT_EQ(args->Width, 1200);
  EXPECT_EQ(args->Height, 800);
  EXPECT_EQ(args->ShowLayers, std::optional<bool>(true));
  const auto defaults = parsePlotExportArguments({"--plots", "a.tv9d", "--out", "pics"}, error);
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->format, "png");
  EXPECT_EQ(defaults->Width, kDefaultExportWidth);
  EXPECT_FALSE(defaults->ShowLayers);
}

TEST(ExportArguments, WrongPlotsCommandLinesAreRefused) {
  const std::vector<std::vector<std::string>> wrong = {
      {"--plots"},
      {"--plots", "--out", "pics"},
      {"--plots", "a.tv9d"},           // no --out
      {"--plots", "a.tv9d", "--out"},  // no value
      {"--plots", "a.tv9d", "--out", "p", "--format", "jpg"},
      {"--plots", "a.tv9d", "--out", "p", "--size", "800"},
      {"--plots", "a.tv9d", "--out", "p", "--size", "0x600"},
      {"--plots", "a.tv9d", "--out", "p", "--size", "800x60000"},  // beyond the largest side
      {"--plots", "a.tv9d", "--out", "p", "--size", "80ax600"},
      {"--plots", "a.tv9d", "--out", "p", "--layers", "maybe"},
      {"--plots", "a.tv9d", "--out", "p", "--colour", "red"},
  };
  for (const auto& args : wrong) {
    std::string error;
    EXPECT_FALSE(parsePlotExportArguments(args, error)) << args.back();
    EXPECT_FALSE(error.empty()) << args.back();
  }
}

TEST(ExportArguments, WorkbookSelection) {
  std::string error;
  const auto args = parseXlsxExportArguments(
      {"--xlsx", "a.tv9d", "--out", "b.xlsx", "--select", "1,9,12"}, error);
  ASSERT_TRUE(args) << error;
  EXPECT_EQ(args->outFile, "b.xlsx");
  EXPECT_EQ(args->select, (std::vector<int>{1, 9, 12}));
  const auto all = parseXlsxExportArguments({"--xlsx", "a.tv9d", "--out", "b.xlsx"}, error);
  ASSERT_TRUE(all);
  EXPECT_TRUE(all->select.empty());
  for (const char* select : {"", "0", "27", "1,,2", "1,x", "3,"}) {
    EXPECT_FALSE(parseXlsxExportArguments(
        {"--xlsx", "a.tv9d", "--out", "b.xlsx", "--select", select}, error))
        << select;
  }
  EXPECT_FALSE(parseXlsxExportArguments({"--xlsx", "a.tv9d"}, error));
}

TEST(ExportArguments, PlotFileNamesUseTheTwoDigitPlotNumber) {
  EXPECT_EQ(plotFileName(0, "png"), "plot-01.png");
  EXPECT_EQ(plotFileName(15, "pdf"), "plot-16.pdf");
  EXPECT_EQ(plotFileName(25, "svg"), "plot-26.svg");
}

}  // namespace
}  // namespace tolvane::app
