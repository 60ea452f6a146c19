// Checks the main window's rules that need no window: the title, the start-up file, the
// enabling and captions of the result commands and the Data menu, the design method's columns
// of the soil-layer table, and when the batch command is offered.
#include "window_rules.h"

#include <gtest/gtest.h>

#include <fstream>

#include "columns.h"
#include "current_project.h"
#include "test_support.h"

namespace tolvane::app {
namespace {

using engine::testing::TempDir;
using engine::testing::writeFile;

TEST(WindowTitleTest, NameRules) {
  const struct {
    const char* file;
    const char* title;
  } cases[] = {
      {"/home/user/sand-over-clay.tv9d", "TOLVANE 2023.9.02 - Sand-over-clay"},
      {"NewTolvane.tv9d", "TOLVANE 2023.9.02 - NewTolvane"},
      // The default extension in any case, and everything from the first ".".
      {"/p/bridge.pier.TV9D", "TOLVANE 2023.9.02 - Bridge"},
      // Other extensions stay.
      {"/p/old.tv8d", "TOLVANE 2023.9.02 - Old.tv8d"},
      {"/p/older.tvd", "TOLVANE 2023.9.02 - Older.tvd"},
      // A one-letter name is not capitalized; a digit has no capital.
      {"/p/a.tv9d", "TOLVANE 2023.9.02 - a"},
      {"/p/1st.tv9d", "TOLVANE 2023.9.02 - 1st"},
      // The folder never shows, whatever dots it has.
      {"/p.v2/site/pile.tv9d", "TOLVANE 2023.9.02 - Pile"},
  };
  for (const auto& c : cases) EXPECT_EQ(mainWindowTitle(c.file), c.title) << c.file;
}

TEST(StartupFileTest, ExtensionIsAddedOnlyToANameWithoutOne) {
  EXPECT_EQ(startupFile(""), "");
  EXPECT_EQ(startupFile("pile"), "pile.tv9d");
  EXPECT_EQ(startupFile("/p.v2/pile"), "/p.v2/pile.tv9d");
  EXPECT_EQ(startupFile("pile.tv8d"), "pile.tv8d");
  EXPECT_EQ(startupFile("pile.txt"), "pile.txt");
}

TEST(StartupFileTest, OnlyAnExistingProjectFileOpens) {
  TempDir dir;
  writeFile(dir / "pile.tv9d", "x");
  writeFile(dir / "pile.txt", "x");
  EXPECT_TRUE(startupFileOpens((dir / "pile.tv9d").string()));
  EXPECT_FALSE(startupFileOpens((dir / "pile.txt").string()));
  EXPECT_FALSE(startupFileOpens((dir / "missing.tv9d").string()));
  EXPECT_FALSE(startupFileOpens(dir.path().string()));
}

class WindowRulesTest : public ::testing::Test {
 protected:
  WindowRulesTest() : project_(host_, kEnglishUnits) {}
  TProgramData& data() { return project_.Data(); }
  ResultCommands commandsFor(const ResultFiles& files) {
    return resultCommands(data(), flags_, plots_, files);
  }

