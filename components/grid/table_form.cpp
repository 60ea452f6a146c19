#include "table_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "columns.h"
#include "expression.h"

namespace tolvane::grid {
namespace {

constexpr int kMaxRowsShown = 10;
constexpr int kMarginDivisor = 20;          // the margin is a twentieth of an inch
constexpr int kFixedColumnInchDivisor = 3;  // the row-number column is at least a third of an inch
constexpr int kComboItemsShown = 11;
const char* const kRowNotValid = "Grid.Row not in valid range";

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QTableWidgetItem* FixedItem(const QString& text, const QPalette& palette) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setBackground(palette.button());
  return item;
}

bool HasControls(const TColumn& column) {
  return column.Type() == TColumnType::kEnum || column.Type() == TColumnType::kTable;
}

}  // namespace

// ---- grid ----

void TTableGrid::FinishEditing() {
  if (state() != QAbstractItemView::EditingState) return;
  QWidget* editor = QApplication::focusWidget();
  if (editor == nullptr || !viewport()->isAncestorOf(editor)) return;
  commitData(editor);
  QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TTableGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit EnterPressed();
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void TTableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool enter = hint == QAbstractItemDelegate::SubmitModelCache;
  QTableWidget::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
  if (enter) emit EnterPressed();
}

// ---- window ----

TTableForm::TTableForm(TGridTable& table, entry::TMessageSink& messages, QWidget* parent)
    : QDialog(parent),
      Data_(&table),
      Messages_(&messages),
      Grid_(new TTableGrid(this)),
      BtnAdd_(new QPushButton(QStringLiteral("&Add Row"), this)),
      BtnIns_(new QPushButton(QStringLiteral("&Insert Row"), this)),
      BtnDel_(new QPushButton(QStringLiteral("&Delete Row"), this)),
      Comments_(new QLabel(this)),
      Help_(new QLabel(this)) {
  if (table.RowCount() < table.MinRows()) table.SetRowCount(table.MinRows());
  setWindowTitle(Q(table.WindowTitle()));
  Grid_->horizontalHeader()->hide();
  Grid_->verticalHeader()->hide();
  Grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  Grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  Grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Comments_->setWordWrap(false);
  ColumnsVisible_ = table.VisibleColCount();
  RowsVisible_ = std::min(table.RowCount(), kMaxRowsShown);
  connect(Grid_, &QTableWidget::currentCellChanged, this, &TTableForm::OnCurrentCellChanged);
  connect(Grid_, &TTableGrid::EnterPressed, this, &TTableForm::MoveOnEnter);
  connect(BtnAdd_, &QPushButton::clicked, this, &TTableForm::AddRow);
  connect(BtnIns_, &QPushButton::clicked, this, &TTableForm::InsertRow);
  connect(BtnDel_, &QPushButton::clicked, this, &TTableForm::DeleteRow);
  Connect();
  Refresh();
}

TTableForm::~TTableForm() {
  if (!Detached_) Disconnect();
}

void TTableForm::Detach() {
  if (Detached_) return;
  Disconnect();
  Detached_ = true;
}

void TTableForm::Connect() {
  Data_->OnCellChange = [this](int, int) {
    if (!Refreshing_) FillCells();
  };
  Data_->OnMajorChange = [this] {
    if (!Refreshing_) Refresh();
  };
}

void TTableForm::Disconnect() {
  Data_->OnCellChange = nullptr;
  Data_->OnMajorChange = nullptr;
}

int TTableForm::Margin() const {
  return std::max(logicalDpiX() / kMarginDivisor, 1);
}

TColumn* TTableForm::VisibleColumn(int index) const {
  int seen = 0;
  for (int c = 0; c < Data_->ColCount(); ++c) {
    TColumn& column = Data_->GetColumn(c);
    if (!column.Visible) continue;
    if (seen++ == index) return &column;
  }
  return nullptr;
}

int TTableForm::CurrentDataRow() const {
  const int row = Grid_->currentRow() - HeadingRows_;
  return row >= 0 && row < Data_->RowCount() ? row : -1;
}

