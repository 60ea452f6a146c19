// Reading project files: the version 9 layout (.tv9d), the version 8 layout (.tv8d) and the
// oldest layout (.tvd). Items are read as a stream of words; optional items are told apart by the
// number of words on their line.
#include <functional>

#include "columns.h"
#include "program_data.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

enum class Layout { kVersion9, kVersion8, kOldest };

// Columns of the layer tables that the readers address by name.
constexpr int kSandKo = 3;
constexpr int kSandBeta = 4;
constexpr int kSandMethod = 5;
constexpr int kSandM = 7;
constexpr int kSandOCR = 8;
constexpr int kClayAlpha = 3;
constexpr int kClayMethod = 5;
constexpr int kBlowCountColumn = 2;  // shale
constexpr int kCFAMethod = 1;
constexpr int32_t kKoMethod = 1;
constexpr int32_t kBetaMethod = 2;
constexpr int kSkip = -1;       // a placeholder word that is read and discarded
constexpr int kMaxLayers = 50;  // the engine's capacity

// Word counts that mark optional items.
constexpr int kVersion8LineThreeWithTZ = 11;
constexpr int kSandLineWithFactors = 9;
constexpr int kClayLineWithFactors = 9;
constexpr int kRockLineWithUnitWeight = 12;
constexpr int kRockLineWithFactors = 10;  // more words than this
constexpr int kOldestRockLineWithFactors = 11;
constexpr int kDecomposedLineWithFactors = 9;
constexpr int kGravelLineWithFactors = 7;
constexpr int kCFALineWithOptional = 8;  // more words than this
constexpr int kOldestShortLineThree = 4;
constexpr int kMTwoValuesOnly = 2;

// A value that reads as a number but breaks a limit of the program.
[[noreturn]] void failAt(const TWordReader& reader, const std::string& what) {
  throw ProjectFormatError("Error on Line " + std::to_string(reader.currentLine() + 1) + " Item " +
                           std::to_string(reader.lastItem()) + "\r" + what);
}

// Reads one parameter cell by the kind of its column.
void readCell(TWordReader& reader, grid::TGridTable& table, int column, int row) {
  if (column == kSkip) {
    reader.readReal();
  } else if (table.GetColumn(column).columnType() == grid::ColumnType::kFloat) {
    table.SetFloatValue(column, row, reader.readReal());
  } else {
    table.SetIntValue(column, row, reader.readInteger());
  }
}

void readCells(TWordReader& reader, grid::TGridTable& table, int row,
               std::initializer_list<int> columns) {
  for (const int column : columns) readCell(reader, table, column, row);
}

class ProjectReader {
 public:
  ProjectReader(TProgramData& data, TWordReader& reader, Layout layout)
      : grids_(data.grids()), reader_(reader), layout_(layout) {}

  void readLayers(int nLayers);
  void readTzDepths();

 private:
  void readLayer(int row);
  // The point lines of the top (row 0) and the bottom (row 1) of the layer.
  static void forEachPoint(const std::function<void(int point)>& readPoint) {
    readPoint(kTopRow);
    readPoint(kBottomRow);
  }
  // D[3] D[4], then D[5] D[6] when the line holds the given count of words.
  void readLimits(int row, bool withFactors);
  void readSand(int row, grid::TGridTable& m);
  void readClayOrShale(int row, grid::TGridTable& m, bool clay);
  void readRock(int row, grid::TGridTable& m);
  void readCfa(int row, grid::TGridTable& m);
  bool lineHas(int nWords) const { return reader_.wordCount() == nWords; }
  bool lineHasMoreThan(int nWords) const { return reader_.wordCount() > nWords; }

  ProjectGrids& grids_;
  TWordReader& reader_;
  Layout layout_;
};

void ProjectReader::readLimits(int row, bool withFactors) {
  grid::TGridTable& layers = grids_.D();
  readCell(reader_, layers, kColMaxSideFriction, row);
  readCell(reader_, layers, kColMaxEndBearing, row);
  if (withFactors) {
    readCell(reader_, layers, kColSideResistanceFactor, row);
    readCell(reader_, layers, kColEndResistanceFactor, row);
  }
}