  HeadlessHost host_;
  CurrentProject project_;
  ResultFlags flags_;
  ResultPlots plots_;
};

TEST_F(WindowRulesTest, NothingButTheFilesWithoutResults) {
  const ResultCommands commands = commandsFor({true, true, true, true});
  EXPECT_TRUE(commands.viewInput);
  EXPECT_TRUE(commands.viewRunNotes);
  EXPECT_TRUE(commands.viewOutput);
  for (const bool enabled : commands.plotEnabled) EXPECT_FALSE(enabled);
  EXPECT_FALSE(commands.exportToExcel);
  const ResultCommands none = commandsFor({});
  EXPECT_FALSE(none.viewInput || none.viewRunNotes || none.viewOutput);
}

TEST_F(WindowRulesTest, PlotCommandsFollowTheResultFlags) {
  flags_.ShowOutput = true;
  data().ID2 = 0;
  ResultCommands commands = commandsFor({true, true, true, true});
  for (int plot = kPltSkin; plot <= kPltAxial; ++plot) EXPECT_TRUE(commands.plotEnabled[plot]);
  // The bounds need ID2; the curves need their own flags.
  for (const int plot :
       {kPltUpper, kPltLower, kPltCombinedSettle, kPltTz, kPltQw, kPltTzAdd, kPltLoad}) {
    EXPECT_FALSE(commands.plotEnabled[plot]) << plot;
  }
  EXPECT_TRUE(commands.exportToExcel);

  data().ID2 = 1;
  flags_.showtzcurves = true;
  flags_.showloadcurves = true;
  commands = commandsFor({true, true, true, true});
  for (const int plot : {kPltUpper, kPltLower, kPltCombinedSettle, kPltTz, kPltQw, kPltLoad}) {
    EXPECT_TRUE(commands.plotEnabled[plot]) << plot;
  }
  // The additional t-z curves need the option and at least one curve.
  EXPECT_FALSE(commands.plotEnabled[kPltTzAdd]);
  data().PrintTZCurves = 1;
  EXPECT_FALSE(commandsFor({true, true, true, true}).plotEnabled[kPltTzAdd]);
  plots_[kPltTzAdd].SetLineCount(1);
  EXPECT_TRUE(commandsFor({true, true, true, true}).plotEnabled[kPltTzAdd]);

  // Without the plot-data file the capacity plots are not offered.
  commands = commandsFor({true, true, true, false});
  EXPECT_FALSE(commands.plotEnabled[kPltSkin]);
  EXPECT_FALSE(commands.plotEnabled[kPltUpper]);
}

TEST_F(WindowRulesTest, DesignChartItemsUpToTheNumberOfSettlements) {
  flags_.ShowOutput = true;
  data().NPOINTPD = 3;
  ResultCommands commands = commandsFor({true, true, true, true});
  for (const bool visible : commands.chartVisible) EXPECT_FALSE(visible);
  data().IChart = 1;
  commands = commandsFor({true, true, true, true});
  for (int chart = 0; chart < kDesignChartPlots; ++chart) {
    EXPECT_EQ(commands.chartVisible[chart], chart < 3) << chart;
    EXPECT_EQ(commands.plotEnabled[kPltChart1 + chart], chart < 3) << chart;
  }
}

TEST_F(WindowRulesTest, CaptionsOfCombinedPlotsAndDesignCharts) {
  EXPECT_EQ(graphicsCaption(data(), kPltCombine), "Combined Plots vs Depth (Initial Diameter)");
  EXPECT_EQ(graphicsCaption(data(), kPltCombinedSettle),
            "Combined Plots of Load vs Settlement (Initial Diameter)");
  data().IPENT = 1;
  EXPECT_EQ(graphicsCaption(data(), kPltCombine), "Combined Plots vs Depth (Initial Length)");
  EXPECT_EQ(graphicsCaption(data(), kPltCombinedSettle),
            "Combined Plots of Load vs Settlement (Initial Length)");
  // The other items keep their captions.
  EXPECT_EQ(graphicsCaption(data(), kPltCombineD), "Combined Plots vs Depth (initial diameter)");
  EXPECT_EQ(graphicsCaption(data(), kPltSkin), "Ultimate &Skin Friction vs Depth");
  data().PDSETT[0] = 0.1L;
  data().PDSETT[2] = 0.5L;
  EXPECT_EQ(graphicsCaption(data(), kPltChart1), "Design Chart (0.1-in movement)");
  EXPECT_EQ(graphicsCaption(data(), kPltChart1 + 2), "Design Chart (0.5-in movement)");
  data().fUnits = kSIUnits;
  data().PDSETT[0] = 0.00254L;  // 0.1 in in metres
  EXPECT_EQ(graphicsCaption(data(), kPltChart1), "Design Chart (0.00254-m movement)");
}

TEST_F(WindowRulesTest, DataMenuEnablingAndChecks) {
  data().METHOD = kShaftLengthGiven;
  data().NLRFD = kAsd;
  DataMenuState state = dataMenuState(data());
  EXPECT_TRUE(state.shaftLengthGiven);
  EXPECT_TRUE(state.factorOfSafetyEnabled);
  EXPECT_TRUE(state.multipleLengthsEnabled);
  EXPECT_TRUE(state.designChartsEnabled);
  EXPECT_FALSE(state.multipleLengthsChecked || state.designChartsChecked);

  // A design load given: neither option can be chosen.
  data().METHOD = kDesignLoadGiven;
  state = dataMenuState(data());
  EXPECT_FALSE(state.shaftLengthGiven);
  EXPECT_FALSE(state.multipleLengthsEnabled);
  EXPECT_FALSE(state.designChartsEnabled);

  // Multiple lengths and design charts exclude each other.
  data().METHOD = kShaftLengthGiven;
  data().IPENT = 1;
  state = dataMenuState(data());
  EXPECT_TRUE(state.multipleLengthsEnabled && state.multipleLengthsChecked);
  EXPECT_FALSE(state.designChartsEnabled);
  data().IPENT = 0;
  data().IChart = 1;
  state = dataMenuState(data());
  EXPECT_FALSE(state.multipleLengthsEnabled);
  EXPECT_TRUE(state.designChartsEnabled && state.designChartsChecked);

  // The factors of safety belong to ASD only.
  data().NLRFD = kLrfd;
  state = dataMenuState(data());
  EXPECT_TRUE(state.lrfd);
  EXPECT_FALSE(state.factorOfSafetyEnabled);
}

TEST_F(WindowRulesTest, DesignMethodShowsOrHidesTheResistanceFactors) {
  grid::TGridTable& layers = project_.grids().D();
  applyDesignMethod(project_.grids(), kLrfd);
  EXPECT_TRUE(layers.GetColumn(kColSideResistanceFactor).Visible);
  EXPECT_TRUE(layers.GetColumn(kColEndResistanceFactor).Visible);
  EXPECT_EQ(layers.Comments,
            "Max. Side Friction and Max. End Bearing:\r\xC2\xB7 If entries are left as zero, the "
            "program assumes no limits in side friction and end bearing computed by the "
            "program.\rLRFD Resistance Factors\r\xC2\xB7 Options for entering LRFD resistance "
            "factors for side friction and for for tip resistance in each layer.");
  applyDesignMethod(project_.grids(), kAsd);
  EXPECT_FALSE(layers.GetColumn(kColSideResistanceFactor).Visible);
  EXPECT_FALSE(layers.GetColumn(kColEndResistanceFactor).Visible);
  EXPECT_TRUE(layers.GetColumn(kColMaxEndBearing).Visible);
  EXPECT_EQ(layers.Comments,
            "Max. Side Friction and Max. End Bearing:\r\xC2\xB7 If entries are left as zero, the "
            "program assumes no limits in side friction and end bearing computed by the "
            "program.");
}

TEST(BatchCommandTest, OfferedWhenBatchInStartsWithOne) {
  TempDir dir;
  EXPECT_FALSE(batchCommandVisible(dir.path()));
  const struct {
    const char* text;
    bool visible;
  } cases[] = {{"1\r\n", true}, {"  1 0\n", true}, {"0\n", false}, {"1.5\n", false},
               {"12\n", false}, {"one\n", false},  {"", false}};
  for (const auto& c : cases) {
    writeFile(dir / "batch.in", c.text);
    EXPECT_EQ(batchCommandVisible(dir.path()), c.visible) << '"' << c.text << '"';
  }
}

TEST(WordProcessorTest, FileInDoubleQuotesAfterABlank) {
  EXPECT_EQ(wordProcessorCommand("gedit", "/p/my pile.tv9o"), "gedit \"/p/my pile.tv9o\"");
}

}  // namespace
}  // namespace tolvane::app
