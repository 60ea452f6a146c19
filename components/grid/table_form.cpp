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

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

QTableWidgetItem* fixedItem(const QString& text, const QPalette& palette) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setBackground(palette.button());
  return item;
}

bool hasControls(const TColumn& column) {
  return column.columnType() == ColumnType::kEnum || column.columnType() == ColumnType::kTable;
}

}  // namespace

// ---- grid ----

void TableGrid::finishEditing() {
  if (state() != QAbstractItemView::EditingState) return;
  QWidget* editor = QApplication::focusWidget();
  if (editor == nullptr || !viewport()->isAncestorOf(editor)) return;
  commitData(editor);
  QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit enterPressed();
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void TableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool enter = hint == QAbstractItemDelegate::SubmitModelCache;
  QTableWidget::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
  if (enter) emit enterPressed();
}

// ---- window ----

TTableForm::TTableForm(TGridTable& table, entry::MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      data_(&table),
      messages_(&messages),
      grid_(new TableGrid(this)),
      btnAdd_(new QPushButton(QStringLiteral("&Add Row"), this)),
      btnIns_(new QPushButton(QStringLiteral("&Insert Row"), this)),
      btnDel_(new QPushButton(QStringLiteral("&Delete Row"), this)),
      comments_(new QLabel(this)),
      help_(new QLabel(this)) {
  if (table.RowCount() < table.MinRows()) table.SetRowCount(table.MinRows());
  setWindowTitle(q(table.windowTitle()));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  comments_->setWordWrap(false);
  columnsVisible_ = table.visibleColCount();
  rowsVisible_ = std::min(table.RowCount(), kMaxRowsShown);
  connect(grid_, &QTableWidget::currentCellChanged, this, &TTableForm::onCurrentCellChanged);
  connect(grid_, &TableGrid::enterPressed, this, &TTableForm::moveOnEnter);
  connect(btnAdd_, &QPushButton::clicked, this, &TTableForm::addRow);
  connect(btnIns_, &QPushButton::clicked, this, &TTableForm::insertGridRow);
  connect(btnDel_, &QPushButton::clicked, this, &TTableForm::DeleteRow);
  connectGrid();
  refresh();
}

TTableForm::~TTableForm() {
  if (!detached_) disconnectGrid();
}

void TTableForm::detach() {
  if (detached_) return;
  disconnectGrid();
  detached_ = true;
}

void TTableForm::connectGrid() {
  data_->OnCellChange = [this](int, int) {
    if (!refreshing_) fillCells();
  };
  data_->OnMajorChange = [this] {
    if (!refreshing_) refresh();
  };
}

void TTableForm::disconnectGrid() {
  data_->OnCellChange = nullptr;
  data_->OnMajorChange = nullptr;
}

int TTableForm::gridMargin() const {
  return std::max(logicalDpiX() / kMarginDivisor, 1);
}

TColumn* TTableForm::visibleColumn(int index) const {
  int seen = 0;
  for (int c = 0; c < data_->ColCount(); ++c) {
    TColumn& column = data_->GetColumn(c);
    if (!column.Visible) continue;
    if (seen++ == index) return &column;
  }
  return nullptr;
}

int TTableForm::currentDataRow() const {
  const int row = grid_->currentRow() - headingRows_;
  return row >= 0 && row < data_->RowCount() ? row : -1;
}

void TTableForm::refresh() {
  refreshing_ = true;
  const int visible = data_->visibleColCount();
  columnsVisible_ = std::min(std::max(columnsVisible_, visible > 0 ? 1 : 0), visible);
  rowsVisible_ = std::min(rowsVisible_, data_->RowCount());
  headingRows_ = std::max(data_->HeadingRows(), 1);
  grid_->firstDataRow = headingRows_;
  grid_->clear();
  grid_->setRowCount(headingRows_ + data_->RowCount());
  grid_->setColumnCount(visible + 1);
  const QFontMetrics metrics = grid_->fontMetrics();
  const auto measure = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(q(std::string(text)));
  };
  const QPalette palette = grid_->palette();
  grid_->setItem(0, 0, fixedItem(q(data_->TopLeft), palette));
  for (int line = 1; line < headingRows_; ++line) grid_->setItem(line, 0, fixedItem({}, palette));
  grid_->setColumnWidth(
      0, std::max(measure(data_->TopLeft + "  "), logicalDpiX() / kFixedColumnInchDivisor));
  const int group = std::max(data_->RowGroup(), 1);
  for (int r = 0; r < data_->RowCount(); ++r) {
    grid_->setItem(headingRows_ + r, 0, fixedItem(QString::number(r / group + 1), palette));
  }
  for (int c = 0; c < visible; ++c) {
    const TColumn& column = *visibleColumn(c);
    int width = column.GetMinWidth(measure, logicalDpiX());
    for (int line = 0; line < headingRows_; ++line) {
      const std::string heading = column.GetDisplayHeadings(line);
      width = std::max(width, measure(heading + "  "));
      grid_->setItem(line, c + 1, fixedItem(q(heading), palette));
    }
    grid_->setColumnWidth(c + 1, width);
  }
  fillCells();
  const bool buttons = data_->MinRows() != data_->MaxRows;
  btnAdd_->setVisible(buttons);
  btnIns_->setVisible(buttons);
  btnDel_->setVisible(buttons);
  btnAdd_->setEnabled(data_->RowCount() != data_->MaxRows);
  btnIns_->setEnabled(data_->RowCount() != data_->MaxRows);
  btnDel_->setEnabled(data_->MinRows() < data_->RowCount());
  comments_->setText(q(data_->Comments));
  comments_->setVisible(!data_->Comments.empty());
  help_->setVisible(false);
  refreshing_ = false;
  Layout();
}

