// The column classes of a grid table: the abstract TColumn with its cells and headings, and the
// five kinds of values a column holds.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "grid_table.h"

namespace tolvane::grid {

// Measures the width in pixels of a heading line on the window's canvas.
using TextMeasure = std::function<int(std::string_view)>;

class TColumn {
 public:
  explicit TColumn(TGridTable& table) : table_(&table) {}
  virtual ~TColumn() = default;
  TColumn(const TColumn&) = delete;
  TColumn& operator=(const TColumn&) = delete;

  virtual ColumnType columnType() const = 0;
  TGridTable& table() const { return *table_; }
  int RowCount() const { return static_cast<int>(cells_.size()); }
  TData& cell(int row) const;
  int rowOf(const TData* cell) const;

  std::vector<std::string> Heading;
  bool Visible = true;
  bool SameGroup = false;

  // Descendants insert their own values first, then call this to add the cell handles.
  virtual void InsertRows(int first, int count);
  virtual void DeleteRow(int row);

  int GetDisplayHeadingCount() const { return static_cast<int>(Heading.size()); }
  virtual std::string GetDisplayHeadings(int line) const;

  // Accessors a column does not support fail with EInvalidCast "Data of wrong type".
  virtual TGridTable* GetDataValue(int row) const;
  virtual long double GetFloatValue(int row) const;
  virtual void SetFloatValue(int row, long double value);
  virtual int32_t GetIntValue(int row) const;
  virtual void SetIntValue(int row, int32_t value);
  virtual TGridTable* GetObjValue(int row) const;
  virtual std::string GetStringValue(int row) const;
  // Text entry: the typed columns evaluate it as an expression; throws EAssignError.
  virtual void SetStringValue(int row, std::string_view text);

  virtual bool GetChanged() const { return false; }
  int GetRowGroup() const { return table_->RowGroup(); }
  virtual void HideForms() {}
  virtual void ResetChanged() {}
  // Widest heading line with two spaces appended, and at least the width of the column kind.
  int GetMinWidth(const TextMeasure& measure, int pixelsPerInch) const;
  virtual void ChangeUnits(int /*new_units*/) {}

  void WriteData(ValueWriter& writer) const;
  // Reads the column's part of the "Col" stream; throws ReadError.
  void readData(ValueReader& reader);
  // A column of the same class with the same visibility, headings and settings, for `table`.
  std::unique_ptr<TColumn> Clone(TGridTable& table) const;

 protected:
  virtual int kindMinWidth(int pixelsPerInch) const = 0;
  virtual void writeSettings(ValueWriter& writer) const = 0;
  virtual void readSettings(ValueReader& reader) = 0;
  virtual void copySettingsTo(TColumn& clone) const = 0;
  void notifyCellChange(int row) const { table_->columnCellChanged(*this, row); }
  // First and one-past-last row of the group containing the row.
  std::pair<int, int> groupRange(int row) const;
  // Rows a value set at this row goes to: the row's group with SameGroup, else the row.
  std::pair<int, int> targetRows(int row) const;
  int index() const { return table_->IndexOf(this); }

 private:
  TGridTable* table_;
  std::vector<std::unique_ptr<TData>> cells_;
};

class TEnumColumn : public TColumn {
 public:
  using TColumn::TColumn;
  ColumnType columnType() const override { return ColumnType::kEnum; }
  const std::vector<std::string>& Names() const { return names_; }
  void setNames(std::vector<std::string> names);
  void InsertRows(int first, int count) override;
  void DeleteRow(int row) override;
  int32_t GetIntValue(int row) const override;
  void SetIntValue(int row, int32_t value) override;
  std::string GetStringValue(int row) const override;
  void SetStringValue(int row, std::string_view text) override;

 protected:
  int kindMinWidth(int pixelsPerInch) const override;
  void writeSettings(ValueWriter& writer) const override;
  void readSettings(ValueReader& reader) override;
  void copySettingsTo(TColumn& clone) const override;

