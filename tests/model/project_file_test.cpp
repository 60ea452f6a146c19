// Checks the project files: the version 9 layout as written (CR LF, 8 digits, placeholders),
// save-read round trips of every field and cell, the version 8 and oldest layouts with their
// optional items, format errors with line and item, what a reader keeps after an error, and a
// save that fails without harming the previous file.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "../line_ends.h"
#include "columns.h"
#include "current_project.h"
#include "model_fixture.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

using testing::dataFile;
using testing::readFileText;
using testing::RecordingHost;
using testing::writeFileText;

class ProjectFile : public testing::ScratchFolder {};

// The example of a 60 ft sand layer under a 50 ft shaft, with Ko values.
void makeSandExample(CurrentProject& project) {
  TProgramData& d = project.Data();
  d.PD = 50;
  d.DSTART = 3;
  d.EPILE = 4000000;
  d.WTD = 10;
  ProjectGrids& grids = project.grids();
  grids.D().SetFloatValue(kColBottomDepth, 0, 60);
  grid::TGridTable& m = *grids.layerTable(0);
  const long double values[2][5] = {{120, 32, 10, 0.8L, 30}, {120, 34, 20, 0.6L, 30}};
  for (const int point : {kTopRow, kBottomRow}) {
    m.SetFloatValue(0, point, values[point][0]);                      // unit weight
    m.SetFloatValue(1, point, values[point][1]);                      // friction angle
    m.SetIntValue(2, point, static_cast<int32_t>(values[point][2]));  // blow count
    m.SetFloatValue(3, point, values[point][3]);                      // Ko
    m.SetFloatValue(6, point, values[point][4]);                      // interface angle
  }
}

TEST_F(ProjectFile, SandExampleIsWrittenInTheVersionNineLayout) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  makeSandExample(project);
  project.Data().FileName = pathOf("sand.tv9d");
  project.grids().projectChanged = true;
  project.Save();
  const std::string expected =
      "New Pile\r\n"
      "1 \r\n"
      "2 1 1 1 1 2 0 0 0 0 0 0\r\n"
      "3 0 0 0 0 0 4000000\r\n"
      "1 10 50 2.5 3\r\n"
      "1 60 \r\n"
      "0.0 120 32 30 10 0 0 1 1 \r\n"
      "0.0 120 34 30 20 0 0 1 1 \r\n"
      "1 \r\n"
      "0.8 0.6 \r\n";
  EXPECT_EQ(readFileText(pathOf("sand.tv9d")), expected);
  EXPECT_FALSE(project.Changed());
  EXPECT_FALSE(std::filesystem::exists(pathOf("sand.tv9d.saving")));
}

TEST_F(ProjectFile, OptionalLinesAndDepthsAreWritten) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  makeSandExample(project);
  TProgramData& d = project.Data();
  d.IPENT = 1;
  d.IChart = 1;
  d.PDMIN = 30;
  d.PDINCR = 5;
  d.DIAMINCR = 0.5L;
  d.NPOINTPD = 3;
  d.PrintTZCurves = 1;
  project.grids().TblTZDepth().SetRowCount(2);
  project.grids().TblTZDepth().SetFloatValue(0, 0, 12.5L);
  project.grids().TblTZDepth().SetFloatValue(0, 1, 1e-5L);
  d.FileName = pathOf("options.tv9d");
  project.Save();
  const std::string text = readFileText(pathOf("options.tv9d"));
  EXPECT_NE(text.find("\r\n3 3 0 0 0 0 4000000\r\n"), std::string::npos);  // DIALIM = DSTART
  EXPECT_NE(text.find("\r\n30 5\r\n30 5 0.5 3\r\n0.1 0.25 0.5 \r\n1 60 \r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n0.8 0.6 \r\n2\r\n12.5\r\n1E-5\r\n"), std::string::npos);
}

