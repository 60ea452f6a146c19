#include "gl_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "gl_calls.h"

namespace tolvane::app {

namespace {
constexpr int kGlMajor = 2;
constexpr int kGlMinor = 1;
constexpr int kDepthBits = 24;
constexpr int kChannelBits = 8;
constexpr int kLabelPixels = 14;
constexpr const char* kLabelFamily = "Times New Roman";
constexpr int kLabelShifts = 4;
constexpr int kLabelMargin = 2;  // pixels kept between a label and the picture's edge  // lines a
                                 // label moves down at most to stay clear of others
}  // namespace

QSurfaceFormat blockSurfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(kGlMajor, kGlMinor);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(kChannelBits);
  format.setGreenBufferSize(kChannelBits);
  format.setBlueBufferSize(kChannelBits);
  format.setDepthBufferSize(kDepthBits);
  return format;
}

QFont blockLabelFont() {
  QFont font(QString::fromLatin1(kLabelFamily));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(kLabelPixels);
  font.setBold(true);
  return font;
}

void paintSceneLabels(QPainter& painter, const std::vector<SceneLabel>& labels,
                      const Matrix4& modelView, int width, int height) {
  painter.setFont(blockLabelFont());
  painter.setPen(Qt::black);
  const QFontMetrics metrics(painter.font());
  std::vector<QRect> placed;
  for (const SceneLabel& label : labels) {
    const ScreenPoint at = projectToPixel(modelView, label.at, width, height);
    // As with a raster position outside the viewport, a label of a point out of view is not drawn.
    if (at.x < 0 || at.x > width || at.y < 0 || at.y > height) continue;
    const QString text = QString::fromStdString(label.Text);
    QPoint baseline(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
    // A label beyond an edge of the picture moves inside it.
    QRect box = metrics.boundingRect(text).translated(baseline);
    if (box.right() > width - kLabelMargin) baseline.rx() -= box.right() - (width - kLabelMargin);
    if (box.bottom() > height - kLabelMargin) {
      baseline.ry() -= box.bottom() - (height - kLabelMargin);
    }
    box = metrics.boundingRect(text).translated(baseline);
    if (box.left() < kLabelMargin) baseline.rx() += kLabelMargin - box.left();
    if (box.top() < kLabelMargin) baseline.ry() += kLabelMargin - box.top();
    box = metrics.boundingRect(text).translated(baseline);
    // A label that would cover one already drawn (two maxima at the same depth) moves down.
    for (int step = 0; step < kLabelShifts; ++step) {
      const bool covers = std::any_of(placed.begin(), placed.end(),
                                      [&box](const QRect& other) { return other.intersects(box); });
      if (!covers) break;
      baseline.ry() += metrics.height();
      box.translate(0, metrics.height());
    }
    placed.push_back(box);
    painter.drawText(baseline, text);
  }
}

TglWindow::TglWindow(QWidget* parent) : QOpenGLWidget(parent) {
  setFormat(blockSurfaceFormat());
  for (size_t i = 0; i < fLights.size(); ++i) fLights[i].index = static_cast<int>(i);
  setMouseTracking(true);
}

TglWindow::~TglWindow() = default;

void TglWindow::setBlending(bool on) {
  blending_ = on;
  if (!contextReady_) return;
  makeCurrent();
  on ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
  doneCurrent();
}

void TglWindow::setDepthTesting(bool on) {
  depthTesting_ = on;
  if (!contextReady_) return;
  makeCurrent();
  on ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
  doneCurrent();
}

void TglWindow::WriteText(const std::string& text, Vec3 at) {
  if (drawing_) texts_.push_back({text, at});
}

void TglWindow::initializeGL() {
  contextReady_ = context() != nullptr && context()->isValid();
  if (contextReady_ && OnCreate) OnCreate();
}

void TglWindow::resizeGL(int w, int h) {
  glViewport(0, 0, w, h);
  ResizeKode = 1;
}

void TglWindow::paintGL() {
  if (!contextReady_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // QPainter leaves its shader program bound; the fixed pipeline needs none.
  QOpenGLExtraFunctions* functions = context()->extraFunctions();
  functions->glUseProgram(0);
  functions->glBindBuffer(GL_ARRAY_BUFFER, 0);
  const qreal ratio = devicePixelRatioF();
  glViewport(0, 0, static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
  texts_.clear();
  if (OnPaint) {
    drawing_ = true;
    OnPaint();
    drawing_ = false;
  }
  while (glGetError() != GL_NO_ERROR) {
  }
  if (!texts_.empty()) {
    QPainter painter(this);
    paintSceneLabels(painter, texts_, textMatrix_, width(), height());
  }
  QApplication::restoreOverrideCursor();
}

void TglWindow::storeMouse(QMouseEvent* event) {
  lastMouse = event->position().toPoint();
  lastButtons = event->buttons();
  lastShift = event->modifiers();
}

void TglWindow::mousePressEvent(QMouseEvent* event) {
  storeMouse(event);
  KodeMouse = 1;
  if (OnMouseDown) OnMouseDown(event);
}

void TglWindow::mouseReleaseEvent(QMouseEvent* event) {
  storeMouse(event);
  if (OnMouseUp) OnMouseUp(event);
}

void TglWindow::mouseMoveEvent(QMouseEvent* event) {
  storeMouse(event);
  if (OnMouseMove) OnMouseMove(event);
}

}  // namespace tolvane::app
