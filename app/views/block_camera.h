// The camera of the 3D view: the model-view matrix of a frame (rotation, zoom, fit scale and pan
// offsets), the projection of model points to pixels for the labels, and the mouse arithmetic of
// panning, zooming, rotating and the zoom window. Matrices are column-major as OpenGL keeps them.
#pragma once

#include <array>

#include "block_scene.h"

namespace tolvane::app {

using Matrix4 = std::array<double, 16>;

Matrix4 identityMatrix();
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
Matrix4 rotationMatrix(double degrees, double x, double y, double z);
Matrix4 scaleMatrix(double s);
Matrix4 translationMatrix(double x, double y, double z);
Vec3 transform(const Matrix4& m, Vec3 p);
// Mᵀ v with M the 3x3 part of m.
Vec3 transposedTransform(const Matrix4& m, Vec3 v);

struct ScreenPoint {
  double x = 0;
  double y = 0;
};

// Pixel (from the top-left corner) of a model point under the orthographic projection in pixel
// units centred on a control of the given size.
ScreenPoint projectToPixel(const Matrix4& modelView, Vec3 p, int width, int height);

enum MouseMode : int {
  kMouseNone = 0,
  kMousePanning = 1,
  kMouseZooming = 2,
  kMouseRotating = 3,
  kMouseZoomWindow = 4,
};

enum ButtonState : int { kMouseIdle = 0, kMouseDown = 1, kMouseReleasing = 3 };

inline constexpr double kZoomStep = 1.4142;  // "Zoom In" multiplies, "Zoom Out" divides
// A zooming drag down by the control's height or more keeps this share of the factor.
inline constexpr double kLeastDragZoom = 0.05;

class BlockCamera {
 public:
  double angleX = 0;  // degrees about the model axes
  double angleY = 0;
  double angleZ = 0;
  double zoom = 1.0;
  double fit = 1.0;  // pixels per model unit at zoom 1
  Vec3 pan;
  int mouseState = kMouseIdle;
  bool zoomBoxVisible = false;
  int pressX = 0, pressY = 0;  // pixel of the last press
  int boxX = 0, boxY = 0;      // current corner of the zoom box
  Matrix4 lastModelView = identityMatrix();

  // The model-view matrix of a frame of a scene whose deepest level is dmax.
  Matrix4 modelView(double dmax) const;
  // modelView, kept for the mouse handlers.
  const Matrix4& updateModelView(double dmax);

  // Angles 0, zoom 1, the scene centre in the middle.
  void restart(const SceneExtents& extents);
  void Zooming(double factor) { zoom *= factor; }

  // The mouse on a control of width w and height h in a mouse mode; true when the view must be
  // repainted.
  void press(int mode, bool leftButton, int x, int y);
  bool Move(int mode, bool leftHeld, bool shift, int x, int y, int w, int h);
  bool release(int mode, bool shift, int x, int y, int w, int h);

 private:
  void drag(int mode, bool shift, int x, int y, int w, int h);
  Vec3 pixelsToModel(double dx, double dy) const;

  Vec3 keptPan_;
  double keptZoom_ = 1.0;
  double keptAngleX_ = 0, keptAngleY_ = 0, keptAngleZ_ = 0;
  Matrix4 keptModelView_ = identityMatrix();
  bool leftPressed_ = false;
};

}  // namespace tolvane::app
