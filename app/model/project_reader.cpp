// Reading project files: the version 9 layout (.tv9d), the version 8 layout (.tv8d) and the
// oldest layout (.tvd). Items are read as a stream of words; optional items are told apart by the
// number of words on their line.
#include <functional>

#include "columns.h"
#include "program_data.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

enum class TLayout { kVersion9, kVersion8, kOldest };

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
[[noreturn]] void FailAt(const TWordReader& reader, const std::string& what) {
  throw EProjectFormatError("Error on Line " + std::to_string(reader.CurrentLine() + 1) + " Item " +
                            std::to_string(reader.LastItem()) + "\r" + what);
}

// Reads one parameter cell by the kind of its column.
void ReadCell(TWordReader& reader, grid::TGridTable& table, int column, int row) {
  if (column == kSkip) {
    reader.ReadReal();
  } else if (table.GetColumn(column).Type() == grid::TColumnType::kFloat) {
    table.SetFloatValue(column, row, reader.ReadReal());
  } else {
    table.SetIntValue(column, row, reader.ReadInteger());
  }
}

void ReadCells(TWordReader& reader, grid::TGridTable& table, int row,
               std::initializer_list<int> columns) {
  for (const int column : columns) ReadCell(reader, table, column, row);
}

class TProjectReader {
 public:
  TProjectReader(TProgramData& data, TWordReader& reader, TLayout layout)
      : Grids_(data.Grids()), Reader_(reader), Layout_(layout) {}

  void ReadLayers(int n_layers);
  void ReadTZDepths();

 private:
  void ReadLayer(int row);
  // The point lines of the top (row 0) and the bottom (row 1) of the layer.
  static void ForEachPoint(const std::function<void(int point)>& read_point) {
    read_point(kTopRow);
    read_point(kBottomRow);
  }
  // D[3] D[4], then D[5] D[6] when the line holds the given count of words.
  void ReadLimits(int row, bool with_factors);
  void ReadSand(int row, grid::TGridTable& m);
  void ReadClayOrShale(int row, grid::TGridTable& m, bool clay);
  void ReadRock(int row, grid::TGridTable& m);
  void ReadCFA(int row, grid::TGridTable& m);
  bool LineHas(int n_words) const { return Reader_.WordCount() == n_words; }
  bool LineHasMoreThan(int n_words) const { return Reader_.WordCount() > n_words; }

  TProjectGrids& Grids_;
  TWordReader& Reader_;
  TLayout Layout_;
};

void TProjectReader::ReadLimits(int row, bool with_factors) {
  grid::TGridTable& layers = Grids_.D();
  ReadCell(Reader_, layers, kColMaxSideFriction, row);
  ReadCell(Reader_, layers, kColMaxEndBearing, row);
  if (with_factors) {
    ReadCell(Reader_, layers, kColSideResistanceFactor, row);
    ReadCell(Reader_, layers, kColEndResistanceFactor, row);
  }
}

void TProjectReader::ReadSand(int row, grid::TGridTable& m) {
  const bool version9 = Layout_ == TLayout::kVersion9;
  ForEachPoint([&](int point) {
    if (Layout_ == TLayout::kOldest) {
      ReadCells(Reader_, m, point, {kSkip, 0, 1, kSkip, 2});
    } else {
      ReadCells(Reader_, m, point, {kSkip, 0, 1, 6, 2});
    }
    ReadLimits(row, version9 || LineHas(kSandLineWithFactors));
  });
  const int32_t method = Reader_.ReadInteger();
  m.SetIntValue(kSandMethod, kTopRow, method);
  m.SetIntValue(kSandMethod, kBottomRow, method);
  if (Layout_ == TLayout::kOldest || method == kKoMethod || method == kBetaMethod) {
    // The oldest layout knows Ko (method 1) and Beta (any other method) only.
    const int column = method == kKoMethod ? kSandKo : kSandBeta;
    ReadCells(Reader_, m, kTopRow, {column});
    ReadCells(Reader_, m, kBottomRow, {column});
    return;
  }
  // m values and OCR (method 3); the version 8 layout and a line of two values carry no OCR.
  ReadCells(Reader_, m, kTopRow, {kSandM});
  if (Layout_ == TLayout::kVersion9 && LineHasMoreThan(kMTwoValuesOnly)) {
    ReadCells(Reader_, m, kTopRow, {kSandOCR});
    ReadCells(Reader_, m, kBottomRow, {kSandM, kSandOCR});
  } else {
    ReadCells(Reader_, m, kBottomRow, {kSandM});
  }
}

