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
long double evaluateCellEntry(std::string_view text) {
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    throw entry::EAssignError("Entry cannot be blank.");
  }
  const long double value = entry::EvaluateExpression(text);
  if (!std::isfinite(value))
    throw entry::EAssignError(std::string(text) + " is not a valid number.");
  return value;
}

int nestingDepth(const TGridTable& table) {
  int depth = 0;
  for (const TGridTable* owner = table.owner(); owner != nullptr; owner = owner->owner()) ++depth;
  return depth;
}

template <typename T>
void insertValues(std::vector<T>& values, int first, int count, const T& value) {
  values.insert(values.begin() + first, static_cast<size_t>(count), value);
}

}  // namespace

const std::array<TColumnTypeStorage, 5>& columnClasses() {
  static const std::array<TColumnTypeStorage, 5> kClasses{{{ColumnType::kEnum, 0},
                                                           {ColumnType::kInt, 1},
                                                           {ColumnType::kFloat, 2},
                                                           {ColumnType::kTable, 3},
                                                           {ColumnType::kString, 4}}};
  return kClasses;
}

std::unique_ptr<TColumn> createColumn(ColumnType type, TGridTable& table) {
  switch (type) {
    case ColumnType::kEnum:
      return std::make_unique<TEnumColumn>(table);
    case ColumnType::kInt:
      return std::make_unique<TIntColumn>(table);
    case ColumnType::kFloat:
      return std::make_unique<TFloatColumn>(table);
    case ColumnType::kTable:
      return std::make_unique<TTableColumn>(table);
    case ColumnType::kString:
      return std::make_unique<TStringColumn>(table);
  }
  throw GridError("Error Column Class not defined");
}

// ---- base ----

TData& TColumn::cell(int row) const {
  return *cells_.at(static_cast<size_t>(row));
}

int TColumn::rowOf(const TData* cell) const {
  const auto it = std::find_if(cells_.begin(), cells_.end(),
                               [&](const auto& owned) { return owned.get() == cell; });
  return it == cells_.end() ? -1 : static_cast<int>(it - cells_.begin());
}

void TColumn::InsertRows(int first, int count) {
  for (int i = 0; i < count; ++i) {
    cells_.insert(cells_.begin() + first + i, std::make_unique<TData>(*this));
  }
}

