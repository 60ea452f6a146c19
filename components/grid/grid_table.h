// Typed data tables: a list of columns (pick list, integer, real with units, nested table, text)
// over a common row count, cell handles that follow their rows, nested tables copied from
// templates, unit conversion of real columns, change tracking and the "Col" stream of the column
// definitions. The table window plugs in through GridTableWindow.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::grid {

class TColumn;
class TGridTable;
class TTableColumn;
class ValueReader;
class ValueWriter;

// A cell accessed as a kind of value its column does not hold ("Data of wrong type").
class EInvalidCast : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Other failures of a grid table: bad property values and unreadable column definitions.
class GridError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Type numbers of the column classes, as the "Col" stream stores them.
enum class ColumnType : int32_t { kEnum = 0, kInt = 1, kFloat = 2, kTable = 3, kString = 4 };

std::unique_ptr<TColumn> createColumn(ColumnType type, TGridTable& table);

// Storage objects of single values and of one entry of the column-class registry.
struct TIntStorage {
  int32_t Value = 0;
};
struct TFloatStorage {
  long double Value = 0;
};
struct TColumnTypeStorage {
  ColumnType ColumnClass = ColumnType::kEnum;
  int index = 0;  // the type number the "Col" stream stores
};

// The column classes with their type numbers, in type-number order. Fixed for the program's run.
const std::array<TColumnTypeStorage, 5>& columnClasses();

// The table window, implemented by the desktop program.
class GridTableWindow {
 public:
  virtual ~GridTableWindow() = default;
  virtual void Show(bool modal) = 0;
  virtual bool IsModal() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void setTitle(const std::string& title) = 0;
};

class GridTableWindowFactory {
 public:
  virtual ~GridTableWindowFactory() = default;
  virtual std::unique_ptr<GridTableWindow> createWindow(TGridTable& table) = 0;
};

// All live tables in creation order, and the counter that gives each new table its Identifier.
// The caller owns it; it must outlive every table registered in it.
class GridTableRegistry {
 public:
  GridTableRegistry() = default;
  GridTableRegistry(const GridTableRegistry&) = delete;
  GridTableRegistry& operator=(const GridTableRegistry&) = delete;

  int Count() const { return static_cast<int>(tables_.size()); }
  TGridTable* at(int position) const;                  // none for a position outside the registry
  int IndexOf(const TGridTable* table) const;          // -1 for none
  TGridTable* findByIdentifier(int identifier) const;  // the first table holding it

  // Creates the table windows; none in a program without windows.
  GridTableWindowFactory* windowFactory = nullptr;

 private:
  friend class TGridTable;
  int nextIdentifier() { return nextIdentifier_++; }
  void Add(TGridTable* table) { tables_.push_back(table); }
  void remove(const TGridTable* table);
  std::vector<TGridTable*> tables_;
  int nextIdentifier_ = 0;
};

// One entry of a template list: a registry position or a table identifier.
struct TIntWrapper {
  bool ByIdentifier = false;
  int32_t value = -1;
};

// The template tables of a table column, resolved through the registry at each lookup.
class TGridTableList {
 public:
  explicit TGridTableList(const GridTableRegistry& registry) : registry_(&registry) {}
  void Add(int position) { entries_.push_back({false, position}); }
  void Add(const TGridTable* table);  // by its registry position, -1 for none
  void AddByIdent(int identifier) { entries_.push_back({true, identifier}); }
  void Insert(int index, int position);
  void InsertByIdent(int index, int identifier);
  void Delete(int index);
  int Count() const { return static_cast<int>(entries_.size()); }
  TGridTable* Elements(int index) const;  // none for an empty or unknown entry
  std::vector<int> TableIndices() const;  // registry position of each entry, -1 for none
  const std::vector<TIntWrapper>& entries() const { return entries_; }
  void resize(int count);  // pads with empty entries or cuts

 private:
  const GridTableRegistry* registry_;
  std::vector<TIntWrapper> entries_;
};

// The handle of one cell. It knows only its column; its row is its position in the column, so
// it stays with its row when rows are inserted or deleted above it.
class TData {
 public:
  explicit TData(TColumn& column) : baseCol_(&column) {}
  TColumn& BaseCol() const { return *baseCol_; }
  int row() const;
  long double GetFloat() const;
  void SetFloat(long double value);
  int32_t GetInt() const;
  void SetInt(int32_t value);
  std::string GetValue() const;
  void SetValue(std::string_view text);
  TGridTable* GetData() const;

