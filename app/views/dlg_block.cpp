#include "dlg_block.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QVBoxLayout>

#include <filesystem>

#include "dlg_pile_diagrams.h"
#include "gl_window.h"
#include "main_form_rules.h"
#include "result_plots.h"
#include "run_pipeline.h"
#include "view_project.h"
#include "window_host.h"

namespace tolvane::app {

namespace {
constexpr int kInitialWidth = 640;  // pixels of a new window's client area
constexpr int kInitialHeight = 480;

// Whether the platform gives the compatibility context the drawing control needs; an OpenGL
// widget without one must not be shown.
bool openGlAvailable() {
  QOpenGLContext probe;
  probe.setFormat(blockSurfaceFormat());
  return probe.create();
}
}  // namespace

TDlgBlock::TDlgBlock(app::WindowHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setWindowTitle(QString::fromLatin1(kTitle));
  setObjectName(QStringLiteral("DlgBlock"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  resize(kInitialWidth, kInitialHeight);
  if (!openGlAvailable()) {
    auto* message = new QLabel(tr(kNoOpenGLMessage), this);
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    layout->addWidget(message);
    return;
  }
  gl_ = new TglWindow(this);
  layout->addWidget(gl_);
  gl_->OnPaint = [this] { paint(); };
  gl_->OnMouseDown = [this](QMouseEvent* event) { mouseDown(event); };
  gl_->OnMouseMove = [this](QMouseEvent* event) { mouseMove(event); };
  gl_->OnMouseUp = [this](QMouseEvent* event) { mouseUp(event); };
}

TDlgBlock::~TDlgBlock() {
  // The "Combined Plots" dialog belongs to the view and goes with it.
  delete diagrams_.data();
  if (gl_ != nullptr && gl_->hasContext()) {
    gl_->MakeCurrent();
    renderer_.freeLists();
    gl_->MakeNotCurrent();
  }
}

BlockSceneInput TDlgBlock::sceneInput() const {
  app::MainFormRules& core = host_.core();
  BlockSceneInput input;
  input.project = readViewProject(core.Data());
  input.extents = extents_;
  input.flags = flags;
  input.combine =
      &core.plots()[flags.ShowUltimateResults == 1 ? app::kPltCombineD : app::kPltCombine];
  return input;
}

bool TDlgBlock::event(QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void TDlgBlock::FormActivate() {
  if (!activated_) {
    // The extents stay those of the first activation until the view is opened again.
    activated_ = true;
    extents_ = GetMaxDims(readViewProject(host_.core().Data()));
    camera_.pan = {-extents_.centre.x, -extents_.centre.y, 0.0};
    if (gl_ != nullptr) gl_->ResetInitKode();
  }
  RedrawFigure();
}

void TDlgBlock::paint() {
  const int w = gl_->width();
  const int h = gl_->height();
  if (gl_->getInitKode() == 0) {
    scene_ = sceneInput();
    renderer_.setupRc(scene_, w, h, width(), height(), camera_);
  }
  scene_.flags.ShowLocalAxes = flags.ShowLocalAxes;
  renderer_.DrawFigure(scene_, w, h, camera_);
  gl_->setTextMatrix(camera_.lastModelView);
  for (const SceneLabel& label : renderer_.labels()) gl_->WriteText(label.Text, label.at);
}

void TDlgBlock::RedrawFigure() {
  if (gl_ != nullptr) gl_->update();
}

void TDlgBlock::RedrawComplete() {
  if (gl_ != nullptr) gl_->ResetInitKode();
  RedrawFigure();
}

void TDlgBlock::ResizeWindow() {
  if (gl_ != nullptr) gl_->SetWindowSize(width(), height());
  RedrawComplete();
}

void TDlgBlock::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (gl_ != nullptr) gl_->ResetInitKode();
}

void TDlgBlock::toggleFlag(bool& flag) {
  flag = !flag;
  RedrawComplete();
}

void TDlgBlock::ShowShaftOption() {
  toggleFlag(flags.ShowShaft);
}
void TDlgBlock::ShowWaterLevelOption() {
  toggleFlag(flags.ShowWaterLevel);
}
void TDlgBlock::ShowSoilLayersOption() {
  toggleFlag(flags.ShowSoilLayers);
}
void TDlgBlock::ShowSoilLayerLabelsOption() {
  toggleFlag(flags.ShowSoilLayerLabels);
}
void TDlgBlock::ShowSoilLayerDepthLabelsOption() {
  toggleFlag(flags.ShowSoilLayerDepthLabels);
}
void TDlgBlock::ShowLocalAxesOption() {
  toggleFlag(flags.ShowLocalAxes);
}

void TDlgBlock::UltimateEffectsWindow() {
  if (diagrams_ == nullptr) {
    diagrams_ = new TDlgPileDiagrams(*this, host_.frame());
    diagrams_->placeOver(host_.frame());
  }
  diagrams_->show();
  diagrams_->raise();
  diagrams_->activateWindow();
}

void TDlgBlock::setMouseOption(int option, bool zoomWindowDown) {
  flags.MouseOption = option;
  flags.ZoomWindowBoxEnabled = zoomWindowDown;
}

void TDlgBlock::Zooming(double factor) {
  camera_.Zooming(factor);
  RedrawFigure();
}

void TDlgBlock::RestartViewButtonClick() {
  camera_.restart(extents_);
  RedrawFigure();
}

Block3DMenuState TDlgBlock::menuState() const {
  app::MainFormRules& core = host_.core();
  std::error_code ignored;
  const std::filesystem::path plotFile = app::resultFile(
      std::filesystem::absolute(core.Data().FileName, ignored), app::kPlotDataExtension);
  return block3DMenuState(flags, core.flags.ShowOutput, std::filesystem::exists(plotFile, ignored));
}

void TDlgBlock::mouseDown(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  camera_.press(flags.MouseOption, event->button() == Qt::LeftButton, at.x(), at.y());
  if (camera_.zoomBoxVisible) RedrawFigure();
}

void TDlgBlock::mouseMove(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  if (camera_.Move(flags.MouseOption, event->buttons().testFlag(Qt::LeftButton), shift, at.x(),
                   at.y(), gl_->width(), gl_->height())) {
    RedrawFigure();
  }
}

void TDlgBlock::mouseUp(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && camera_.mouseState == kMouseIdle) return;
  const QPoint at = event->position().toPoint();
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  if (camera_.release(flags.MouseOption, shift, at.x(), at.y(), gl_->width(), gl_->height())) {
    RedrawFigure();
  }
}

void TDlgBlock::closeEvent(QCloseEvent* event) {
  if (diagrams_ != nullptr) diagrams_->close();
  QWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  // Tell the main window, which hides the "Show 3D View" menu and the 3D tool buttons. Later, on
  // the event loop: New and Open close the view while they replace the project.
  closing_ = true;
  app::WindowHost* host = &host_;
  if (QWidget* frame = host_.frame()) {
    QMetaObject::invokeMethod(
        frame, [host] { host->updateEnabling(); }, Qt::QueuedConnection);
  }
}

}  // namespace tolvane::app
