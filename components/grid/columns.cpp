#include "columns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "expression.h"
#include "grid_units.h"
#include "number_text.h"

namespace tolvane::grid {
namespace {

const char* const kWrongTypeMessage = "Data of wrong type";
const char* const kTopDepthMessage =
    "If column if a topdepth then the next column must be a float column";

// Largest fraction an integer cell entry may carry and still count as whole.
constexpr long double kIntegerEntryTolerance = 1e-10L;
// Nested tables of nested tables stop here, so that a template that refers back to itself
// cannot nest without end.
constexpr int kMaxNestingDepth = 8;

// Minimum column widths as multiples of the screen's pixels per inch.
constexpr int kHalfInchDivisor = 2;      // float and integer columns: half an inch
constexpr int kEnumWidthHalfInches = 3;  // pick lists: one and a half inches
constexpr int kTableWidthInches = 2;     // nested-table buttons: two inches

// The number a typed cell entry stands for; throws EAssignError with the user's message.
long double EvaluateCellEntry(std::string_view text) {
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    throw entry::EAssignError("Entry cannot be blank.");
  }
  const long double value = entry::EvaluateExpression(text);
  if (!std::isfinite(value)) throw entry::EAssignError(std::string(text) + " is not a valid number.");
  return value;
}

int NestingDepth(const TGridTable& table) {
  int depth = 0;
  for (const TGridTable* owner = table.Owner(); owner != nullptr; owner = owner->Owner()) ++depth;
  return depth;
}

template <typename T>
void InsertValues(std::vector<T>& values, int first, int count, const T& value) {
  values.insert(values.begin() + first, static_cast<size_t>(count), value);
}

}  // namespace

const std::array<TColumnTypeStorage, 5>& ColumnClasses() {
  static const std::array<TColumnTypeStorage, 5> kClasses{{{TColumnType::kEnum, 0},
                                                           {TColumnType::kInt, 1},
                                                           {TColumnType::kFloat, 2},
                                                           {TColumnType::kTable, 3},
                                                           {TColumnType::kString, 4}}};
  return kClasses;
}

std::unique_ptr<TColumn> CreateColumn(TColumnType type, TGridTable& table) {
  switch (type) {
    case TColumnType::kEnum:
      return std::make_unique<TEnumColumn>(table);
    case TColumnType::kInt:
      return std::make_unique<TIntColumn>(table);
    case TColumnType::kFloat:
      return std::make_unique<TFloatColumn>(table);
    case TColumnType::kTable:
      return std::make_unique<TTableColumn>(table);
    case TColumnType::kString:
      return std::make_unique<TStringColumn>(table);
  }
  throw EGridError("Error Column Class not defined");
}

// ---- base ----

TData& TColumn::Cell(int row) const {
  return *Cells_.at(static_cast<size_t>(row));
}

int TColumn::RowOf(const TData* cell) const {
  const auto it = std::find_if(Cells_.begin(), Cells_.end(),
                               [&](const auto& owned) { return owned.get() == cell; });
  return it == Cells_.end() ? -1 : static_cast<int>(it - Cells_.begin());
}

void TColumn::InsertRows(int first, int count) {
  for (int i = 0; i < count; ++i) {
    Cells_.insert(Cells_.begin() + first + i, std::make_unique<TData>(*this));
  }
}

void TColumn::DeleteRow(int row) {
  Cells_.erase(Cells_.begin() + row);
}

std::string TColumn::GetDisplayHeadings(int line) const {
  if (line < 0 || line >= GetDisplayHeadingCount()) return {};
  return Heading[static_cast<size_t>(line)];
}

TGridTable* TColumn::GetDataValue(int /*row*/) const {
  throw EInvalidCast(kWrongTypeMessage);
}
long double TColumn::GetFloatValue(int /*row*/) const {
  throw EInvalidCast(kWrongTypeMessage);
}
void TColumn::SetFloatValue(int /*row*/, long double /*value*/) {
  throw EInvalidCast(kWrongTypeMessage);
}
int32_t TColumn::GetIntValue(int /*row*/) const {
  throw EInvalidCast(kWrongTypeMessage);
}
void TColumn::SetIntValue(int /*row*/, int32_t /*value*/) {
  throw EInvalidCast(kWrongTypeMessage);
}
TGridTable* TColumn::GetObjValue(int /*row*/) const {
  throw EInvalidCast(kWrongTypeMessage);
}
std::string TColumn::GetStringValue(int /*row*/) const {
  return {};
}
void TColumn::SetStringValue(int /*row*/, std::string_view /*text*/) {}

