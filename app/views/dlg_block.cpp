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
bool OpenGLAvailable() {
  QOpenGLContext probe;
  probe.setFormat(BlockSurfaceFormat());
  return probe.create();
}
}  // namespace

TDlgBlock::TDlgBlock(app::TWindowHost& host, QWidget* parent) : QWidget(parent), Host_(host) {
  setWindowTitle(QString::fromLatin1(kTitle));
  setObjectName(QStringLiteral("DlgBlock"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  resize(kInitialWidth, kInitialHeight);
  if (!OpenGLAvailable()) {
    auto* message = new QLabel(tr(kNoOpenGLMessage), this);
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    layout->addWidget(message);
    return;
  }
  Gl_ = new TglWindow(this);
  layout->addWidget(Gl_);
  Gl_->OnPaint = [this] { Paint(); };
  Gl_->OnMouseDown = [this](QMouseEvent* event) { MouseDown(event); };
  Gl_->OnMouseMove = [this](QMouseEvent* event) { MouseMove(event); };
  Gl_->OnMouseUp = [this](QMouseEvent* event) { MouseUp(event); };
}

TDlgBlock::~TDlgBlock() {
  // The "Combined Plots" dialog belongs to the view and goes with it.
  delete Diagrams_.data();
  if (Gl_ != nullptr && Gl_->HasContext()) {
    Gl_->MakeCurrent();
    Renderer_.FreeLists();
    Gl_->MakeNotCurrent();
  }
}

TBlockSceneInput TDlgBlock::SceneInput() const {
  app::MainFormRules& core = Host_.Core();
  TBlockSceneInput input;
  input.Project = ReadViewProject(core.Data());
  input.Extents = Extents_;
  input.Flags = Flags;
  input.Combine =
      &core.Plots()[Flags.ShowUltimateResults == 1 ? app::kPltCombineD : app::kPltCombine];
  return input;
}

bool TDlgBlock::event(QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void TDlgBlock::FormActivate() {
  if (!Activated_) {
    // The extents stay those of the first activation until the view is opened again.
    Activated_ = true;
    Extents_ = GetMaxDims(ReadViewProject(Host_.Core().Data()));
    Camera_.Pan = {-Extents_.Centre.x, -Extents_.Centre.y, 0.0};
    if (Gl_ != nullptr) Gl_->ResetInitKode();
  }
  RedrawFigure();
}

void TDlgBlock::Paint() {
  const int w = Gl_->width();
  const int h = Gl_->height();
  if (Gl_->getInitKode() == 0) {
    Scene_ = SceneInput();
    Renderer_.SetupRC(Scene_, w, h, width(), height(), Camera_);
  }
  Scene_.Flags.ShowLocalAxes = Flags.ShowLocalAxes;
  Renderer_.DrawFigure(Scene_, w, h, Camera_);
  Gl_->SetTextMatrix(Camera_.LastModelView);
  for (const TSceneLabel& label : Renderer_.Labels()) Gl_->WriteText(label.Text, label.At);
}

void TDlgBlock::RedrawFigure() {
  if (Gl_ != nullptr) Gl_->update();
}

void TDlgBlock::RedrawComplete() {
  if (Gl_ != nullptr) Gl_->ResetInitKode();
  RedrawFigure();
}

void TDlgBlock::ResizeWindow() {
  if (Gl_ != nullptr) Gl_->SetWindowSize(width(), height());
  RedrawComplete();
}

void TDlgBlock::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Gl_ != nullptr) Gl_->ResetInitKode();
}

void TDlgBlock::Toggle(bool& flag) {
  flag = !flag;
  RedrawComplete();
}

void TDlgBlock::ShowShaftOption() {
  Toggle(Flags.ShowShaft);
}
void TDlgBlock::ShowWaterLevelOption() {
  Toggle(Flags.ShowWaterLevel);
}
void TDlgBlock::ShowSoilLayersOption() {
  Toggle(Flags.ShowSoilLayers);
}
void TDlgBlock::ShowSoilLayerLabelsOption() {
  Toggle(Flags.ShowSoilLayerLabels);
}
void TDlgBlock::ShowSoilLayerDepthLabelsOption() {
  Toggle(Flags.ShowSoilLayerDepthLabels);
}
void TDlgBlock::ShowLocalAxesOption() {
  Toggle(Flags.ShowLocalAxes);
}

void TDlgBlock::UltimateEffectsWindow() {
  if (Diagrams_ == nullptr) {
    Diagrams_ = new TDlgPileDiagrams(*this, Host_.Frame());
    Diagrams_->PlaceOver(Host_.Frame());
  }
  Diagrams_->show();
  Diagrams_->raise();
  Diagrams_->activateWindow();
}

void TDlgBlock::SetMouseOption(int option, bool zoom_window_down) {
  Flags.MouseOption = option;
  Flags.ZoomWindowBoxEnabled = zoom_window_down;
}

void TDlgBlock::Zooming(double factor) {
  Camera_.Zooming(factor);
  RedrawFigure();
}

void TDlgBlock::RestartViewButtonClick() {
  Camera_.Restart(Extents_);
  RedrawFigure();
}

TBlock3DMenuState TDlgBlock::MenuState() const {
  app::MainFormRules& core = Host_.Core();
  std::error_code ignored;
  const std::filesystem::path plot_file = app::resultFile(
      std::filesystem::absolute(core.Data().FileName, ignored), app::kPlotDataExtension);
  return Block3DMenuState(Flags, core.Flags.ShowOutput,
                          std::filesystem::exists(plot_file, ignored));
}

void TDlgBlock::MouseDown(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Camera_.Press(Flags.MouseOption, event->button() == Qt::LeftButton, at.x(), at.y());
  if (Camera_.ZoomBoxVisible) RedrawFigure();
}

void TDlgBlock::MouseMove(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  if (Camera_.Move(Flags.MouseOption, event->buttons().testFlag(Qt::LeftButton), shift, at.x(),
                   at.y(), Gl_->width(), Gl_->height())) {
    RedrawFigure();
  }
}

void TDlgBlock::MouseUp(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && Camera_.MouseState == kMouseIdle) return;
  const QPoint at = event->position().toPoint();
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  if (Camera_.Release(Flags.MouseOption, shift, at.x(), at.y(), Gl_->width(), Gl_->height())) {
    RedrawFigure();
  }
}

void TDlgBlock::closeEvent(QCloseEvent* event) {
  if (Diagrams_ != nullptr) Diagrams_->close();
  QWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  // Tell the main window, which hides the "Show 3D View" menu and the 3D tool buttons. Later, on
  // the event loop: New and Open close the view while they replace the project.
  Closing_ = true;
  app::TWindowHost* host = &Host_;
  if (QWidget* frame = Host_.Frame()) {
    QMetaObject::invokeMethod(
        frame, [host] { host->UpdateEnabling(); }, Qt::QueuedConnection);
  }
}

}  // namespace tolvane::app