void TProjectReader::ReadClayOrShale(int row, grid::TGridTable& m, bool clay) {
  const bool version9 = Layout_ == TLayout::kVersion9;
  ForEachPoint([&](int point) {
    ReadCells(Reader_, m, point, {4, 0, kSkip, 1, 2});
    if (version9 && clay) ReadCells(Reader_, m, point, {6});
    ReadLimits(row, version9 || LineHas(kClayLineWithFactors));
  });
  if (clay && version9) {
    const int32_t method = Reader_.ReadInteger();
    m.SetIntValue(kClayMethod, kTopRow, method);
    m.SetIntValue(kClayMethod, kBottomRow, method);
  }
  ReadCells(Reader_, m, kTopRow, {kClayAlpha});
  ReadCells(Reader_, m, kBottomRow, {kClayAlpha});
  if (!clay && Layout_ != TLayout::kOldest) {
    // Shale blow counts are not used; they read as 0 whatever the file holds.
    m.SetIntValue(kBlowCountColumn, kTopRow, 0);
    m.SetIntValue(kBlowCountColumn, kBottomRow, 0);
  }
}

void TProjectReader::ReadRock(int row, grid::TGridTable& m) {
  grid::TGridTable& layers = Grids_.D();
  ForEachPoint([&](int point) {
    if (Layout_ == TLayout::kVersion9) {
      ReadCells(Reader_, m, point, {0, 1, 2, 3, 4, 5, 6, 7});
      ReadLimits(row, true);
      return;
    }
    ReadCells(Reader_, m, point, {0, 1, 2, 3, 4});
    ReadCell(Reader_, layers, kColMaxSideFriction, row);
    ReadCells(Reader_, m, point, {5, 6});
    const bool oldest = Layout_ == TLayout::kOldest;
    if (!oldest && LineHas(kRockLineWithUnitWeight)) ReadCells(Reader_, m, point, {7});
    ReadCell(Reader_, layers, kColMaxEndBearing, row);
    const bool with_factors =
        oldest ? LineHas(kOldestRockLineWithFactors) : LineHasMoreThan(kRockLineWithFactors);
    if (with_factors) {
      ReadCell(Reader_, layers, kColSideResistanceFactor, row);
      ReadCell(Reader_, layers, kColEndResistanceFactor, row);
    }
  });
}

void TProjectReader::ReadCFA(int row, grid::TGridTable& m) {
  ForEachPoint([&](int point) {
    ReadCells(Reader_, m, point, {0, 2, 3, 4});
    if (LineHasMoreThan(kCFALineWithOptional)) ReadCells(Reader_, m, point, {5, 6});
    ReadLimits(row, true);
  });
  const int32_t method = Reader_.ReadInteger();
  m.SetIntValue(kCFAMethod, kTopRow, method);
  m.SetIntValue(kCFAMethod, kBottomRow, method);
}