void TTableForm::fillCells() {
  const bool refreshing = refreshing_;
  refreshing_ = true;
  const int visible = data_->visibleColCount();
  for (int c = 0; c < visible; ++c) {
    TColumn& column = *visibleColumn(c);
    for (int r = 0; r < data_->RowCount(); ++r) {
      const int gridRow = headingRows_ + r;
      if (column.columnType() == ColumnType::kEnum) {
        auto* box = qobject_cast<QComboBox*>(grid_->cellWidget(gridRow, c + 1));
        if (box == nullptr) {
          box = new QComboBox(grid_);
          box->setMaxVisibleItems(kComboItemsShown);
          for (const std::string& name : static_cast<TEnumColumn&>(column).Names()) {
            box->addItem(q(name));
          }
          connect(box, &QComboBox::activated, this, [this, &column, r](int index) {
            if (column.GetIntValue(r) != index + 1) {
              column.SetIntValue(r, index + 1);
              data_->SetChanged(true);
            }
          });
          grid_->setCellWidget(gridRow, c + 1, box);
        }
        box->setCurrentIndex(column.GetIntValue(r) - 1);
      } else if (column.columnType() == ColumnType::kTable) {
        auto& nested = static_cast<TTableColumn&>(column);
        auto* button = qobject_cast<QPushButton*>(grid_->cellWidget(gridRow, c + 1));
        if (button == nullptr) {
          button = new QPushButton(grid_);
          connect(button, &QPushButton::clicked, this, [this, &nested, r] {
            if (TGridTable* inner = nested.GetDataValue(r)) {
              if (isModal()) {
                inner->ShowModal();
              } else {
                inner->Show();
              }
            }
          });
          grid_->setCellWidget(gridRow, c + 1, button);
        }
        button->setText(q(nested.buttonCaption(r)));
      } else {
        QTableWidgetItem* item = grid_->item(gridRow, c + 1);
        if (item == nullptr) {
          item = new QTableWidgetItem;
          grid_->setItem(gridRow, c + 1, item);
        }
        item->setText(q(column.GetStringValue(r)));
      }
    }
  }
  refreshing_ = refreshing;
}

