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
      View_(view) {
  setWindowTitle(QString::fromLatin1(kTitle));
  setObjectName(QStringLiteral("DlgPileDiagrams"));
  setAttribute(Qt::WA_DeleteOnClose);
  ShowPlots_ = new QCheckBox(tr("Show Plots"), this);

  SelectPlots_ = new QGroupBox(tr("Select Plots"), this);
  Ultimate_ = new QRadioButton(tr("Ultimate Effects"), SelectPlots_);
  Design_ = new QRadioButton(tr("ASD/LRFD Effects"), SelectPlots_);
  auto* plots_layout = new QVBoxLayout(SelectPlots_);
  plots_layout->addWidget(Ultimate_);
  plots_layout->addWidget(Design_);

  SelectResults_ = new QGroupBox(tr("Select Results"), this);
  Skin_ = new QCheckBox(tr("Skin Friction"), SelectResults_);
  Tip_ = new QCheckBox(tr("Tip Resistance"), SelectResults_);
  Total_ = new QCheckBox(tr("Total Capacity"), SelectResults_);
  auto* results_layout = new QVBoxLayout(SelectResults_);
  results_layout->addWidget(Skin_);
  results_layout->addWidget(Tip_);
  results_layout->addWidget(Total_);

  Options_ = new QGroupBox(tr("Options"), this);
  Values_ = new QCheckBox(tr("Show Maximum Values"), Options_);
  FactorCaption_ = new QLabel(tr("Size Factor"), Options_);
  Factor_ = new QLineEdit(Options_);
  Factor_->setFixedWidth(kFactorWidth);
  Up_ = new QToolButton(Options_);
  Up_->setArrowType(Qt::UpArrow);
  Down_ = new QToolButton(Options_);
  Down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {Up_, Down_}) {
    button->setAutoRepeat(true);
    button->setFixedSize(18, Factor_->sizeHint().height() / 2);
  }
  auto* up_down = new QVBoxLayout;
  up_down->setSpacing(0);
  up_down->addWidget(Up_);
  up_down->addWidget(Down_);
  FactorError_ = new QLabel(Options_);
  FactorError_->setStyleSheet(QStringLiteral("color: #C00000"));
  FactorError_->setWordWrap(true);
  FactorError_->hide();
  auto* factor_row = new QHBoxLayout;
  factor_row->addWidget(FactorCaption_);
  factor_row->addWidget(Factor_);
  factor_row->addLayout(up_down);
  factor_row->addStretch();
  auto* options_layout = new QVBoxLayout(Options_);
  options_layout->addWidget(Values_);
  options_layout->addLayout(factor_row);
  options_layout->addWidget(FactorError_);

  auto* close_button = new QPushButton(tr("Close"), this);
  auto* layout = new QGridLayout(this);
  layout->addWidget(ShowPlots_, 0, 0, 1, 2);
  layout->addWidget(SelectPlots_, 1, 0);
  layout->addWidget(SelectResults_, 1, 1);
  layout->addWidget(Options_, 2, 0, 1, 2);
  layout->addWidget(close_button, 3, 1, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QCheckBox* box : {ShowPlots_, Skin_, Tip_, Total_, Values_}) {
    connect(box, &QCheckBox::toggled, this, [this] { ControlsChanged(); });
  }
  connect(Ultimate_, &QRadioButton::toggled, this, [this] { ControlsChanged(); });
  connect(Factor_, &QLineEdit::textEdited, this, [this] { FactorEdited(); });
  connect(Up_, &QToolButton::clicked, this, [this] { StepSizeFactor(true); });
  connect(Down_, &QToolButton::clicked, this, [this] { StepSizeFactor(false); });
  connect(close_button, &QPushButton::clicked, this, &QDialog::close);
  FormActivate();
}

TDlgPileDiagrams::~TDlgPileDiagrams() = default;

void TDlgPileDiagrams::PlaceOver(QWidget* frame) {
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
  Loading_ = true;
  const TBlockFlags& flags = View_.Flags;
  ShowPlots_->setChecked(flags.ShowUltimateEffects);
  Ultimate_->setChecked(flags.ShowUltimateResults == 0);
  Design_->setChecked(flags.ShowUltimateResults == 1);
  Skin_->setChecked(flags.ShowSkinFriction);
  Tip_->setChecked(flags.ShowTipResistance);
  Total_->setChecked(flags.ShowTotalCapacity);
  Values_->setChecked(flags.ShowUltimateEffectsValues);
  Factor_->setText(QString::fromStdString(SizeFactorText(flags.UltimateEffectsFactor)));
  ShowFactorError(QString());
  Loading_ = false;
  UpdateEnabling();
}

void TDlgPileDiagrams::UpdateEnabling() {
  const bool on = ShowPlots_->isChecked();
  for (QWidget* control :
       {static_cast<QWidget*>(SelectPlots_), static_cast<QWidget*>(SelectResults_),
        static_cast<QWidget*>(Options_)}) {
    control->setEnabled(on);
  }
}

void TDlgPileDiagrams::ControlsChanged() {
  UpdateEnabling();
  if (Loading_) return;
  TBlockFlags& flags = View_.Flags;
  flags.ShowUltimateEffects = ShowPlots_->isChecked();
  flags.ShowUltimateResults = Design_->isChecked() ? 1 : 0;
  flags.ShowSkinFriction = Skin_->isChecked();
  flags.ShowTipResistance = Tip_->isChecked();
  flags.ShowTotalCapacity = Total_->isChecked();
  flags.ShowUltimateEffectsValues = Values_->isChecked();
  View_.RedrawComplete();
}

void TDlgPileDiagrams::ShowFactorError(const QString& text) {
  FactorError_->setText(text);
  FactorError_->setVisible(!text.isEmpty());
}

void TDlgPileDiagrams::FactorEdited() {
  const std::string text = Factor_->text().toStdString();
  if (text.empty()) {
    ShowFactorError(QString());
    return;
  }
  const std::optional<double> factor = ParseSizeFactor(text);
  if (!factor) {
    // The factor stays as it was.
    ShowFactorError(tr("'%1' is not a valid floating point value").arg(Factor_->text()));
    return;
  }
  ShowFactorError(QString());
  View_.Flags.UltimateEffectsFactor = *factor;
  View_.RedrawComplete();
}

void TDlgPileDiagrams::StepSizeFactor(bool up) {
  const std::optional<double> current = ParseSizeFactor(Factor_->text().toStdString());
  if (!current) {
    ShowFactorError(tr("'%1' is not a valid floating point value").arg(Factor_->text()));
    return;
  }
  const double next = app::StepSizeFactor(*current, up);
  View_.Flags.UltimateEffectsFactor = next;
  Factor_->setText(QString::fromStdString(SizeFactorText(next)));
  ShowFactorError(QString());
  View_.RedrawComplete();
}

}  // namespace tolvane::app
