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

TSoilLayersWindow::TSoilLayersWindow(TWindowHost& host, QWidget* parent)
    : TDataWindowBase(host, TDataWindow::kSoilLayers, parent),
      Grid_(new QTableWidget(this)),
      Add_(new QPushButton(QStringLiteral("Add Layer"), this)),
      Insert_(new QPushButton(QStringLiteral("Insert Layer"), this)),
      Delete_(new QPushButton(QStringLiteral("Delete Layer"), this)),
      Confirm_(new QCheckBox(QStringLiteral("Confirm Deletion"), this)),
      Close_(new QPushButton(QStringLiteral("Close"), this)) {
  setWindowTitle(QStringLiteral("Soil Layers"));
  Confirm_->setChecked(true);
  Grid_->verticalHeader()->hide();
  Grid_->verticalHeader()->setDefaultSectionSize(kRowHeightPx);
  Grid_->setSelectionMode(QAbstractItemView::NoSelection);
  Grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Grid_);
  for (const char* note : {kDepthNote, kLimitNote, kIgnoreNote}) {
    layout->addWidget(new QLabel(QString::fromUtf8(note), this));
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Add_);
  buttons->addWidget(Insert_);
  buttons->addWidget(Delete_);
  buttons->addWidget(Confirm_);
  buttons->addStretch();
  buttons->addWidget(Close_);
  layout->addLayout(buttons);
  connect(Add_, &QPushButton::clicked, this, &TSoilLayersWindow::AddLayerClick);
  connect(Insert_, &QPushButton::clicked, this, &TSoilLayersWindow::InsertLayerClick);
  connect(Delete_, &QPushButton::clicked, this, &TSoilLayersWindow::DeleteLayerClick);
  connect(Close_, &QPushButton::clicked, this, &TDataWindowBase::CloseWindow);
}

int TSoilLayersWindow::GridColumnOf(int layer_column) const {
  for (int i = 0; i < static_cast<int>(std::size(kLayerColumns)); ++i) {
    if (kLayerColumns[i] == layer_column) return kFirstFieldColumn + i;
  }
  return -1;
}

QPushButton* TSoilLayersWindow::EditButton(int row) const {
  return qobject_cast<QPushButton*>(Grid_->cellWidget(row, kEditColumn));
}

QComboBox* TSoilLayersWindow::TypeList(int row) const {
  return qobject_cast<QComboBox*>(Grid_->cellWidget(row, kTypeColumn));
}

entry::TDataEdit* TSoilLayersWindow::Field(int row, int layer_column) const {
  const int column = GridColumnOf(layer_column);
  if (column < 0 || column >= Grid_->columnCount()) return nullptr;
  return qobject_cast<entry::TDataEdit*>(Grid_->cellWidget(row, column));
}

void TSoilLayersWindow::Changed() {
  Host().ProjectChanged();
}

void TSoilLayersWindow::LoadValues() {
  const TProgramData& project = Host().Core().Data();
  const grid::TGridTable& layers = Host().Core().Project().Grids().D();
  const bool lrfd = project.isLrfd();
  const bool cfa = project.CFAPile == 1;
  const int rows = layers.RowCount();
  // Activation refreshes the values in place, so a click into a field is not lost; the rows are
  // built again when the profile's shape, the design method, the pile kind or the units changed.
  const bool same_shape = Built_ && lrfd == Lrfd_ && cfa == Cfa_ && project.fUnits == BuiltUnits_ &&
                          rows == Grid_->rowCount();
  Lrfd_ = lrfd;
  Cfa_ = cfa;
  if (same_shape) {
    RefreshValues();
  } else {
    Rebuild();
  }
  FocusedRow_ = std::clamp(FocusedRow_, 0, std::max(rows - 1, 0));
  UpdateButtons();
}

void TSoilLayersWindow::RefreshValues() {
  const grid::TGridTable& layers = Host().Core().Project().Grids().D();
  for (int row = 0; row < Grid_->rowCount(); ++row) {
    TypeList(row)->setCurrentIndex(
        SoilTypeListPosition(Cfa_, layers.GetIntValue(kColSoilType, row)));
    for (const int layer_column : kLayerColumns) {
      entry::TDataEdit* field = Field(row, layer_column);
      if (field != nullptr) field->SetNumber(layers.GetFloatValue(layer_column, row));
    }
  }
}

void TSoilLayersWindow::Rebuild() {
  const TProgramData& project = Host().Core().Data();
  const std::vector<TLayerGridColumn> columns = LayerGridColumns(Lrfd_, project.fUnits);
  Grid_->clear();
  Grid_->setColumnCount(static_cast<int>(columns.size()));
  QStringList headings;
  for (const TLayerGridColumn& column : columns) {
    headings << QString::fromStdString(column.Line1 + "\n" + column.Line2);
  }
  Grid_->setHorizontalHeaderLabels(headings);
  // The design widths, widened where the screen's font needs more room for a heading.
  const QFontMetrics metrics = Grid_->horizontalHeader()->fontMetrics();
  int grid_width = 0;
  for (size_t c = 0; c < columns.size(); ++c) {
    const int needed =
        std::max(metrics.horizontalAdvance(QString::fromStdString(columns[c].Line1)),
                 metrics.horizontalAdvance(QString::fromStdString(columns[c].Line2))) +
        kHeadingPaddingPx;
    const int width = std::max(columns[c].Width, needed);
    Grid_->setColumnWidth(static_cast<int>(c), width);
    grid_width += width;
  }
  Grid_->setFixedSize(
      grid_width + 2 * Grid_->frameWidth() + Grid_->verticalScrollBar()->sizeHint().width(),
      kLayerGridHeightPx);
  const int rows = Host().Core().Project().Grids().D().RowCount();
  Grid_->setRowCount(rows);
  for (int row = 0; row < rows; ++row) BuildRow(row);
  Built_ = true;
  BuiltUnits_ = project.fUnits;
  adjustSize();
}

