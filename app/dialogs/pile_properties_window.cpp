#include "pile_properties_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "main_form_rules.h"
#include "number_text.h"

namespace tolvane::app {
namespace {

constexpr long double kMaxDiameter = 30;
constexpr long double kMaxRatio = 10;
constexpr long double kMaxBellAngleDeg = 90;
constexpr long double kMaxLowerZone = 100;
constexpr long double kMaxModulus = 300000000;
constexpr long double kDefaultDiameter = 2.0L;
constexpr long double kDefaultUpperZone = 5.0L;
constexpr long double kDefaultLowerZone = 1.0L;
constexpr int kFieldWidthPx = 110;
constexpr int kSketchWidthPx = 230;
constexpr int kSketchHeightPx = 330;
constexpr int kSketchMarginPx = 28;
constexpr double kSketchWidthShare = 0.5;  // the widest part of the shaft takes half the width

struct FieldText {
  const char* Caption;
  const char* Units;
  const char* note;
  const char* hint;
};

const FieldText kShaftFields[] = {
    {"Minimum Shaft Diameter, B, to be Considered", "L2", "",
     "Practical minimum value is 2 ft or 0.6 m"},
    {"Maximum Shaft Diameter, B, to be Considered", "L2", "(Enter 0 if same as minimum)",
     "Practical maximum is 12 ft or 3.6 m"},
    {"&Ratio of Base Diameter to Shaft Diameter,  Bb/B", "", "(Enter 0 for straight shaft)",
     "Usual value for belled shafts is 3"},
    {"&Angle of Bell with Respect to Vertical,  Ang ", "deg", "(Enter 0 for straight shaft)",
     "Usual value for belled shafts is 45 degrees"},
    {"Length of &Upper Exclusion Zone without Skin Friction, Lue", "L2", "", ""},
    {"Length of Bottom Portion of Shaft without Skin Friction, Lle", "L2", "",
     "From top of bell for belled shafts or from base for straight shafts"},
    {"&Modulus of Elasticity of Drilled Shaft ", "F/L\u00b2", "", ""},
};

const FieldText kCfaFields[] = {
    {"Minimum Pile Diameter, B, to be Considered", "L2", "",
     "Practical minimum value is 2 ft or 0.6 m"},
    {"Maximum Pile Diameter, B, to be Considered", "L2", "(Enter 0 if same as minimum)",
     "Practical maximum is 12 ft or 3.6 m"},
    {"", "", "", ""},
    {"", "", "", ""},
    {"Length of &Upper Exclusion Zone without Skin Friction, Lue", "L2", "", ""},
    {"Lenght of Bottom Portion of Shaft without Skin Friction, Lle", "L2", "",
     "From top of bell for belled shafts or from base for straight shafts"},
    {"&Modulus of Elasticity of CFG Pile", "F/L\u00b2", "", ""},
};

const char* const kShaftText =
    "Shaft diameter, B, is automatically incremented in 6-inch or 0.15 m increments between the "
    "specified minimum \n"
    "and maximum diameters.\n"
    "* This default increment can be changed while using Design Charts.\n"
    "\n"
    "For shafts in cohesive soils, the upper exclusion zone, Lue, is used to eliminate side "
    "resistance lost due to \n"
    "desiccation cracking and the lower exclusion zone, Lle, is used to account for side "
    "resistance lost due to horizontal \n"
    "stress loss under loading.  \n"
    "\n"
    "For shafts in cohesive soils, a lower exclusion zone for side resistance is usually not "
    "reccomended for uplift loading. \n"
    "\n"
    "No exclusion zones are recommended for shafts in cohesionless soils.\n"
    "\n"
    "Bells should not be specified for shafts in cohesionless soils or rock.";

const char* const kCfaText =
    "PIle diameter, B, is automatically incremented in 6-inch or 0.15 m increments between the "
    "specified \n"
    "minimum and maximum diameters.\n"
    "\n"
    "For piles in cohesive soils, the upper exclusion zone, Lue, is used to eliminate side "
    "resistance lost \n"
    "due to desiccation cracking and the lower exclusion zone, Lle, is used to account for side "
    "resistance lost \n"
    "due to horizontal stress loss under loading.  \n"
    "\n"
    "For piles in cohesive soils, a lower exclusion zone for side resistance is usually not "
    "reccomended for \n"
    "uplift loading. \n"
    "\n"
    "No exclusion zones are recommended for piles in cohesionless soils.";

const long double kMaxima[] = {
    kMaxDiameter,  kMaxDiameter, kMaxRatio, kMaxBellAngleDeg, entry::DataEditRules::kDefaultMaxVal,
    kMaxLowerZone, kMaxModulus};

QString lengthText(long double value, int unitSystem) {
  return QString::fromStdString(entry::formatGeneral(value, 4)) +
         (unitSystem == kSIUnits ? QStringLiteral(" m") : QStringLiteral(" ft"));
}

}  // namespace

// ---- sketch ----

ShaftSketchWidget::ShaftSketchWidget(QWidget* parent) : QWidget(parent) {
  setMinimumSize(kSketchWidthPx, kSketchHeightPx);
}

QSize ShaftSketchWidget::sizeHint() const {
  return {kSketchWidthPx, kSketchHeightPx};
}

void ShaftSketchWidget::setSketch(const ShaftSketch& sketch, int unitSystem) {
  sketch_ = sketch;
  units_ = unitSystem;
  update();
}

void ShaftSketchWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), palette().base());
  const QRectF area =
      QRectF(rect()).adjusted(kSketchMarginPx, kSketchMarginPx, -kSketchMarginPx,
                              -2 * kSketchMarginPx);  // room below for Bb and the note
  const double length = static_cast<double>(sketch_.length);
  const double widest = static_cast<double>(std::max(sketch_.BaseDiameter, sketch_.diameter));
  if (length <= 0 || widest <= 0) return;
  // A sketch, not to scale: depth fills the height, the widest part half the width.
  const double sy = area.height() / length;
  const double sx = area.width() * kSketchWidthShare / widest;
  const double cx = area.center().x();
  const auto y = [&](long double depth) { return area.top() + static_cast<double>(depth) * sy; };
  const double halfStem = static_cast<double>(sketch_.diameter) / 2 * sx;
  const double halfBase = static_cast<double>(sketch_.BaseDiameter) / 2 * sx;
  const long double bellTop = sketch_.length - sketch_.BellHeight;

  // Ground surface.
  painter.setPen(QPen(palette().text().color(), 1));
  painter.drawLine(QPointF(rect().left() + 4, area.top()), QPointF(rect().right() - 4, area.top()));

  // The shaft: stem and bell.
  QPainterPath shaft;
  shaft.moveTo(cx - halfStem, area.top());
  shaft.lineTo(cx + halfStem, area.top());
  shaft.lineTo(cx + halfStem, y(bellTop));
  shaft.lineTo(cx + halfBase, y(sketch_.length));
  shaft.lineTo(cx - halfBase, y(sketch_.length));
  shaft.lineTo(cx - halfStem, y(bellTop));
  shaft.closeSubpath();
  painter.fillPath(shaft, QColor(200, 200, 200));
  painter.drawPath(shaft);

  // Exclusion zones: no side resistance there.
  const QBrush zone(QColor(220, 60, 60), Qt::BDiagPattern);
  const auto drawZone = [&](long double from, long double to, const QString& text) {
    if (to <= from) return;
    const QRectF band(cx - halfStem, y(from), 2 * halfStem, y(to) - y(from));
    painter.fillRect(band, zone);
    painter.drawText(
        QPointF(cx + std::max(halfStem, halfBase) + 6, (band.top() + band.bottom()) / 2 + 4), text);
  };
  drawZone(0, std::min(sketch_.upperZone, bellTop),
           QStringLiteral("Lue = ") + lengthText(sketch_.upperZone, units_));
  drawZone(std::max<long double>(bellTop - sketch_.lowerZone, 0), bellTop,
           QStringLiteral("Lle = ") + lengthText(sketch_.lowerZone, units_));

  // Dimensions.
  painter.drawText(QPointF(cx - halfStem, area.top() - 6),
                   sketch_.diameterEntered
                       ? QStringLiteral("B = ") + lengthText(sketch_.diameter, units_)
                       : QStringLiteral("B not entered"));
  if (sketch_.belled()) {
    painter.drawText(QPointF(cx - halfBase, y(sketch_.length) + 16),
                     QStringLiteral("Bb = ") + lengthText(sketch_.BaseDiameter, units_));
  }
  painter.drawText(QPointF(rect().left() + 4, rect().bottom() - 2),
                   QStringLiteral("(not to scale)"));
}

