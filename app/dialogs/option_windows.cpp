#include "option_windows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QVBoxLayout>

#include "expression.h"
#include "main_form_rules.h"
#include "number_text.h"
#include "option_rules.h"
#include "table_form.h"

namespace tolvane::app {
namespace {

constexpr long double kDefaultFactorOfSafety = 2.5L;
constexpr long double kDefaultReductionFactor = 1.0L;
constexpr long double kDefaultChartPoints = 5;
constexpr int kFieldWidthPx = 100;
constexpr int kShortestDigits = 15;   // the shortest general format of a settlement
constexpr int kNumberColumnPx = 40;   // the "N" column of the settlement table
constexpr int kCellPaddingPx = 12;    // a table cell's margins around its text
constexpr int kScrollBarRoomPx = 18;  // room for the table's vertical scroll bar
constexpr int kSettlementColumn = 1;

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

QLabel* noteLabel(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

// Sets the project-changed flag when a stored value differs from the one before.
template <typename T>
void store(T& target, T value, bool& changed) {
  if (target != value) {
    target = value;
    changed = true;
  }
}

}  // namespace

// ---- title ----

TitleEdit::TitleEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = toPlainText();
    if (text.size() <= static_cast<int>(kMaxTitleLength)) return;
    QTextCursor cursor = textCursor();
    const int position = std::min(cursor.position(), static_cast<int>(kMaxTitleLength));
    setPlainText(text.left(static_cast<int>(kMaxTitleLength)));
    cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
  });
}

void TitleEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TitleEdit::insertFromMimeData(const QMimeData* source) {
  QString text = source->text();
  text.remove(QLatin1Char('\r'));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  insertPlainText(text);
}

