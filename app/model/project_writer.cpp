// Writing a project file in the version 9 layout. Lines end with CR LF; reals are written in the
// general format with 8 significant digits and "." as decimal separator, whatever the locale.
#include <string>

#include "columns.h"
#include "file_replace.h"
#include "number_text.h"
#include "program_data.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

const char* const kLineEnd = "\r\n";
const char* const kPlaceholder = "0.0";  // skipped by the readers

// Columns of the layer tables.
enum TSandColumn : int { kSandKo = 3, kSandBeta = 4, kSandMethod = 5, kSandM = 7, kSandOCR = 8 };
constexpr int kClayAlpha = 3;
constexpr int kClayMethod = 5;
constexpr int kCFAMethod = 1;

// Builds one line of items separated by one space.
class TLine {
 public:
  TLine& Item(const std::string& text) {
    if (!Text_.empty()) Text_ += ' ';
    Text_ += text;
    return *this;
  }
  TLine& Real(long double value) { return Item(entry::FormatGeneral(value, entry::kDisplayDigits)); }
  TLine& Int(int32_t value) { return Item(std::to_string(value)); }
  TLine& Cell(const grid::TGridTable& table, int column, int row) {
    return Item(table.GetStringValue(column, row));
  }
  std::string Text() const { return Text_; }
  std::string WithTrailingSpace() const { return Text_ + ' '; }

 private:
  std::string Text_;
};

class TProjectText {
 public:
  void Add(const std::string& line) { Text_ += line + kLineEnd; }
  const std::string& Text() const { return Text_; }

 private:
  std::string Text_;
};

// A title is one line: line breaks inside it would shift every line after it.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// The four values of the layer's row in D that end every point line.
TLine& LayerLimits(TLine& line, const grid::TGridTable& layers, int row) {
  for (int column = kColMaxSideFriction; column <= kColEndResistanceFactor; ++column) {
    line.Cell(layers, column, row);
  }
  return line;
}

std::string PointLine(const grid::TGridTable& layers, int row, const grid::TGridTable& m, int point,
                      std::initializer_list<int> columns, bool placeholder_first = false) {
  TLine line;
  if (placeholder_first) line.Item(kPlaceholder);
  for (const int column : columns) {
    if (column < 0) {
      line.Item(kPlaceholder);
    } else {
      line.Cell(m, column, point);
    }
  }
  return LayerLimits(line, layers, row).WithTrailingSpace();
}

constexpr int kSkip = -1;  // a placeholder in a column list

void WriteSandExtras(TProjectText& out, const grid::TGridTable& m) {
  int32_t method = m.GetIntValue(kSandMethod, kBottomRow);
  if (method != kSandKoMethod && method != kSandBetaMethod) method = kSandGec10Method;
  out.Add(TLine().Int(method).WithTrailingSpace());
  TLine values;
  if (method == kSandGec10Method) {
    values.Cell(m, kSandM, kTopRow).Cell(m, kSandOCR, kTopRow);
    values.Cell(m, kSandM, kBottomRow).Cell(m, kSandOCR, kBottomRow);
  } else {
    const int column = method == kSandKoMethod ? kSandKo : kSandBeta;
    values.Cell(m, column, kTopRow).Cell(m, column, kBottomRow);
  }
  out.Add(values.WithTrailingSpace());
}

