#include "dlg_pile_diagrams.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "block_options.h"
#include "dlg_block.h"

namespace tolvane::app {

namespace {
constexpr double kCentreAcross = 0.75;  // of the frame's width
constexpr double kCentreDown = 0.5;     // of the frame's height
constexpr int kFactorWidth = 70;        // pixels of the size-factor field
}  // namespace

TDlgPileDiagrams::TDlgPileDiagrams(TDlgBlock& view, QWidget* frame)
    : QDialog(frame, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      view_(view) {
  setWindowTitle(QString::fromLatin1(kTitle));
  setObjectName(QStringLiteral("DlgPileDiagrams"));
  setAttribute(Qt::WA_DeleteOnClose);
  showPlots_ = new QCheckBox(tr("Show Plots"), this);

  selectPlots_ = new QGroupBox(tr("Select Plots"), this);
  ultimate_ = new QRadioButton(tr("Ultimate Effects"), selectPlots_);
  design_ = new QRadioButton(tr("ASD/LRFD Effects"), selectPlots_);
  auto* plotsLayout = new QVBoxLayout(selectPlots_);
  plotsLayout->addWidget(ultimate_);
  plotsLayout->addWidget(design_);

  selectResults_ = new QGroupBox(tr("Select Results"), this);
  skin_ = new QCheckBox(tr("Skin Friction"), selectResults_);
  tip_ = new QCheckBox(tr("Tip Resistance"), selectResults_);
  total_ = new QCheckBox(tr("Total Capacity"), selectResults_);
  auto* resultsLayout = new QVBoxLayout(selectResults_);
  resultsLayout->addWidget(skin_);
  resultsLayout->addWidget(tip_);
  resultsLayout->addWidget(total_);

  options_ = new QGroupBox(tr("Options"), this);
  values_ = new QCheckBox(tr("Show Maximum Values"), options_);
  factorCaption_ = new QLabel(tr("Size Factor"), options_);
  factor_ = new QLineEdit(options_);
  factor_->setFixedWidth(kFactorWidth);
  up_ = new QToolButton(options_);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(options_);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFixedSize(18, factor_->sizeHint().height() / 2);
  }
  auto* upDown = new QVBoxLayout;
  upDown->setSpacing(0);
  upDown->addWidget(up_);
  upDown->addWidget(down_);
  factorError_ = new QLabel(options_);
  factorError_->setStyleSheet(QStringLiteral("color: #C00000"));
  factorError_->setWordWrap(true);
  factorError_->hide();
  auto* factorRow = new QHBoxLayout;
  factorRow->addWidget(factorCaption_);
  factorRow->addWidget(factor_);
  factorRow->addLayout(upDown);
  factorRow->addStretch();
  auto* optionsLayout = new QVBoxLayout(options_);
  optionsLayout->addWidget(values_);
  optionsLayout->addLayout(factorRow);
  optionsLayout->addWidget(factorError_);

  auto* closeButton = new QPushButton(tr("Close"), this);
  auto* layout = new QGridLayout(this);
  layout->addWidget(showPlots_, 0, 0, 1, 2);
  layout->addWidget(selectPlots_, 1, 0);
  layout->addWidget(selectResults_, 1, 1);
  layout->addWidget(options_, 2, 0, 1, 2);
  layout->addWidget(closeButton, 3, 1, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QCheckBox* box : {showPlots_, skin_, tip_, total_, values_}) {
    connect(box, &QCheckBox::toggled, this, [this] { controlsChanged(); });
  }
  connect(ultimate_, &QRadioButton::toggled, this, [this] { controlsChanged(); });
  connect(factor_, &QLineEdit::textEdited, this, [this] { factorEdited(); });
  connect(up_, &QToolButton::clicked, this, [this] { stepSizeFactor(true); });
  connect(down_, &QToolButton::clicked, this, [this] { stepSizeFactor(false); });
  connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
  FormActivate();
}

TDlgPileDiagrams::~TDlgPileDiagrams() = default;

void TDlgPileDiagrams::placeOver(QWidget* frame) {
  if (frame == nullptr) return;
  adjustSize();
  const QRect outer = frame->frameGeometry();
  const QPoint centre(outer.left() + static_cast<int>(kCentreAcross * outer.width()),
                      outer.top() + static_cast<int>(kCentreDown * outer.height()));
  QRect placed(QPoint(0, 0), frameGeometry().size());
  placed.moveCenter(centre);
  if (placed.right() > outer.right()) placed.moveRight(outer.right());
  if (placed.bottom() > outer.bottom()) placed.moveBottom(outer.bottom());
  move(placed.topLeft());
}

bool TDlgPileDiagrams::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(event);
}

void TDlgPileDiagrams::FormActivate() {
  loading_ = true;
  const BlockFlags& flags = view_.flags;
  showPlots_->setChecked(flags.ShowUltimateEffects);
  ultimate_->setChecked(flags.ShowUltimateResults == 0);
  design_->setChecked(flags.ShowUltimateResults == 1);
  skin_->setChecked(flags.ShowSkinFriction);
  tip_->setChecked(flags.ShowTipResistance);
  total_->setChecked(flags.ShowTotalCapacity);
  values_->setChecked(flags.ShowUltimateEffectsValues);
  factor_->setText(QString::fromStdString(sizeFactorText(flags.UltimateEffectsFactor)));
  showFactorError(QString());
  loading_ = false;
  updateEnabling();
}

void TDlgPileDiagrams::updateEnabling() {
  const bool on = showPlots_->isChecked();
  for (QWidget* control :
       {static_cast<QWidget*>(selectPlots_), static_cast<QWidget*>(selectResults_),
        static_cast<QWidget*>(options_)}) {
    control->setEnabled(on);
  }
}

void TDlgPileDiagrams::controlsChanged() {
  updateEnabling();
  if (loading_) return;
  BlockFlags& flags = view_.flags;
  flags.ShowUltimateEffects = showPlots_->isChecked();
  flags.ShowUltimateResults = design_->isChecked() ? 1 : 0;
  flags.ShowSkinFriction = skin_->isChecked();
  flags.ShowTipResistance = tip_->isChecked();
  flags.ShowTotalCapacity = total_->isChecked();
  flags.ShowUltimateEffectsValues = values_->isChecked();
  view_.RedrawComplete();
}

void TDlgPileDiagrams::showFactorError(const QString& text) {
  factorError_->setText(text);
  factorError_->setVisible(!text.isEmpty());
}

void TDlgPileDiagrams::factorEdited() {
  const std::string text = factor_->text().toStdString();
  if (text.empty()) {
    showFactorError(QString());
    return;
  }
  const std::optional<double> factor = parseSizeFactor(text);
  if (!factor) {
    // The factor stays as it was.
    showFactorError(tr("'%1' is not a valid floating point value").arg(factor_->text()));
    return;
  }
  showFactorError(QString());
  view_.flags.UltimateEffectsFactor = *factor;
  view_.RedrawComplete();
}

void TDlgPileDiagrams::stepSizeFactor(bool up) {
  const std::optional<double> current = parseSizeFactor(factor_->text().toStdString());
  if (!current) {
    showFactorError(tr("'%1' is not a valid floating point value").arg(factor_->text()));
    return;
  }
  const double next = app::stepSizeFactor(*current, up);
  view_.flags.UltimateEffectsFactor = next;
  factor_->setText(QString::fromStdString(sizeFactorText(next)));
  showFactorError(QString());
  view_.RedrawComplete();
}

}  // namespace tolvane::app
