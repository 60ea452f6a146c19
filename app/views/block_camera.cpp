#include "block_camera.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tolvane::app {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr double kUpright = -90.0;  // turns model z up the screen and model y into it
constexpr double kDragTurn = 90.0;  // degrees of a drag across the whole control

size_t At(int column, int row) {
  return static_cast<size_t>(column * 4 + row);
}

}  // namespace

TMatrix4 IdentityMatrix() {
  TMatrix4 m{};
  for (int i = 0; i < 4; ++i) m[At(i, i)] = 1.0;
  return m;
}

TMatrix4 Multiply(const TMatrix4& a, const TMatrix4& b) {
  TMatrix4 m{};
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[At(k, r)] * b[At(c, k)];
      m[At(c, r)] = sum;
    }
  }
  return m;
}

// The matrix of glRotate: a turn by degrees about the axis (x, y, z).
TMatrix4 RotationMatrix(double degrees, double x, double y, double z) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return IdentityMatrix();
  x /= length;
  y /= length;
  z /= length;
  const double c = std::cos(degrees * kRadiansPerDegree);
  const double s = std::sin(degrees * kRadiansPerDegree);
  const double t = 1 - c;
  TMatrix4 m = IdentityMatrix();
  m[At(0, 0)] = x * x * t + c;
  m[At(1, 0)] = x * y * t - z * s;
  m[At(2, 0)] = x * z * t + y * s;
  m[At(0, 1)] = y * x * t + z * s;
  m[At(1, 1)] = y * y * t + c;
  m[At(2, 1)] = y * z * t - x * s;
  m[At(0, 2)] = x * z * t - y * s;
  m[At(1, 2)] = y * z * t + x * s;
  m[At(2, 2)] = z * z * t + c;
  return m;
}

TMatrix4 ScaleMatrix(double s) {
  TMatrix4 m = IdentityMatrix();
  for (int i = 0; i < 3; ++i) m[At(i, i)] = s;
  return m;
}

TMatrix4 TranslationMatrix(double x, double y, double z) {
  TMatrix4 m = IdentityMatrix();
  m[At(3, 0)] = x;
  m[At(3, 1)] = y;
  m[At(3, 2)] = z;
  return m;
}

TVec3 Transform(const TMatrix4& m, TVec3 p) {
  return {m[At(0, 0)] * p.x + m[At(1, 0)] * p.y + m[At(2, 0)] * p.z + m[At(3, 0)],
          m[At(0, 1)] * p.x + m[At(1, 1)] * p.y + m[At(2, 1)] * p.z + m[At(3, 1)],
          m[At(0, 2)] * p.x + m[At(1, 2)] * p.y + m[At(2, 2)] * p.z + m[At(3, 2)]};
}

TVec3 TransposedTransform(const TMatrix4& m, TVec3 v) {
  return {m[At(0, 0)] * v.x + m[At(0, 1)] * v.y + m[At(0, 2)] * v.z,
          m[At(1, 0)] * v.x + m[At(1, 1)] * v.y + m[At(1, 2)] * v.z,
          m[At(2, 0)] * v.x + m[At(2, 1)] * v.y + m[At(2, 2)] * v.z};
}

TScreenPoint ProjectToPixel(const TMatrix4& model_view, TVec3 p, int width, int height) {
  const TVec3 eye = Transform(model_view, p);
  return {width / 2.0 + eye.x, height / 2.0 - eye.y};
}

TMatrix4 TBlockCamera::ModelView(double dmax) const {
  TMatrix4 m = RotationMatrix(kUpright, 1, 0, 0);
  m = Multiply(m, RotationMatrix(AngleX, 1, 0, 0));
  m = Multiply(m, RotationMatrix(AngleY, 0, 1, 0));
  m = Multiply(m, RotationMatrix(AngleZ, 0, 0, 1));
  m = Multiply(m, ScaleMatrix(Zoom));
  m = Multiply(m, ScaleMatrix(Fit));
  m = Multiply(m, TranslationMatrix(0, 0, dmax / 2));
  m = Multiply(m, TranslationMatrix(Pan.x, 0, 0));
  m = Multiply(m, TranslationMatrix(0, Pan.y, 0));
  m = Multiply(m, TranslationMatrix(0, 0, Pan.z));
  return m;
}

const TMatrix4& TBlockCamera::UpdateModelView(double dmax) {
  LastModelView = ModelView(dmax);
  return LastModelView;
}