void TTableForm::Refresh() {
  Refreshing_ = true;
  const int visible = Data_->VisibleColCount();
  ColumnsVisible_ = std::min(std::max(ColumnsVisible_, visible > 0 ? 1 : 0), visible);
  RowsVisible_ = std::min(RowsVisible_, Data_->RowCount());
  HeadingRows_ = std::max(Data_->HeadingRows(), 1);
  Grid_->FirstDataRow = HeadingRows_;
  Grid_->clear();
  Grid_->setRowCount(HeadingRows_ + Data_->RowCount());
  Grid_->setColumnCount(visible + 1);
  const QFontMetrics metrics = Grid_->fontMetrics();
  const auto measure = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(Q(std::string(text)));
  };
  const QPalette palette = Grid_->palette();
  Grid_->setItem(0, 0, FixedItem(Q(Data_->TopLeft), palette));
  for (int line = 1; line < HeadingRows_; ++line) Grid_->setItem(line, 0, FixedItem({}, palette));
  Grid_->setColumnWidth(
      0, std::max(measure(Data_->TopLeft + "  "), logicalDpiX() / kFixedColumnInchDivisor));
  const int group = std::max(Data_->RowGroup(), 1);
  for (int r = 0; r < Data_->RowCount(); ++r) {
    Grid_->setItem(HeadingRows_ + r, 0, FixedItem(QString::number(r / group + 1), palette));
  }
  for (int c = 0; c < visible; ++c) {
    const TColumn& column = *VisibleColumn(c);
    int width = column.GetMinWidth(measure, logicalDpiX());
    for (int line = 0; line < HeadingRows_; ++line) {
      const std::string heading = column.GetDisplayHeadings(line);
      width = std::max(width, measure(heading + "  "));
      Grid_->setItem(line, c + 1, FixedItem(Q(heading), palette));
    }
    Grid_->setColumnWidth(c + 1, width);
  }
  FillCells();
  const bool buttons = Data_->MinRows() != Data_->MaxRows;
  BtnAdd_->setVisible(buttons);
  BtnIns_->setVisible(buttons);
  BtnDel_->setVisible(buttons);
  BtnAdd_->setEnabled(Data_->RowCount() != Data_->MaxRows);
  BtnIns_->setEnabled(Data_->RowCount() != Data_->MaxRows);
  BtnDel_->setEnabled(Data_->MinRows() < Data_->RowCount());
  Comments_->setText(Q(Data_->Comments));
  Comments_->setVisible(!Data_->Comments.empty());
  Help_->setVisible(false);
  Refreshing_ = false;
  Layout();
}

void TTableForm::FillCells() {
  const bool refreshing = Refreshing_;
  Refreshing_ = true;
  const int visible = Data_->VisibleColCount();
  for (int c = 0; c < visible; ++c) {
    TColumn& column = *VisibleColumn(c);
    for (int r = 0; r < Data_->RowCount(); ++r) {
      const int grid_row = HeadingRows_ + r;
      if (column.Type() == TColumnType::kEnum) {
        auto* box = qobject_cast<QComboBox*>(Grid_->cellWidget(grid_row, c + 1));
        if (box == nullptr) {
          box = new QComboBox(Grid_);
          box->setMaxVisibleItems(kComboItemsShown);
          for (const std::string& name : static_cast<TEnumColumn&>(column).Names()) {
            box->addItem(Q(name));
          }
          connect(box, &QComboBox::activated, this, [this, &column, r](int index) {
            if (column.GetIntValue(r) != index + 1) {
              column.SetIntValue(r, index + 1);
              Data_->SetChanged(true);
            }
          });
          Grid_->setCellWidget(grid_row, c + 1, box);
        }
        box->setCurrentIndex(column.GetIntValue(r) - 1);
      } else if (column.Type() == TColumnType::kTable) {
        auto& nested = static_cast<TTableColumn&>(column);
        auto* button = qobject_cast<QPushButton*>(Grid_->cellWidget(grid_row, c + 1));
        if (button == nullptr) {
          button = new QPushButton(Grid_);
          connect(button, &QPushButton::clicked, this, [this, &nested, r] {
            if (TGridTable* inner = nested.GetDataValue(r)) {
              if (isModal()) {
                inner->ShowModal();
              } else {
                inner->Show();
              }
            }
          });
          Grid_->setCellWidget(grid_row, c + 1, button);
        }
        button->setText(Q(nested.ButtonCaption(r)));
      } else {
        QTableWidgetItem* item = Grid_->item(grid_row, c + 1);
        if (item == nullptr) {
          item = new QTableWidgetItem;
          Grid_->setItem(grid_row, c + 1, item);
        }
        item->setText(Q(column.GetStringValue(r)));
      }
    }
  }
  Refreshing_ = refreshing;
}