void TTableForm::Layout() {
  const int m = gridMargin();
  const int frame = 2 * grid_->frameWidth();
  const int firstShown = grid_->horizontalScrollBar()->value();
  int width = frame + grid_->columnWidth(0);
  for (int c = 0; c < columnsVisible_; ++c) {
    const int column = std::min(firstShown + c, grid_->columnCount() - 2) + 1;
    if (column >= 1) width += grid_->columnWidth(column);
  }
  const int scrollExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const bool allRows = rowsVisible_ >= data_->RowCount();
  const bool allColumns = columnsVisible_ >= data_->visibleColCount();
  if (!allRows) width += scrollExtent;
  const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
  int height = frame + rowHeight * (headingRows_ + rowsVisible_);
  if (!allColumns) height += scrollExtent;
  grid_->setGeometry(m, m, width, height);
  int y = m + height + m;
  int x = m;
  for (QPushButton* button : {btnAdd_, btnIns_, btnDel_}) {
    button->adjustSize();
    button->move(x, y);
    x += button->width() + m;
  }
  if (!btnAdd_->isHidden()) y += btnAdd_->height() + m;
  int right = std::max(m + width, btnAdd_->isHidden() ? 0 : btnDel_->geometry().right());
  if (!comments_->isHidden()) {
    comments_->adjustSize();
    comments_->move(m, y);
    y += comments_->height() + m;
    right = std::max(right, m + comments_->width());
  }
  const QSize client(right + m, y);
  snapping_ = true;
  resize(client);
  snapping_ = false;
}

TableLayoutInput TTableForm::layoutInput() const {
  TableLayoutInput input;
  for (int c = 1; c < grid_->columnCount(); ++c)
    input.columnWidths.push_back(grid_->columnWidth(c));
  input.fixedWidth = 2 * grid_->frameWidth() + grid_->columnWidth(0);
  input.rowHeight = grid_->verticalHeader()->defaultSectionSize();
  input.fixedRows = headingRows_;
  input.dataRows = data_->RowCount();
  const int m = gridMargin();
  input.extraWidth = 2 * m;
  input.MinWidth = btnAdd_->isHidden() ? 0 : btnDel_->geometry().right() + m;
  input.scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  input.scrollBarHeight = input.scrollBarWidth;
  input.leftColumn = grid_->horizontalScrollBar()->value();
  input.topRow = grid_->verticalScrollBar()->value();
  return input;
}

void TTableForm::snapTo(int width, int height) {
  TableLayoutInput input = layoutInput();
  // The height around and below the grid's rows does not depend on the rows shown.
  const int shownRowsHeight =
      input.rowHeight * (input.fixedRows + rowsVisible_) +
      (columnsVisible_ < data_->visibleColCount() ? input.scrollBarHeight : 0);
  input.extraHeight = this->height() - shownRowsHeight;
  const auto layouts = tableLayouts(input, width, height);
  const TableLayout& chosen =
      layouts[static_cast<size_t>(chooseTableLayout(layouts, width, height))];
  columnsVisible_ = chosen.Columns;
  rowsVisible_ = chosen.rows;
  grid_->horizontalScrollBar()->setValue(chosen.leftColumn);
  grid_->verticalScrollBar()->setValue(chosen.topRow);
  Layout();
}

bool TTableForm::commitAt(int gridRow, int gridColumn) {
  const int row = gridRow - headingRows_;
  if (row < 0 || row >= data_->RowCount() || gridColumn < 1) return true;
  TColumn* column = visibleColumn(gridColumn - 1);
  if (column == nullptr || hasControls(*column)) return true;
  const QTableWidgetItem* item = grid_->item(gridRow, gridColumn);
  const std::string typed = item != nullptr ? item->text().toStdString() : std::string();
  if (typed == column->GetStringValue(row)) return true;  // nothing was typed
  try {
    column->SetStringValue(row, typed);
  } catch (const std::exception& error) {
    messages_->information(this, error.what());
    return false;
  }
  data_->SetChanged(true);
  fillCells();
  return true;
}

bool TTableForm::commitCell() {
  grid_->finishEditing();
  return commitAt(grid_->currentRow(), grid_->currentColumn());
}

void TTableForm::onCurrentCellChanged(int row, int column, int previousRow, int previousColumn) {
  if (refreshing_) return;
  if (!commitAt(previousRow, previousColumn)) {
    refreshing_ = true;
    grid_->setCurrentCell(previousRow, previousColumn);
    refreshing_ = false;
    return;
  }
  // Cells of columns with controls and the fixed cells cannot be selected.
  const TColumn* target = column >= 1 ? visibleColumn(column - 1) : nullptr;
  if (row >= headingRows_ && target != nullptr && hasControls(*target)) {
    refreshing_ = true;
    grid_->setCurrentCell(previousRow, previousColumn);
    refreshing_ = false;
  }
}