int TColumn::GetMinWidth(const TTextMeasure& measure, int pixels_per_inch) const {
  int width = KindMinWidth(pixels_per_inch);
  for (const std::string& line : Heading) width = std::max(width, measure(line + "  "));
  return width;
}

std::pair<int, int> TColumn::GroupRange(int row) const {
  const int group = std::max(GetRowGroup(), 1);
  const int first = row - row % group;
  return {first, std::min(first + group, RowCount())};
}

std::pair<int, int> TColumn::TargetRows(int row) const {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("row outside the table");
  return SameGroup ? GroupRange(row) : std::pair<int, int>{row, row + 1};
}

std::unique_ptr<TColumn> TColumn::Clone(TGridTable& table) const {
  auto clone = CreateColumn(Type(), table);
  clone->Heading = Heading;
  clone->Visible = Visible;
  CopySettingsTo(*clone);
  return clone;
}

// ---- pick list ----

void TEnumColumn::SetNames(std::vector<std::string> names) {
  Names_ = std::move(names);
  if (Index() == 0) Table().SizeTemplateLists();
}

void TEnumColumn::InsertRows(int first, int count) {
  InsertValues(Values_, first, count, int32_t{1});
  TColumn::InsertRows(first, count);
}

void TEnumColumn::DeleteRow(int row) {
  Values_.erase(Values_.begin() + row);
  TColumn::DeleteRow(row);
}

int32_t TEnumColumn::GetIntValue(int row) const {
  return Values_.at(static_cast<size_t>(row));
}

void TEnumColumn::SetIntValue(int row, int32_t value) {
  const auto [first, last] = TargetRows(row);
  for (int r = first; r < last; ++r) {
    if (Values_[static_cast<size_t>(r)] == value) continue;
    Values_[static_cast<size_t>(r)] = value;
    NotifyCellChange(r);
  }
}

std::string TEnumColumn::GetStringValue(int row) const {
  return std::to_string(GetIntValue(row));
}

void TEnumColumn::SetStringValue(int row, std::string_view text) {
  const long double value = EvaluateCellEntry(text);
  const std::optional<int32_t> whole = entry::RoundToInt32(value);
  if (!whole || static_cast<long double>(*whole) != value) {
    throw entry::EAssignError("Value must be an integer.");
  }
  SetIntValue(row, *whole);
}

int TEnumColumn::KindMinWidth(int pixels_per_inch) const {
  return kEnumWidthHalfInches * pixels_per_inch / kHalfInchDivisor;
}

void TEnumColumn::CopySettingsTo(TColumn& clone) const {
  static_cast<TEnumColumn&>(clone).Names_ = Names_;
}

// ---- integer ----

void TIntColumn::InsertRows(int first, int count) {
  InsertValues(Values_, first, count, Default);
  TColumn::InsertRows(first, count);
}

void TIntColumn::DeleteRow(int row) {
  Values_.erase(Values_.begin() + row);
  TColumn::DeleteRow(row);
}

int32_t TIntColumn::GetIntValue(int row) const {
  return Values_.at(static_cast<size_t>(row));
}

void TIntColumn::SetIntValue(int row, int32_t value) {
  const auto [first, last] = TargetRows(row);
  for (int r = first; r < last; ++r) {
    Values_[static_cast<size_t>(r)] = value;
    NotifyCellChange(r);
  }
}

std::string TIntColumn::GetStringValue(int row) const {
  return std::to_string(GetIntValue(row));
}