TEST_F(ProjectFile, EveryLineEndsWithCarriageReturnAndLineFeed) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  makeSandExample(project);
  project.Data().Title = "Two\nlines";
  project.Data().FileName = pathOf("crlf.tv9d");
  project.Save();
  const std::string text = readFileText(pathOf("crlf.tv9d"));
  EXPECT_EQ(text.substr(0, 11), "Two lines\r\n");  // a title stays one line
  for (size_t pos = text.find('\n'); pos != std::string::npos; pos = text.find('\n', pos + 1)) {
    ASSERT_GT(pos, 0U);
    EXPECT_EQ(text[pos - 1], '\r') << pos;
  }
}

// Fills every carried cell of every layer, one layer per soil type, and every option.
void makeAllSoilTypes(CurrentProject& project) {
  TProgramData& d = project.Data();
  d.Title = "Round trip: all soil types";
  d.KCYCL = 2;
  d.RCYCL = 0.75L;
  d.PINC = 0.5L;
  d.IMOD = 0;
  d.NLRFD = 1;
  d.IPENT = 1;
  d.IChart = 1;
  d.UseElevation = 1;
  d.ValElevation = 1234.5L;
  d.PrintTZCurves = 1;
  d.CFAPile = 1;
  d.DSTART = 3;
  d.RATIO = 2.5L;
  d.BELANGL = 45;
  d.TOPLENG = 5;
  d.BS = 2;
  d.EPILE = 4000000;
  d.WTD = 12.5L;
  d.PD = 60;
  d.FST = 2.25L;
  d.FSB = 3.5L;
  d.PDMIN = 20;
  d.PDINCR = 5;
  d.DIAMINCR = 0.5L;
  d.NPOINTPD = 4;
  d.PDSETT = {0.2L, 0.4L, 0.6L, 0.8L, 0, 0, 0, 0, 0, 0};
  ProjectGrids& grids = project.grids();
  grid::TGridTable& layers = grids.D();
  layers.SetRowCount(kLastSoilType);
  for (int row = 0; row < kLastSoilType; ++row) {
    const int32_t type = row + 1;
    layers.SetIntValue(kColSoilType, row, type);
    layers.SetFloatValue(kColBottomDepth, row, 10.0L * type);
    for (int column = kColMaxSideFriction; column <= kColEndResistanceFactor; ++column) {
      layers.SetFloatValue(column, row, type + column / 10.0L);
    }
    grid::TGridTable& m = *grids.layerTable(row);
    for (int column = 0; column < m.ColCount(); ++column) {
      if (type == kSand && (column == 3 || column == 4)) continue;  // Ko and Beta: method 3
      for (const int point : {kTopRow, kBottomRow}) {
        if (m.GetColumn(column).columnType() == grid::ColumnType::kFloat) {
          m.SetFloatValue(column, point, 100.0L * type + column + 0.25L * (point + 1));
        } else {
          m.SetIntValue(column, point, (type == kSand && column == 5) ? 3 : 2);
        }
      }
    }
  }
  grid::TGridTable& depths = grids.TblTZDepth();
  depths.SetRowCount(3);
  for (int row = 0; row < 3; ++row) depths.SetFloatValue(0, row, 10.25L * (row + 1));
}