 private:
  std::vector<std::string> names_;
  std::vector<int32_t> values_;  // 1-based choice
};

class TIntColumn : public TColumn {
 public:
  using TColumn::TColumn;
  ColumnType columnType() const override { return ColumnType::kInt; }
  int32_t Default = 0;
  int32_t Minimum = INT32_MIN;
  int32_t Maximum = INT32_MAX;
  void InsertRows(int first, int count) override;
  void DeleteRow(int row) override;
  int32_t GetIntValue(int row) const override;
  void SetIntValue(int row, int32_t value) override;
  std::string GetStringValue(int row) const override;
  void SetStringValue(int row, std::string_view text) override;

 protected:
  int kindMinWidth(int pixelsPerInch) const override;
  void writeSettings(ValueWriter& writer) const override;
  void readSettings(ValueReader& reader) override;
  void copySettingsTo(TColumn& clone) const override;

 private:
  std::vector<int32_t> values_;
};

class TFloatColumn : public TColumn {
 public:
  using TColumn::TColumn;
  ColumnType columnType() const override { return ColumnType::kFloat; }
  long double Default = 0;
  bool TopDepth = false;
  std::string UnitsString;
  void InsertRows(int first, int count) override;
  void DeleteRow(int row) override;
  std::string GetDisplayHeadings(int line) const override;
  long double GetFloatValue(int row) const override;
  void SetFloatValue(int row, long double value) override;
  std::string GetStringValue(int row) const override;
  void SetStringValue(int row, std::string_view text) override;
  void ChangeUnits(int newUnits) override;

 protected:
  int kindMinWidth(int pixelsPerInch) const override;
  void writeSettings(ValueWriter& writer) const override;
  void readSettings(ValueReader& reader) override;
  void copySettingsTo(TColumn& clone) const override;

 private:
  TFloatColumn* neighbour(int offset) const;
  long double insertedValue(int row) const;
  void storeValue(int row, long double value);
  std::vector<long double> values_;
};

class TTableColumn : public TColumn {
 public:
  explicit TTableColumn(TGridTable& table) : TColumn(table), Templates(table.registry()) {}
  ColumnType columnType() const override { return ColumnType::kTable; }
  TGridTableList Templates;
  void InsertRows(int first, int count) override;
  void DeleteRow(int row) override;
  TGridTable* GetDataValue(int row) const override;
  TGridTable* GetObjValue(int row) const override;
  bool GetChanged() const override;
  void HideForms() override;
  void ResetChanged() override;
  void ChangeUnits(int newUnits) override;
  // Replaces the row's nested table by a fresh copy of the template its soil type selects.
  void UpdateDataValue(int row);
  std::string buttonCaption(int row) const;  // "3: Clay Layer Data"

 protected:
  int kindMinWidth(int pixelsPerInch) const override;
  void writeSettings(ValueWriter& writer) const override;
  void readSettings(ValueReader& reader) override;
  void copySettingsTo(TColumn& clone) const override;

 private:
  void renumberFrom(int row);
  std::vector<std::unique_ptr<TGridTable>> tables_;
};

class TStringColumn : public TColumn {
 public:
  using TColumn::TColumn;
  ColumnType columnType() const override { return ColumnType::kString; }
  std::string Default;
  long double MinWidth = 1.0L;  // inches
  void InsertRows(int first, int count) override;
  void DeleteRow(int row) override;
  std::string GetStringValue(int row) const override;
  void SetStringValue(int row, std::string_view text) override;

 protected:
  int kindMinWidth(int pixelsPerInch) const override;
  void writeSettings(ValueWriter& writer) const override;
  void readSettings(ValueReader& reader) override;
  void copySettingsTo(TColumn& clone) const override;

 private:
  std::vector<std::string> values_;
};

}  // namespace tolvane::grid