void TIntColumn::SetStringValue(int row, std::string_view text) {
  const long double value = EvaluateCellEntry(text);
  std::array<char, 96> range{};
  std::snprintf(range.data(), range.size(), "Entry must be between %d and %d.", Minimum, Maximum);
  if (Table().FormVisible()) {
    if (std::fabs(value - std::trunc(value)) > kIntegerEntryTolerance) {
      throw entry::EAssignError("Entry must be an integer.");
    }
    if (value < Minimum || value > Maximum) throw entry::EAssignError(range.data());
  }
  // A value without a 32-bit form cannot be stored even when no window checks the range.
  const std::optional<int32_t> rounded = entry::RoundToInt32(value);
  if (!rounded) throw entry::EAssignError(range.data());
  SetIntValue(row, *rounded);
}

int TIntColumn::KindMinWidth(int pixels_per_inch) const {
  return pixels_per_inch / kHalfInchDivisor;
}

void TIntColumn::CopySettingsTo(TColumn& clone) const {
  auto& target = static_cast<TIntColumn&>(clone);
  target.Default = Default;
  target.Minimum = Minimum;
  target.Maximum = Maximum;
}

// ---- real ----

TFloatColumn* TFloatColumn::Neighbour(int offset) const {
  const int index = Index() + offset;
  if (Index() < 0 || index < 0 || index >= Table().ColCount()) return nullptr;
  TColumn& column = Table().GetColumn(index);
  return column.Type() == TColumnType::kFloat ? static_cast<TFloatColumn*>(&column) : nullptr;
}

// The value of a new row: the depth of the neighbouring row of a depth pair, else Default.
long double TFloatColumn::InsertedValue(int row) const {
  if (const TFloatColumn* next = TopDepth ? Neighbour(1) : nullptr) {
    if (row >= 1 && row <= next->RowCount() - 1) return next->Values_[static_cast<size_t>(row - 1)];
  }
  if (const TFloatColumn* previous = Neighbour(-1); previous != nullptr && previous->TopDepth) {
    if (row + 1 < previous->RowCount()) return previous->Values_[static_cast<size_t>(row + 1)];
  }
  return Default;
}

void TFloatColumn::InsertRows(int first, int count) {
  if (TopDepth && count > 0 && Neighbour(1) == nullptr) throw EGridError(kTopDepthMessage);
  for (int i = 0; i < count; ++i) {
    const long double value = InsertedValue(first + i);
    Values_.insert(Values_.begin() + first + i, value);
  }
  TColumn::InsertRows(first, count);
}

void TFloatColumn::DeleteRow(int row) {
  Values_.erase(Values_.begin() + row);
  TColumn::DeleteRow(row);
}

std::string TFloatColumn::GetDisplayHeadings(int line) const {
  std::string text = TColumn::GetDisplayHeadings(line);
  if (UnitsString.empty() || line != GetDisplayHeadingCount() - 1) return text;
  return text + " (" + GridUnitsText(UnitsString, Table().Units()) + ")  ";
}

long double TFloatColumn::GetFloatValue(int row) const {
  return Values_.at(static_cast<size_t>(row));
}

void TFloatColumn::StoreValue(int row, long double value) {
  Values_[static_cast<size_t>(row)] = value;
  NotifyCellChange(row);
}

void TFloatColumn::SetFloatValue(int row, long double value) {
  const auto [first, last] = TargetRows(row);
  if (SameGroup) {
    for (int r = first; r < last; ++r) StoreValue(r, value);
    return;
  }
  StoreValue(row, value);
  // The top of a layer is the bottom of the layer above.
  if (TFloatColumn* next = TopDepth ? Neighbour(1) : nullptr) {
    if (row >= 1 && row - 1 < next->RowCount()) next->StoreValue(row - 1, value);
  }
  if (TFloatColumn* previous = Neighbour(-1); previous != nullptr && previous->TopDepth) {
    if (row + 1 < previous->RowCount()) previous->StoreValue(row + 1, value);
  }
}

std::string TFloatColumn::GetStringValue(int row) const {
  return entry::FormatGeneral(GetFloatValue(row), entry::kDisplayDigits);
}

void TFloatColumn::SetStringValue(int row, std::string_view text) {
  SetFloatValue(row, EvaluateCellEntry(text));
}

void TFloatColumn::ChangeUnits(int new_units) {
  const long double factor = UnitsConversionFactor(UnitsString, Table().Units(), new_units);
  for (int r = 0; r < RowCount(); ++r) StoreValue(r, Values_[static_cast<size_t>(r)] * factor);
}