void TColumn::DeleteRow(int row) {
  cells_.erase(cells_.begin() + row);
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

int TColumn::GetMinWidth(const TextMeasure& measure, int pixelsPerInch) const {
  int width = kindMinWidth(pixelsPerInch);
  for (const std::string& line : Heading) width = std::max(width, measure(line + "  "));
  return width;
}

std::pair<int, int> TColumn::groupRange(int row) const {
  const int group = std::max(GetRowGroup(), 1);
  const int first = row - row % group;
  return {first, std::min(first + group, RowCount())};
}

std::pair<int, int> TColumn::targetRows(int row) const {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("row outside the table");
  return SameGroup ? groupRange(row) : std::pair<int, int>{row, row + 1};
}

std::unique_ptr<TColumn> TColumn::Clone(TGridTable& table) const {
  auto clone = createColumn(columnType(), table);
  clone->Heading = Heading;
  clone->Visible = Visible;
  copySettingsTo(*clone);
  return clone;
}

// ---- pick list ----

void TEnumColumn::setNames(std::vector<std::string> names) {
  names_ = std::move(names);
  if (index() == 0) table().sizeTemplateLists();
}

void TEnumColumn::InsertRows(int first, int count) {
  insertValues(values_, first, count, int32_t{1});
  TColumn::InsertRows(first, count);
}

void TEnumColumn::DeleteRow(int row) {
  values_.erase(values_.begin() + row);
  TColumn::DeleteRow(row);
}

int32_t TEnumColumn::GetIntValue(int row) const {
  return values_.at(static_cast<size_t>(row));
}

void TEnumColumn::SetIntValue(int row, int32_t value) {
  const auto [first, last] = targetRows(row);
  for (int r = first; r < last; ++r) {
    if (values_[static_cast<size_t>(r)] == value) continue;
    values_[static_cast<size_t>(r)] = value;
    notifyCellChange(r);
  }
}

std::string TEnumColumn::GetStringValue(int row) const {
  return std::to_string(GetIntValue(row));
}

void TEnumColumn::SetStringValue(int row, std::string_view text) {
  const long double value = evaluateCellEntry(text);
  const std::optional<int32_t> whole = entry::roundToInt32(value);
  if (!whole || static_cast<long double>(*whole) != value) {
    throw entry::EAssignError("Value must be an integer.");
  }
  SetIntValue(row, *whole);
}

int TEnumColumn::kindMinWidth(int pixelsPerInch) const {
  return kEnumWidthHalfInches * pixelsPerInch / kHalfInchDivisor;
}

void TEnumColumn::copySettingsTo(TColumn& clone) const {
  static_cast<TEnumColumn&>(clone).names_ = names_;
}

// ---- integer ----

void TIntColumn::InsertRows(int first, int count) {
  insertValues(values_, first, count, Default);
  TColumn::InsertRows(first, count);
}

void TIntColumn::DeleteRow(int row) {
  values_.erase(values_.begin() + row);
  TColumn::DeleteRow(row);
}

int32_t TIntColumn::GetIntValue(int row) const {
  return values_.at(static_cast<size_t>(row));
}

void TIntColumn::SetIntValue(int row, int32_t value) {
  const auto [first, last] = targetRows(row);
  for (int r = first; r < last; ++r) {
    values_[static_cast<size_t>(r)] = value;
    notifyCellChange(r);
  }
}

std::string TIntColumn::GetStringValue(int row) const {
  return std::to_string(GetIntValue(row));
}

void TIntColumn::SetStringValue(int row, std::string_view text) {
  const long double value = evaluateCellEntry(text);
  std::array<char, 96> range{};
  std::snprintf(range.data(), range.size(), "Entry must be between %d and %d.", Minimum, Maximum);
  if (table().FormVisible()) {
    if (std::fabs(value - std::trunc(value)) > kIntegerEntryTolerance) {
      throw entry::EAssignError("Entry must be an integer.");
    }
    if (value < Minimum || value > Maximum) throw entry::EAssignError(range.data());
  }
  // A value without a 32-bit form cannot be stored even when no window checks the range.
  const std::optional<int32_t> rounded = entry::roundToInt32(value);
  if (!rounded) throw entry::EAssignError(range.data());
  SetIntValue(row, *rounded);
}

int TIntColumn::kindMinWidth(int pixelsPerInch) const {
  return pixelsPerInch / kHalfInchDivisor;
}

void TIntColumn::copySettingsTo(TColumn& clone) const {
  auto& target = static_cast<TIntColumn&>(clone);
  target.Default = Default;
  target.Minimum = Minimum;
  target.Maximum = Maximum;
}

// ---- real ----

TFloatColumn* TFloatColumn::neighbour(int offset) const {
  const int position = index() + offset;
  if (index() < 0 || position < 0 || position >= table().ColCount()) return nullptr;
  TColumn& column = table().GetColumn(position);
  return column.columnType() == ColumnType::kFloat ? static_cast<TFloatColumn*>(&column) : nullptr;
}

// The value of a new row: the depth of the neighbouring row of a depth pair, else Default.
long double TFloatColumn::insertedValue(int row) const {
  if (const TFloatColumn* next = TopDepth ? neighbour(1) : nullptr) {
    if (row >= 1 && row <= next->RowCount() - 1) return next->values_[static_cast<size_t>(row - 1)];
  }
  if (const TFloatColumn* previous = neighbour(-1); previous != nullptr && previous->TopDepth) {
    if (row + 1 < previous->RowCount()) return previous->values_[static_cast<size_t>(row) + 1];
  }
  return Default;
}

void TFloatColumn::InsertRows(int first, int count) {
  if (TopDepth && count > 0 && neighbour(1) == nullptr) throw GridError(kTopDepthMessage);
  for (int i = 0; i < count; ++i) {
    const long double value = insertedValue(first + i);
    values_.insert(values_.begin() + first + i, value);
  }
  TColumn::InsertRows(first, count);
}

void TFloatColumn::DeleteRow(int row) {
  values_.erase(values_.begin() + row);
  TColumn::DeleteRow(row);
}

std::string TFloatColumn::GetDisplayHeadings(int line) const {
  std::string text = TColumn::GetDisplayHeadings(line);
  if (UnitsString.empty() || line != GetDisplayHeadingCount() - 1) return text;
  return text + " (" + gridUnitsText(UnitsString, table().Units()) + ")  ";
}

long double TFloatColumn::GetFloatValue(int row) const {
  return values_.at(static_cast<size_t>(row));
}

void TFloatColumn::storeValue(int row, long double value) {
  values_[static_cast<size_t>(row)] = value;
  notifyCellChange(row);
}

void TFloatColumn::SetFloatValue(int row, long double value) {
  const auto [first, last] = targetRows(row);
  if (SameGroup) {
    for (int r = first; r < last; ++r) storeValue(r, value);
    return;
  }
  storeValue(row, value);
  // The top of a layer is the bottom of the layer above.
  if (TFloatColumn* next = TopDepth ? neighbour(1) : nullptr) {
    if (row >= 1 && row - 1 < next->RowCount()) next->storeValue(row - 1, value);
  }
  if (TFloatColumn* previous = neighbour(-1); previous != nullptr && previous->TopDepth) {
    if (row + 1 < previous->RowCount()) previous->storeValue(row + 1, value);
  }
}

std::string TFloatColumn::GetStringValue(int row) const {
  return entry::formatGeneral(GetFloatValue(row), entry::kDisplayDigits);
}

void TFloatColumn::SetStringValue(int row, std::string_view text) {
  SetFloatValue(row, evaluateCellEntry(text));
}

void TFloatColumn::ChangeUnits(int newUnits) {
  const long double factor = unitsConversionFactor(UnitsString, table().Units(), newUnits);
  for (int r = 0; r < RowCount(); ++r) storeValue(r, values_[static_cast<size_t>(r)] * factor);
}

int TFloatColumn::kindMinWidth(int pixelsPerInch) const {
  return pixelsPerInch / kHalfInchDivisor;
}

void TFloatColumn::copySettingsTo(TColumn& clone) const {
  auto& target = static_cast<TFloatColumn&>(clone);
  target.Default = Default;
  target.TopDepth = TopDepth;
  target.UnitsString = UnitsString;
}

// ---- nested table ----

void TTableColumn::InsertRows(int first, int count) {
  for (int i = 0; i < count; ++i) tables_.insert(tables_.begin() + first + i, nullptr);
  TColumn::InsertRows(first, count);
  for (int r = first; r < first + count; ++r) UpdateDataValue(r);
  renumberFrom(first + count);
}

void TTableColumn::DeleteRow(int row) {
  tables_.erase(tables_.begin() + row);
  TColumn::DeleteRow(row);
  renumberFrom(row);
}

void TTableColumn::renumberFrom(int row) {
  for (int r = std::max(row, 0); r < RowCount(); ++r) {
    if (const auto& nested = tables_[static_cast<size_t>(r)]) nested->SetID(r + 1);
  }
}

void TTableColumn::UpdateDataValue(int row) {
  int choice = 1;
  if (table().ColCount() > 0 && table().GetColumn(0).columnType() == ColumnType::kEnum) {
    choice = table().GetColumn(0).GetIntValue(row);
  }
  const TGridTable* source = Templates.Elements(choice - 1);
  auto& slot = tables_.at(static_cast<size_t>(row));
  slot.reset();
  if (source != nullptr && nestingDepth(table()) < kMaxNestingDepth) {
    slot = TGridTable::CreateCopy(&table(), row + 1, *source);
  }
}

TGridTable* TTableColumn::GetDataValue(int row) const {
  return tables_.at(static_cast<size_t>(row)).get();
}
TGridTable* TTableColumn::GetObjValue(int row) const {
  return GetDataValue(row);
}

bool TTableColumn::GetChanged() const {
  return std::any_of(tables_.begin(), tables_.end(),
                     [](const auto& nested) { return nested && nested->GetChanged(); });
}

void TTableColumn::HideForms() {
  for (const auto& nested : tables_) {
    if (nested) nested->Hide();
  }
}

void TTableColumn::ResetChanged() {
  for (const auto& nested : tables_) {
    if (nested) nested->ResetChanged();
  }
}

void TTableColumn::ChangeUnits(int newUnits) {
  for (const auto& nested : tables_) {
    if (nested) nested->SetUnits(newUnits);
  }
}

std::string TTableColumn::buttonCaption(int row) const {
  const TGridTable* nested = GetDataValue(row);
  return std::to_string(row + 1) + ": " + (nested != nullptr ? nested->Caption : std::string());
}

int TTableColumn::kindMinWidth(int pixelsPerInch) const {
  return kTableWidthInches * pixelsPerInch;
}

void TTableColumn::copySettingsTo(TColumn& clone) const {
  static_cast<TTableColumn&>(clone).Templates = Templates;
}

// ---- text ----

void TStringColumn::InsertRows(int first, int count) {
  insertValues(values_, first, count, Default);
  TColumn::InsertRows(first, count);
}

void TStringColumn::DeleteRow(int row) {
  values_.erase(values_.begin() + row);
  TColumn::DeleteRow(row);
}

std::string TStringColumn::GetStringValue(int row) const {
  return values_.at(static_cast<size_t>(row));
}

void TStringColumn::SetStringValue(int row, std::string_view text) {
  const auto [first, last] = targetRows(row);
  for (int r = first; r < last; ++r) {
    values_[static_cast<size_t>(r)] = std::string(text);
    notifyCellChange(r);
  }
}

int TStringColumn::kindMinWidth(int pixelsPerInch) const {
  return static_cast<int>(std::lround(static_cast<long double>(pixelsPerInch) * MinWidth));
}

void TStringColumn::copySettingsTo(TColumn& clone) const {
  auto& target = static_cast<TStringColumn&>(clone);
  target.Default = Default;
  target.MinWidth = MinWidth;
}

}  // namespace tolvane::grid