void WriteLayer(TProjectText& out, const grid::TGridTable& layers, int row, const grid::TGridTable& m) {
  const int32_t type = layers.GetIntValue(kColSoilType, row);
  out.Add(TLine().Int(type).Cell(layers, kColBottomDepth, row).WithTrailingSpace());
  for (const int point : {kTopRow, kBottomRow}) {
    switch (type) {
      case kSand:
        out.Add(PointLine(layers, row, m, point, {0, 1, 6, 2}, true));
        break;
      case kClay:
        out.Add(PointLine(layers, row, m, point, {4, 0, kSkip, 1, 2, 6}));
        break;
      case kShale:
        out.Add(PointLine(layers, row, m, point, {4, 0, kSkip, 1, 2}));
        break;
      case kStrongRockSideOrEnd:
      case kStrongRock:
      case kWeakRock:
        out.Add(PointLine(layers, row, m, point, {0, 1, 2, 3, 4, 5, 6, 7}));
        break;
      case kDecomposedRock:
        out.Add(PointLine(layers, row, m, point, {0, 1, 2, 3, 4}));
        break;
      case kGravellySand:
      case kGravel:
        out.Add(PointLine(layers, row, m, point, {0, 1, 2}));
        break;
      default:  // sand and clay for CFA piles
        out.Add(PointLine(layers, row, m, point, {0, 2, 3, 4, 5, 6}));
        break;
    }
  }
  if (type == kSand) {
    WriteSandExtras(out, m);
  } else if (type == kClay || type == kShale) {
    if (type == kClay) out.Add(TLine().Cell(m, kClayMethod, kBottomRow).WithTrailingSpace());
    out.Add(TLine().Cell(m, kClayAlpha, kTopRow).Cell(m, kClayAlpha, kBottomRow).Text());
  } else if (type == kCfaSand || type == kCfaClay) {
    out.Add(TLine().Cell(m, kCFAMethod, kBottomRow).WithTrailingSpace());
  }
}

}  // namespace

std::string TProgramData::ProjectText() const {
  TProjectText out;
  out.Add(OneLine(Title));
  out.Add(TLine().Int(fUnits).WithTrailingSpace());
  out.Add(TLine()
              .Int(METHOD)
              .Int(KCYCL)
              .Real(RCYCL)
              .Real(PINC)
              .Int(IMOD)
              .Int(NLRFD)
              .Int(IPENT)
              .Int(IChart)
              .Int(UseElevation)
              .Real(ValElevation)
              .Int(PrintTZCurves)
              .Int(CFAPile)
              .Text());
  out.Add(TLine()
              .Real(DSTART)
              .Real(DIALIM)
              .Real(RATIO)
              .Real(BELANGL)
              .Real(TOPLENG)
              .Real(BS)
              .Real(EPILE)
              .Text());
  const grid::TGridTable& layers = Grids_->D();
  out.Add(TLine()
              .Int(layers.RowCount())
              .Real(WTD)
              .Real(designLoadGiven() ? LPD : PD)
              .Real(FST)
              .Real(FSB)
              .Text());
  if (IPENT > 0) out.Add(TLine().Real(PDMIN).Real(PDINCR).Text());
  if (IChart > 0) {
    out.Add(TLine().Real(PDMIN).Real(PDINCR).Real(DIAMINCR).Int(NPOINTPD).Text());
    std::string settlements;
    const int n_settlements = std::clamp(NPOINTPD, 0, kMaxChartSettlements);
    for (int i = 0; i < n_settlements; ++i) {
      settlements += entry::FormatGeneral(PDSETT[static_cast<size_t>(i)], entry::kDisplayDigits) + ' ';
    }
    out.Add(settlements);
  }
  for (int row = 0; row < layers.RowCount(); ++row) {
    const grid::TGridTable* m = Grids_->LayerTable(row);
    if (m == nullptr) throw EProjectFileError("Layer " + std::to_string(row + 1) + " has no data");
    WriteLayer(out, layers, row, *m);
  }
  if (PrintTZCurves == 1) {
    const grid::TGridTable& depths = Grids_->TblTZDepth();
    out.Add(std::to_string(depths.RowCount()));
    for (int row = 0; row < depths.RowCount(); ++row) out.Add(depths.GetStringValue(0, row));
  }
  return out.Text();
}

void TProgramData::Save() {
  ApplyDerivedValues();
  ReplaceFileKeepingPermissions(FileName, ProjectText());
  Grids_->ProjectChanged = false;
  Grids_->ResetAllChanged();
}

}  // namespace tolvane::app