int TFloatColumn::KindMinWidth(int pixels_per_inch) const {
  return pixels_per_inch / kHalfInchDivisor;
}

void TFloatColumn::CopySettingsTo(TColumn& clone) const {
  auto& target = static_cast<TFloatColumn&>(clone);
  target.Default = Default;
  target.TopDepth = TopDepth;
  target.UnitsString = UnitsString;
}

// ---- nested table ----

void TTableColumn::InsertRows(int first, int count) {
  for (int i = 0; i < count; ++i) Tables_.insert(Tables_.begin() + first + i, nullptr);
  TColumn::InsertRows(first, count);
  for (int r = first; r < first + count; ++r) UpdateDataValue(r);
  RenumberFrom(first + count);
}

void TTableColumn::DeleteRow(int row) {
  Tables_.erase(Tables_.begin() + row);
  TColumn::DeleteRow(row);
  RenumberFrom(row);
}

void TTableColumn::RenumberFrom(int row) {
  for (int r = std::max(row, 0); r < RowCount(); ++r) {
    if (const auto& nested = Tables_[static_cast<size_t>(r)]) nested->SetID(r + 1);
  }
}

void TTableColumn::UpdateDataValue(int row) {
  int choice = 1;
  if (Table().ColCount() > 0 && Table().GetColumn(0).Type() == TColumnType::kEnum) {
    choice = Table().GetColumn(0).GetIntValue(row);
  }
  const TGridTable* source = Templates.Elements(choice - 1);
  auto& slot = Tables_.at(static_cast<size_t>(row));
  slot.reset();
  if (source != nullptr && NestingDepth(Table()) < kMaxNestingDepth) {
    slot = TGridTable::CreateCopy(&Table(), row + 1, *source);
  }
}

TGridTable* TTableColumn::GetDataValue(int row) const {
  return Tables_.at(static_cast<size_t>(row)).get();
}
TGridTable* TTableColumn::GetObjValue(int row) const {
  return GetDataValue(row);
}

bool TTableColumn::GetChanged() const {
  return std::any_of(Tables_.begin(), Tables_.end(),
                     [](const auto& nested) { return nested && nested->GetChanged(); });
}

void TTableColumn::HideForms() {
  for (const auto& nested : Tables_) {
    if (nested) nested->Hide();
  }
}

void TTableColumn::ResetChanged() {
  for (const auto& nested : Tables_) {
    if (nested) nested->ResetChanged();
  }
}

void TTableColumn::ChangeUnits(int new_units) {
  for (const auto& nested : Tables_) {
    if (nested) nested->SetUnits(new_units);
  }
}

std::string TTableColumn::ButtonCaption(int row) const {
  const TGridTable* nested = GetDataValue(row);
  return std::to_string(row + 1) + ": " + (nested != nullptr ? nested->Caption : std::string());
}

int TTableColumn::KindMinWidth(int pixels_per_inch) const {
  return kTableWidthInches * pixels_per_inch;
}

void TTableColumn::CopySettingsTo(TColumn& clone) const {
  static_cast<TTableColumn&>(clone).Templates = Templates;
}

// ---- text ----

void TStringColumn::InsertRows(int first, int count) {
  InsertValues(Values_, first, count, Default);
  TColumn::InsertRows(first, count);
}

void TStringColumn::DeleteRow(int row) {
  Values_.erase(Values_.begin() + row);
  TColumn::DeleteRow(row);
}

std::string TStringColumn::GetStringValue(int row) const {
  return Values_.at(static_cast<size_t>(row));
}

void TStringColumn::SetStringValue(int row, std::string_view text) {
  const auto [first, last] = TargetRows(row);
  for (int r = first; r < last; ++r) {
    Values_[static_cast<size_t>(r)] = std::string(text);
    NotifyCellChange(r);
  }
}

int TStringColumn::KindMinWidth(int pixels_per_inch) const {
  return static_cast<int>(std::lround(static_cast<long double>(pixels_per_inch) * MinWidth));
}

void TStringColumn::CopySettingsTo(TColumn& clone) const {
  auto& target = static_cast<TStringColumn&>(clone);
  target.Default = Default;
  target.MinWidth = MinWidth;
}

}  // namespace tolvane::grid