TitleWindow::TitleWindow(WindowHost& host, QWidget* parent)
    : DataWindowBase(host, DataWindow::kTitle, parent), text_(new TitleEdit(this)) {
  setWindowTitle(QStringLiteral("Project Title"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Enter line of text for project description:"), this));
  text_->setFixedSize(420, 60);
  layout->addWidget(text_);
}

void TitleWindow::loadValues() {
  text_->setPlainText(q(host().core().Data().Title));
  text_->moveCursor(QTextCursor::End);
}

void TitleWindow::storeValues() {
  if (storeTitle(host().core().Data(), text_->toPlainText().toStdString())) host().projectChanged();
}

// ---- factors of safety ----

FactorOfSafetyWindow::FactorOfSafetyWindow(WindowHost& host, QWidget* parent)
    : DataWindowBase(host, DataWindow::kFactorOfSafety, parent) {
  setWindowTitle(QStringLiteral("Factor of Safety (F.S.)"));
  auto* grid = new QGridLayout(this);
  QLabel* label = nullptr;
  side_ = newField("The F.S. applied to the ultimate &side friction", "", &label);
  grid->addWidget(label, 0, 0);
  grid->addWidget(side_, 0, 1);
  base_ = newField("The F.S. applied to the ultimate &base capacity", "", &label);
  grid->addWidget(label, 1, 0);
  grid->addWidget(base_, 1, 1);
  for (entry::TDataEdit* field : {side_, base_}) {
    field->setFixedWidth(kFieldWidthPx);
    field->SetNumber(kDefaultFactorOfSafety);
    connect(field, &QLineEdit::textEdited, this, [this] {
      if (!loading_) this->host().projectChanged();
    });
  }
}

void FactorOfSafetyWindow::loadValues() {
  loading_ = true;
  side_->SetNumber(host().core().Data().FST);
  base_->SetNumber(host().core().Data().FSB);
  loading_ = false;
}

void FactorOfSafetyWindow::storeValues() {
  TProgramData& project = host().core().Data();
  project.FST = side_->numberOr(project.FST);
  project.FSB = base_->numberOr(project.FSB);
}

// ---- water table ----

WaterTableWindow::WaterTableWindow(WindowHost& host, QWidget* parent)
    : DataWindowBase(host, DataWindow::kWaterTable, parent) {
  setWindowTitle(QStringLiteral("Water Table"));
  auto* grid = new QGridLayout(this);
  QLabel* label = nullptr;
  depth_ = newField("&Depth of water table", "L2", &label);
  depth_->setFixedWidth(kFieldWidthPx);
  grid->addWidget(label, 0, 0);
  grid->addWidget(depth_, 0, 1);
  connect(depth_, &QLineEdit::textEdited, this, [this] {
    if (!loading_) this->host().projectChanged();
  });
}

void WaterTableWindow::loadValues() {
  loading_ = true;
  depth_->SetUnits(Units());
  depth_->SetNumber(host().core().Data().WTD);
  loading_ = false;
}

void WaterTableWindow::storeValues() {
  TProgramData& project = host().core().Data();
  project.WTD = depth_->numberOr(project.WTD);
}

// ---- shaft length, design load ----

LoadingWindow::LoadingWindow(WindowHost& host, bool designLoad, QWidget* parent)
    : DataWindowBase(host, designLoad ? DataWindow::kDesignLoad : DataWindow::kShaftLength, parent),
      designLoad_(designLoad) {
  setWindowTitle(designLoad ? QStringLiteral("Specification of Design Load")
                            : QStringLiteral("Drilled Shaft Length"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  QLabel* label = nullptr;
  value_ = designLoad ? newField("Enter the &design load", "F2", &label)
                      : newField("Enter the proposed &length", "L2", &label);
  value_->setFixedWidth(kFieldWidthPx);
  top->addWidget(label);
  top->addWidget(value_);
  layout->addLayout(top);
  auto* group = new QGroupBox(QStringLiteral("Type of Loading"), this);
  auto* loading = new QGridLayout(group);
  compression_ = new QRadioButton(QStringLiteral("C&ompression"), group);
  uplift_ = new QRadioButton(QStringLiteral("&Uplift "), group);
  reduction_ = newField("&Reduction factor for uplift loading", "", &label);
  reduction_->setParent(group);
  label->setParent(group);
  reduction_->SetMaxVal(kMaxReductionFactor);
  reduction_->SetNumber(kDefaultReductionFactor);
  reduction_->setFixedWidth(kFieldWidthPx);
  loading->addWidget(compression_, 0, 0);
  loading->addWidget(uplift_, 1, 0);
  loading->addWidget(label, 2, 0);
  loading->addWidget(reduction_, 2, 1);
  layout->addWidget(group);
  connect(uplift_, &QRadioButton::toggled, reduction_, &QWidget::setEnabled);
  compression_->setChecked(true);
  reduction_->setEnabled(false);
  connect(value_, &QLineEdit::textEdited, this, [this] {
    if (!loading_) this->host().projectChanged();
  });
}

void LoadingWindow::loadValues() {
  loading_ = true;
  const TProgramData& project = host().core().Data();
  value_->SetUnits(Units());
  value_->SetNumber(designLoad_ ? project.LPD : project.PD);
  if (project.KCYCL == kCompression) {
    compression_->setChecked(true);  // the reduction factor keeps what it shows
  } else {
    uplift_->setChecked(true);
    reduction_->SetNumber(project.RCYCL);
  }
  reduction_->setEnabled(uplift_->isChecked());
  loading_ = false;
}

void LoadingWindow::storeValues() {
  TProgramData& project = host().core().Data();
  const LoadingEntry entry{value_->numberOr(designLoad_ ? project.LPD : project.PD),
                           uplift_->isChecked(), reduction_->numberOr(project.RCYCL)};
  const int32_t kcycl = project.KCYCL;
  const long double rcycl = project.RCYCL;
  if (designLoad_) {
    storeDesignLoad(project, entry);
  } else {
    storeShaftLength(project, entry);
  }
  if (kcycl != project.KCYCL || rcycl != project.RCYCL) host().projectChanged();
}

// ---- multiple lengths ----

MultipleLengthsWindow::MultipleLengthsWindow(WindowHost& host, QWidget* parent)
    : DataWindowBase(host, DataWindow::kMultipleLengths, parent),
      check_(
          new QCheckBox(QStringLiteral("Evaluate Shaft Lengths (for Specified Diameter)"), this)) {
  setWindowTitle(QStringLiteral("Multiple Shaft Lengths"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(check_);
  auto* grid = new QGridLayout;
  QLabel* label = nullptr;
  max_ = newField("Maximum shaft &length ", "L2", &label);
  grid->addWidget(label, 0, 0);
  grid->addWidget(max_, 0, 1);
  auto* maxNotes = new QVBoxLayout;
  for (const char* text :
       {"* Should be at least 6 diameters ", "   plus any exclusion zone defined."}) {
    QLabel* note = noteLabel(text, this);
    maxNotes->addWidget(note);
    dependent_.push_back(note);
  }
  grid->addLayout(maxNotes, 0, 2);
  min_ = newField("Minimum &shaft length ", "L2", &label);
  grid->addWidget(label, 1, 0);
  grid->addWidget(min_, 1, 1);
  QLabel* minNote = noteLabel("- default: 70% maximum shaft length", this);
  grid->addWidget(minNote, 1, 2);
  dependent_.push_back(minNote);
  increment_ = newField("Shaft length increment", "L2", &label);
  grid->addWidget(label, 2, 0);
  grid->addWidget(increment_, 2, 1);
  auto* incrementNotes = new QVBoxLayout;
  for (const char* text :
       {"* A maximum of 100 increments", "  will be considered.", "- default: 3 ft or 1 m"}) {
    QLabel* note = noteLabel(text, this);
    incrementNotes->addWidget(note);
    dependent_.push_back(note);
  }
  grid->addLayout(incrementNotes, 2, 2);
  layout->addLayout(grid);
  for (entry::TDataEdit* field : {max_, min_, increment_}) {
    field->setFixedWidth(kFieldWidthPx);
    dependent_.push_back(field);
  }
  connect(check_, &QCheckBox::toggled, this, &MultipleLengthsWindow::updateEnabling);
}

void MultipleLengthsWindow::updateEnabling() {
  for (QWidget* widget : dependent_) widget->setEnabled(check_->isChecked());
}

void MultipleLengthsWindow::loadValues() {
  const TProgramData& project = host().core().Data();
  check_->setChecked(project.IPENT == 1);
  for (entry::TDataEdit* field : {max_, min_, increment_}) field->SetUnits(Units());
  max_->SetNumber(project.PD);
  min_->SetNumber(project.PDMIN);
  increment_->SetNumber(project.PDINCR);
  updateEnabling();
}

void MultipleLengthsWindow::storeValues() {
  TProgramData& project = host().core().Data();
  bool changed = false;
  store(project.IPENT, check_->isChecked() ? 1 : 0, changed);
  store(project.PD, max_->numberOr(project.PD), changed);
  store(project.PDMIN, min_->numberOr(project.PDMIN), changed);
  store(project.PDINCR, increment_->numberOr(project.PDINCR), changed);
  if (changed) host().projectChanged();
  host().updateEnabling();
}

// ---- design charts ----

DesignChartsWindow::DesignChartsWindow(WindowHost& host, QWidget* parent)
    : DataWindowBase(host, DataWindow::kDesignCharts, parent),
      check_(new QCheckBox(QStringLiteral("Compute ASD/LRFD Design Charts"), this)),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      table_(new QTableWidget(this)) {
  setWindowTitle(QStringLiteral("ASD/LRFD Design Charts"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(check_);
  auto* body = new QHBoxLayout;
  auto* lengths = new QGroupBox(QStringLiteral("Shaft Length/Diameter Variation"), this);
  auto* grid = new QGridLayout(lengths);
  const auto addField = [&](int row, const char* caption, std::vector<const char*> notes) {
    QLabel* label = nullptr;
    entry::TDataEdit* field = newField(caption, "L2", &label);
    field->setFixedWidth(kFieldWidthPx);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    for (const char* text : notes) {
      QLabel* note = noteLabel(text, lengths);
      column->addWidget(note);
      dependent_.push_back(note);
    }
    grid->addLayout(column, row, 2);
    dependent_.push_back(field);
    return field;
  };
  max_ = addField(0, "Maximum shaft &length ",
                  {"* Should be at least 6 diameters ", "   plus any exclusion zone defined."});
  min_ = addField(1, "Minimum &shaft length ", {"- default: 30% maximum shaft length"});
  lengthIncrement_ = addField(
      2, "Shaft length increment",
      {"* A maximum of 100 increments", "  will be considered.", "- default: 3 ft or 1 m"});
  diameterIncrement_ = addField(
      3, "Shaft diameter increment",
      {"* A maximum of 20 increments", "  will be considered.", "- default: 0.5 ft or .15 m"});
  dependent_.push_back(lengths);
  body->addWidget(lengths);

  auto* settlements = new QGroupBox(QStringLiteral("Defined Settlements"), this);
  auto* right = new QVBoxLayout(settlements);
  auto* points = new QHBoxLayout;
  QLabel* pointsLabel = nullptr;
  points_ = newField("Number of Points", "", &pointsLabel);
  points_->SetIntegerOnly(true);
  points_->SetMaxVal(kMaxChartPoints);
  points_->SetMinVal(kMinChartPoints);
  points_->SetNumber(kDefaultChartPoints);
  points_->setFixedWidth(40);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  points->addWidget(pointsLabel);
  points->addWidget(points_);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  up_->setFixedSize(18, 12);
  down_->setFixedSize(18, 12);
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  points->addLayout(arrows);
  points->addStretch();
  right->addLayout(points);
  table_->setColumnCount(2);
  table_->verticalHeader()->hide();
  // The settlement column holds a settlement of 15 significant digits in metres (an SI project's
  // settlements converted from inches) on one line.
  const int settlementWidth =
      table_->fontMetrics().horizontalAdvance(QStringLiteral("0.00000000000000000")) +
      kCellPaddingPx;
  table_->setWordWrap(false);
  table_->setColumnWidth(0, kNumberColumnPx);
  table_->setColumnWidth(1, settlementWidth);
  table_->setFixedWidth(kNumberColumnPx + settlementWidth + 2 * table_->frameWidth() +
                        kScrollBarRoomPx);
  table_->setMinimumHeight(200);
  right->addWidget(table_);
  body->addWidget(settlements);
  layout->addLayout(body);
  for (QWidget* widget :
       {static_cast<QWidget*>(pointsLabel), static_cast<QWidget*>(points_),
        static_cast<QWidget*>(up_), static_cast<QWidget*>(down_), static_cast<QWidget*>(table_)}) {
    dependent_.push_back(widget);
  }

  connect(check_, &QCheckBox::toggled, this, &DesignChartsWindow::updateEnabling);
  connect(points_, &entry::TDataEdit::evaluated, this, [this] {
    if (const auto n = chartPointsFor(points_->numberOr(0))) resizeTable(*n);
  });
  connect(up_, &QToolButton::clicked, this, [this] {
    points_->SetNumber(chartPointsUp(points_->numberOr(kDefaultChartPoints)));
    if (const auto n = chartPointsFor(points_->numberOr(0))) resizeTable(*n);
  });
  connect(down_, &QToolButton::clicked, this, [this] {
    points_->SetNumber(chartPointsDown(points_->numberOr(kDefaultChartPoints)));
    if (const auto n = chartPointsFor(points_->numberOr(0))) resizeTable(*n);
  });
}

void DesignChartsWindow::updateEnabling() {
  for (QWidget* widget : dependent_) widget->setEnabled(check_->isChecked());
}

void DesignChartsWindow::resizeTable(int points) {
  // Rows cut off keep their text, so that growing the table again shows what was typed.
  for (int row = 0; row < table_->rowCount(); ++row) {
    if (const QTableWidgetItem* item = table_->item(row, kSettlementColumn)) {
      typed_[static_cast<size_t>(row)] = item->text();
    }
  }
  const int before = table_->rowCount();
  table_->setRowCount(points);
  for (int row = before; row < points; ++row) {
    auto* n = new QTableWidgetItem(QString::number(row + 1));
    n->setFlags(Qt::ItemIsEnabled);
    table_->setItem(row, 0, n);
    table_->setItem(row, kSettlementColumn, new QTableWidgetItem(typed_[static_cast<size_t>(row)]));
  }
}

void DesignChartsWindow::loadValues() {
  const TProgramData& project = host().core().Data();
  check_->setChecked(project.IChart == 1);
  table_->setHorizontalHeaderLabels({QStringLiteral("N"), project.isSI()
                                                              ? QStringLiteral("Settlement (m)")
                                                              : QStringLiteral("Settlement (in)")});
  for (entry::TDataEdit* field : {max_, min_, lengthIncrement_, diameterIncrement_}) {
    field->SetUnits(Units());
  }
  max_->SetNumber(project.PD);
  min_->SetNumber(project.PDMIN);
  lengthIncrement_->SetNumber(project.PDINCR);
  diameterIncrement_->SetNumber(project.DIAMINCR);
  // A project read from a file without design charts has no count (0): the field then shows
  // the default count, the same number of settlements as the table lists and stores.
  const int points =
      chartPointsFor(project.NPOINTPD).value_or(static_cast<int>(kDefaultChartPoints));
  points_->SetNumber(points);
  for (size_t i = 0; i < typed_.size(); ++i) {
    typed_[i] = q(entry::formatGeneral(project.PDSETT[i], kShortestDigits));
  }
  table_->setRowCount(0);
  resizeTable(points);
  updateEnabling();
}

void DesignChartsWindow::storeValues() {
  TProgramData& project = host().core().Data();
  bool changed = false;
  store(project.IChart, check_->isChecked() ? 1 : 0, changed);
  store(project.PD, max_->numberOr(project.PD), changed);
  store(project.PDMIN, min_->numberOr(project.PDMIN), changed);
  store(project.PDINCR, lengthIncrement_->numberOr(project.PDINCR), changed);
  store(project.DIAMINCR, diameterIncrement_->numberOr(project.DIAMINCR), changed);
  const int points = chartPointsFor(points_->numberOr(project.NPOINTPD)).value_or(project.NPOINTPD);
  std::vector<long double> settlements;
  for (int row = 0; row < std::min(points, table_->rowCount()); ++row) {
    const long double old = project.PDSETT[static_cast<size_t>(row)];
    long double value = old;
    if (const QTableWidgetItem* item = table_->item(row, kSettlementColumn)) {
      try {
        value = entry::EvaluateExpression(item->text().toStdString());
      } catch (const entry::EAssignError&) {
        value = old;  // unreadable text keeps the stored settlement
      }
    }
    settlements.push_back(value);
    if (value != old) changed = true;
  }
  if (points != project.NPOINTPD) changed = true;
  storeChartSettlements(project, points, settlements);
  if (changed) host().projectChanged();
  host().updateEnabling();
}

// ---- control options ----

ControlOptionsWindow::ControlOptionsWindow(WindowHost& host, QWidget* parent)
    : DataWindowBase(host, DataWindow::kControlOptions, parent) {
  setWindowTitle(QStringLiteral("Control Options"));
  auto* layout = new QVBoxLayout(this);

  auto* printing = new QGroupBox(QStringLiteral("Printing Options"), this);
  auto* printingLayout = new QHBoxLayout(printing);
  QLabel* label = nullptr;
  increment_ = newField("Output Increment", "L2", &label);
  increment_->setParent(printing);
  label->setParent(printing);
  increment_->setFixedWidth(kFieldWidthPx);
  printingLayout->addWidget(label);
  printingLayout->addWidget(increment_);
  printingLayout->addStretch();
  layout->addWidget(printing);

  auto* bearing = new QGroupBox(QStringLiteral("End Bearing in Sands"), this);
  auto* bearingLayout = new QVBoxLayout(bearing);
  interpolation_ = new QRadioButton(
      QStringLiteral("Use linear interpolation from zero at ground to \nmaximum values at 10 pile "
                     "diameters."),
      bearing);
  maximum_ = new QRadioButton(QStringLiteral("Use maximum values at any depth"), bearing);
  bearingLayout->addWidget(interpolation_);
  bearingLayout->addWidget(maximum_);
  layout->addWidget(bearing);

  auto* plot = new QGroupBox(QStringLiteral("Plot Options"), this);
  auto* plotLayout = new QGridLayout(plot);
  useElevation_ = new QCheckBox(
      QStringLiteral("Use Elevation instead of Depth for Label of Vertical Axis"), plot);
  elevation_ = newField("Elevation for Top of Shaft", "L2", &label);
  elevation_->setParent(plot);
  label->setParent(plot);
  elevation_->setFixedWidth(kFieldWidthPx);
  plotLayout->addWidget(useElevation_, 0, 0, 1, 3);
  plotLayout->addWidget(label, 1, 0);
  plotLayout->addWidget(elevation_, 1, 1);
  plotLayout->addWidget(
      new QLabel(QStringLiteral("Note: Labels will be updated after analysis is completed."), plot),
      2, 0, 1, 3);
  layout->addWidget(plot);

  auto* editor = new QGroupBox(QStringLiteral("Text Editor Options"), this);
  auto* editorLayout = new QHBoxLayout(editor);
  auto* editorLabel = new QLabel(QStringLiteral("&Text Editor:"), editor);
  editor_ = new QLineEdit(editor);
  editor_->setMinimumWidth(260);
  editorLabel->setBuddy(editor_);
  browse_ = new QPushButton(QStringLiteral("&Browse..."), editor);
  editorLayout->addWidget(editorLabel);
  editorLayout->addWidget(editor_);
  editorLayout->addWidget(browse_);
  layout->addWidget(editor);

  auto* tz = new QGroupBox(QStringLiteral("Printing Additional t-z Curves"), this);
  auto* tzLayout = new QHBoxLayout(tz);
  printTz_ = new QCheckBox(QStringLiteral("&Print Internally-Generated"), tz);
  editDepths_ = new QPushButton(QStringLiteral("Edit Depths"), tz);
  tzLayout->addWidget(new QLabel(QStringLiteral("t-z Curves for Verification"), tz));
  tzLayout->addWidget(printTz_);
  tzLayout->addWidget(editDepths_);
  tzLayout->addStretch();
  layout->addWidget(tz);

  close_ = new QPushButton(QStringLiteral("Close"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close_);
  layout->addLayout(buttons);

  connect(useElevation_, &QCheckBox::toggled, elevation_, &QWidget::setEnabled);
  connect(printTz_, &QCheckBox::toggled, editDepths_, &QWidget::setEnabled);
  connect(editDepths_, &QPushButton::clicked, this, &ControlOptionsWindow::editDepthsClick);
  connect(close_, &QPushButton::clicked, this, &DataWindowBase::closeWindow);
  connect(browse_, &QPushButton::clicked, this, [this] {
    if (const auto file =
            servicesOf(this->host()).chooseProgram(this, editor_->text().toStdString())) {
      editor_->setText(q(*file));
    }
  });
}

void ControlOptionsWindow::loadValues() {
  const TProgramData& project = host().core().Data();
  editor_->setText(q(servicesOf(host()).WordProcessor()));
  increment_->SetUnits(Units());
  elevation_->SetUnits(Units());
  increment_->SetNumber(project.PINC);
  if (project.IMOD == kModifiedSandTip) {
    interpolation_->setChecked(true);
  } else if (project.IMOD == 0) {
    maximum_->setChecked(true);
  }
  useElevation_->setChecked(project.UseElevation == 1);
  elevation_->SetNumber(project.ValElevation);
  elevation_->setEnabled(useElevation_->isChecked());
  printTz_->setChecked(project.PrintTZCurves == 1);
  editDepths_->setEnabled(printTz_->isChecked());
}

void ControlOptionsWindow::storeValues() {
  TProgramData& project = host().core().Data();
  bool changed = false;
  store(project.PINC, increment_->numberOr(project.PINC), changed);
  store(project.IMOD, interpolation_->isChecked() ? 1 : 0, changed);
  store(project.UseElevation, useElevation_->isChecked() ? 1 : 0, changed);
  store(project.ValElevation, elevation_->numberOr(project.ValElevation), changed);
  store(project.PrintTZCurves, printTz_->isChecked() ? 1 : 0, changed);
  servicesOf(host()).setWordProcessor(editor_->text().toStdString());
  if (changed) host().projectChanged();
  host().updateEnabling();
}

void ControlOptionsWindow::editDepthsClick() {
  if (!fieldsValid()) return;
  grid::TGridTable& depths = host().core().project().grids().TblTZDepth();
  grid::GridTableRegistry& registry = depths.registry();
  grid::TableWindowFactory factory(host().frame(), messages());
  grid::GridTableWindowFactory* previous = registry.windowFactory;
  registry.windowFactory = &factory;
  depths.ShowModal();
  depths.Updater();  // the window is gone once it has closed
  registry.windowFactory = previous;
  if (depths.GetChanged()) host().projectChanged();
}

}  // namespace tolvane::app