void expectSameProject(CurrentProject& a, CurrentProject& b) {
  const TProgramData& x = a.Data();
  const TProgramData& y = b.Data();
  EXPECT_EQ(x.Title, y.Title);
  EXPECT_EQ(x.fUnits, y.fUnits);
  const std::vector<std::pair<int32_t, int32_t>> integers = {{x.METHOD, y.METHOD},
                                                             {x.KCYCL, y.KCYCL},
                                                             {x.IMOD, y.IMOD},
                                                             {x.NLRFD, y.NLRFD},
                                                             {x.IPENT, y.IPENT},
                                                             {x.IChart, y.IChart},
                                                             {x.UseElevation, y.UseElevation},
                                                             {x.PrintTZCurves, y.PrintTZCurves},
                                                             {x.CFAPile, y.CFAPile},
                                                             {x.NPOINTPD, y.NPOINTPD},
                                                             {x.Yesnewversion, y.Yesnewversion}};
  for (size_t i = 0; i < integers.size(); ++i)
    EXPECT_EQ(integers[i].first, integers[i].second) << i;
  const std::vector<std::pair<long double, long double>> reals = {
      {x.RCYCL, y.RCYCL},     {x.PINC, y.PINC},       {x.ValElevation, y.ValElevation},
      {x.DSTART, y.DSTART},   {x.DIALIM, y.DIALIM},   {x.RATIO, y.RATIO},
      {x.BELANGL, y.BELANGL}, {x.TOPLENG, y.TOPLENG}, {x.BS, y.BS},
      {x.EPILE, y.EPILE},     {x.WTD, y.WTD},         {x.PD, y.PD},
      {x.LPD, y.LPD},         {x.FST, y.FST},         {x.FSB, y.FSB},
      {x.PDMIN, y.PDMIN},     {x.PDINCR, y.PDINCR},   {x.DIAMINCR, y.DIAMINCR}};
  for (size_t i = 0; i < reals.size(); ++i) EXPECT_EQ(reals[i].first, reals[i].second) << i;
  for (int i = 0; i < x.NPOINTPD; ++i) EXPECT_EQ(x.PDSETT[i], y.PDSETT[i]) << i;

  const grid::TGridTable& dx = a.grids().D();
  const grid::TGridTable& dy = b.grids().D();
  ASSERT_EQ(dx.RowCount(), dy.RowCount());
  for (int row = 0; row < dx.RowCount(); ++row) {
    for (int column = 0; column < dx.ColCount(); ++column) {
      EXPECT_EQ(dx.GetStringValue(column, row), dy.GetStringValue(column, row))
          << row << " " << column;
    }
    const grid::TGridTable& mx = *a.grids().layerTable(row);
    const grid::TGridTable& my = *b.grids().layerTable(row);
    ASSERT_EQ(mx.ColCount(), my.ColCount());
    EXPECT_EQ(my.ID(), row + 1);
    for (int column = 0; column < mx.ColCount(); ++column) {
      for (const int point : {kTopRow, kBottomRow}) {
        const bool shaleBlows = dx.GetIntValue(kColSoilType, row) == kShale && column == 2;
        const std::string expected = shaleBlows ? "0" : mx.GetStringValue(column, point);
        EXPECT_EQ(my.GetStringValue(column, point), expected)
            << "layer " << row + 1 << " column " << column << " point " << point;
        if (mx.GetColumn(column).columnType() == grid::ColumnType::kFloat) {
          EXPECT_EQ(mx.GetFloatValue(column, point), my.GetFloatValue(column, point));
        }
      }
    }
  }
  const grid::TGridTable& tx = a.grids().TblTZDepth();
  const grid::TGridTable& ty = b.grids().TblTZDepth();
  ASSERT_EQ(tx.RowCount(), ty.RowCount());
  for (int row = 0; row < tx.RowCount(); ++row) {
    EXPECT_EQ(tx.GetFloatValue(0, row), ty.GetFloatValue(0, row));
  }
}

TEST_F(ProjectFile, EveryFieldAndCellOfAllSoilTypesSurvivesSaveAndRead) {
  for (const int units : {kEnglishUnits, kSIUnits}) {
    SCOPED_TRACE(units);
    RecordingHost host;
    CurrentProject saved(host, units);
    makeAllSoilTypes(saved);
    const std::string path = pathOf("all_types.tv9d");
    saved.Data().FileName = path;
    saved.Save();

    CurrentProject read(host, units == kSIUnits ? kEnglishUnits : kSIUnits);
    const std::string error = read.Open(path, kVersion9File);
    EXPECT_EQ(error, "");
    EXPECT_EQ(read.Data().FileName, path);
    EXPECT_EQ(read.Data().ID2, 0);  // not carried by the file
    EXPECT_FALSE(read.Changed());
    expectSameProject(saved, read);

    // Writing what was read gives the same file again, once the shale blow counts, which read
    // as 0, are 0 in the saved project too.
    grid::TGridTable& shale = *saved.grids().layerTable(kShale - 1);
    shale.SetIntValue(2, kTopRow, 0);
    shale.SetIntValue(2, kBottomRow, 0);
    saved.Save();
    const std::string first = readFileText(path);
    read.Data().FileName = pathOf("again.tv9d");
    read.Save();
    EXPECT_EQ(readFileText(pathOf("again.tv9d")), first);
  }
}