void TTableForm::Layout() {
  const int m = Margin();
  const int frame = 2 * Grid_->frameWidth();
  const int first_shown = Grid_->horizontalScrollBar()->value();
  int width = frame + Grid_->columnWidth(0);
  for (int c = 0; c < ColumnsVisible_; ++c) {
    const int column = std::min(first_shown + c, Grid_->columnCount() - 2) + 1;
    if (column >= 1) width += Grid_->columnWidth(column);
  }
  const int scroll_extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const bool all_rows = RowsVisible_ >= Data_->RowCount();
  const bool all_columns = ColumnsVisible_ >= Data_->VisibleColCount();
  if (!all_rows) width += scroll_extent;
  const int row_height = Grid_->verticalHeader()->defaultSectionSize();
  int height = frame + row_height * (HeadingRows_ + RowsVisible_);
  if (!all_columns) height += scroll_extent;
  Grid_->setGeometry(m, m, width, height);
  int y = m + height + m;
  int x = m;
  for (QPushButton* button : {BtnAdd_, BtnIns_, BtnDel_}) {
    button->adjustSize();
    button->move(x, y);
    x += button->width() + m;
  }
  if (!BtnAdd_->isHidden()) y += BtnAdd_->height() + m;
  int right = std::max(m + width, BtnAdd_->isHidden() ? 0 : BtnDel_->geometry().right());
  if (!Comments_->isHidden()) {
    Comments_->adjustSize();
    Comments_->move(m, y);
    y += Comments_->height() + m;
    right = std::max(right, m + Comments_->width());
  }
  const QSize client(right + m, y);
  Snapping_ = true;
  resize(client);
  Snapping_ = false;
}

TTableLayoutInput TTableForm::LayoutInput() const {
  TTableLayoutInput input;
  for (int c = 1; c < Grid_->columnCount(); ++c)
    input.ColumnWidths.push_back(Grid_->columnWidth(c));
  input.FixedWidth = 2 * Grid_->frameWidth() + Grid_->columnWidth(0);
  input.RowHeight = Grid_->verticalHeader()->defaultSectionSize();
  input.FixedRows = HeadingRows_;
  input.DataRows = Data_->RowCount();
  const int m = Margin();
  input.ExtraWidth = 2 * m;
  input.MinWidth = BtnAdd_->isHidden() ? 0 : BtnDel_->geometry().right() + m;
  input.ScrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  input.ScrollBarHeight = input.ScrollBarWidth;
  input.LeftColumn = Grid_->horizontalScrollBar()->value();
  input.TopRow = Grid_->verticalScrollBar()->value();
  return input;
}

void TTableForm::SnapTo(int width, int height) {
  TTableLayoutInput input = LayoutInput();
  // The height around and below the grid's rows does not depend on the rows shown.
  const int shown_rows_height =
      input.RowHeight * (input.FixedRows + RowsVisible_) +
      (ColumnsVisible_ < Data_->VisibleColCount() ? input.ScrollBarHeight : 0);
  input.ExtraHeight = this->height() - shown_rows_height;
  const auto layouts = TableLayouts(input, width, height);
  const TTableLayout& chosen =
      layouts[static_cast<size_t>(ChooseTableLayout(layouts, width, height))];
  ColumnsVisible_ = chosen.Columns;
  RowsVisible_ = chosen.Rows;
  Grid_->horizontalScrollBar()->setValue(chosen.LeftColumn);
  Grid_->verticalScrollBar()->setValue(chosen.TopRow);
  Layout();
}

bool TTableForm::CommitAt(int grid_row, int grid_column) {
  const int row = grid_row - HeadingRows_;
  if (row < 0 || row >= Data_->RowCount() || grid_column < 1) return true;
  TColumn* column = VisibleColumn(grid_column - 1);
  if (column == nullptr || HasControls(*column)) return true;
  const QTableWidgetItem* item = Grid_->item(grid_row, grid_column);
  const std::string typed = item != nullptr ? item->text().toStdString() : std::string();
  if (typed == column->GetStringValue(row)) return true;  // nothing was typed
  try {
    column->SetStringValue(row, typed);
  } catch (const std::exception& error) {
    Messages_->Information(this, error.what());
    return false;
  }
  Data_->SetChanged(true);
  FillCells();
  return true;
}

bool TTableForm::CommitCell() {
  Grid_->FinishEditing();
  return CommitAt(Grid_->currentRow(), Grid_->currentColumn());
}