void TProjectReader::ReadLayer(int row) {
  grid::TGridTable& layers = Grids_.D();
  const int32_t type = Reader_.ReadInteger();
  const int32_t last_type =
      Layout_ == TLayout::kVersion9 ? kLastSoilType : kLastDrilledShaftSoilType;
  if (type < kFirstSoilType || type > last_type) {
    FailAt(Reader_, "The soil type must be between 1 and " + std::to_string(last_type) + ".");
  }
  layers.SetIntValue(kColSoilType, row, type);
  ReadCell(Reader_, layers, kColBottomDepth, row);
  grid::TGridTable& m = *Grids_.LayerTable(row);
  switch (type) {
    case kSand:
      ReadSand(row, m);
      break;
    case kClay:
    case kShale:
      ReadClayOrShale(row, m, type == kClay);
      break;
    case kStrongRockSideOrEnd:
    case kStrongRock:
    case kWeakRock:
      ReadRock(row, m);
      break;
    case kDecomposedRock:
    case kGravellySand:
    case kGravel: {
      const bool decomposed = type == kDecomposedRock;
      ForEachPoint([&](int point) {
        if (decomposed) {
          ReadCells(Reader_, m, point, {0, 1, 2, 3, 4});
        } else {
          ReadCells(Reader_, m, point, {0, 1, 2});
        }
        const int full_line = decomposed ? kDecomposedLineWithFactors : kGravelLineWithFactors;
        ReadLimits(row, Layout_ == TLayout::kVersion9 || LineHas(full_line));
      });
      break;
    }
    default:
      ReadCFA(row, m);
      break;
  }
}

void TProjectReader::ReadLayers(int n_layers) {
  for (int row = 0; row < n_layers; ++row) ReadLayer(row);
}

void TProjectReader::ReadTZDepths() {
  const int32_t count = Reader_.ReadInteger();
  if (count > kMaxTZDepthRows) {
    FailAt(Reader_,
           "At most " + std::to_string(kMaxTZDepthRows) + " t-z curve depths are allowed.");
  }
  grid::TGridTable& depths = Grids_.TblTZDepth();
  depths.SetRowCount(count);
  for (int row = 0; row < depths.RowCount(); ++row) ReadCell(Reader_, depths, 0, row);
}

// Line 5: number of layers, water table, design load or length, factors of safety.
int ReadLineFive(TProgramData& data, TWordReader& reader) {
  const int32_t n_layers = reader.ReadInteger();
  if (n_layers > kMaxLayers) {
    FailAt(reader, "At most " + std::to_string(kMaxLayers) + " soil layers are allowed.");
  }
  data.Grids().D().SetRowCount(n_layers);
  data.WTD = reader.ReadReal();
  if (data.designLoadGiven()) {
    data.LPD = reader.ReadReal();
    data.PD = 0;
  } else {
    data.PD = reader.ReadReal();
    data.LPD = 0;
  }
  data.FST = reader.ReadReal();
  data.FSB = reader.ReadReal();
  return data.Grids().D().RowCount();
}

void ReadLineFour(TProgramData& data, TWordReader& reader) {
  for (long double* value : {&data.DSTART, &data.DIALIM, &data.RATIO, &data.BELANGL, &data.TOPLENG,
                             &data.BS, &data.EPILE}) {
    *value = reader.ReadReal();
  }
}

// Lines 6 to 8: multiple lengths and design charts.
void ReadOptions(TProgramData& data, TWordReader& reader) {
  if (data.IPENT > 0) {
    data.PDMIN = reader.ReadReal();
    data.PDINCR = reader.ReadReal();
  }
  data.InitPDSET();
  if (data.IChart > 0) {
    data.PDMIN = reader.ReadReal();
    data.PDINCR = reader.ReadReal();
    data.DIAMINCR = reader.ReadReal();
    data.NPOINTPD = reader.ReadInteger();
    if (data.NPOINTPD > kMaxChartSettlements) {
      FailAt(reader, "At most " + std::to_string(kMaxChartSettlements) +
                         " settlements are allowed for design charts.");
    }
    for (int i = 0; i < data.NPOINTPD; ++i) data.PDSETT[static_cast<size_t>(i)] = reader.ReadReal();
  }
}

void ReadUnitsAndLineThreeStart(TProgramData& data, TWordReader& reader) {
  data.Title = reader.ReadLine();
  data.SetUnits(reader.ReadInteger());
  data.METHOD = reader.ReadInteger();
  data.KCYCL = reader.ReadInteger();
  data.RCYCL = reader.ReadReal();
  data.PINC = reader.ReadReal();
}