void TBlockCamera::Restart(const TSceneExtents& extents) {
  AngleX = AngleY = AngleZ = 0;
  Zoom = 1.0;
  Pan = {-extents.Centre.x, -extents.Centre.y, 0.0};
}

void TBlockCamera::Press(int mode, bool left_button, int x, int y) {
  MouseState = kMouseDown;
  LeftPressed_ = left_button;
  PressX = BoxX = x;
  PressY = BoxY = y;
  KeptModelView = LastModelView;
  if (mode == kMouseZoomWindow && left_button) {
    ZoomBoxVisible = true;
    KeptPan = Pan;
    KeptZoom = Zoom;
  }
  if (mode == kMousePanning) KeptPan = Pan;
  if (mode == kMouseZooming) KeptZoom = Zoom;
  if (mode == kMouseRotating) {
    KeptAngleX = AngleX;
    KeptAngleY = AngleY;
    KeptAngleZ = AngleZ;
  }
}

TVec3 TBlockCamera::PixelsToModel(double dx, double dy) const {
  const double s = Zoom * Fit;
  const TVec3 v = TransposedTransform(KeptModelView, {dx, dy, 0});
  // The kept matrix carries the scale s once: dividing by s squared leaves model units.
  const double s2 = s * s;
  return {v.x / s2, v.y / s2, v.z / s2};
}

void TBlockCamera::Drag(int mode, bool shift, int x, int y, int w, int h) {
  switch (mode) {
    case kMousePanning: {
      double dx = x - PressX;
      double dy = PressY - y;
      if (shift) (std::fabs(dx) > std::fabs(dy) ? dy : dx) = 0;
      const TVec3 move = PixelsToModel(dx, dy);
      Pan = {KeptPan.x + move.x, KeptPan.y + move.y, KeptPan.z + move.z};
      break;
    }
    case kMouseZooming:
      if (h > 0) {
        Zoom = KeptZoom * std::max(1 - static_cast<double>(y - PressY) / h, kLeastDragZoom);
      }
      break;
    case kMouseRotating: {
      if (w <= 0 || h <= 0) break;
      double p = (y - PressY) * kDragTurn / h;
      double q = (x - PressX) * kDragTurn / w;
      if (shift) (std::fabs(q) > std::fabs(p) ? p : q) = 0;
      TVec3 turn = TransposedTransform(KeptModelView, {p, q, 0});
      const double length = std::sqrt(turn.x * turn.x + turn.y * turn.y + turn.z * turn.z);
      if (length > 0) {
        const double wanted = std::sqrt(p * p + q * q) / length;
        turn = {turn.x * wanted, turn.y * wanted, turn.z * wanted};
      }
      AngleX = KeptAngleX + turn.x;
      AngleY = KeptAngleY + turn.y;
      AngleZ = KeptAngleZ + turn.z;
      break;
    }
    default:
      break;
  }
}

bool TBlockCamera::Move(int mode, bool left_held, bool shift, int x, int y, int w, int h) {
  if (!left_held || (MouseState != kMouseDown && MouseState != kMouseReleasing)) return false;
  if (mode == kMouseZoomWindow) {
    if (!ZoomBoxVisible) return false;
    BoxX = x;
    BoxY = y;
    return true;
  }
  if (mode == kMouseNone) return false;
  Drag(mode, shift, x, y, w, h);
  return true;
}

bool TBlockCamera::Release(int mode, bool shift, int x, int y, int w, int h) {
  if (MouseState == kMouseIdle) return false;
  MouseState = kMouseReleasing;
  bool repaint = false;
  if (mode == kMouseZoomWindow) {
    repaint = ZoomBoxVisible;
    ZoomBoxVisible = false;
    const int dx = std::abs(x - PressX);
    const int dy = std::abs(y - PressY);
    if (repaint && dx > 0 && dy > 0) {
      const TVec3 move = PixelsToModel(w / 2.0 - (x + PressX) / 2.0, (y + PressY) / 2.0 - h / 2.0);
      Pan = {KeptPan.x + move.x, KeptPan.y + move.y, KeptPan.z + move.z};
      Zoom = KeptZoom * std::min(static_cast<double>(w) / dx, static_cast<double>(h) / dy);
    }
  } else if (mode != kMouseNone && LeftPressed_) {
    Drag(mode, shift, x, y, w, h);
    repaint = true;
  }
  MouseState = kMouseIdle;
  return repaint;
}

}  // namespace tolvane::app