void TTableForm::OnCurrentCellChanged(int row, int column, int previous_row, int previous_column) {
  if (Refreshing_) return;
  if (!CommitAt(previous_row, previous_column)) {
    Refreshing_ = true;
    Grid_->setCurrentCell(previous_row, previous_column);
    Refreshing_ = false;
    return;
  }
  // Cells of columns with controls and the fixed cells cannot be selected.
  const TColumn* target = column >= 1 ? VisibleColumn(column - 1) : nullptr;
  if (row >= HeadingRows_ && target != nullptr && HasControls(*target)) {
    Refreshing_ = true;
    Grid_->setCurrentCell(previous_row, previous_column);
    Refreshing_ = false;
  }
}

void TTableForm::MoveOnEnter() {
  int row = Grid_->currentRow();
  int column = Grid_->currentColumn();
  if (row < HeadingRows_ || column < 1) return;
  if (row + 1 < Grid_->rowCount()) {
    ++row;
  } else {
    row = HeadingRows_;
    column = column + 1 < Grid_->columnCount() ? column + 1 : 1;
  }
  Grid_->setCurrentCell(row, column);
}

void TTableForm::AddRow() {
  if (!CommitCell()) return;
  Disconnect();
  const int group = std::max(Data_->RowGroup(), 1);
  if (RowsVisible_ >= Data_->RowCount())
    RowsVisible_ = std::min(RowsVisible_ + group, kMaxRowsShown);
  Data_->AddRowGroup();
  Data_->SetChanged(true);
  Connect();
  Refresh();
  Grid_->scrollToBottom();
}

void TTableForm::InsertRow() {
  if (!CommitCell()) return;
  const int row = CurrentDataRow();
  if (row < 0) {
    Messages_->Information(this, kRowNotValid);
    return;
  }
  Disconnect();
  Data_->SetChanged(true);
  const int group = std::max(Data_->RowGroup(), 1);
  if (RowsVisible_ >= Data_->RowCount())
    RowsVisible_ = std::min(RowsVisible_ + group, kMaxRowsShown);
  Data_->InsertRowGroup(row);
  Connect();
  Refresh();
}

void TTableForm::DeleteRow() {
  if (!CommitCell()) return;
  const int row = CurrentDataRow();
  if (row < 0) {
    Messages_->Information(this, kRowNotValid);
    return;
  }
  Disconnect();
  Data_->SetChanged(true);
  Data_->DeleteRowGroup(row);
  Connect();
  Refresh();
}

void TTableForm::closeEvent(QCloseEvent* event) {
  if (Detached_) {
    event->accept();
    return;
  }
  if (!CommitCell()) {
    event->ignore();
    return;
  }
  event->accept();
  Disconnect();
  // The table forgets its window once the close has finished.
  QTimer::singleShot(0, this, [this] {
    if (!Detached_) Data_->Updater();
  });
}

void TTableForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (event->spontaneous() && !Snapping_) SnapTo(width(), height());
}

bool TTableForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate && !Detached_ && !isModal() && isVisible() &&
      QApplication::activeModalWidget() == nullptr) {
    if (!CommitCell()) {
      QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
      });
    }
  }
  return QDialog::event(event);
}

// ---- the window object of a table ----

TTableWindow::TTableWindow(TGridTable& table, entry::TMessageSink& messages, QWidget* parent)
    : Form_(new TTableForm(table, messages, parent)) {}

TTableWindow::~TTableWindow() {
  TTableForm* form = Form_.data();
  if (form == nullptr) return;
  form->Detach();  // the table may go before the window is deleted
  form->hide();
  form->deleteLater();
}

void TTableWindow::Show(bool modal) {
  TTableForm* form = Form_.data();
  if (form == nullptr) return;
  Modal_ = modal;
  if (modal) {
    form->exec();
    Modal_ = false;
    return;
  }
  form->show();
  form->raise();
  form->activateWindow();
}

bool TTableWindow::IsModal() const {
  const TTableForm* form = Form_.data();
  return Modal_ && form != nullptr && form->isVisible();
}

int TTableWindow::Width() const {
  const TTableForm* form = Form_.data();
  return form != nullptr ? form->width() : 0;
}

int TTableWindow::Height() const {
  const TTableForm* form = Form_.data();
  return form != nullptr ? form->height() : 0;
}

void TTableWindow::SetTitle(const std::string& title) {
  TTableForm* form = Form_.data();
  if (form != nullptr) form->setWindowTitle(Q(title));
}

std::unique_ptr<TGridTableWindow> TTableWindowFactory::CreateWindow(TGridTable& table) {
  return std::make_unique<TTableWindow>(table, *Messages_, Parent_.data());
}

}  // namespace tolvane::grid