void ProjectReader::readSand(int row, grid::TGridTable& m) {
  const bool version9 = layout_ == Layout::kVersion9;
  forEachPoint([&](int point) {
    if (layout_ == Layout::kOldest) {
      readCells(reader_, m, point, {kSkip, 0, 1, kSkip, 2});
    } else {
      readCells(reader_, m, point, {kSkip, 0, 1, 6, 2});
    }
    readLimits(row, version9 || lineHas(kSandLineWithFactors));
  });
  const int32_t method = reader_.readInteger();
  m.SetIntValue(kSandMethod, kTopRow, method);
  m.SetIntValue(kSandMethod, kBottomRow, method);
  if (layout_ == Layout::kOldest || method == kKoMethod || method == kBetaMethod) {
    // The oldest layout knows Ko (method 1) and Beta (any other method) only.
    const int column = method == kKoMethod ? kSandKo : kSandBeta;
    readCells(reader_, m, kTopRow, {column});
    readCells(reader_, m, kBottomRow, {column});
    return;
  }
  // m values and OCR (method 3); the version 8 layout and a line of two values carry no OCR.
  readCells(reader_, m, kTopRow, {kSandM});
  if (layout_ == Layout::kVersion9 && lineHasMoreThan(kMTwoValuesOnly)) {
    readCells(reader_, m, kTopRow, {kSandOCR});
    readCells(reader_, m, kBottomRow, {kSandM, kSandOCR});
  } else {
    readCells(reader_, m, kBottomRow, {kSandM});
  }
}

void ProjectReader::readClayOrShale(int row, grid::TGridTable& m, bool clay) {
  const bool version9 = layout_ == Layout::kVersion9;
  forEachPoint([&](int point) {
    readCells(reader_, m, point, {4, 0, kSkip, 1, 2});
    if (version9 && clay) readCells(reader_, m, point, {6});
    readLimits(row, version9 || lineHas(kClayLineWithFactors));
  });
  if (clay && version9) {
    const int32_t method = reader_.readInteger();
    m.SetIntValue(kClayMethod, kTopRow, method);
    m.SetIntValue(kClayMethod, kBottomRow, method);
  }
  readCells(reader_, m, kTopRow, {kClayAlpha});
  readCells(reader_, m, kBottomRow, {kClayAlpha});
  if (!clay && layout_ != Layout::kOldest) {
    // Shale blow counts are not used; they read as 0 whatever the file holds.
    m.SetIntValue(kBlowCountColumn, kTopRow, 0);
    m.SetIntValue(kBlowCountColumn, kBottomRow, 0);
  }
}

void ProjectReader::readRock(int row, grid::TGridTable& m) {
  grid::TGridTable& layers = grids_.D();
  forEachPoint([&](int point) {
    if (layout_ == Layout::kVersion9) {
      readCells(reader_, m, point, {0, 1, 2, 3, 4, 5, 6, 7});
      readLimits(row, true);
      return;
    }
    readCells(reader_, m, point, {0, 1, 2, 3, 4});
    readCell(reader_, layers, kColMaxSideFriction, row);
    readCells(reader_, m, point, {5, 6});
    const bool oldest = layout_ == Layout::kOldest;
    if (!oldest && lineHas(kRockLineWithUnitWeight)) readCells(reader_, m, point, {7});
    readCell(reader_, layers, kColMaxEndBearing, row);
    const bool withFactors =
        oldest ? lineHas(kOldestRockLineWithFactors) : lineHasMoreThan(kRockLineWithFactors);
    if (withFactors) {
      readCell(reader_, layers, kColSideResistanceFactor, row);
      readCell(reader_, layers, kColEndResistanceFactor, row);
    }
  });
}

void ProjectReader::readCfa(int row, grid::TGridTable& m) {
  forEachPoint([&](int point) {
    readCells(reader_, m, point, {0, 2, 3, 4});
    if (lineHasMoreThan(kCFALineWithOptional)) readCells(reader_, m, point, {5, 6});
    readLimits(row, true);
  });
  const int32_t method = reader_.readInteger();
  m.SetIntValue(kCFAMethod, kTopRow, method);
  m.SetIntValue(kCFAMethod, kBottomRow, method);
}