void TSoilLayersWindow::BuildRow(int row) {
  grid::TGridTable& layers = Host().Core().Project().Grids().D();
  auto* edit = new QPushButton(QStringLiteral("Edit Layer %1").arg(row + 1), Grid_);
  connect(edit, &QPushButton::clicked, this, [this, row] { EditLayer(row); });
  Grid_->setCellWidget(row, kEditColumn, edit);

  auto* list = new QComboBox(Grid_);
  for (const std::string& name : SoilTypeNames(Cfa_)) list->addItem(QString::fromStdString(name));
  list->setCurrentIndex(SoilTypeListPosition(Cfa_, layers.GetIntValue(kColSoilType, row)));
  list->setProperty(kRowProperty, row);
  list->installEventFilter(this);
  connect(list, &QComboBox::activated, this, [this, row](int index) {
    FocusedRow_ = row;
    if (ChangeSoilType(Host().Core().Project().Grids(), row, SoilTypeAt(Cfa_, index))) Changed();
  });
  Grid_->setCellWidget(row, kTypeColumn, list);

  const int field_count = Lrfd_ ? 5 : 3;
  for (int i = 0; i < field_count; ++i) {
    const int layer_column = kLayerColumns[i];
    auto* field = new entry::TDataEdit(Grid_);
    field->SetMessageSink(&Messages());
    field->setFrame(false);
    field->SetNumber(layers.GetFloatValue(layer_column, row));
    field->setProperty(kRowProperty, row);
    field->installEventFilter(this);
    connect(field, &entry::TDataEdit::Evaluated, this, [this, field, row, layer_column] {
      FocusedRow_ = row;
      grid::TGridTable& table = Host().Core().Project().Grids().D();
      if (row >= table.RowCount()) return;
      const long double value = field->NumberOr(table.GetFloatValue(layer_column, row));
      if (value != table.GetFloatValue(layer_column, row)) {
        table.SetFloatValue(layer_column, row, value);
        Changed();
      }
    });
    Grid_->setCellWidget(row, kFirstFieldColumn + i, field);
  }
}

bool TSoilLayersWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    const QVariant row = watched->property(kRowProperty);
    if (row.isValid()) FocusedRow_ = row.toInt();
  }
  return TDataWindowBase::eventFilter(watched, event);
}

void TSoilLayersWindow::UpdateButtons() {
  const TProjectGrids& grids = Host().Core().Project().Grids();
  Add_->setEnabled(CanAddLayer(grids));
  Insert_->setEnabled(CanAddLayer(grids));
  Delete_->setEnabled(CanDeleteLayer(grids));
}

void TSoilLayersWindow::AddLayerClick() {
  if (!FieldsValid()) return;
  if (!AddLayer(Host().Core().Project().Grids())) return;
  LoadValues();
  Grid_->scrollToBottom();
  Changed();
}

void TSoilLayersWindow::InsertLayerClick() {
  if (!FieldsValid()) return;
  if (!InsertLayer(Host().Core().Project().Grids(), FocusedRow_)) return;
  LoadValues();
  Changed();
}

void TSoilLayersWindow::DeleteLayerClick() {
  if (!FieldsValid()) return;
  TProjectGrids& grids = Host().Core().Project().Grids();
  if (!CanDeleteLayer(grids)) return;
  const int row = std::clamp(FocusedRow_, 0, grids.D().RowCount() - 1);
  if (Confirm_->isChecked() && !Messages().Confirm(this, DeleteLayerQuestion(row))) return;
  DeleteLayer(grids, row);
  FocusedRow_ = std::min(row, std::max(grids.D().RowCount() - 1, 0));
  LoadValues();
  Changed();
}

void TSoilLayersWindow::EditLayer(int row) {
  if (!FieldsValid()) return;
  FocusedRow_ = row;
  TSoilParameterDialog dialog(Host(), row, Host().Frame());
  dialog.exec();
}

void TSoilLayersWindow::StoreValues() {
  grid::TGridTable& layers = Host().Core().Project().Grids().D();
  for (int row = 0; row < std::min(layers.RowCount(), Grid_->rowCount()); ++row) {
    for (const int layer_column : kLayerColumns) {
      const entry::TDataEdit* field = Field(row, layer_column);
      if (field == nullptr) continue;
      layers.SetFloatValue(layer_column, row,
                           field->NumberOr(layers.GetFloatValue(layer_column, row)));
    }
  }
  FocusedRow_ = 0;
  Changed();
}

}  // namespace tolvane::app
