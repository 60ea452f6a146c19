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

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QLabel* Note(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

// Sets the project-changed flag when a stored value differs from the one before.
template <typename T>
void Store(T& target, T value, bool& changed) {
  if (target != value) {
    target = value;
    changed = true;
  }
}

}  // namespace

// ---- title ----

TTitleEdit::TTitleEdit(QWidget* parent) : QPlainTextEdit(parent) {
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

void TTitleEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TTitleEdit::insertFromMimeData(const QMimeData* source) {
  QString text = source->text();
  text.remove(QLatin1Char('\r'));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  insertPlainText(text);
}

TTitleWindow::TTitleWindow(TWindowHost& host, QWidget* parent)
    : TDataWindowBase(host, TDataWindow::kTitle, parent), Text_(new TTitleEdit(this)) {
  setWindowTitle(QStringLiteral("Project Title"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Enter line of text for project description:"), this));
  Text_->setFixedSize(420, 60);
  layout->addWidget(Text_);
}

void TTitleWindow::LoadValues() {
  Text_->setPlainText(Q(Host().Core().Data().Title));
  Text_->moveCursor(QTextCursor::End);
}

void TTitleWindow::StoreValues() {
  if (StoreTitle(Host().Core().Data(), Text_->toPlainText().toStdString())) Host().ProjectChanged();
}

// ---- factors of safety ----

TFactorOfSafetyWindow::TFactorOfSafetyWindow(TWindowHost& host, QWidget* parent)
    : TDataWindowBase(host, TDataWindow::kFactorOfSafety, parent) {
  setWindowTitle(QStringLiteral("Factor of Safety (F.S.)"));
  auto* grid = new QGridLayout(this);
  QLabel* label = nullptr;
  Side_ = NewField("The F.S. applied to the ultimate &side friction", "", &label);
  grid->addWidget(label, 0, 0);
  grid->addWidget(Side_, 0, 1);
  Base_ = NewField("The F.S. applied to the ultimate &base capacity", "", &label);
  grid->addWidget(label, 1, 0);
  grid->addWidget(Base_, 1, 1);
  for (entry::TDataEdit* field : {Side_, Base_}) {
    field->setFixedWidth(kFieldWidthPx);
    field->SetNumber(kDefaultFactorOfSafety);
    connect(field, &QLineEdit::textEdited, this, [this] {
      if (!Loading_) Host().ProjectChanged();
    });
  }
}

void TFactorOfSafetyWindow::LoadValues() {
  Loading_ = true;
  Side_->SetNumber(Host().Core().Data().FST);
  Base_->SetNumber(Host().Core().Data().FSB);
  Loading_ = false;
}

void TFactorOfSafetyWindow::StoreValues() {
  TProgramData& project = Host().Core().Data();
  project.FST = Side_->NumberOr(project.FST);
  project.FSB = Base_->NumberOr(project.FSB);
}

// ---- water table ----

TWaterTableWindow::TWaterTableWindow(TWindowHost& host, QWidget* parent)
    : TDataWindowBase(host, TDataWindow::kWaterTable, parent) {
  setWindowTitle(QStringLiteral("Water Table"));
  auto* grid = new QGridLayout(this);
  QLabel* label = nullptr;
  Depth_ = NewField("&Depth of water table", "L2", &label);
  Depth_->setFixedWidth(kFieldWidthPx);
  grid->addWidget(label, 0, 0);
  grid->addWidget(Depth_, 0, 1);
  connect(Depth_, &QLineEdit::textEdited, this, [this] {
    if (!Loading_) Host().ProjectChanged();
  });
}

void TWaterTableWindow::LoadValues() {
  Loading_ = true;
  Depth_->SetUnits(Units());
  Depth_->SetNumber(Host().Core().Data().WTD);
  Loading_ = false;
}

void TWaterTableWindow::StoreValues() {
  TProgramData& project = Host().Core().Data();
  project.WTD = Depth_->NumberOr(project.WTD);
}

// ---- shaft length, design load ----

TLoadingWindow::TLoadingWindow(TWindowHost& host, bool design_load, QWidget* parent)
    : TDataWindowBase(host, design_load ? TDataWindow::kDesignLoad : TDataWindow::kShaftLength,
                      parent),
      DesignLoad_(design_load) {
  setWindowTitle(design_load ? QStringLiteral("Specification of Design Load")
                             : QStringLiteral("Drilled Shaft Length"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  QLabel* label = nullptr;
  Value_ = design_load ? NewField("Enter the &design load", "F2", &label)
                       : NewField("Enter the proposed &length", "L2", &label);
  Value_->setFixedWidth(kFieldWidthPx);
  top->addWidget(label);
  top->addWidget(Value_);
  layout->addLayout(top);
  auto* group = new QGroupBox(QStringLiteral("Type of Loading"), this);
  auto* loading = new QGridLayout(group);
  Compression_ = new QRadioButton(QStringLiteral("C&ompression"), group);
  Uplift_ = new QRadioButton(QStringLiteral("&Uplift "), group);
  Reduction_ = NewField("&Reduction factor for uplift loading", "", &label);
  Reduction_->setParent(group);
  label->setParent(group);
  Reduction_->SetMaxVal(kMaxReductionFactor);
  Reduction_->SetNumber(kDefaultReductionFactor);
  Reduction_->setFixedWidth(kFieldWidthPx);
  loading->addWidget(Compression_, 0, 0);
  loading->addWidget(Uplift_, 1, 0);
  loading->addWidget(label, 2, 0);
  loading->addWidget(Reduction_, 2, 1);
  layout->addWidget(group);
  connect(Uplift_, &QRadioButton::toggled, Reduction_, &QWidget::setEnabled);
  Compression_->setChecked(true);
  Reduction_->setEnabled(false);
  connect(Value_, &QLineEdit::textEdited, this, [this] {
    if (!Loading_) Host().ProjectChanged();
  });
}

void TLoadingWindow::LoadValues() {
  Loading_ = true;
  const TProgramData& project = Host().Core().Data();
  Value_->SetUnits(Units());
  Value_->SetNumber(DesignLoad_ ? project.LPD : project.PD);
  if (project.KCYCL == kCompression) {
    Compression_->setChecked(true);  // the reduction factor keeps what it shows
  } else {
    Uplift_->setChecked(true);
    Reduction_->SetNumber(project.RCYCL);
  }
  Reduction_->setEnabled(Uplift_->isChecked());
  Loading_ = false;
}

void TLoadingWindow::StoreValues() {
  TProgramData& project = Host().Core().Data();
  const TLoadingEntry entry{Value_->NumberOr(DesignLoad_ ? project.LPD : project.PD),
                            Uplift_->isChecked(), Reduction_->NumberOr(project.RCYCL)};
  const int32_t kcycl = project.KCYCL;
  const long double rcycl = project.RCYCL;
  if (DesignLoad_) {
    StoreDesignLoad(project, entry);
  } else {
    StoreShaftLength(project, entry);
  }
  if (kcycl != project.KCYCL || rcycl != project.RCYCL) Host().ProjectChanged();
}

// ---- multiple lengths ----

TMultipleLengthsWindow::TMultipleLengthsWindow(TWindowHost& host, QWidget* parent)
    : TDataWindowBase(host, TDataWindow::kMultipleLengths, parent),
      Check_(
          new QCheckBox(QStringLiteral("Evaluate Shaft Lengths (for Specified Diameter)"), this)) {
  setWindowTitle(QStringLiteral("Multiple Shaft Lengths"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Check_);
  auto* grid = new QGridLayout;
  QLabel* label = nullptr;
  Max_ = NewField("Maximum shaft &length ", "L2", &label);
  grid->addWidget(label, 0, 0);
  grid->addWidget(Max_, 0, 1);
  auto* max_notes = new QVBoxLayout;
  for (const char* text :
       {"* Should be at least 6 diameters ", "   plus any exclusion zone defined."}) {
    QLabel* note = Note(text, this);
    max_notes->addWidget(note);
    Dependent_.push_back(note);
  }
  grid->addLayout(max_notes, 0, 2);
  Min_ = NewField("Minimum &shaft length ", "L2", &label);
  grid->addWidget(label, 1, 0);
  grid->addWidget(Min_, 1, 1);
  QLabel* min_note = Note("- default: 70% maximum shaft length", this);
  grid->addWidget(min_note, 1, 2);
  Dependent_.push_back(min_note);
  Increment_ = NewField("Shaft length increment", "L2", &label);
  grid->addWidget(label, 2, 0);
  grid->addWidget(Increment_, 2, 1);
  auto* increment_notes = new QVBoxLayout;
  for (const char* text :
       {"* A maximum of 100 increments", "  will be considered.", "- default: 3 ft or 1 m"}) {
    QLabel* note = Note(text, this);
    increment_notes->addWidget(note);
    Dependent_.push_back(note);
  }
  grid->addLayout(increment_notes, 2, 2);
  layout->addLayout(grid);
  for (entry::TDataEdit* field : {Max_, Min_, Increment_}) {
    field->setFixedWidth(kFieldWidthPx);
    Dependent_.push_back(field);
  }
  connect(Check_, &QCheckBox::toggled, this, &TMultipleLengthsWindow::UpdateEnabling);
}

void TMultipleLengthsWindow::UpdateEnabling() {
  for (QWidget* widget : Dependent_) widget->setEnabled(Check_->isChecked());
}

void TMultipleLengthsWindow::LoadValues() {
  const TProgramData& project = Host().Core().Data();
  Check_->setChecked(project.IPENT == 1);
  for (entry::TDataEdit* field : {Max_, Min_, Increment_}) field->SetUnits(Units());
  Max_->SetNumber(project.PD);
  Min_->SetNumber(project.PDMIN);
  Increment_->SetNumber(project.PDINCR);
  UpdateEnabling();
}

void TMultipleLengthsWindow::StoreValues() {
  TProgramData& project = Host().Core().Data();
  bool changed = false;
  Store(project.IPENT, Check_->isChecked() ? 1 : 0, changed);
  Store(project.PD, Max_->NumberOr(project.PD), changed);
  Store(project.PDMIN, Min_->NumberOr(project.PDMIN), changed);
  Store(project.PDINCR, Increment_->NumberOr(project.PDINCR), changed);
  if (changed) Host().ProjectChanged();
  Host().UpdateEnabling();
}

// ---- design charts ----

TDesignChartsWindow::TDesignChartsWindow(TWindowHost& host, QWidget* parent)
    : TDataWindowBase(host, TDataWindow::kDesignCharts, parent),
      Check_(new QCheckBox(QStringLiteral("Compute ASD/LRFD Design Charts"), this)),
      Up_(new QToolButton(this)),
      Down_(new QToolButton(this)),
      Table_(new QTableWidget(this)) {
  setWindowTitle(QStringLiteral("ASD/LRFD Design Charts"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Check_);
  auto* body = new QHBoxLayout;
  auto* lengths = new QGroupBox(QStringLiteral("Shaft Length/Diameter Variation"), this);
  auto* grid = new QGridLayout(lengths);
  const auto add_field = [&](int row, const char* caption, std::vector<const char*> notes) {
    QLabel* label = nullptr;
    entry::TDataEdit* field = NewField(caption, "L2", &label);
    field->setFixedWidth(kFieldWidthPx);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    for (const char* text : notes) {
      QLabel* note = Note(text, lengths);
      column->addWidget(note);
      Dependent_.push_back(note);
    }
    grid->addLayout(column, row, 2);
    Dependent_.push_back(field);
    return field;
  };
  Max_ = add_field(0, "Maximum shaft &length ",
                   {"* Should be at least 6 diameters ", "   plus any exclusion zone defined."});
  Min_ = add_field(1, "Minimum &shaft length ", {"- default: 30% maximum shaft length"});
  LengthIncrement_ = add_field(
      2, "Shaft length increment",
      {"* A maximum of 100 increments", "  will be considered.", "- default: 3 ft or 1 m"});
  DiameterIncrement_ = add_field(
      3, "Shaft diameter increment",
      {"* A maximum of 20 increments", "  will be considered.", "- default: 0.5 ft or .15 m"});
  Dependent_.push_back(lengths);
  body->addWidget(lengths);

  auto* settlements = new QGroupBox(QStringLiteral("Defined Settlements"), this);
  auto* right = new QVBoxLayout(settlements);
  auto* points = new QHBoxLayout;
  QLabel* points_label = nullptr;
  Points_ = NewField("Number of Points", "", &points_label);
  Points_->SetIntegerOnly(true);
  Points_->SetMaxVal(kMaxChartPoints);
  Points_->SetMinVal(kMinChartPoints);
  Points_->SetNumber(kDefaultChartPoints);
  Points_->setFixedWidth(40);
  Up_->setArrowType(Qt::UpArrow);
  Down_->setArrowType(Qt::DownArrow);
  points->addWidget(points_label);
  points->addWidget(Points_);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  Up_->setFixedSize(18, 12);
  Down_->setFixedSize(18, 12);
  arrows->addWidget(Up_);
  arrows->addWidget(Down_);
  points->addLayout(arrows);
  points->addStretch();
  right->addLayout(points);
  Table_->setColumnCount(2);
  Table_->verticalHeader()->hide();
  // The settlement column holds a settlement of 15 significant digits in metres (an SI project's
  // settlements converted from inches) on one line.
  const int settlement_width =
      Table_->fontMetrics().horizontalAdvance(QStringLiteral("0.00000000000000000")) +
      kCellPaddingPx;
  Table_->setWordWrap(false);
  Table_->setColumnWidth(0, kNumberColumnPx);
  Table_->setColumnWidth(1, settlement_width);
  Table_->setFixedWidth(kNumberColumnPx + settlement_width + 2 * Table_->frameWidth() +
                        kScrollBarRoomPx);
  Table_->setMinimumHeight(200);
  right->addWidget(Table_);
  body->addWidget(settlements);
  layout->addLayout(body);
  for (QWidget* widget :
       {static_cast<QWidget*>(points_label), static_cast<QWidget*>(Points_),
        static_cast<QWidget*>(Up_), static_cast<QWidget*>(Down_), static_cast<QWidget*>(Table_)}) {
    Dependent_.push_back(widget);
  }

  connect(Check_, &QCheckBox::toggled, this, &TDesignChartsWindow::UpdateEnabling);
  connect(Points_, &entry::TDataEdit::Evaluated, this, [this] {
    if (const auto n = ChartPointsFor(Points_->NumberOr(0))) ResizeTable(*n);
  });
  connect(Up_, &QToolButton::clicked, this, [this] {
    Points_->SetNumber(ChartPointsUp(Points_->NumberOr(kDefaultChartPoints)));
    if (const auto n = ChartPointsFor(Points_->NumberOr(0))) ResizeTable(*n);
  });
  connect(Down_, &QToolButton::clicked, this, [this] {
    Points_->SetNumber(ChartPointsDown(Points_->NumberOr(kDefaultChartPoints)));
    if (const auto n = ChartPointsFor(Points_->NumberOr(0))) ResizeTable(*n);
  });
}

void TDesignChartsWindow::UpdateEnabling() {
  for (QWidget* widget : Dependent_) widget->setEnabled(Check_->isChecked());
}

void TDesignChartsWindow::ResizeTable(int points) {
  // Rows cut off keep their text, so that growing the table again shows what was typed.
  for (int row = 0; row < Table_->rowCount(); ++row) {
    if (const QTableWidgetItem* item = Table_->item(row, kSettlementColumn)) {
      Typed_[static_cast<size_t>(row)] = item->text();
    }
  }
  const int before = Table_->rowCount();
  Table_->setRowCount(points);
  for (int row = before; row < points; ++row) {
    auto* n = new QTableWidgetItem(QString::number(row + 1));
    n->setFlags(Qt::ItemIsEnabled);
    Table_->setItem(row, 0, n);
    Table_->setItem(row, kSettlementColumn, new QTableWidgetItem(Typed_[static_cast<size_t>(row)]));
  }
}

void TDesignChartsWindow::LoadValues() {
  const TProgramData& project = Host().Core().Data();
  Check_->setChecked(project.IChart == 1);
  Table_->setHorizontalHeaderLabels({QStringLiteral("N"), project.isSI()
                                                              ? QStringLiteral("Settlement (m)")
                                                              : QStringLiteral("Settlement (in)")});
  for (entry::TDataEdit* field : {Max_, Min_, LengthIncrement_, DiameterIncrement_}) {
    field->SetUnits(Units());
  }
  Max_->SetNumber(project.PD);
  Min_->SetNumber(project.PDMIN);
  LengthIncrement_->SetNumber(project.PDINCR);
  DiameterIncrement_->SetNumber(project.DIAMINCR);
  // A project read from a file without design charts has no count (0): the field then shows
  // the default count, the same number of settlements as the table lists and stores.
  const int points =
      ChartPointsFor(project.NPOINTPD).value_or(static_cast<int>(kDefaultChartPoints));
  Points_->SetNumber(points);
  for (size_t i = 0; i < Typed_.size(); ++i) {
    Typed_[i] = Q(entry::FormatGeneral(project.PDSETT[i], kShortestDigits));
  }
  Table_->setRowCount(0);
  ResizeTable(points);
  UpdateEnabling();
}

void TDesignChartsWindow::StoreValues() {
  TProgramData& project = Host().Core().Data();
  bool changed = false;
  Store(project.IChart, Check_->isChecked() ? 1 : 0, changed);
  Store(project.PD, Max_->NumberOr(project.PD), changed);
  Store(project.PDMIN, Min_->NumberOr(project.PDMIN), changed);
  Store(project.PDINCR, LengthIncrement_->NumberOr(project.PDINCR), changed);
  Store(project.DIAMINCR, DiameterIncrement_->NumberOr(project.DIAMINCR), changed);
  const int points = ChartPointsFor(Points_->NumberOr(project.NPOINTPD)).value_or(project.NPOINTPD);
  std::vector<long double> settlements;
  for (int row = 0; row < std::min(points, Table_->rowCount()); ++row) {
    const long double old = project.PDSETT[static_cast<size_t>(row)];
    long double value = old;
    if (const QTableWidgetItem* item = Table_->item(row, kSettlementColumn)) {
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
  StoreChartSettlements(project, points, settlements);
  if (changed) Host().ProjectChanged();
  Host().UpdateEnabling();
}

// ---- control options ----

TControlOptionsWindow::TControlOptionsWindow(TWindowHost& host, QWidget* parent)
    : TDataWindowBase(host, TDataWindow::kControlOptions, parent) {
  setWindowTitle(QStringLiteral("Control Options"));
  auto* layout = new QVBoxLayout(this);

  auto* printing = new QGroupBox(QStringLiteral("Printing Options"), this);
  auto* printing_layout = new QHBoxLayout(printing);
  QLabel* label = nullptr;
  Increment_ = NewField("Output Increment", "L2", &label);
  Increment_->setParent(printing);
  label->setParent(printing);
  Increment_->setFixedWidth(kFieldWidthPx);
  printing_layout->addWidget(label);
  printing_layout->addWidget(Increment_);
  printing_layout->addStretch();
  layout->addWidget(printing);

  auto* bearing = new QGroupBox(QStringLiteral("End Bearing in Sands"), this);
  auto* bearing_layout = new QVBoxLayout(bearing);
  Interpolation_ = new QRadioButton(
      QStringLiteral("Use linear interpolation from zero at ground to \nmaximum values at 10 pile "
                     "diameters."),
      bearing);
  Maximum_ = new QRadioButton(QStringLiteral("Use maximum values at any depth"), bearing);
  bearing_layout->addWidget(Interpolation_);
  bearing_layout->addWidget(Maximum_);
  layout->addWidget(bearing);

  auto* plot = new QGroupBox(QStringLiteral("Plot Options"), this);
  auto* plot_layout = new QGridLayout(plot);
  UseElevation_ = new QCheckBox(
      QStringLiteral("Use Elevation instead of Depth for Label of Vertical Axis"), plot);
  Elevation_ = NewField("Elevation for Top of Shaft", "L2", &label);
  Elevation_->setParent(plot);
  label->setParent(plot);
  Elevation_->setFixedWidth(kFieldWidthPx);
  plot_layout->addWidget(UseElevation_, 0, 0, 1, 3);
  plot_layout->addWidget(label, 1, 0);
  plot_layout->addWidget(Elevation_, 1, 1);
  plot_layout->addWidget(
      new QLabel(QStringLiteral("Note: Labels will be updated after analysis is completed."), plot),
      2, 0, 1, 3);
  layout->addWidget(plot);

  auto* editor = new QGroupBox(QStringLiteral("Text Editor Options"), this);
  auto* editor_layout = new QHBoxLayout(editor);
  auto* editor_label = new QLabel(QStringLiteral("&Text Editor:"), editor);
  Editor_ = new QLineEdit(editor);
  Editor_->setMinimumWidth(260);
  editor_label->setBuddy(Editor_);
  Browse_ = new QPushButton(QStringLiteral("&Browse..."), editor);
  editor_layout->addWidget(editor_label);
  editor_layout->addWidget(Editor_);
  editor_layout->addWidget(Browse_);
  layout->addWidget(editor);

  auto* tz = new QGroupBox(QStringLiteral("Printing Additional t-z Curves"), this);
  auto* tz_layout = new QHBoxLayout(tz);
  PrintTZ_ = new QCheckBox(QStringLiteral("&Print Internally-Generated"), tz);
  EditDepths_ = new QPushButton(QStringLiteral("Edit Depths"), tz);
  tz_layout->addWidget(new QLabel(QStringLiteral("t-z Curves for Verification"), tz));
  tz_layout->addWidget(PrintTZ_);
  tz_layout->addWidget(EditDepths_);
  tz_layout->addStretch();
  layout->addWidget(tz);

  Close_ = new QPushButton(QStringLiteral("Close"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Close_);
  layout->addLayout(buttons);

  connect(UseElevation_, &QCheckBox::toggled, Elevation_, &QWidget::setEnabled);
  connect(PrintTZ_, &QCheckBox::toggled, EditDepths_, &QWidget::setEnabled);
  connect(EditDepths_, &QPushButton::clicked, this, &TControlOptionsWindow::EditDepthsClick);
  connect(Close_, &QPushButton::clicked, this, &TDataWindowBase::CloseWindow);
  connect(Browse_, &QPushButton::clicked, this, [this] {
    if (const auto file = ServicesOf(Host()).ChooseProgram(this, Editor_->text().toStdString())) {
      Editor_->setText(Q(*file));
    }
  });
}

void TControlOptionsWindow::LoadValues() {
  const TProgramData& project = Host().Core().Data();
  Editor_->setText(Q(ServicesOf(Host()).WordProcessor()));
  Increment_->SetUnits(Units());
  Elevation_->SetUnits(Units());
  Increment_->SetNumber(project.PINC);
  if (project.IMOD == kModifiedSandTip) {
    Interpolation_->setChecked(true);
  } else if (project.IMOD == 0) {
    Maximum_->setChecked(true);
  }
  UseElevation_->setChecked(project.UseElevation == 1);
  Elevation_->SetNumber(project.ValElevation);
  Elevation_->setEnabled(UseElevation_->isChecked());
  PrintTZ_->setChecked(project.PrintTZCurves == 1);
  EditDepths_->setEnabled(PrintTZ_->isChecked());
}

void TControlOptionsWindow::StoreValues() {
  TProgramData& project = Host().Core().Data();
  bool changed = false;
  Store(project.PINC, Increment_->NumberOr(project.PINC), changed);
  Store(project.IMOD, Interpolation_->isChecked() ? 1 : 0, changed);
  Store(project.UseElevation, UseElevation_->isChecked() ? 1 : 0, changed);
  Store(project.ValElevation, Elevation_->NumberOr(project.ValElevation), changed);
  Store(project.PrintTZCurves, PrintTZ_->isChecked() ? 1 : 0, changed);
  ServicesOf(Host()).SetWordProcessor(Editor_->text().toStdString());
  if (changed) Host().ProjectChanged();
  Host().UpdateEnabling();
}

void TControlOptionsWindow::EditDepthsClick() {
  if (!FieldsValid()) return;
  grid::TGridTable& depths = Host().Core().Project().Grids().TblTZDepth();
  grid::TGridTableRegistry& registry = depths.Registry();
  grid::TTableWindowFactory factory(Host().Frame(), Messages());
  grid::TGridTableWindowFactory* previous = registry.WindowFactory;
  registry.WindowFactory = &factory;
  depths.ShowModal();
  depths.Updater();  // the window is gone once it has closed
  registry.WindowFactory = previous;
  if (depths.GetChanged()) Host().ProjectChanged();
}

}  // namespace tolvane::app