void ProjectReader::readLayer(int row) {
  grid::TGridTable& layers = grids_.D();
  const int32_t type = reader_.readInteger();
  const int32_t lastType = layout_ == Layout::kVersion9 ? kLastSoilType : kLastDrilledShaftSoilType;
  if (type < kFirstSoilType || type > lastType) {
    failAt(reader_, "The soil type must be between 1 and " + std::to_string(lastType) + ".");
  }
  layers.SetIntValue(kColSoilType, row, type);
  readCell(reader_, layers, kColBottomDepth, row);
  grid::TGridTable& m = *grids_.layerTable(row);
  switch (type) {
    case kSand:
      readSand(row, m);
      break;
    case kClay:
    case kShale:
      readClayOrShale(row, m, type == kClay);
      break;
    case kStrongRockSideOrEnd:
    case kStrongRock:
    case kWeakRock:
      readRock(row, m);
      break;
    case kDecomposedRock:
    case kGravellySand:
    case kGravel: {
      const bool decomposed = type == kDecomposedRock;
      forEachPoint([&](int point) {
        if (decomposed) {
          readCells(reader_, m, point, {0, 1, 2, 3, 4});
        } else {
          readCells(reader_, m, point, {0, 1, 2});
        }
        const int fullLine = decomposed ? kDecomposedLineWithFactors : kGravelLineWithFactors;
        readLimits(row, layout_ == Layout::kVersion9 || lineHas(fullLine));
      });
      break;
    }
    default:
      readCfa(row, m);
      break;
  }
}

void ProjectReader::readLayers(int nLayers) {
  for (int row = 0; row < nLayers; ++row) readLayer(row);
}

void ProjectReader::readTzDepths() {
  const int32_t count = reader_.readInteger();
  if (count > kMaxTZDepthRows) {
    failAt(reader_,
           "At most " + std::to_string(kMaxTZDepthRows) + " t-z curve depths are allowed.");
  }
  grid::TGridTable& depths = grids_.TblTZDepth();
  depths.SetRowCount(count);
  for (int row = 0; row < depths.RowCount(); ++row) readCell(reader_, depths, 0, row);
}

// Line 5: number of layers, water table, design load or length, factors of safety.
int readLineFive(TProgramData& data, TWordReader& reader) {
  const int32_t nLayers = reader.readInteger();
  if (nLayers > kMaxLayers) {
    failAt(reader, "At most " + std::to_string(kMaxLayers) + " soil layers are allowed.");
  }
  data.grids().D().SetRowCount(nLayers);
  data.WTD = reader.readReal();
  if (data.designLoadGiven()) {
    data.LPD = reader.readReal();
    data.PD = 0;
  } else {
    data.PD = reader.readReal();
    data.LPD = 0;
  }
  data.FST = reader.readReal();
  data.FSB = reader.readReal();
  return data.grids().D().RowCount();
}

void readLineFour(TProgramData& data, TWordReader& reader) {
  for (long double* value : {&data.DSTART, &data.DIALIM, &data.RATIO, &data.BELANGL, &data.TOPLENG,
                             &data.BS, &data.EPILE}) {
    *value = reader.readReal();
  }
}

// Lines 6 to 8: multiple lengths and design charts.
void readOptions(TProgramData& data, TWordReader& reader) {
  if (data.IPENT > 0) {
    data.PDMIN = reader.readReal();
    data.PDINCR = reader.readReal();
  }
  data.InitPDSET();
  if (data.IChart > 0) {
    data.PDMIN = reader.readReal();
    data.PDINCR = reader.readReal();
    data.DIAMINCR = reader.readReal();
    data.NPOINTPD = reader.readInteger();
    if (data.NPOINTPD > kMaxChartSettlements) {
      failAt(reader, "At most " + std::to_string(kMaxChartSettlements) +
                         " settlements are allowed for design charts.");
    }
    for (int i = 0; i < data.NPOINTPD; ++i) data.PDSETT[static_cast<size_t>(i)] = reader.readReal();
  }
}

void readUnitsAndLineThreeStart(TProgramData& data, TWordReader& reader) {
  data.Title = reader.readLine();
  data.SetUnits(reader.readInteger());
  data.METHOD = reader.readInteger();
  data.KCYCL = reader.readInteger();
  data.RCYCL = reader.readReal();
  data.PINC = reader.readReal();
}