 private:
  TColumn* baseCol_;
};

class TGridTable {
 public:
  // Registers the table and gives it the next Identifier; Units come from a table owner.
  TGridTable(GridTableRegistry& registry, TGridTable* owner = nullptr);
  ~TGridTable();
  TGridTable(const TGridTable&) = delete;
  TGridTable& operator=(const TGridTable&) = delete;

  // A new table with the texts, row limits and column clones of the source, `ID` = id and
  // `MinRows` rows.
  static std::unique_ptr<TGridTable> CreateCopy(TGridTable* owner, int id,
                                                const TGridTable& source);

  GridTableRegistry& registry() const { return *registry_; }
  TGridTable* owner() const { return owner_; }

  std::string Caption;
  std::string Comments;
  std::string TopLeft;
  std::string HelpPicture;  // picture shown in the table window
  int MaxRows = 0;
  bool HardwiredButton = false;
  std::function<void(int column, int row)> OnCellChange;
  std::function<void()> OnMajorChange;

  int Identifier() const { return identifier_; }
  void SetIdentifier(int value);
  int MinRows() const { return minRows_; }
  void SetMinRows(int value);
  int RowGroup() const { return rowGroup_; }
  void setRowGroup(int value) { rowGroup_ = value < 1 ? 1 : value; }
  int Units() const { return units_; }
  void SetUnits(int value);
  int ID() const { return id_; }
  void SetID(int value);
  std::string idPath() const;       // " 3" for the table of row 3 of a top-level table
  std::string windowTitle() const;  // Caption, " " and the ID path
  // While the column definitions are loaded from the program's resources.
  void setLoading(bool loading) { loading_ = loading; }

  // Columns; each change sizes the template lists and raises OnMajorChange.
  TColumn& AddColumn(ColumnType type);
  TColumn& InsertColumn(int position, ColumnType type);
  void DeleteColumn(int position);
  TColumn& ReplaceColumn(int position, ColumnType type);
  TColumn& GetColumn(int index) const;
  int IndexOf(const TColumn* column) const;
  int ColCount() const { return static_cast<int>(columns_.size()); }
  int visibleColCount() const;
  int HeadingRows() const;  // most heading lines of a visible column

  // Rows.
  int RowCount() const { return rowCount_; }
  void SetRowCount(int count);
  void AddRowGroup();
  void InsertRowGroup(int row);
  void DeleteRowGroup(int row);

  // Cells.
  bool CellExists(int column, int row) const;
  TData& GetData(int column, int row) const;
  long double GetFloatValue(int column, int row) const;
  void SetFloatValue(int column, int row, long double value);
  int32_t GetIntValue(int column, int row) const;
  void SetIntValue(int column, int row, int32_t value);
  std::string GetStringValue(int column, int row) const;
  void SetStringValue(int column, int row, std::string_view text);
  TGridTable* GetDataValue(int column, int row) const;

  // Change tracking: the flag of this table or a change reported by any column.
  bool GetChanged() const;
  void SetChanged(bool value);
  void ResetChanged();

  // The "Col" stream of the column definitions.
  void readColumns(ValueReader& reader);  // throws GridError; replaces the columns
  void writeColumns(ValueWriter& writer) const;

  // Window.
  void Show();
  void ShowModal();
  void Hide();
  void Update();   // closes and reopens an open window
  void Updater();  // closes an open window
  bool FormVisible() const { return window_ != nullptr; }
  bool IsModal() const { return window_ != nullptr && window_->IsModal(); }
  int FormWidth() const { return window_ ? window_->Width() : 0; }
  int FormHeight() const { return window_ ? window_->Height() : 0; }

  // Called by the columns.
  void columnCellChanged(const TColumn& column, int row);
  void sizeTemplateLists();

 private:
  void showWindow(bool modal);
  TColumn& attachColumn(std::unique_ptr<TColumn> column, int position);
  void raiseMajorChange() const;
  TTableColumn* firstTableColumn() const;

  GridTableRegistry* registry_;
  TGridTable* owner_;
  std::vector<std::unique_ptr<TColumn>> columns_;
  std::unique_ptr<GridTableWindow> window_;
  int identifier_;
  int minRows_ = 1;
  int rowGroup_ = 1;
  int rowCount_ = 0;
  int units_;
  int id_ = 0;
  bool changed_ = false;
  bool loading_ = false;
};

}  // namespace tolvane::grid