TEST_F(ProjectFile, DesignLoadProjectKeepsItsLoad) {
  RecordingHost host;
  CurrentProject saved(host, kEnglishUnits);
  saved.Data().PD = 0;
  saved.Data().LPD = 500;
  saved.Data().FileName = pathOf("load.tv9d");
  saved.Save();
  CurrentProject read(host, kEnglishUnits);
  read.Open(pathOf("load.tv9d"), kVersion9File);
  EXPECT_EQ(read.Data().METHOD, 1);
  EXPECT_EQ(read.Data().LPD, 500);
  EXPECT_EQ(read.Data().PD, 0);
}

TEST_F(ProjectFile, FieldsTheFileDoesNotCarryReadAsZero) {
  RecordingHost host;
  CurrentProject saved(host, kSIUnits);
  saved.Data().PD = 18;
  saved.Data().FileName = pathOf("plain.tv9d");
  saved.Save();
  CurrentProject read(host, kEnglishUnits);
  read.Open(pathOf("plain.tv9d"), kVersion9File);
  EXPECT_EQ(read.Data().NPOINTPD, 0);
  EXPECT_EQ(read.Data().ID2, 0);
  EXPECT_EQ(read.Data().fUnits, 2);
  // Without design charts the settlements are the defaults converted to metres.
  EXPECT_EQ(read.Data().PDSETT[0], 0.1L / 39.37007874L);
  EXPECT_EQ(read.Data().PDSETT[3], 0.75L / 39.37007874L);
  // The t-z list is not in the file: the table is filled up to its one row.
  EXPECT_EQ(read.grids().TblTZDepth().RowCount(), 1);
}

// Reads a project from text written to a file of the scratch folder.
std::string openText(CurrentProject& project, const std::string& path, const std::string& text,
                     int index = kVersion9File) {
  writeFileText(path, text);
  return project.Open(path, index);
}

const char* const kVersion9Head = "T\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n3 0 0 0 0 0 4000000\r\n";

TEST_F(ProjectFile, FileEndingInTheSecondLayerKeepsWhatWasRead) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const std::string text = std::string(kVersion9Head) +
                           "2 10 50 2.5 3\r\n1 20 \r\n0.0 115 30 28 12 0 0 1 1 \r\n"
                           "0.0 118 32 28 15 0 0 1 1 \r\n1 \r\n0.7 0.6 \r\n2 45 \r\n9 125 0.0 1500";
  EXPECT_EQ(openText(project, pathOf("cut.tv9d"), text), "This file either invalid or incomplete.");
  ProjectGrids& grids = project.grids();
  ASSERT_EQ(grids.D().RowCount(), 2);
  EXPECT_EQ(grids.SoilType(0), kSand);
  EXPECT_EQ(grids.layerTable(0)->GetFloatValue(3, kBottomRow), 0.6L);  // Ko, the last item
  EXPECT_EQ(grids.SoilType(1), kClay);
  EXPECT_EQ(grids.D().GetFloatValue(kColBottomDepth, 1), 45);
  EXPECT_EQ(project.Data().PD, 50);
  EXPECT_FALSE(project.Changed());
}

struct FormatErrorCase {
  const char* name;
  std::string Text;
  const char* message;
};

