#include "dlg_side_view.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "main_form_rules.h"
#include "side_view_painter.h"
#include "view_project.h"
#include "window_host.h"

namespace tolvane::app {

namespace {
constexpr int kInitialWidth = 640;  // pixels of a new window's client area
constexpr int kInitialHeight = 480;
constexpr int kPrintFontPoints = 10;
}  // namespace

TSideViewCanvas::TSideViewCanvas(TDlgSideView& owner) : QWidget(&owner), Owner_(owner) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSideViewCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  PaintSideView(painter, Owner_.Geometry(), Owner_.OmitHatches(),
                palette().color(QPalette::Window));
}

void TSideViewCanvas::resizeEvent(QResizeEvent*) {
  Owner_.Geometry().Rescale(width(), height());
  if (Owner_.Geometry().Data().size() > 1) update();
}

void TSideViewCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const std::optional<TLogicalPoint> point = Owner_.Geometry().ToLogical(at.x(), at.y());
  if (!point) return;
  Owner_.setWindowTitle(
      QString::fromStdString(DepthReadout(point->y - Owner_.Geometry().GroundOffset())));
}

TDlgSideView::TDlgSideView(app::TWindowHost& host, QWidget* parent) : QWidget(parent), Host_(host) {
  setWindowTitle(QString::fromLatin1(kTitle));
  setObjectName(QStringLiteral("DlgSideView"));
  Canvas_ = new TSideViewCanvas(*this);
  auto* print = new QPushButton(tr("Print"), this);
  OmitHatches_ = new QCheckBox(tr("Omit Hatches"), this);
  OmitHatches_->setToolTip(tr("Click to omit hatches from printing"));
  auto* close_button = new QPushButton(tr("Close"), this);
  close_button->setToolTip(tr("Press to Close"));
  PrintFont_ = new QLabel(this);
  PrintFont_->hide();
  QFont print_font = font();
  print_font.setPointSize(kPrintFontPoints);
  PrintFont_->setFont(print_font);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(print);
  buttons->addWidget(OmitHatches_);
  buttons->addWidget(close_button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 6, 6);
  layout->addWidget(Canvas_, 1);
  layout->addLayout(buttons);
  Canvas_->resize(kInitialWidth, kInitialHeight);
  resize(kInitialWidth + print->sizeHint().width() + 12, kInitialHeight);

  connect(print, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
  connect(OmitHatches_, &QCheckBox::toggled, Canvas_, [this] { Canvas_->update(); });
  connect(close_button, &QPushButton::clicked, this, [this] {
    // The MDI frame closes with its window.
    if (parentWidget() != nullptr && parentWidget()->inherits("QMdiSubWindow")) {
      parentWidget()->close();
    } else {
      close();
    }
  });
}

bool TDlgSideView::OmitHatches() const {
  return OmitHatches_->isChecked();
}

bool TDlgSideView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) FormActivate();
  return QWidget::event(event);
}

void TDlgSideView::FormActivate() {
  TProgramData& project = Host_.Core().Data();
  const double length = ApplyDefaultShaftLength(project);
  Geometry_.Rescale(Canvas_->width(), Canvas_->height());
  Geometry_.Rebuild(ReadViewProject(project), length);
  Canvas_->update();
}

void TDlgSideView::PrintButtonClick() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer);
}

bool TDlgSideView::PrintTo(QPrinter& printer) {
  return PrintSideView(printer, Geometry_, OmitHatches(), palette().color(QPalette::Window),
                       PrintFont_->font());
}

}  // namespace tolvane::app
