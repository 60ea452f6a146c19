#include "grid_table.h"

#include <algorithm>

#include "columns.h"

namespace tolvane::grid {

// ---- registry and template lists ----

TGridTable* TGridTableRegistry::At(int position) const {
  if (position < 0 || position >= Count()) return nullptr;
  return Tables_[static_cast<size_t>(position)];
}

int TGridTableRegistry::IndexOf(const TGridTable* table) const {
  const auto it = std::find(Tables_.begin(), Tables_.end(), table);
  return it == Tables_.end() ? -1 : static_cast<int>(it - Tables_.begin());
}

TGridTable* TGridTableRegistry::FindByIdentifier(int identifier) const {
  const auto it = std::find_if(Tables_.begin(), Tables_.end(), [&](const TGridTable* table) {
    return table->Identifier() == identifier;
  });
  return it == Tables_.end() ? nullptr : *it;
}

void TGridTableRegistry::Remove(const TGridTable* table) {
  const auto it = std::find(Tables_.begin(), Tables_.end(), table);
  if (it != Tables_.end()) Tables_.erase(it);
}

void TGridTableList::Add(const TGridTable* table) {
  Add(Registry_->IndexOf(table));
}

void TGridTableList::Insert(int index, int position) {
  index = std::clamp(index, 0, Count());
  Entries_.insert(Entries_.begin() + index, TIntWrapper{false, position});
}

void TGridTableList::InsertByIdent(int index, int identifier) {
  index = std::clamp(index, 0, Count());
  Entries_.insert(Entries_.begin() + index, TIntWrapper{true, identifier});
}

void TGridTableList::Delete(int index) {
  if (index >= 0 && index < Count()) Entries_.erase(Entries_.begin() + index);
}

TGridTable* TGridTableList::Elements(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const TIntWrapper& entry = Entries_[static_cast<size_t>(index)];
  if (entry.ByIdentifier)
    return entry.value < 0 ? nullptr : Registry_->FindByIdentifier(entry.value);
  return Registry_->At(entry.value);
}

std::vector<int> TGridTableList::TableIndices() const {
  std::vector<int> indices;
  for (int i = 0; i < Count(); ++i) indices.push_back(Registry_->IndexOf(Elements(i)));
  return indices;
}

void TGridTableList::Resize(int count) {
  Entries_.resize(static_cast<size_t>(std::max(count, 0)), TIntWrapper{false, -1});
}

// ---- cell handles ----

int TData::Row() const {
  return BaseCol_->RowOf(this);
}
long double TData::GetFloat() const {
  return BaseCol_->GetFloatValue(Row());
}
void TData::SetFloat(long double value) {
  BaseCol_->SetFloatValue(Row(), value);
}
int32_t TData::GetInt() const {
  return BaseCol_->GetIntValue(Row());
}
void TData::SetInt(int32_t value) {
  BaseCol_->SetIntValue(Row(), value);
}
std::string TData::GetValue() const {
  return BaseCol_->GetStringValue(Row());
}
void TData::SetValue(std::string_view text) {
  BaseCol_->SetStringValue(Row(), text);
}
TGridTable* TData::GetData() const {
  return BaseCol_->GetDataValue(Row());
}

// ---- table ----

TGridTable::TGridTable(TGridTableRegistry& registry, TGridTable* owner)
    : Registry_(&registry),
      Owner_(owner),
      Identifier_(registry.NextIdentifier()),
      Units_(owner != nullptr ? owner->Units() : 1) {
  Registry_->Add(this);
}

TGridTable::~TGridTable() {
  Window_.reset();
  Columns_.clear();  // frees the nested tables before this table leaves the registry
  Registry_->Remove(this);
}

std::unique_ptr<TGridTable> TGridTable::CreateCopy(TGridTable* owner, int id,
                                                   const TGridTable& source) {
  auto copy = std::make_unique<TGridTable>(source.Registry(), owner);
  copy->Caption = source.Caption;
  copy->Comments = source.Comments;
  copy->TopLeft = source.TopLeft;
  copy->HelpPicture = source.HelpPicture;
  copy->MinRows_ = source.MinRows_;
  copy->MaxRows = source.MaxRows;
  for (const auto& column : source.Columns_) {
    copy->Columns_.push_back(column->Clone(*copy));
  }
  copy->SizeTemplateLists();
  copy->SetID(id);
  copy->SetRowCount(copy->MinRows_);
  copy->RaiseMajorChange();
  return copy;
}

void TGridTable::SetIdentifier(int value) {
  if (value < 0) return;
  TGridTable* holder = Registry_->FindByIdentifier(value);
  if (holder != nullptr && holder != this) holder->Identifier_ = Identifier_;
  Identifier_ = value;
}

void TGridTable::SetMinRows(int value) {
  if (value <= 0) {
    if (!Loading_) throw EGridError("Value must be greater than 0");
    value = 1;
  }
  MinRows_ = value;
}

void TGridTable::SetUnits(int value) {
  if (value == Units_) return;
  for (const auto& column : Columns_) column->ChangeUnits(value);
  Units_ = value;
  RaiseMajorChange();
}

void TGridTable::SetID(int value) {
  ID_ = value;
  if (Window_) Window_->SetTitle(WindowTitle());
}

std::string TGridTable::IDPath() const {
  std::string path = Owner_ != nullptr ? Owner_->IDPath() : std::string();
  if (ID_ != 0) path += " " + std::to_string(ID_);
  return path;
}

std::string TGridTable::WindowTitle() const {
  return Caption + " " + IDPath();
}

void TGridTable::RaiseMajorChange() const {
  if (OnMajorChange) OnMajorChange();
}

// ---- columns ----

// The column joins the table before its rows are built, so that it can see its neighbours;
// a column whose rows cannot be built leaves again.
TColumn& TGridTable::AttachColumn(std::unique_ptr<TColumn> column, int position) {
  Columns_.insert(Columns_.begin() + position, std::move(column));
  TColumn& attached = *Columns_[static_cast<size_t>(position)];
  try {
    attached.InsertRows(0, RowCount_);
  } catch (...) {
    Columns_.erase(Columns_.begin() + position);
    throw;
  }
  return attached;
}

TColumn& TGridTable::AddColumn(TColumnType type) {
  return InsertColumn(ColCount(), type);
}

TColumn& TGridTable::InsertColumn(int position, TColumnType type) {
  position = std::clamp(position, 0, ColCount());
  TColumn& column = AttachColumn(CreateColumn(type, *this), position);
  SizeTemplateLists();
  RaiseMajorChange();
  return column;
}

void TGridTable::DeleteColumn(int position) {
  if (position < 0 || position >= ColCount()) return;
  Columns_.erase(Columns_.begin() + position);
  SizeTemplateLists();
  RaiseMajorChange();
}

TColumn& TGridTable::ReplaceColumn(int position, TColumnType type) {
  auto& slot = Columns_.at(static_cast<size_t>(position));
  auto replacement = CreateColumn(type, *this);
  replacement->Heading = slot->Heading;
  replacement->Visible = slot->Visible;
  replacement->SameGroup = slot->SameGroup;
  slot = std::move(replacement);
  slot->InsertRows(0, RowCount_);
  SizeTemplateLists();
  RaiseMajorChange();
  return *slot;
}

TColumn& TGridTable::GetColumn(int index) const {
  return *Columns_.at(static_cast<size_t>(index));
}

int TGridTable::IndexOf(const TColumn* column) const {
  for (int i = 0; i < ColCount(); ++i) {
    if (Columns_[static_cast<size_t>(i)].get() == column) return i;
  }
  return -1;
}

int TGridTable::VisibleColCount() const {
  return static_cast<int>(std::count_if(Columns_.begin(), Columns_.end(),
                                        [](const auto& column) { return column->Visible; }));
}

int TGridTable::HeadingRows() const {
  int rows = 0;
  for (const auto& column : Columns_) {
    if (column->Visible) rows = std::max(rows, column->GetDisplayHeadingCount());
  }
  return rows;
}

TTableColumn* TGridTable::FirstTableColumn() const {
  for (const auto& column : Columns_) {
    if (column->Type() == TColumnType::kTable) return static_cast<TTableColumn*>(column.get());
  }
  return nullptr;
}

void TGridTable::SizeTemplateLists() {
  int count = 1;
  if (!Columns_.empty() && Columns_.front()->Type() == TColumnType::kEnum) {
    count = static_cast<int>(static_cast<const TEnumColumn&>(*Columns_.front()).Names().size());
  }
  for (const auto& column : Columns_) {
    if (column->Type() == TColumnType::kTable) {
      static_cast<TTableColumn&>(*column).Templates.Resize(count);
    }
  }
}

// ---- rows ----

void TGridTable::SetRowCount(int count) {
  count = std::max(count, 0);
  for (const auto& column : Columns_) {
    while (column->RowCount() > count) column->DeleteRow(column->RowCount() - 1);
    while (column->RowCount() < count) column->InsertRows(column->RowCount(), RowGroup_);
  }
  RowCount_ = Columns_.empty() ? count : Columns_.front()->RowCount();
}

void TGridTable::AddRowGroup() {
  for (const auto& column : Columns_) column->InsertRows(RowCount_, RowGroup_);
  RowCount_ += RowGroup_;
  RaiseMajorChange();
}

void TGridTable::InsertRowGroup(int row) {
  row = std::clamp(row, 0, RowCount_);
  const int first = row - row % RowGroup_;
  for (const auto& column : Columns_) column->InsertRows(first, RowGroup_);
  RowCount_ += RowGroup_;
  RaiseMajorChange();
}

void TGridTable::DeleteRowGroup(int row) {
  if (row < 0 || row >= RowCount_) return;
  const int first = row - row % RowGroup_;
  const int count = std::min(RowGroup_, RowCount_ - first);
  for (const auto& column : Columns_) {
    for (int i = 0; i < count; ++i) column->DeleteRow(first);
  }
  RowCount_ -= count;
  RaiseMajorChange();
}

// ---- cells ----

bool TGridTable::CellExists(int column, int row) const {
  return column >= 0 && column < ColCount() && row >= 0 && row < RowCount_;
}

TData& TGridTable::GetData(int column, int row) const {
  return GetColumn(column).Cell(row);
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

void TGridTable::ColumnCellChanged(const TColumn& column, int row) {
  const int index = IndexOf(&column);
  if (index == 0 && column.Type() == TColumnType::kEnum) {
    if (TTableColumn* nested = FirstTableColumn()) nested->UpdateDataValue(row);
  }
  if (OnCellChange) OnCellChange(index, row);
}

// ---- change tracking ----

bool TGridTable::GetChanged() const {
  return Changed_ || std::any_of(Columns_.begin(), Columns_.end(),
                                 [](const auto& column) { return column->GetChanged(); });
}

void TGridTable::SetChanged(bool value) {
  if (value) {
    Changed_ = true;
  } else {
    ResetChanged();
  }
}

void TGridTable::ResetChanged() {
  Changed_ = false;
  for (const auto& column : Columns_) column->ResetChanged();
}

// ---- window ----

void TGridTable::ShowWindow(bool modal) {
  if (VisibleColCount() == 0) return;
  if (!Window_) {
    if (Registry_->WindowFactory == nullptr) return;
    Window_ = Registry_->WindowFactory->CreateWindow(*this);
    if (!Window_) return;
    Window_->SetTitle(WindowTitle());
  }
  Window_->Show(modal);
}

void TGridTable::Show() {
  ShowWindow(false);
}
void TGridTable::ShowModal() {
  ShowWindow(true);
}

void TGridTable::Hide() {
  for (const auto& column : Columns_) column->HideForms();
  Window_.reset();
}

void TGridTable::Update() {
  if (!Window_) return;
  const bool modal = Window_->IsModal();
  Window_.reset();
  ShowWindow(modal);
}

void TGridTable::Updater() {
  Window_.reset();
}

}  // namespace tolvane::grid