TEST_F(ProjectFile, FormatErrorsNameTheirLineAndItem) {
  const std::string head(kVersion9Head);
  const std::vector<FormatErrorCase> cases = {
      {"real integer", "T\r\n1 \r\n2 1.5 1 1 1 2 0 0 0 0 0 0\r\n",
       "Error on Line 3 Item 2\rAn integer was expected but not found."},
      {"word for a real", "T\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n3 0 x 0 0 0 4000000\r\n",
       "Error on Line 4 Item 3\rA floating point number was expected but not found."},
      {"blank line", "T\r\n1 \r\n\r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n",
       "This file either invalid or incomplete."},
      {"empty file", "", "This file either invalid or incomplete."},
      {"too many layers", head + "1000 10 50 2.5 3\r\n",
       "Error on Line 5 Item 1\rAt most 50 soil layers are allowed."},
      {"unknown soil type", head + "1 10 50 2.5 3\r\n12 60 \r\n",
       "Error on Line 6 Item 1\rThe soil type must be between 1 and 11."},
      {"too many settlements",
       "T\r\n1 \r\n2 1 1 1 1 2 0 1 0 0 0 0\r\n3 0 0 0 0 0 4000000\r\n1 10 50 2.5 3\r\n"
       "30 5 0.5 11\r\n",
       "Error on Line 6 Item 4\rAt most 10 settlements are allowed for design charts."},
  };
  for (const FormatErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    CurrentProject project(host, kEnglishUnits);
    EXPECT_EQ(openText(project, pathOf("bad.tv9d"), c.Text), c.message);
    EXPECT_GE(project.grids().D().RowCount(), 1);  // filled up to the minimum
  }
}

TEST_F(ProjectFile, WholeRealWhereAnIntegerIsExpectedIsAccepted) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const std::string text =
      "T\r\n1.0 \r\n2.0 1 1 1 1 2 0 0 0 0 0 0\r\n3 0 0 0 0 0 4000000\r\n"
      "0 10 50 2.5 3\r\n";
  EXPECT_EQ(openText(project, pathOf("whole.tv9d"), text), "");
  EXPECT_EQ(project.Data().METHOD, 2);
  EXPECT_EQ(project.Data().PD, 50);
  EXPECT_EQ(project.grids().D().RowCount(), 1);  // no layers: one empty row
}

TEST_F(ProjectFile, SandMethodThreeWithOnlyTwoValuesLeavesOcr) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const std::string text = std::string(kVersion9Head) +
                           "1 10 50 2.5 3\r\n1 20 \r\n0.0 115 30 28 12 0 0 1 1 \r\n"
                           "0.0 118 32 28 15 0 0 1 1 \r\n3 \r\n0.4 0.5 \r\n";
  EXPECT_EQ(openText(project, pathOf("m.tv9d"), text), "");
  const grid::TGridTable& m = *project.grids().layerTable(0);
  EXPECT_EQ(m.GetFloatValue(7, kTopRow), 0.4L);
  EXPECT_EQ(m.GetFloatValue(7, kBottomRow), 0.5L);
  EXPECT_EQ(m.GetFloatValue(8, kTopRow), 1.0L);  // OCR keeps its default
  EXPECT_EQ(m.GetIntValue(5, kTopRow), 3);
}

TEST_F(ProjectFile, CfaSandLineOfEightWordsLeavesBetaAndFrictionAngle) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const std::string text = std::string(kVersion9Head) +
                           "1 10 50 2.5 3\r\n10 20 \r\n110 15 2 80 0 0 1 1 \r\n"
                           "112 18 1 90 0 0 1 1 \r\n2 \r\n";
  EXPECT_EQ(openText(project, pathOf("cfa.tv9d"), text), "");
  const grid::TGridTable& m = *project.grids().layerTable(0);
  EXPECT_EQ(m.GetFloatValue(0, kTopRow), 110);
  EXPECT_EQ(m.GetIntValue(2, kTopRow), 15);       // blow count
  EXPECT_EQ(m.GetIntValue(3, kBottomRow), 1);     // soil type
  EXPECT_EQ(m.GetFloatValue(4, kBottomRow), 90);  // qc
  EXPECT_EQ(m.GetFloatValue(5, kTopRow), 0);      // beta unchanged
  EXPECT_EQ(m.GetFloatValue(6, kTopRow), 0);      // friction angle unchanged
  EXPECT_EQ(m.GetIntValue(1, kTopRow), 2);        // method in both rows
  EXPECT_EQ(m.GetIntValue(1, kBottomRow), 2);
}