// ---- window ----

PilePropertiesWindow::PilePropertiesWindow(WindowHost& host, bool cfaPile, QWidget* parent)
    : DataWindowBase(host,
                     cfaPile ? DataWindow::kCfaPileProperties : DataWindow::kDrilledShaftProperties,
                     parent),
      cfa_(cfaPile),
      fields_(kFieldCount, nullptr) {
  setWindowTitle(cfaPile ? QStringLiteral("CFA Pile Properties")
                         : QStringLiteral("Drilled-Shaft Properties"));
  const FieldText* texts = cfaPile ? kCfaFields : kShaftFields;
  auto* grid = new QGridLayout;
  int row = 0;
  for (int f = 0; f < kFieldCount; ++f) {
    if (cfaPile && (f == kRatio || f == kAngle)) continue;
    QLabel* label = nullptr;
    entry::TDataEdit* field = newField(texts[f].Caption, texts[f].Units, &label);
    field->SetMaxVal(kMaxima[f]);
    field->setFixedWidth(kFieldWidthPx);
    field->setToolTip(QString::fromUtf8(texts[f].hint));
    label->setToolTip(field->toolTip());
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    if (*texts[f].note != '\0') {
      auto* note = new QLabel(QString::fromUtf8(texts[f].note), this);
      grid->addWidget(note, row, 2);
      if (f == kMax) maxNote_ = note;
    }
    connect(field, &QLineEdit::textEdited, this, [this] {
      if (!loading_) this->host().projectChanged();
    });
    connect(field, &entry::TDataEdit::evaluated, this, &PilePropertiesWindow::updateSketch);
    fields_[static_cast<size_t>(f)] = field;
    ++row;
  }
  fields_[kMin]->SetNumber(kDefaultDiameter);
  fields_[kMax]->SetNumber(kDefaultDiameter);
  fields_[kTop]->SetNumber(kDefaultUpperZone);
  fields_[kBottom]->SetNumber(kDefaultLowerZone);

  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setFrameShape(QFrame::NoFrame);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setPlainText(QString::fromUtf8(cfaPile ? kCfaText : kShaftText));
  text_->setPalette(palette());
  text_->setBackgroundRole(QPalette::Window);
  const int lines = text_->document()->blockCount();
  text_->setFixedHeight(text_->fontMetrics().lineSpacing() * (lines + 1) + 8);
  text_->setMinimumWidth(text_->fontMetrics().horizontalAdvance(
                             QStringLiteral("For shafts in cohesive soils, the upper exclusion "
                                            "zone, Lue, is used to eliminate side resistance lost "
                                            "due to horizontal ")) +
                         24);

  auto* left = new QVBoxLayout;
  left->addLayout(grid);
  left->addWidget(text_);
  left->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  if (!cfaPile) {
    sketch_ = new ShaftSketchWidget(this);
    layout->addWidget(sketch_, 0, Qt::AlignTop);
  }
}

