// The camera of the 3D view: the model-view matrix of a frame (rotation, zoom, fit scale and pan
// offsets), the projection of model points to pixels for the labels, and the mouse arithmetic of
// panning, zooming, rotating and the zoom window. Matrices are column-major as OpenGL keeps them.
#pragma once

#include <array>

#include "block_scene.h"

namespace tolvane::app {

using TMatrix4 = std::array<double, 16>;

TMatrix4 identityMatrix();
TMatrix4 multiply(const TMatrix4& a, const TMatrix4& b);
TMatrix4 rotationMatrix(double degrees, double x, double y, double z);
TMatrix4 scaleMatrix(double s);
TMatrix4 translationMatrix(double x, double y, double z);
TVec3 transform(const TMatrix4& m, TVec3 p);
// Mᵀ v with M the 3x3 part of m.
TVec3 transposedTransform(const TMatrix4& m, TVec3 v);

struct TScreenPoint {
  double x = 0;
  double y = 0;
};

// Pixel (from the top-left corner) of a model point under the orthographic projection in pixel
// units centred on a control of the given size.
TScreenPoint projectToPixel(const TMatrix4& modelView, TVec3 p, int width, int height);

enum TMouseOption : int {
  kMouseNone = 0,
  kMousePanning = 1,
  kMouseZooming = 2,
  kMouseRotating = 3,
  kMouseZoomWindow = 4,
};

enum TMouseState : int { kMouseIdle = 0, kMouseDown = 1, kMouseReleasing = 3 };

inline constexpr double kZoomStep = 1.4142;  // "Zoom In" multiplies, "Zoom Out" divides
// A zooming drag down by the control's height or more keeps this share of the factor.
inline constexpr double kLeastDragZoom = 0.05;

class TBlockCamera {
 public:
  double AngleX = 0;  // degrees about the model axes
  double AngleY = 0;
  double AngleZ = 0;
  double Zoom = 1.0;
  double Fit = 1.0;  // pixels per model unit at zoom 1
  TVec3 Pan;
  int MouseState = kMouseIdle;
  bool ZoomBoxVisible = false;
  int PressX = 0, PressY = 0;  // pixel of the last press
  int BoxX = 0, BoxY = 0;      // current corner of the zoom box
  TMatrix4 LastModelView = identityMatrix();

  // The model-view matrix of a frame of a scene whose deepest level is dmax.
  TMatrix4 modelView(double dmax) const;
  // modelView, kept for the mouse handlers.
  const TMatrix4& updateModelView(double dmax);

  // Angles 0, zoom 1, the scene centre in the middle.
  void restart(const TSceneExtents& extents);
  void Zooming(double factor) { Zoom *= factor; }

  // The mouse on a control of width w and height h in a mouse mode; true when the view must be
  // repainted.
  void press(int mode, bool leftButton, int x, int y);
  bool Move(int mode, bool leftHeld, bool shift, int x, int y, int w, int h);
  bool release(int mode, bool shift, int x, int y, int w, int h);

 private:
  void drag(int mode, bool shift, int x, int y, int w, int h);
  TVec3 pixelsToModel(double dx, double dy) const;

  TVec3 keptPan_;
  double keptZoom_ = 1.0;
  double keptAngleX_ = 0, keptAngleY_ = 0, keptAngleZ_ = 0;
  TMatrix4 keptModelView_ = identityMatrix();
  bool leftPressed_ = false;
};

}  // namespace tolvane::app
