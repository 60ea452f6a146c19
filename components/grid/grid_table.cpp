#include "grid_table.h"

#include <algorithm>

#include "columns.h"

namespace tolvane::grid {

// ---- registry and template lists ----

TGridTable* GridTableRegistry::at(int position) const {
  if (position < 0 || position >= Count()) return nullptr;
  return tables_[static_cast<size_t>(position)];
}

int GridTableRegistry::IndexOf(const TGridTable* table) const {
  const auto it = std::find(tables_.begin(), tables_.end(), table);
  return it == tables_.end() ? -1 : static_cast<int>(it - tables_.begin());
}

TGridTable* GridTableRegistry::findByIdentifier(int identifier) const {
  const auto it = std::find_if(tables_.begin(), tables_.end(), [&](const TGridTable* table) {
    return table->Identifier() == identifier;
  });
  return it == tables_.end() ? nullptr : *it;
}

void GridTableRegistry::remove(const TGridTable* table) {
  const auto it = std::find(tables_.begin(), tables_.end(), table);
  if (it != tables_.end()) tables_.erase(it);
}

void TGridTableList::Add(const TGridTable* table) {
  Add(registry_->IndexOf(table));
}

void TGridTableList::Insert(int index, int position) {
  index = std::clamp(index, 0, Count());
  entries_.insert(entries_.begin() + index, TIntWrapper{false, position});
}

void TGridTableList::InsertByIdent(int index, int identifier) {
  index = std::clamp(index, 0, Count());
  entries_.insert(entries_.begin() + index, TIntWrapper{true, identifier});
}

void TGridTableList::Delete(int index) {
  if (index >= 0 && index < Count()) entries_.erase(entries_.begin() + index);
}

TGridTable* TGridTableList::Elements(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const TIntWrapper& entry = entries_[static_cast<size_t>(index)];
  if (entry.ByIdentifier)
    return entry.value < 0 ? nullptr : registry_->findByIdentifier(entry.value);
  return registry_->at(entry.value);
}

std::vector<int> TGridTableList::TableIndices() const {
  std::vector<int> indices;
  indices.reserve(static_cast<size_t>(std::max(Count(), 0)));
  for (int i = 0; i < Count(); ++i) indices.push_back(registry_->IndexOf(Elements(i)));
  return indices;
}

void TGridTableList::resize(int count) {
  entries_.resize(static_cast<size_t>(std::max(count, 0)), TIntWrapper{false, -1});
}

// ---- cell handles ----

int TData::row() const {
  return baseCol_->rowOf(this);
}
long double TData::GetFloat() const {
  return baseCol_->GetFloatValue(row());
}
void TData::SetFloat(long double value) {
  baseCol_->SetFloatValue(row(), value);
}
int32_t TData::GetInt() const {
  return baseCol_->GetIntValue(row());
}
void TData::SetInt(int32_t value) {
  baseCol_->SetIntValue(row(), value);
}
std::string TData::GetValue() const {
  return baseCol_->GetStringValue(row());
}
void TData::SetValue(std::string_view text) {
  baseCol_->SetStringValue(row(), text);
}
TGridTable* TData::GetData() const {
  return baseCol_->GetDataValue(row());
}

// ---- table ----

TGridTable::TGridTable(GridTableRegistry& registry, TGridTable* owner)
    : registry_(&registry),
      owner_(owner),
      identifier_(registry.nextIdentifier()),
      units_(owner != nullptr ? owner->Units() : 1) {
  registry_->Add(this);
}

TGridTable::~TGridTable() {
  window_.reset();
  columns_.clear();  // frees the nested tables before this table leaves the registry
  registry_->remove(this);
}

std::unique_ptr<TGridTable> TGridTable::CreateCopy(TGridTable* owner, int id,
                                                   const TGridTable& source) {
  auto copy = std::make_unique<TGridTable>(source.registry(), owner);
  copy->Caption = source.Caption;
  copy->Comments = source.Comments;
  copy->TopLeft = source.TopLeft;
  copy->HelpPicture = source.HelpPicture;
  copy->minRows_ = source.minRows_;
  copy->MaxRows = source.MaxRows;
  for (const auto& column : source.columns_) {
    copy->columns_.push_back(column->Clone(*copy));
  }
  copy->sizeTemplateLists();
  copy->SetID(id);
  copy->SetRowCount(copy->minRows_);
  copy->raiseMajorChange();
  return copy;
}

void TGridTable::SetIdentifier(int value) {
  if (value < 0) return;
  TGridTable* holder = registry_->findByIdentifier(value);
  if (holder != nullptr && holder != this) holder->identifier_ = identifier_;
  identifier_ = value;
}

void TGridTable::SetMinRows(int value) {
  if (value <= 0) {
    if (!loading_) throw GridError("Value must be greater than 0");
    value = 1;
  }
  minRows_ = value;
}

void TGridTable::SetUnits(int value) {
  if (value == units_) return;
  for (const auto& column : columns_) column->ChangeUnits(value);
  units_ = value;
  raiseMajorChange();
}

void TGridTable::SetID(int value) {
  id_ = value;
  if (window_) window_->setTitle(windowTitle());
}

std::string TGridTable::idPath() const {
  std::string path = owner_ != nullptr ? owner_->idPath() : std::string();
  if (id_ != 0) path += " " + std::to_string(id_);
  return path;
}

std::string TGridTable::windowTitle() const {
  return Caption + " " + idPath();
}

void TGridTable::raiseMajorChange() const {
  if (OnMajorChange) OnMajorChange();
}

// ---- columns ----

// The column joins the table before its rows are built, so that it can see its neighbours;
// a column whose rows cannot be built leaves again.
TColumn& TGridTable::attachColumn(std::unique_ptr<TColumn> column, int position) {
  columns_.insert(columns_.begin() + position, std::move(column));
  TColumn& attached = *columns_[static_cast<size_t>(position)];
  try {
    attached.InsertRows(0, rowCount_);
  } catch (...) {
    columns_.erase(columns_.begin() + position);
    throw;
  }
  return attached;
}

TColumn& TGridTable::AddColumn(ColumnType type) {
  return InsertColumn(ColCount(), type);
}

TColumn& TGridTable::InsertColumn(int position, ColumnType type) {
  position = std::clamp(position, 0, ColCount());
  TColumn& column = attachColumn(createColumn(type, *this), position);
  sizeTemplateLists();
  raiseMajorChange();
  return column;
}

void TGridTable::DeleteColumn(int position) {
  if (position < 0 || position >= ColCount()) return;
  columns_.erase(columns_.begin() + position);
  sizeTemplateLists();
  raiseMajorChange();
}

TColumn& TGridTable::ReplaceColumn(int position, ColumnType type) {
  auto& slot = columns_.at(static_cast<size_t>(position));
  auto replacement = createColumn(type, *this);
  replacement->Heading = slot->Heading;
  replacement->Visible = slot->Visible;
  replacement->SameGroup = slot->SameGroup;
  slot = std::move(replacement);
  slot->InsertRows(0, rowCount_);
  sizeTemplateLists();
  raiseMajorChange();
  return *slot;
}

TColumn& TGridTable::GetColumn(int index) const {
  return *columns_.at(static_cast<size_t>(index));
}

int TGridTable::IndexOf(const TColumn* column) const {
  for (int i = 0; i < ColCount(); ++i) {
    if (columns_[static_cast<size_t>(i)].get() == column) return i;
  }
  return -1;
}

int TGridTable::visibleColCount() const {
  return static_cast<int>(std::count_if(columns_.begin(), columns_.end(),
                                        [](const auto& column) { return column->Visible; }));
}

int TGridTable::HeadingRows() const {
  int rows = 0;
  for (const auto& column : columns_) {
    if (column->Visible) rows = std::max(rows, column->GetDisplayHeadingCount());
  }
  return rows;
}

TTableColumn* TGridTable::firstTableColumn() const {
  for (const auto& column : columns_) {
    if (column->columnType() == ColumnType::kTable) return static_cast<TTableColumn*>(column.get());
  }
  return nullptr;
}

void TGridTable::sizeTemplateLists() {
  int count = 1;
  if (!columns_.empty() && columns_.front()->columnType() == ColumnType::kEnum) {
    count = static_cast<int>(static_cast<const TEnumColumn&>(*columns_.front()).Names().size());
  }
  for (const auto& column : columns_) {
    if (column->columnType() == ColumnType::kTable) {
      static_cast<TTableColumn&>(*column).Templates.resize(count);
    }
  }
}

// ---- rows ----

void TGridTable::SetRowCount(int count) {
  count = std::max(count, 0);
  for (const auto& column : columns_) {
    while (column->RowCount() > count) column->DeleteRow(column->RowCount() - 1);
    while (column->RowCount() < count) column->InsertRows(column->RowCount(), rowGroup_);
  }
  rowCount_ = columns_.empty() ? count : columns_.front()->RowCount();
}

void TGridTable::AddRowGroup() {
  for (const auto& column : columns_) column->InsertRows(rowCount_, rowGroup_);
  rowCount_ += rowGroup_;
  raiseMajorChange();
}

void TGridTable::InsertRowGroup(int row) {
  row = std::clamp(row, 0, rowCount_);
  const int first = row - row % rowGroup_;
  for (const auto& column : columns_) column->InsertRows(first, rowGroup_);
  rowCount_ += rowGroup_;
  raiseMajorChange();
}

void TGridTable::DeleteRowGroup(int row) {
  if (row < 0 || row >= rowCount_) return;
  const int first = row - row % rowGroup_;
  const int count = std::min(rowGroup_, rowCount_ - first);
  for (const auto& column : columns_) {
    for (int i = 0; i < count; ++i) column->DeleteRow(first);
  }
  rowCount_ -= count;
  raiseMajorChange();
}

// ---- cells ----

bool TGridTable::CellExists(int column, int row) const {
  return column >= 0 && column < ColCount() && row >= 0 && row < rowCount_;
}

TData& TGridTable::GetData(int column, int row) const {
  return GetColumn(column).cell(row);
}
long double TGridTable::GetFloatValue(int column, int row) const {
  return GetColumn(column).GetFloatValue(row);
}
void TGridTable::SetFloatValue(int column, int row, long double value) {
  GetColumn(column).SetFloatValue(row, value);
}
int32_t TGridTable::GetIntValue(int column, int row) const {
  return GetColumn(column).GetIntValue(row);
}
void TGridTable::SetIntValue(int column, int row, int32_t value) {
  GetColumn(column).SetIntValue(row, value);
}
std::string TGridTable::GetStringValue(int column, int row) const {
  return GetColumn(column).GetStringValue(row);
}
void TGridTable::SetStringValue(int column, int row, std::string_view text) {
  GetColumn(column).SetStringValue(row, text);
}
TGridTable* TGridTable::GetDataValue(int column, int row) const {
  return GetColumn(column).GetDataValue(row);
}

void TGridTable::columnCellChanged(const TColumn& column, int row) {
  const int index = IndexOf(&column);
  if (index == 0 && column.columnType() == ColumnType::kEnum) {
    if (TTableColumn* nested = firstTableColumn()) nested->UpdateDataValue(row);
  }
  if (OnCellChange) OnCellChange(index, row);
}

// ---- change tracking ----

bool TGridTable::GetChanged() const {
  return changed_ || std::any_of(columns_.begin(), columns_.end(),
                                 [](const auto& column) { return column->GetChanged(); });
}

void TGridTable::SetChanged(bool value) {
  if (value) {
    changed_ = true;
  } else {
    ResetChanged();
  }
}

void TGridTable::ResetChanged() {
  changed_ = false;
  for (const auto& column : columns_) column->ResetChanged();
}

// ---- window ----

void TGridTable::showWindow(bool modal) {
  if (visibleColCount() == 0) return;
  if (!window_) {
    if (registry_->windowFactory == nullptr) return;
    window_ = registry_->windowFactory->createWindow(*this);
    if (!window_) return;
    window_->setTitle(windowTitle());
  }
  window_->Show(modal);
}

void TGridTable::Show() {
  showWindow(false);
}
void TGridTable::ShowModal() {
  showWindow(true);
}

void TGridTable::Hide() {
  for (const auto& column : columns_) column->HideForms();
  window_.reset();
}

void TGridTable::Update() {
  if (!window_) return;
  const bool modal = window_->IsModal();
  window_.reset();
  showWindow(modal);
}

void TGridTable::Updater() {
  window_.reset();
}

}  // namespace tolvane::grid
