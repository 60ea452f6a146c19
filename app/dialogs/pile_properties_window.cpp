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

struct TFieldText {
  const char* Caption;
  const char* Units;
  const char* Note;
  const char* Hint;
};

const TFieldText kShaftFields[] = {
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

const TFieldText kCfaFields[] = {
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

QString LengthText(long double value, int unit_system) {
  return QString::fromStdString(entry::FormatGeneral(value, 4)) +
         (unit_system == kSIUnits ? QStringLiteral(" m") : QStringLiteral(" ft"));
}

}  // namespace

// ---- sketch ----

TShaftSketchWidget::TShaftSketchWidget(QWidget* parent) : QWidget(parent) {
  setMinimumSize(kSketchWidthPx, kSketchHeightPx);
}

QSize TShaftSketchWidget::sizeHint() const {
  return {kSketchWidthPx, kSketchHeightPx};
}

void TShaftSketchWidget::SetSketch(const TShaftSketch& sketch, int unit_system) {
  Sketch_ = sketch;
  Units_ = unit_system;
  update();
}

void TShaftSketchWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), palette().base());
  const QRectF area =
      QRectF(rect()).adjusted(kSketchMarginPx, kSketchMarginPx, -kSketchMarginPx,
                              -2 * kSketchMarginPx);  // room below for Bb and the note
  const double length = static_cast<double>(Sketch_.Length);
  const double widest = static_cast<double>(std::max(Sketch_.BaseDiameter, Sketch_.Diameter));
  if (length <= 0 || widest <= 0) return;
  // A sketch, not to scale: depth fills the height, the widest part half the width.
  const double sy = area.height() / length;
  const double sx = area.width() * kSketchWidthShare / widest;
  const double cx = area.center().x();
  const auto y = [&](long double depth) { return area.top() + static_cast<double>(depth) * sy; };
  const double half_stem = static_cast<double>(Sketch_.Diameter) / 2 * sx;
  const double half_base = static_cast<double>(Sketch_.BaseDiameter) / 2 * sx;
  const long double bell_top = Sketch_.Length - Sketch_.BellHeight;

  // Ground surface.
  painter.setPen(QPen(palette().text().color(), 1));
  painter.drawLine(QPointF(rect().left() + 4, area.top()), QPointF(rect().right() - 4, area.top()));

  // The shaft: stem and bell.
  QPainterPath shaft;
  shaft.moveTo(cx - half_stem, area.top());
  shaft.lineTo(cx + half_stem, area.top());
  shaft.lineTo(cx + half_stem, y(bell_top));
  shaft.lineTo(cx + half_base, y(Sketch_.Length));
  shaft.lineTo(cx - half_base, y(Sketch_.Length));
  shaft.lineTo(cx - half_stem, y(bell_top));
  shaft.closeSubpath();
  painter.fillPath(shaft, QColor(200, 200, 200));
  painter.drawPath(shaft);

  // Exclusion zones: no side resistance there.
  const QBrush zone(QColor(220, 60, 60), Qt::BDiagPattern);
  const auto draw_zone = [&](long double from, long double to, const QString& text) {
    if (to <= from) return;
    const QRectF band(cx - half_stem, y(from), 2 * half_stem, y(to) - y(from));
    painter.fillRect(band, zone);
    painter.drawText(
        QPointF(cx + std::max(half_stem, half_base) + 6, (band.top() + band.bottom()) / 2 + 4),
        text);
  };
  draw_zone(0, std::min(Sketch_.UpperZone, bell_top),
            QStringLiteral("Lue = ") + LengthText(Sketch_.UpperZone, Units_));
  draw_zone(std::max<long double>(bell_top - Sketch_.LowerZone, 0), bell_top,
            QStringLiteral("Lle = ") + LengthText(Sketch_.LowerZone, Units_));

  // Dimensions.
  painter.drawText(QPointF(cx - half_stem, area.top() - 6),
                   Sketch_.DiameterEntered
                       ? QStringLiteral("B = ") + LengthText(Sketch_.Diameter, Units_)
                       : QStringLiteral("B not entered"));
  if (Sketch_.Belled()) {
    painter.drawText(QPointF(cx - half_base, y(Sketch_.Length) + 16),
                     QStringLiteral("Bb = ") + LengthText(Sketch_.BaseDiameter, Units_));
  }
  painter.drawText(QPointF(rect().left() + 4, rect().bottom() - 2),
                   QStringLiteral("(not to scale)"));
}

// ---- window ----