void TTableForm::moveOnEnter() {
  int row = grid_->currentRow();
  int column = grid_->currentColumn();
  if (row < headingRows_ || column < 1) return;
  if (row + 1 < grid_->rowCount()) {
    ++row;
  } else {
    row = headingRows_;
    column = column + 1 < grid_->columnCount() ? column + 1 : 1;
  }
  grid_->setCurrentCell(row, column);
}

void TTableForm::addRow() {
  if (!commitCell()) return;
  disconnectGrid();
  const int group = std::max(data_->RowGroup(), 1);
  if (rowsVisible_ >= data_->RowCount())
    rowsVisible_ = std::min(rowsVisible_ + group, kMaxRowsShown);
  data_->AddRowGroup();
  data_->SetChanged(true);
  connectGrid();
  refresh();
  grid_->scrollToBottom();
}

void TTableForm::insertGridRow() {
  if (!commitCell()) return;
  const int row = currentDataRow();
  if (row < 0) {
    messages_->information(this, kRowNotValid);
    return;
  }
  disconnectGrid();
  data_->SetChanged(true);
  const int group = std::max(data_->RowGroup(), 1);
  if (rowsVisible_ >= data_->RowCount())
    rowsVisible_ = std::min(rowsVisible_ + group, kMaxRowsShown);
  data_->InsertRowGroup(row);
  connectGrid();
  refresh();
}

void TTableForm::DeleteRow() {
  if (!commitCell()) return;
  const int row = currentDataRow();
  if (row < 0) {
    messages_->information(this, kRowNotValid);
    return;
  }
  disconnectGrid();
  data_->SetChanged(true);
  data_->DeleteRowGroup(row);
  connectGrid();
  refresh();
}

void TTableForm::closeEvent(QCloseEvent* event) {
  if (detached_) {
    event->accept();
    return;
  }
  if (!commitCell()) {
    event->ignore();
    return;
  }
  event->accept();
  disconnectGrid();
  // The table forgets its window once the close has finished.
  QTimer::singleShot(0, this, [this] {
    if (!detached_) data_->Updater();
  });
}

void TTableForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (event->spontaneous() && !snapping_) snapTo(width(), height());
}

bool TTableForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate && !detached_ && !isModal() && isVisible() &&
      QApplication::activeModalWidget() == nullptr) {
    if (!commitCell()) {
      QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
      });
    }
  }
  return QDialog::event(event);
}

// ---- the window object of a table ----

TableWindow::TableWindow(TGridTable& table, entry::MessageSink& messages, QWidget* parent)
    : form_(new TTableForm(table, messages, parent)) {}

TableWindow::~TableWindow() {
  TTableForm* form = form_.data();
  if (form == nullptr) return;
  form->detach();  // the table may go before the window is deleted
  form->hide();
  form->deleteLater();
}

void TableWindow::Show(bool modal) {
  TTableForm* form = form_.data();
  if (form == nullptr) return;
  modal_ = modal;
  if (modal) {
    form->exec();
    modal_ = false;
    return;
  }
  form->show();
  form->raise();
  form->activateWindow();
}

bool TableWindow::IsModal() const {
  const TTableForm* form = form_.data();
  return modal_ && form != nullptr && form->isVisible();
}

int TableWindow::Width() const {
  const TTableForm* form = form_.data();
  return form != nullptr ? form->width() : 0;
}

int TableWindow::Height() const {
  const TTableForm* form = form_.data();
  return form != nullptr ? form->height() : 0;
}

void TableWindow::setTitle(const std::string& title) {
  TTableForm* form = form_.data();
  if (form != nullptr) form->setWindowTitle(q(title));
}

std::unique_ptr<GridTableWindow> TableWindowFactory::createWindow(TGridTable& table) {
  return std::make_unique<TableWindow>(table, *messages_, parent_.data());
}

}  // namespace tolvane::grid
