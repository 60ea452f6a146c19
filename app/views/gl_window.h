// TglWindow: the drawing control of the 3D view, a QOpenGLWidget with a compatibility-profile
// context (display lists and the fixed pipeline, so that it runs on Mesa's software renderer
// too). It carries the set-up flags of the scene, the eye, view and up vectors and eight light
// slots (stored only: the view draws without lighting), and writes text through Qt on top of the
// OpenGL picture.
#pragma once

#include <QColor>
#include <QOpenGLWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "block_camera.h"

class QMouseEvent;
class QPainter;

namespace tolvane::app {

// A three-component vector owned by a TglWindow.
struct Tgl3Vector {
  double x = 0;
  double y = 0;
  double z = 0;
};

// A light slot of a TglWindow.
struct TglLight {
  int index = 0;
  bool enabled = false;
};

// Text at a model point, drawn after the OpenGL picture.
struct SceneLabel {
  std::string Text;
  Vec3 at;
};

enum class Shading { glSmooth, glFlat };

// The surface format of every context of the 3D view: OpenGL 2.1 compatibility profile, double
// buffered, RGBA with 8 bits a channel and a 24-bit depth buffer.
QSurfaceFormat blockSurfaceFormat();

// The font of the scene's labels: a bold serif of 14 pixels.
QFont blockLabelFont();

// Draws labels at their pixels (baseline left) under a model-view matrix: labels of points out of
// the picture are left out, labels running over an edge move inside, and a label that would cover
// an earlier one moves down a line or more.
void paintSceneLabels(QPainter& painter, const std::vector<SceneLabel>& labels,
                      const Matrix4& modelView, int width, int height);

class TglWindow : public QOpenGLWidget {
 public:
  explicit TglWindow(QWidget* parent = nullptr);
  ~TglWindow() override;

  QColor BackgroundColor = Qt::white;
  double FOV = 45.0;  // degrees; stored only, the projection is orthographic
  Shading ShadeModel = Shading::glSmooth;
  void setBlending(bool on);
  void setDepthTesting(bool on);
  bool Blending() const { return blending_; }
  bool DepthTesting() const { return depthTesting_; }

  std::function<void()> OnCreate;
  std::function<void()> OnPaint;
  std::function<void(QMouseEvent*)> OnMouseDown;
  std::function<void(QMouseEvent*)> OnMouseUp;
  std::function<void(QMouseEvent*)> OnMouseMove;

  Tgl3Vector fEyePosition{0, 0, 1};
  Tgl3Vector fViewPosition{0, 0, 0};
  Tgl3Vector fUpVector{0, 1, 0};
  const std::array<TglLight, 8>& lights() const { return fLights; }

  void MakeCurrent() { makeCurrent(); }
  void MakeNotCurrent() { doneCurrent(); }
  // Text drawn over the picture of the current paint at a model point under a model-view matrix.
  void WriteText(const std::string& text, Vec3 at);
  void setTextMatrix(const Matrix4& modelView) { textMatrix_ = modelView; }
  void SetWindowSize(int width, int height) { resize(width, height); }
  void ResetInitKode() { InitKode = 0; }
  // The set-up flag; afterwards it is set.
  int getInitKode() {
    const int kode = InitKode;
    InitKode = 1;
    return kode;
  }
  void SetOtherKode() { OtherKode = 1; }
  int getOtherKode() {
    const int kode = OtherKode;
    OtherKode = 0;
    return kode;
  }
  // True when the context could be created.
  bool hasContext() const { return contextReady_; }
  bool Drawing() const { return drawing_; }

  int InitKode = 0;
  int OtherKode = 0;
  int ResizeKode = 0;
  int KodeMouse = 0;  // 1 after a button press
  QPoint lastMouse;
  Qt::MouseButtons lastButtons;
  Qt::KeyboardModifiers lastShift;

 protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void storeMouse(QMouseEvent* event);

  bool blending_ = false;
  bool depthTesting_ = false;
  bool contextReady_ = false;
  bool drawing_ = false;
  std::array<TglLight, 8> fLights{};
  std::vector<SceneLabel> texts_;
  Matrix4 textMatrix_ = identityMatrix();
};

}  // namespace tolvane::app