TPilePropertiesWindow::TPilePropertiesWindow(TWindowHost& host, bool cfa_pile, QWidget* parent)
    : TDataWindowBase(
          host, cfa_pile ? TDataWindow::kCfaPileProperties : TDataWindow::kDrilledShaftProperties,
          parent),
      Cfa_(cfa_pile),
      Fields_(kFieldCount, nullptr) {
  setWindowTitle(cfa_pile ? QStringLiteral("CFA Pile Properties")
                          : QStringLiteral("Drilled-Shaft Properties"));
  const TFieldText* texts = cfa_pile ? kCfaFields : kShaftFields;
  auto* grid = new QGridLayout;
  int row = 0;
  for (int f = 0; f < kFieldCount; ++f) {
    if (cfa_pile && (f == kRatio || f == kAngle)) continue;
    QLabel* label = nullptr;
    entry::TDataEdit* field = NewField(texts[f].Caption, texts[f].Units, &label);
    field->SetMaxVal(kMaxima[f]);
    field->setFixedWidth(kFieldWidthPx);
    field->setToolTip(QString::fromUtf8(texts[f].Hint));
    label->setToolTip(field->toolTip());
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    if (*texts[f].Note != '\0') {
      auto* note = new QLabel(QString::fromUtf8(texts[f].Note), this);
      grid->addWidget(note, row, 2);
      if (f == kMax) MaxNote_ = note;
    }
    connect(field, &QLineEdit::textEdited, this, [this] {
      if (!Loading_) Host().ProjectChanged();
    });
    connect(field, &entry::TDataEdit::Evaluated, this, &TPilePropertiesWindow::UpdateSketch);
    Fields_[static_cast<size_t>(f)] = field;
    ++row;
  }
  Fields_[kMin]->SetNumber(kDefaultDiameter);
  Fields_[kMax]->SetNumber(kDefaultDiameter);
  Fields_[kTop]->SetNumber(kDefaultUpperZone);
  Fields_[kBottom]->SetNumber(kDefaultLowerZone);

  Text_ = new QPlainTextEdit(this);
  Text_->setReadOnly(true);
  Text_->setFrameShape(QFrame::NoFrame);
  Text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text_->setPlainText(QString::fromUtf8(cfa_pile ? kCfaText : kShaftText));
  Text_->setPalette(palette());
  Text_->setBackgroundRole(QPalette::Window);
  const int lines = Text_->document()->blockCount();
  Text_->setFixedHeight(Text_->fontMetrics().lineSpacing() * (lines + 1) + 8);
  Text_->setMinimumWidth(Text_->fontMetrics().horizontalAdvance(
                             QStringLiteral("For shafts in cohesive soils, the upper exclusion "
                                            "zone, Lue, is used to eliminate side resistance lost "
                                            "due to horizontal ")) +
                         24);

  auto* left = new QVBoxLayout;
  left->addLayout(grid);
  left->addWidget(Text_);
  left->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  if (!cfa_pile) {
    Sketch_ = new TShaftSketchWidget(this);
    layout->addWidget(Sketch_, 0, Qt::AlignTop);
  }
}

void TPilePropertiesWindow::LoadValues() {
  Loading_ = true;
  TProgramData& project = Host().Core().Data();
  project.CFAPile = PileKind();
  const long double values[] = {project.DSTART,  project.DIALIM, project.RATIO, project.BELANGL,
                                project.TOPLENG, project.BS,     project.EPILE};
  for (int f = 0; f < kFieldCount; ++f) {
    entry::TDataEdit* field = Fields_[static_cast<size_t>(f)];
    if (field == nullptr) continue;
    field->SetUnits(project.fUnits);
    field->SetNumber(values[f]);
  }
  const bool maximum = MaximumDiameterEnabled(project);
  Fields_[kMax]->setEnabled(maximum);
  if (MaxNote_ != nullptr) MaxNote_->setVisible(maximum);
  UpdateSketch();
  Loading_ = false;
}

void TPilePropertiesWindow::StoreValues() {
  TProgramData& project = Host().Core().Data();
  long double* targets[] = {&project.DSTART,  &project.DIALIM, &project.RATIO, &project.BELANGL,
                            &project.TOPLENG, &project.BS,     &project.EPILE};
  for (int f = 0; f < kFieldCount; ++f) {
    const entry::TDataEdit* field = Fields_[static_cast<size_t>(f)];
    if (field != nullptr) *targets[f] = field->NumberOr(*targets[f]);
  }
  project.CFAPile = PileKind();
  Host().UpdateEnabling();
}

void TPilePropertiesWindow::UpdateSketch() {
  if (Sketch_ == nullptr) return;
  const TProgramData& project = Host().Core().Data();
  // The sketch shows what the fields hold, before they are written back.
  TShaftGeometry geometry = ShaftGeometryOf(project);
  geometry.Diameter = Fields_[kMin]->NumberOr(geometry.Diameter);
  geometry.Ratio = Fields_[kRatio]->NumberOr(geometry.Ratio);
  geometry.BellAngle = Fields_[kAngle]->NumberOr(geometry.BellAngle);
  geometry.UpperZone = Fields_[kTop]->NumberOr(geometry.UpperZone);
  geometry.LowerZone = Fields_[kBottom]->NumberOr(geometry.LowerZone);
  const TShaftSketch sketch = ShaftSketchOf(geometry);
  Sketch_->SetSketch(sketch, project.fUnits);
}

}  // namespace tolvane::app