// Line 3 from IMOD to ValElevation, as the version 9 and version 8 layouts share it.
void ReadLineThreeFlags(TProgramData& data, TWordReader& reader) {
  data.IMOD = 1;
  data.Yesnewversion = 1;
  data.IMOD = reader.ReadInteger();
  data.NLRFD = reader.ReadInteger();
  data.IPENT = reader.ReadInteger();
  data.IChart = reader.ReadInteger();
  data.UseElevation = reader.ReadInteger();
  data.ValElevation = reader.ReadReal();
}

}  // namespace

void TProgramData::ReadVersion9(TWordReader& reader) {
  ReadUnitsAndLineThreeStart(*this, reader);
  ReadLineThreeFlags(*this, reader);
  PrintTZCurves = reader.ReadInteger();
  CFAPile = reader.ReadInteger();
  ReadLineFour(*this, reader);
  TProjectReader layers(*this, reader, TLayout::kVersion9);
  const int n_layers = ReadLineFive(*this, reader);
  ReadOptions(*this, reader);
  layers.ReadLayers(n_layers);
  if (PrintTZCurves == 1) layers.ReadTZDepths();
}

void TProgramData::ReadVersion8(TWordReader& reader) {
  ReadUnitsAndLineThreeStart(*this, reader);
  ReadLineThreeFlags(*this, reader);
  if (reader.WordCount() == kVersion8LineThreeWithTZ) PrintTZCurves = reader.ReadInteger();
  ReadLineFour(*this, reader);
  TProjectReader layers(*this, reader, TLayout::kVersion8);
  const int n_layers = ReadLineFive(*this, reader);
  ReadOptions(*this, reader);
  layers.ReadLayers(n_layers);
  if (PrintTZCurves == 1) layers.ReadTZDepths();
}

void TProgramData::ReadPrevVersions(TWordReader& reader, bool with_imod_and_nlrfd) {
  ReadUnitsAndLineThreeStart(*this, reader);
  IMOD = 1;
  if (with_imod_and_nlrfd) {
    IMOD = reader.ReadInteger();
    NLRFD = reader.ReadInteger();
    Yesnewversion = 1;
  } else {
    if (reader.WordCount() > kOldestShortLineThree) IMOD = reader.ReadInteger();
    Yesnewversion = 0;
  }
  ReadLineFour(*this, reader);
  TProjectReader layers(*this, reader, TLayout::kOldest);
  const int n_layers = ReadLineFive(*this, reader);
  layers.ReadLayers(n_layers);
}

void TProgramData::StartReading(const std::string& file_name) {
  Host_->HideChildWindows();
  FileName = file_name;
  Grids_->SetAllRowCounts(0);
  // The grids may still carry the unit system of the previous project.
  SetUnitsOnEmptyProject(kEnglishUnits);
}

TProjectReadResult TProgramData::CreateFromFile(TProjectGrids& grids, TProjectHost& host,
                                                const std::string& file_name, int file_type_index) {
  // The file is loaded first: a file that cannot be read leaves the present project as it is.
  TWordReader reader(file_name);
  return ReadFrom(grids, host, reader, file_name, file_type_index);
}

TProjectReadResult TProgramData::ReadFrom(TProjectGrids& grids, TProjectHost& host,
                                          TWordReader& reader, const std::string& file_name,
                                          int file_type_index) {
  TProjectReadResult result;
  result.Data.reset(new TProgramData(grids, host));
  TProgramData& data = *result.Data;
  data.StartReading(file_name);
  data.Constructing_ = true;
  try {
    if (file_type_index == kVersion9File) {
      data.ReadVersion9(reader);
    } else if (file_type_index == kVersion8File) {
      data.ReadVersion8(reader);
    } else {
      data.ReadPrevVersions(reader, file_type_index != kOldestShortFile);
    }
  } catch (const EProjectFormatError& error) {
    result.FormatError = error.what();
  }
  if (file_type_index != kVersion9File && file_type_index != kVersion8File) data.InitPDSET();
  data.Constructing_ = false;
  grids.FillToMinRows();
  grids.ProjectChanged = false;
  grids.ResetAllChanged();
  return result;
}

}  // namespace tolvane::app