TEST_F(ProjectFile, ReadsLineFeedOnlyFiles) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const std::string text = "T\n1 \n2 1 1 1 1 2 0 0 0 0 0 0\n3 0 0 0 0 0 4000000\n0 10 50 2.5 3\n";
  EXPECT_EQ(openText(project, pathOf("lf.tv9d"), text), "");
  EXPECT_EQ(project.Data().Title, "T");
  EXPECT_EQ(project.Data().EPILE, 4000000);
}

// A project saved by an editor with other line ends reads as the file the program wrote, in
// every layout.
TEST_F(ProjectFile, EveryLayoutReadsTheSameWhateverTheLineEnds) {
  RecordingHost host;
  CurrentProject allTypes(host, kEnglishUnits);
  makeAllSoilTypes(allTypes);
  allTypes.Data().FileName = pathOf("all_types.tv9d");
  allTypes.Save();
  const struct {
    std::string file;
    int index;
  } cases[] = {{pathOf("all_types.tv9d"), kVersion9File},
               {dataFile("sand_over_clay.tv8d"), kVersion8File},
               {dataFile("rock_si.tv8d"), kVersion8File},
               {dataFile("sand_short_line.tvd"), kOldestShortFile},
               {dataFile("rock_over_shale.tvd"), kOldestShortFile + 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    CurrentProject original(host, kEnglishUnits);
    ASSERT_EQ(original.Open(c.file, c.index), "");
    const std::string expected = original.Data().projectText();
    const std::string text = testing::withoutCarriageReturns(readFileText(c.file));
    for (const testing::LineEnds& style : testing::allLineEnds()) {
      SCOPED_TRACE(style.name);
      CurrentProject read(host, kEnglishUnits);
      const std::string path = pathOf("ends" + std::filesystem::path(c.file).extension().string());
      EXPECT_EQ(openText(read, path, testing::withLineEnds(text, style), c.index), "");
      EXPECT_EQ(read.Data().projectText(), expected);
      EXPECT_EQ(read.Data().Title, original.Data().Title);
    }
  }
}

TEST_F(ProjectFile, MissingFileLeavesThePresentProject) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  project.grids().D().SetFloatValue(kColBottomDepth, 0, 33);
  EXPECT_THROW(project.Open(pathOf("missing.tv9d"), kVersion9File), ProjectFileError);
  EXPECT_EQ(project.grids().D().GetFloatValue(kColBottomDepth, 0), 33);
}

TEST(OlderLayouts, VersionEightSandOverClay) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  ASSERT_EQ(project.Open(dataFile("sand_over_clay.tv8d"), kVersion8File), "");
  const TProgramData& d = project.Data();
  EXPECT_EQ(d.Title, "Old Project");
  EXPECT_EQ(d.PrintTZCurves, 0);  // line 3 has 10 words
  EXPECT_EQ(d.CFAPile, 0);
  EXPECT_EQ(d.DSTART, 2.5L);  // read from line 4
  EXPECT_EQ(d.EPILE, 3600000);
  EXPECT_EQ(d.PD, 40);
  EXPECT_EQ(d.WTD, 12);
  EXPECT_EQ(d.Yesnewversion, 1);
  EXPECT_EQ(d.PDSETT[1], 0.25L);
  const ProjectGrids& grids = project.grids();
  ASSERT_EQ(grids.D().RowCount(), 2);
  const grid::TGridTable& sand = *grids.layerTable(0);
  EXPECT_EQ(sand.GetFloatValue(0, kBottomRow), 118);
  EXPECT_EQ(sand.GetFloatValue(6, kTopRow), 28);  // interface angle
  EXPECT_EQ(sand.GetIntValue(2, kBottomRow), 15);
  EXPECT_EQ(sand.GetFloatValue(7, kTopRow), 0.7L);  // m values only
  EXPECT_EQ(sand.GetFloatValue(7, kBottomRow), 0.9L);
  EXPECT_EQ(sand.GetFloatValue(8, kTopRow), 1.0L);
  EXPECT_EQ(grids.D().GetFloatValue(kColSideResistanceFactor, 0), 1.0L);  // 7-word lines
  const grid::TGridTable& clay = *grids.layerTable(1);
  EXPECT_EQ(clay.GetFloatValue(4, kTopRow), 9);  // Nc
  EXPECT_EQ(clay.GetFloatValue(1, kBottomRow), 1800);
  EXPECT_EQ(clay.GetIntValue(2, kBottomRow), 9);
  EXPECT_EQ(clay.GetFloatValue(3, kTopRow), 0.55L);
  EXPECT_EQ(clay.GetIntValue(5, kTopRow), 1);  // no method line: default
  EXPECT_EQ(grids.D().GetFloatValue(kColSideResistanceFactor, 1), 0.8L);
  EXPECT_EQ(grids.D().GetFloatValue(kColEndResistanceFactor, 1), 0.7L);
}