void PilePropertiesWindow::loadValues() {
  loading_ = true;
  TProgramData& project = host().core().Data();
  project.CFAPile = pileKind();
  const long double values[] = {project.DSTART,  project.DIALIM, project.RATIO, project.BELANGL,
                                project.TOPLENG, project.BS,     project.EPILE};
  for (int f = 0; f < kFieldCount; ++f) {
    entry::TDataEdit* field = fields_[static_cast<size_t>(f)];
    if (field == nullptr) continue;
    field->SetUnits(project.fUnits);
    field->SetNumber(values[f]);
  }
  const bool maximum = maximumDiameterEnabled(project);
  fields_[kMax]->setEnabled(maximum);
  if (maxNote_ != nullptr) maxNote_->setVisible(maximum);
  updateSketch();
  loading_ = false;
}

void PilePropertiesWindow::storeValues() {
  TProgramData& project = host().core().Data();
  long double* targets[] = {&project.DSTART,  &project.DIALIM, &project.RATIO, &project.BELANGL,
                            &project.TOPLENG, &project.BS,     &project.EPILE};
  for (int f = 0; f < kFieldCount; ++f) {
    const entry::TDataEdit* field = fields_[static_cast<size_t>(f)];
    if (field != nullptr) *targets[f] = field->numberOr(*targets[f]);
  }
  project.CFAPile = pileKind();
  host().updateEnabling();
}

void PilePropertiesWindow::updateSketch() {
  if (sketch_ == nullptr) return;
  const TProgramData& project = host().core().Data();
  // The sketch shows what the fields hold, before they are written back.
  ShaftGeometry geometry = shaftGeometryOf(project);
  geometry.diameter = fields_[kMin]->numberOr(geometry.diameter);
  geometry.ratio = fields_[kRatio]->numberOr(geometry.ratio);
  geometry.bellAngle = fields_[kAngle]->numberOr(geometry.bellAngle);
  geometry.upperZone = fields_[kTop]->numberOr(geometry.upperZone);
  geometry.lowerZone = fields_[kBottom]->numberOr(geometry.lowerZone);
  const ShaftSketch sketch = shaftSketchOf(geometry);
  sketch_->setSketch(sketch, project.fUnits);
}

}  // namespace tolvane::app
