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

SideViewCanvas::SideViewCanvas(TDlgSideView& owner) : QWidget(&owner), owner_(owner) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SideViewCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  paintSideView(painter, owner_.sideGeometry(), owner_.omitHatches(),
                palette().color(QPalette::Window));
}

void SideViewCanvas::resizeEvent(QResizeEvent*) {
  owner_.sideGeometry().rescale(width(), height());
  if (owner_.sideGeometry().Data().size() > 1) update();
}

void SideViewCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const std::optional<LogicalPoint> point = owner_.sideGeometry().toLogical(at.x(), at.y());
  if (!point) return;
  owner_.setWindowTitle(
      QString::fromStdString(depthReadout(point->y - owner_.sideGeometry().groundOffset())));
}

TDlgSideView::TDlgSideView(app::WindowHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setWindowTitle(QString::fromLatin1(kTitle));
  setObjectName(QStringLiteral("DlgSideView"));
  canvas_ = new SideViewCanvas(*this);
  auto* print = new QPushButton(tr("Print"), this);
  omitHatches_ = new QCheckBox(tr("Omit Hatches"), this);
  omitHatches_->setToolTip(tr("Click to omit hatches from printing"));
  auto* closeButton = new QPushButton(tr("Close"), this);
  closeButton->setToolTip(tr("Press to Close"));
  printFont_ = new QLabel(this);
  printFont_->hide();
  QFont printFont = font();
  printFont.setPointSize(kPrintFontPoints);
  printFont_->setFont(printFont);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(print);
  buttons->addWidget(omitHatches_);
  buttons->addWidget(closeButton);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 6, 6);
  layout->addWidget(canvas_, 1);
  layout->addLayout(buttons);
  canvas_->resize(kInitialWidth, kInitialHeight);
  resize(kInitialWidth + print->sizeHint().width() + 12, kInitialHeight);

  connect(print, &QPushButton::clicked, this, [this] { printButtonClick(); });
  connect(omitHatches_, &QCheckBox::toggled, canvas_, [this] { canvas_->update(); });
  connect(closeButton, &QPushButton::clicked, this, [this] {
    // The MDI frame closes with its window.
    if (parentWidget() != nullptr && parentWidget()->inherits("QMdiSubWindow")) {
      parentWidget()->close();
    } else {
      close();
    }
  });
}

bool TDlgSideView::omitHatches() const {
  return omitHatches_->isChecked();
}

bool TDlgSideView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) FormActivate();
  return QWidget::event(event);
}

void TDlgSideView::FormActivate() {
  TProgramData& project = host_.core().Data();
  const double length = applyDefaultShaftLength(project);
  geometry_.rescale(canvas_->width(), canvas_->height());
  geometry_.rebuild(readViewProject(project), length);
  canvas_->update();
}

void TDlgSideView::printButtonClick() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  printTo(printer);
}

bool TDlgSideView::printTo(QPrinter& printer) {
  return printSideView(printer, geometry_, omitHatches(), palette().color(QPalette::Window),
                       printFont_->font());
}

}  // namespace tolvane::app