TEST(OlderLayouts, VersionEightRockInSiUnitsWithDepthList) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  ASSERT_EQ(project.Open(dataFile("rock_si.tv8d"), kVersion8File), "");
  const TProgramData& d = project.Data();
  EXPECT_EQ(d.fUnits, 2);
  EXPECT_EQ(d.PrintTZCurves, 1);
  EXPECT_EQ(d.NLRFD, 1);
  EXPECT_EQ(d.PINC, 0.5L);
  EXPECT_EQ(d.DSTART, 1.2L);  // not converted: the file is already SI
  EXPECT_EQ(d.EPILE, 27000000);
  EXPECT_EQ(d.PDSETT[0], 0.1L / 39.37007874L);
  const ProjectGrids& grids = project.grids();
  EXPECT_EQ(grids.D().Units(), 2);
  const grid::TGridTable& strong = *grids.layerTable(0);
  EXPECT_EQ(strong.GetFloatValue(5, kTopRow), 7000000);
  EXPECT_EQ(strong.GetFloatValue(6, kBottomRow), 85);
  EXPECT_EQ(strong.GetFloatValue(7, kBottomRow), 23);  // 12 words: unit weight present
  EXPECT_EQ(grids.D().GetFloatValue(kColSideResistanceFactor, 0), 0.9L);
  const grid::TGridTable& weak = *grids.layerTable(1);
  EXPECT_EQ(weak.GetIntValue(1, kTopRow), 2);  // interface condition
  EXPECT_EQ(weak.GetFloatValue(5, kBottomRow), 5100000);
  EXPECT_EQ(weak.GetFloatValue(7, kTopRow), 0);  // 11 words: no unit weight
  EXPECT_EQ(grids.D().GetFloatValue(kColEndResistanceFactor, 1), 0.6L);
  const grid::TGridTable& gravel = *grids.layerTable(2);
  EXPECT_EQ(gravel.GetFloatValue(0, kBottomRow), 21.5L);
  EXPECT_EQ(gravel.GetIntValue(1, kBottomRow), 45);
  EXPECT_EQ(gravel.GetFloatValue(2, kTopRow), 0.8L);
  EXPECT_EQ(grids.D().GetFloatValue(kColSideResistanceFactor, 2), 0.75L);
  ASSERT_EQ(grids.TblTZDepth().RowCount(), 2);
  EXPECT_EQ(grids.TblTZDepth().GetFloatValue(0, 1), 8);
}

TEST(OlderLayouts, OldestWithShortLineThree) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  ASSERT_EQ(project.Open(dataFile("sand_short_line.tvd"), kOldestShortFile), "");
  const TProgramData& d = project.Data();
  EXPECT_EQ(d.IMOD, 1);
  EXPECT_EQ(d.NLRFD, 0);
  EXPECT_EQ(d.Yesnewversion, 0);
  EXPECT_EQ(d.DSTART, 3);
  EXPECT_EQ(d.METHOD, 2);
  EXPECT_EQ(d.PD, 50);
  EXPECT_EQ(d.LPD, 0);
  EXPECT_EQ(d.PDSETT[4], 1.0L);
  const grid::TGridTable& sand = *project.grids().layerTable(0);
  EXPECT_EQ(sand.GetFloatValue(0, kTopRow), 120);
  EXPECT_EQ(sand.GetFloatValue(1, kBottomRow), 34);
  EXPECT_EQ(sand.GetFloatValue(6, kTopRow), 0);  // the discarded value
  EXPECT_EQ(sand.GetIntValue(2, kBottomRow), 14);
  EXPECT_EQ(sand.GetFloatValue(4, kTopRow), 0.45L);  // method 2: Beta
  EXPECT_EQ(sand.GetFloatValue(4, kBottomRow), 0.4L);
}

