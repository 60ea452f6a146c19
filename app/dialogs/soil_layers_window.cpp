#include "soil_layers_window.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "main_form_rules.h"
#include "soil_layer_rules.h"
#include "soil_parameter_dialog.h"

namespace tolvane::app {
namespace {

constexpr int kEditColumn = 0;
constexpr int kTypeColumn = 1;
// Grid columns 2 to 6 edit these columns of the soil-layer table.
constexpr int kLayerColumns[] = {kColBottomDepth, kColMaxSideFriction, kColMaxEndBearing,
                                 kColSideResistanceFactor, kColEndResistanceFactor};
constexpr int kFirstFieldColumn = 2;
constexpr int kRowHeightPx = 26;
constexpr int kHeadingPaddingPx = 12;
const char* const kRowProperty = "layerRow";

const char* const kDepthNote =
    "* Bottom of last layer must be deeper than the shaft bottom plus two pile diameters.";
const char* const kLimitNote =
    "** If entries are left as zero, the program assumes no limits in side friction and end "
    "bearing computed by the program";
const char* const kIgnoreNote =
    "** Use a very small number (e.g. 0.001) for layers where load transfer should be ignored.";

}  // namespace

SoilLayersWindow::SoilLayersWindow(WindowHost& host, QWidget* parent)
    : DataWindowBase(host, DataWindow::kSoilLayers, parent),
      grid_(new QTableWidget(this)),
      add_(new QPushButton(QStringLiteral("Add Layer"), this)),
      insert_(new QPushButton(QStringLiteral("Insert Layer"), this)),
      delete_(new QPushButton(QStringLiteral("Delete Layer"), this)),
      confirm_(new QCheckBox(QStringLiteral("Confirm Deletion"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
  setWindowTitle(QStringLiteral("Soil Layers"));
  confirm_->setChecked(true);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(kRowHeightPx);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  for (const char* note : {kDepthNote, kLimitNote, kIgnoreNote}) {
    layout->addWidget(new QLabel(QString::fromUtf8(note), this));
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(insert_);
  buttons->addWidget(delete_);
  buttons->addWidget(confirm_);
  buttons->addStretch();
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  connect(add_, &QPushButton::clicked, this, &SoilLayersWindow::addLayerClick);
  connect(insert_, &QPushButton::clicked, this, &SoilLayersWindow::insertLayerClick);
  connect(delete_, &QPushButton::clicked, this, &SoilLayersWindow::deleteLayerClick);
  connect(close_, &QPushButton::clicked, this, &DataWindowBase::closeWindow);
}

int SoilLayersWindow::gridColumnOf(int layerColumn) const {
  for (int i = 0; i < static_cast<int>(std::size(kLayerColumns)); ++i) {
    if (kLayerColumns[i] == layerColumn) return kFirstFieldColumn + i;
  }
  return -1;
}

QPushButton* SoilLayersWindow::editButton(int row) const {
  return qobject_cast<QPushButton*>(grid_->cellWidget(row, kEditColumn));
}

QComboBox* SoilLayersWindow::typeList(int row) const {
  return qobject_cast<QComboBox*>(grid_->cellWidget(row, kTypeColumn));
}

entry::TDataEdit* SoilLayersWindow::field(int row, int layerColumn) const {
  const int column = gridColumnOf(layerColumn);
  if (column < 0 || column >= grid_->columnCount()) return nullptr;
  return qobject_cast<entry::TDataEdit*>(grid_->cellWidget(row, column));
}

void SoilLayersWindow::Changed() {
  host().projectChanged();
}

void SoilLayersWindow::loadValues() {
  const TProgramData& project = host().core().Data();
  const grid::TGridTable& layers = host().core().project().grids().D();
  const bool lrfd = project.isLrfd();
  const bool cfa = project.CFAPile == 1;
  const int rows = layers.RowCount();
  // Activation refreshes the values in place, so a click into a field is not lost; the rows are
  // built again when the profile's shape, the design method, the pile kind or the units changed.
  const bool sameShape = built_ && lrfd == lrfd_ && cfa == cfa_ && project.fUnits == builtUnits_ &&
                         rows == grid_->rowCount();
  lrfd_ = lrfd;
  cfa_ = cfa;
  if (sameShape) {
    refreshValues();
  } else {
    rebuild();
  }
  focusedRow_ = std::clamp(focusedRow_, 0, std::max(rows - 1, 0));
  updateButtons();
}

void SoilLayersWindow::refreshValues() {
  const grid::TGridTable& layers = host().core().project().grids().D();
  for (int row = 0; row < grid_->rowCount(); ++row) {
    typeList(row)->setCurrentIndex(
        soilTypeListPosition(cfa_, layers.GetIntValue(kColSoilType, row)));
    for (const int layerColumn : kLayerColumns) {
      entry::TDataEdit* edit = field(row, layerColumn);
      if (edit != nullptr) edit->SetNumber(layers.GetFloatValue(layerColumn, row));
    }
  }
}

void SoilLayersWindow::rebuild() {
  const TProgramData& project = host().core().Data();
  const std::vector<LayerGridColumn> columns = layerGridColumns(lrfd_, project.fUnits);
  grid_->clear();
  grid_->setColumnCount(static_cast<int>(columns.size()));
  QStringList headings;
  for (const LayerGridColumn& column : columns) {
    headings << QString::fromStdString(column.line1 + "\n" + column.line2);
  }
  grid_->setHorizontalHeaderLabels(headings);
  // The design widths, widened where the screen's font needs more room for a heading.
  const QFontMetrics metrics = grid_->horizontalHeader()->fontMetrics();
  int gridWidth = 0;
  for (size_t c = 0; c < columns.size(); ++c) {
    const int needed =
        std::max(metrics.horizontalAdvance(QString::fromStdString(columns[c].line1)),
                 metrics.horizontalAdvance(QString::fromStdString(columns[c].line2))) +
        kHeadingPaddingPx;
    const int width = std::max(columns[c].Width, needed);
    grid_->setColumnWidth(static_cast<int>(c), width);
    gridWidth += width;
  }
  grid_->setFixedSize(
      gridWidth + 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width(),
      kLayerGridHeightPx);
  const int rows = host().core().project().grids().D().RowCount();
  grid_->setRowCount(rows);
  for (int row = 0; row < rows; ++row) buildRow(row);
  built_ = true;
  builtUnits_ = project.fUnits;
  adjustSize();
}

void SoilLayersWindow::buildRow(int row) {
  grid::TGridTable& layers = host().core().project().grids().D();
  auto* edit = new QPushButton(QStringLiteral("Edit Layer %1").arg(row + 1), grid_);
  connect(edit, &QPushButton::clicked, this, [this, row] { editLayer(row); });
  grid_->setCellWidget(row, kEditColumn, edit);

  auto* list = new QComboBox(grid_);
  for (const std::string& name : soilTypeNames(cfa_)) list->addItem(QString::fromStdString(name));
  list->setCurrentIndex(soilTypeListPosition(cfa_, layers.GetIntValue(kColSoilType, row)));
  list->setProperty(kRowProperty, row);
  list->installEventFilter(this);
  connect(list, &QComboBox::activated, this, [this, row](int index) {
    focusedRow_ = row;
    if (changeSoilType(host().core().project().grids(), row, soilTypeAt(cfa_, index))) Changed();
  });
  grid_->setCellWidget(row, kTypeColumn, list);

  const int fieldCount = lrfd_ ? 5 : 3;
  for (int i = 0; i < fieldCount; ++i) {
    const int layerColumn = kLayerColumns[i];
    auto* field = new entry::TDataEdit(grid_);
    field->setMessageSink(&messages());
    field->setFrame(false);
    field->SetNumber(layers.GetFloatValue(layerColumn, row));
    field->setProperty(kRowProperty, row);
    field->installEventFilter(this);
    connect(field, &entry::TDataEdit::evaluated, this, [this, field, row, layerColumn] {
      focusedRow_ = row;
      grid::TGridTable& table = host().core().project().grids().D();
      if (row >= table.RowCount()) return;
      const long double value = field->numberOr(table.GetFloatValue(layerColumn, row));
      if (value != table.GetFloatValue(layerColumn, row)) {
        table.SetFloatValue(layerColumn, row, value);
        Changed();
      }
    });
    grid_->setCellWidget(row, kFirstFieldColumn + i, field);
  }
}

bool SoilLayersWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    const QVariant row = watched->property(kRowProperty);
    if (row.isValid()) focusedRow_ = row.toInt();
  }
  return DataWindowBase::eventFilter(watched, event);
}

void SoilLayersWindow::updateButtons() {
  const ProjectGrids& grids = host().core().project().grids();
  add_->setEnabled(canAddLayer(grids));
  insert_->setEnabled(canAddLayer(grids));
  delete_->setEnabled(canDeleteLayer(grids));
}

void SoilLayersWindow::addLayerClick() {
  if (!fieldsValid()) return;
  if (!addLayer(host().core().project().grids())) return;
  loadValues();
  grid_->scrollToBottom();
  Changed();
}

void SoilLayersWindow::insertLayerClick() {
  if (!fieldsValid()) return;
  if (!insertLayer(host().core().project().grids(), focusedRow_)) return;
  loadValues();
  Changed();
}

void SoilLayersWindow::deleteLayerClick() {
  if (!fieldsValid()) return;
  ProjectGrids& grids = host().core().project().grids();
  if (!canDeleteLayer(grids)) return;
  const int row = std::clamp(focusedRow_, 0, grids.D().RowCount() - 1);
  if (confirm_->isChecked() && !messages().confirm(this, deleteLayerQuestion(row))) return;
  deleteLayer(grids, row);
  focusedRow_ = std::min(row, std::max(grids.D().RowCount() - 1, 0));
  loadValues();
  Changed();
}

void SoilLayersWindow::editLayer(int row) {
  if (!fieldsValid()) return;
  focusedRow_ = row;
  SoilParameterDialog dialog(host(), row, host().frame());
  dialog.exec();
}

void SoilLayersWindow::storeValues() {
  grid::TGridTable& layers = host().core().project().grids().D();
  for (int row = 0; row < std::min(layers.RowCount(), grid_->rowCount()); ++row) {
    for (const int layerColumn : kLayerColumns) {
      const entry::TDataEdit* edit = field(row, layerColumn);
      if (edit == nullptr) continue;
      layers.SetFloatValue(layerColumn, row,
                           edit->numberOr(layers.GetFloatValue(layerColumn, row)));
    }
  }
  focusedRow_ = 0;
  Changed();
}

}  // namespace tolvane::app
