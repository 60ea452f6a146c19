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
class TableGrid : public QTableWidget {
  Q_OBJECT

 public:
  using QTableWidget::QTableWidget;
  // Commits and closes an open cell editor.
  void finishEditing();
  int firstDataRow = 1;

 signals:
  void enterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

class TTableForm : public QDialog {
  Q_OBJECT

 public:
  TTableForm(TGridTable& table, entry::MessageSink& messages, QWidget* parent = nullptr);
  ~TTableForm() override;

  TGridTable& Data() const { return *data_; }
  int HeadingRows() const { return headingRows_; }
  int ColumnsVisible() const { return columnsVisible_; }
  int RowsVisible() const { return rowsVisible_; }
  TableGrid* Grid() const { return grid_; }
  QPushButton* BtnAdd() const { return btnAdd_; }
  QPushButton* BtnIns() const { return btnIns_; }
  QPushButton* BtnDel() const { return btnDel_; }

  // Commits the current cell; false (with the message shown) when its entry is refused.
  bool commitCell();
  void refresh();
  // The data row of the grid's current cell, -1 on a heading row.
  int currentDataRow() const;
  // Snaps the window to the layout nearest to a dragged size.
  void snapTo(int width, int height);

  void addRow();
  void insertGridRow();
  void DeleteRow();
  // The table lets go of its window: the window no longer touches it.
  void detach();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void connectGrid();
  void disconnectGrid();
  void fillCells();
  void Layout();
  void onCurrentCellChanged(int row, int column, int previousRow, int previousColumn);
  bool commitAt(int gridRow, int gridColumn);
  void moveOnEnter();
  TableLayoutInput layoutInput() const;
  int gridMargin() const;
  TColumn* visibleColumn(int index) const;

  TGridTable* data_;
  entry::MessageSink* messages_;
  TableGrid* grid_;
  QPushButton* btnAdd_;
  QPushButton* btnIns_;
  QPushButton* btnDel_;
  QLabel* comments_;
  QLabel* help_;
  int headingRows_ = 1;
  int columnsVisible_ = 0;
  int rowsVisible_ = 0;
  bool refreshing_ = false;
  bool snapping_ = false;
  bool detached_ = false;
};

// The window object a grid table owns while its window is open.
class TableWindow : public GridTableWindow {
 public:
  TableWindow(TGridTable& table, entry::MessageSink& messages, QWidget* parent);
  ~TableWindow() override;
  void Show(bool modal) override;
  bool IsModal() const override;
  int Width() const override;
  int Height() const override;
  void setTitle(const std::string& title) override;
  TTableForm* form() const { return form_; }

 private:
  QPointer<TTableForm> form_;
  bool modal_ = false;
};

// Creates the table windows of a registry's tables, owned by a parent window.
class TableWindowFactory : public GridTableWindowFactory {
 public:
  TableWindowFactory(QWidget* parent, entry::MessageSink& messages)
      : parent_(parent), messages_(&messages) {}
  std::unique_ptr<GridTableWindow> createWindow(TGridTable& table) override;

 private:
  QPointer<QWidget> parent_;
  entry::MessageSink* messages_;
};

}  // namespace tolvane::grid