TEST(OlderLayouts, OldestWithImodAndNlrfd) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  ASSERT_EQ(project.Open(dataFile("rock_over_shale.tvd"), 4), "");
  const TProgramData& d = project.Data();
  EXPECT_EQ(d.IMOD, 0);
  EXPECT_EQ(d.NLRFD, 1);
  EXPECT_EQ(d.Yesnewversion, 1);
  const ProjectGrids& grids = project.grids();
  const grid::TGridTable& rock = *grids.layerTable(0);
  EXPECT_EQ(rock.GetFloatValue(6, kTopRow), 80);  // RQD
  EXPECT_EQ(rock.GetFloatValue(7, kTopRow), 0);   // no unit weight in this layout
  EXPECT_EQ(grids.D().GetFloatValue(kColSideResistanceFactor, 0), 0.9L);
  const grid::TGridTable& shale = *grids.layerTable(1);
  EXPECT_EQ(shale.GetIntValue(2, kBottomRow), 12);  // shale blow counts kept here
  EXPECT_EQ(shale.GetFloatValue(1, kBottomRow), 2500);
  EXPECT_EQ(shale.GetFloatValue(3, kBottomRow), 0.45L);
}

TEST_F(ProjectFile, OldestShortLineMayCarryImod) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const std::string text = "T\n1 \n2 1 1 1 0\n3 0 0 0 0 0 4000000\n0 10 50 2.5 3\n";
  EXPECT_EQ(openText(project, pathOf("imod.tvd"), text, kOldestShortFile), "");
  EXPECT_EQ(project.Data().IMOD, 0);
  EXPECT_EQ(project.Data().DSTART, 3);
}

TEST_F(ProjectFile, FailedSaveKeepsThePreviousFile) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const std::string path = pathOf("keep.tv9d");
  writeFileText(path, "previous contents");
  // A folder where the temporary file would go makes the save fail before the rename.
  std::filesystem::create_directory(path + ".saving");
  project.Data().FileName = path;
  project.grids().projectChanged = true;
  EXPECT_THROW(project.Save(), ProjectFileError);
  EXPECT_EQ(readFileText(path), "previous contents");
  EXPECT_TRUE(project.Changed());

  project.Data().FileName = pathOf("no/such/folder/p.tv9d");
  EXPECT_THROW(project.Save(), ProjectFileError);
}

// Sets a locale whose decimal separator is a comma for the duration of a test.
class DecimalCommaProjectFile : public testing::ScratchFolder {
 protected:
  void SetUp() override {
    ScratchFolder::SetUp();
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) return;
    }
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    ScratchFolder::TearDown();
  }
};

TEST_F(DecimalCommaProjectFile, FilesStillUseAPoint) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  project.Data().RCYCL = 0.75L;
  project.Data().PD = 12.5L;
  project.Data().FileName = pathOf("comma.tv9d");
  project.Save();
  const std::string text = readFileText(pathOf("comma.tv9d"));
  EXPECT_NE(text.find("2 1 0.75 1 "), std::string::npos);
  EXPECT_NE(text.find(" 12.5 "), std::string::npos);
  CurrentProject read(host, kEnglishUnits);
  EXPECT_EQ(read.Open(pathOf("comma.tv9d"), kVersion9File), "");
  EXPECT_EQ(read.Data().RCYCL, 0.75L);
  EXPECT_EQ(read.Data().PD, 12.5L);
}

}  // namespace
}  // namespace tolvane::app
