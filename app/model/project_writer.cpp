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
enum SandColumn : int { kSandKo = 3, kSandBeta = 4, kSandMethod = 5, kSandM = 7, kSandOCR = 8 };
constexpr int kClayAlpha = 3;
constexpr int kClayMethod = 5;
constexpr int kCFAMethod = 1;

// Builds one line of items separated by one space.
class TLine {
 public:
  TLine& Item(const std::string& text) {
    if (!text_.empty()) text_ += ' ';
    text_ += text;
    return *this;
  }
  TLine& real(long double value) {
    return Item(entry::formatGeneral(value, entry::kDisplayDigits));
  }
  TLine& Int(int32_t value) { return Item(std::to_string(value)); }
  TLine& cell(const grid::TGridTable& table, int column, int row) {
    return Item(table.GetStringValue(column, row));
  }
  std::string Text() const { return text_; }
  std::string withTrailingSpace() const { return text_ + ' '; }

 private:
  std::string text_;
};

class ProjectText {
 public:
  void Add(const std::string& line) { text_ += line + kLineEnd; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// A title is one line: line breaks inside it would shift every line after it.
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// The four values of the layer's row in D that end every point line.
TLine& layerLimits(TLine& line, const grid::TGridTable& layers, int row) {
  for (int column = kColMaxSideFriction; column <= kColEndResistanceFactor; ++column) {
    line.cell(layers, column, row);
  }
  return line;
}

std::string pointLine(const grid::TGridTable& layers, int row, const grid::TGridTable& m, int point,
                      std::initializer_list<int> columns, bool placeholderFirst = false) {
  TLine line;
  if (placeholderFirst) line.Item(kPlaceholder);
  for (const int column : columns) {
    if (column < 0) {
      line.Item(kPlaceholder);
    } else {
      line.cell(m, column, point);
    }
  }
  return layerLimits(line, layers, row).withTrailingSpace();
}

constexpr int kSkip = -1;  // a placeholder in a column list

void writeSandExtras(ProjectText& out, const grid::TGridTable& m) {
  int32_t method = m.GetIntValue(kSandMethod, kBottomRow);
  if (method != kSandKoMethod && method != kSandBetaMethod) method = kSandGec10Method;
  out.Add(TLine().Int(method).withTrailingSpace());
  TLine values;
  if (method == kSandGec10Method) {
    values.cell(m, kSandM, kTopRow).cell(m, kSandOCR, kTopRow);
    values.cell(m, kSandM, kBottomRow).cell(m, kSandOCR, kBottomRow);
  } else {
    const int column = method == kSandKoMethod ? kSandKo : kSandBeta;
    values.cell(m, column, kTopRow).cell(m, column, kBottomRow);
  }
  out.Add(values.withTrailingSpace());
}

void writeLayer(ProjectText& out, const grid::TGridTable& layers, int row,
                const grid::TGridTable& m) {
  const int32_t type = layers.GetIntValue(kColSoilType, row);
  out.Add(TLine().Int(type).cell(layers, kColBottomDepth, row).withTrailingSpace());
  for (const int point : {kTopRow, kBottomRow}) {
    switch (type) {
      case kSand:
        out.Add(pointLine(layers, row, m, point, {0, 1, 6, 2}, true));
        break;
      case kClay:
        out.Add(pointLine(layers, row, m, point, {4, 0, kSkip, 1, 2, 6}));
        break;
      case kShale:
        out.Add(pointLine(layers, row, m, point, {4, 0, kSkip, 1, 2}));
        break;
      case kStrongRockSideOrEnd:
      case kStrongRock:
      case kWeakRock:
        out.Add(pointLine(layers, row, m, point, {0, 1, 2, 3, 4, 5, 6, 7}));
        break;
      case kDecomposedRock:
        out.Add(pointLine(layers, row, m, point, {0, 1, 2, 3, 4}));
        break;
      case kGravellySand:
      case kGravel:
        out.Add(pointLine(layers, row, m, point, {0, 1, 2}));
        break;
      default:  // sand and clay for CFA piles
        out.Add(pointLine(layers, row, m, point, {0, 2, 3, 4, 5, 6}));
        break;
    }
  }
  if (type == kSand) {
    writeSandExtras(out, m);
  } else if (type == kClay || type == kShale) {
    if (type == kClay) out.Add(TLine().cell(m, kClayMethod, kBottomRow).withTrailingSpace());
    out.Add(TLine().cell(m, kClayAlpha, kTopRow).cell(m, kClayAlpha, kBottomRow).Text());
  } else if (type == kCfaSand || type == kCfaClay) {
    out.Add(TLine().cell(m, kCFAMethod, kBottomRow).withTrailingSpace());
  }
}

}  // namespace

std::string TProgramData::projectText() const {
  ProjectText out;
  out.Add(oneLine(Title));
  out.Add(TLine().Int(fUnits).withTrailingSpace());
  out.Add(TLine()
              .Int(METHOD)
              .Int(KCYCL)
              .real(RCYCL)
              .real(PINC)
              .Int(IMOD)
              .Int(NLRFD)
              .Int(IPENT)
              .Int(IChart)
              .Int(UseElevation)
              .real(ValElevation)
              .Int(PrintTZCurves)
              .Int(CFAPile)
              .Text());
  out.Add(TLine()
              .real(DSTART)
              .real(DIALIM)
              .real(RATIO)
              .real(BELANGL)
              .real(TOPLENG)
              .real(BS)
              .real(EPILE)
              .Text());
  const grid::TGridTable& layers = grids_->D();
  out.Add(TLine()
              .Int(layers.RowCount())
              .real(WTD)
              .real(designLoadGiven() ? LPD : PD)
              .real(FST)
              .real(FSB)
              .Text());
  if (IPENT > 0) out.Add(TLine().real(PDMIN).real(PDINCR).Text());
  if (IChart > 0) {
    out.Add(TLine().real(PDMIN).real(PDINCR).real(DIAMINCR).Int(NPOINTPD).Text());
    std::string settlements;
    const int nSettlements = std::clamp(NPOINTPD, 0, kMaxChartSettlements);
    for (int i = 0; i < nSettlements; ++i) {
      settlements +=
          entry::formatGeneral(PDSETT[static_cast<size_t>(i)], entry::kDisplayDigits) + ' ';
    }
    out.Add(settlements);
  }
  for (int row = 0; row < layers.RowCount(); ++row) {
    const grid::TGridTable* m = grids_->layerTable(row);
    if (m == nullptr) throw ProjectFileError("Layer " + std::to_string(row + 1) + " has no data");
    writeLayer(out, layers, row, *m);
  }
  if (PrintTZCurves == 1) {
    const grid::TGridTable& depths = grids_->TblTZDepth();
    out.Add(std::to_string(depths.RowCount()));
    for (int row = 0; row < depths.RowCount(); ++row) out.Add(depths.GetStringValue(0, row));
  }
  return out.Text();
}

void TProgramData::Save() {
  applyDerivedValues();
  replaceFileKeepingPermissions(FileName, projectText());
  grids_->projectChanged = false;
  grids_->resetAllChanged();
}

}  // namespace tolvane::app