// Line 3 from IMOD to ValElevation, as the version 9 and version 8 layouts share it.
void readLineThreeFlags(TProgramData& data, TWordReader& reader) {
  data.IMOD = 1;
  data.Yesnewversion = 1;
  data.IMOD = reader.readInteger();
  data.NLRFD = reader.readInteger();
  data.IPENT = reader.readInteger();
  data.IChart = reader.readInteger();
  data.UseElevation = reader.readInteger();
  data.ValElevation = reader.readReal();
}

}  // namespace

void TProgramData::ReadVersion9(TWordReader& reader) {
  readUnitsAndLineThreeStart(*this, reader);
  readLineThreeFlags(*this, reader);
  PrintTZCurves = reader.readInteger();
  CFAPile = reader.readInteger();
  readLineFour(*this, reader);
  ProjectReader layers(*this, reader, Layout::kVersion9);
  const int nLayers = readLineFive(*this, reader);
  readOptions(*this, reader);
  layers.readLayers(nLayers);
  if (PrintTZCurves == 1) layers.readTzDepths();
}

void TProgramData::ReadVersion8(TWordReader& reader) {
  readUnitsAndLineThreeStart(*this, reader);
  readLineThreeFlags(*this, reader);
  if (reader.wordCount() == kVersion8LineThreeWithTZ) PrintTZCurves = reader.readInteger();
  readLineFour(*this, reader);
  ProjectReader layers(*this, reader, Layout::kVersion8);
  const int nLayers = readLineFive(*this, reader);
  readOptions(*this, reader);
  layers.readLayers(nLayers);
  if (PrintTZCurves == 1) layers.readTzDepths();
}

void TProgramData::ReadPrevVersions(TWordReader& reader, bool withImodAndNlrfd) {
  readUnitsAndLineThreeStart(*this, reader);
  IMOD = 1;
  if (withImodAndNlrfd) {
    IMOD = reader.readInteger();
    NLRFD = reader.readInteger();
    Yesnewversion = 1;
  } else {
    if (reader.wordCount() > kOldestShortLineThree) IMOD = reader.readInteger();
    Yesnewversion = 0;
  }
  readLineFour(*this, reader);
  ProjectReader layers(*this, reader, Layout::kOldest);
  const int nLayers = readLineFive(*this, reader);
  layers.readLayers(nLayers);
}

void TProgramData::startReading(const std::string& fileName) {
  host_->hideChildWindows();
  FileName = fileName;
  grids_->setAllRowCounts(0);
  // The grids may still carry the unit system of the previous project.
  setUnitsOnEmptyProject(kEnglishUnits);
}

ProjectReadResult TProgramData::CreateFromFile(ProjectGrids& grids, ProjectHost& host,
                                               const std::string& fileName, int fileTypeIndex) {
  // The file is loaded first: a file that cannot be read leaves the present project as it is.
  TWordReader reader(fileName);
  return readFrom(grids, host, reader, fileName, fileTypeIndex);
}

ProjectReadResult TProgramData::readFrom(ProjectGrids& grids, ProjectHost& host,
                                         TWordReader& reader, const std::string& fileName,
                                         int fileTypeIndex) {
  ProjectReadResult result;
  result.Data.reset(new TProgramData(grids, host));
  TProgramData& data = *result.Data;
  data.startReading(fileName);
  data.constructing_ = true;
  try {
    if (fileTypeIndex == kVersion9File) {
      data.ReadVersion9(reader);
    } else if (fileTypeIndex == kVersion8File) {
      data.ReadVersion8(reader);
    } else {
      data.ReadPrevVersions(reader, fileTypeIndex != kOldestShortFile);
    }
  } catch (const ProjectFormatError& error) {
    result.formatError = error.what();
  }
  if (fileTypeIndex != kVersion9File && fileTypeIndex != kVersion8File) data.InitPDSET();
  data.constructing_ = false;
  grids.fillToMinRows();
  grids.projectChanged = false;
  grids.resetAllChanged();
  return result;
}

}  // namespace tolvane::app
