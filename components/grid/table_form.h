// The table window: a grid table edited as a spreadsheet, with fixed heading rows carrying the
// units, typed entry evaluated as expressions, pick lists and nested-table buttons, row buttons
// within the table's row limits and a size that snaps to whole rows and columns.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTableWidget>
#include <memory>

#include "grid_table.h"
#include "qt_data_edit.h"
#include "table_layout.h"

class QLabel;
class QPushButton;

namespace tolvane::grid {

// The grid of the window: Enter moves down a column and on to the next one.
class TTableGrid : public QTableWidget {
  Q_OBJECT

 public:
  using QTableWidget::QTableWidget;
  // Commits and closes an open cell editor.
  void FinishEditing();
  int FirstDataRow = 1;

 signals:
  void EnterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

class TTableForm : public QDialog {
  Q_OBJECT

 public:
  TTableForm(TGridTable& table, entry::TMessageSink& messages, QWidget* parent = nullptr);
  ~TTableForm() override;

  TGridTable& Data() const { return *Data_; }
  int HeadingRows() const { return HeadingRows_; }
  int ColumnsVisible() const { return ColumnsVisible_; }
  int RowsVisible() const { return RowsVisible_; }
  TTableGrid* Grid() const { return Grid_; }
  QPushButton* BtnAdd() const { return BtnAdd_; }
  QPushButton* BtnIns() const { return BtnIns_; }
  QPushButton* BtnDel() const { return BtnDel_; }

  // Commits the current cell; false (with the message shown) when its entry is refused.
  bool CommitCell();
  void Refresh();
  // The data row of the grid's current cell, -1 on a heading row.
  int CurrentDataRow() const;
  // Snaps the window to the layout nearest to a dragged size.
  void SnapTo(int width, int height);

  void AddRow();
  void InsertRow();
  void DeleteRow();
  // The table lets go of its window: the window no longer touches it.
  void Detach();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Connect();
  void Disconnect();
  void FillCells();
  void Layout();
  void OnCurrentCellChanged(int row, int column, int previous_row, int previous_column);
  bool CommitAt(int grid_row, int grid_column);
  void MoveOnEnter();
  TTableLayoutInput LayoutInput() const;
  int Margin() const;
  TColumn* VisibleColumn(int index) const;

  TGridTable* Data_;
  entry::TMessageSink* Messages_;
  TTableGrid* Grid_;
  QPushButton* BtnAdd_;
  QPushButton* BtnIns_;
  QPushButton* BtnDel_;
  QLabel* Comments_;
  QLabel* Help_;
  int HeadingRows_ = 1;
  int ColumnsVisible_ = 0;
  int RowsVisible_ = 0;
  bool Refreshing_ = false;
  bool Snapping_ = false;
  bool Detached_ = false;
};

// The window object a grid table owns while its window is open.
class TTableWindow : public TGridTableWindow {
 public:
  TTableWindow(TGridTable& table, entry::TMessageSink& messages, QWidget* parent);
  ~TTableWindow() override;
  void Show(bool modal) override;
  bool IsModal() const override;
  int Width() const override;
  int Height() const override;
  void SetTitle(const std::string& title) override;
  TTableForm* Form() const { return Form_; }

 private:
  QPointer<TTableForm> Form_;
  bool Modal_ = false;
};

// Creates the table windows of a registry's tables, owned by a parent window.
class TTableWindowFactory : public TGridTableWindowFactory {
 public:
  TTableWindowFactory(QWidget* parent, entry::TMessageSink& messages)
      : Parent_(parent), Messages_(&messages) {}
  std::unique_ptr<TGridTableWindow> CreateWindow(TGridTable& table) override;

 private:
  QPointer<QWidget> Parent_;
  entry::TMessageSink* Messages_;
};

}  // namespace tolvane::grid
