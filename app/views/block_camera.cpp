#include "block_camera.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tolvane::app {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr double kUpright = -90.0;  // turns model z up the screen and model y into it
constexpr double kDragTurn = 90.0;  // degrees of a drag across the whole control

size_t at(int column, int row) {
  return static_cast<size_t>(column * 4 + row);
}

}  // namespace

Matrix4 identityMatrix() {
  Matrix4 m{};
  for (int i = 0; i < 4; ++i) m[at(i, i)] = 1.0;
  return m;
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 m{};
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[at(k, r)] * b[at(c, k)];
      m[at(c, r)] = sum;
    }
  }
  return m;
}

// The matrix of glRotate: a turn by degrees about the axis (x, y, z).
Matrix4 rotationMatrix(double degrees, double x, double y, double z) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return identityMatrix();
  x /= length;
  y /= length;
  z /= length;
  const double c = std::cos(degrees * kRadiansPerDegree);
  const double s = std::sin(degrees * kRadiansPerDegree);
  const double t = 1 - c;
  Matrix4 m = identityMatrix();
  m[at(0, 0)] = x * x * t + c;
  m[at(1, 0)] = x * y * t - z * s;
  m[at(2, 0)] = x * z * t + y * s;
  m[at(0, 1)] = y * x * t + z * s;
  m[at(1, 1)] = y * y * t + c;
  m[at(2, 1)] = y * z * t - x * s;
  m[at(0, 2)] = x * z * t - y * s;
  m[at(1, 2)] = y * z * t + x * s;
  m[at(2, 2)] = z * z * t + c;
  return m;
}

Matrix4 scaleMatrix(double s) {
  Matrix4 m = identityMatrix();
  for (int i = 0; i < 3; ++i) m[at(i, i)] = s;
  return m;
}

Matrix4 translationMatrix(double x, double y, double z) {
  Matrix4 m = identityMatrix();
  m[at(3, 0)] = x;
  m[at(3, 1)] = y;
  m[at(3, 2)] = z;
  return m;
}

Vec3 transform(const Matrix4& m, Vec3 p) {
  return {m[at(0, 0)] * p.x + m[at(1, 0)] * p.y + m[at(2, 0)] * p.z + m[at(3, 0)],
          m[at(0, 1)] * p.x + m[at(1, 1)] * p.y + m[at(2, 1)] * p.z + m[at(3, 1)],
          m[at(0, 2)] * p.x + m[at(1, 2)] * p.y + m[at(2, 2)] * p.z + m[at(3, 2)]};
}

Vec3 transposedTransform(const Matrix4& m, Vec3 v) {
  return {m[at(0, 0)] * v.x + m[at(0, 1)] * v.y + m[at(0, 2)] * v.z,
          m[at(1, 0)] * v.x + m[at(1, 1)] * v.y + m[at(1, 2)] * v.z,
          m[at(2, 0)] * v.x + m[at(2, 1)] * v.y + m[at(2, 2)] * v.z};
}

ScreenPoint projectToPixel(const Matrix4& modelView, Vec3 p, int width, int height) {
  const Vec3 eye = transform(modelView, p);
  return {width / 2.0 + eye.x, height / 2.0 - eye.y};
}

Matrix4 BlockCamera::modelView(double dmax) const {
  Matrix4 m = rotationMatrix(kUpright, 1, 0, 0);
  m = multiply(m, rotationMatrix(angleX, 1, 0, 0));
  m = multiply(m, rotationMatrix(angleY, 0, 1, 0));
  m = multiply(m, rotationMatrix(angleZ, 0, 0, 1));
  m = multiply(m, scaleMatrix(zoom));
  m = multiply(m, scaleMatrix(fit));
  m = multiply(m, translationMatrix(0, 0, dmax / 2));
  m = multiply(m, translationMatrix(pan.x, 0, 0));
  m = multiply(m, translationMatrix(0, pan.y, 0));
  m = multiply(m, translationMatrix(0, 0, pan.z));
  return m;
}

const Matrix4& BlockCamera::updateModelView(double dmax) {
  lastModelView = modelView(dmax);
  return lastModelView;
}

void BlockCamera::restart(const SceneExtents& extents) {
  angleX = angleY = angleZ = 0;
  zoom = 1.0;
  pan = {-extents.centre.x, -extents.centre.y, 0.0};
}

void BlockCamera::press(int mode, bool leftButton, int x, int y) {
  mouseState = kMouseDown;
  leftPressed_ = leftButton;
  pressX = boxX = x;
  pressY = boxY = y;
  keptModelView_ = lastModelView;
  if (mode == kMouseZoomWindow && leftButton) {
    zoomBoxVisible = true;
    keptPan_ = pan;
    keptZoom_ = zoom;
  }
  if (mode == kMousePanning) keptPan_ = pan;
  if (mode == kMouseZooming) keptZoom_ = zoom;
  if (mode == kMouseRotating) {
    keptAngleX_ = angleX;
    keptAngleY_ = angleY;
    keptAngleZ_ = angleZ;
  }
}

Vec3 BlockCamera::pixelsToModel(double dx, double dy) const {
  const double s = zoom * fit;
  const Vec3 v = transposedTransform(keptModelView_, {dx, dy, 0});
  // The kept matrix carries the scale s once: dividing by s squared leaves model units.
  const double s2 = s * s;
  return {v.x / s2, v.y / s2, v.z / s2};
}

void BlockCamera::drag(int mode, bool shift, int x, int y, int w, int h) {
  switch (mode) {
    case kMousePanning: {
      double dx = x - pressX;
      double dy = pressY - y;
      if (shift) (std::fabs(dx) > std::fabs(dy) ? dy : dx) = 0;
      const Vec3 move = pixelsToModel(dx, dy);
      pan = {keptPan_.x + move.x, keptPan_.y + move.y, keptPan_.z + move.z};
      break;
    }
    case kMouseZooming:
      if (h > 0) {
        zoom = keptZoom_ * std::max(1 - static_cast<double>(y - pressY) / h, kLeastDragZoom);
      }
      break;
    case kMouseRotating: {
      if (w <= 0 || h <= 0) break;
      double p = (y - pressY) * kDragTurn / h;
      double q = (x - pressX) * kDragTurn / w;
      if (shift) (std::fabs(q) > std::fabs(p) ? p : q) = 0;
      Vec3 turn = transposedTransform(keptModelView_, {p, q, 0});
      const double length = std::sqrt(turn.x * turn.x + turn.y * turn.y + turn.z * turn.z);
      if (length > 0) {
        const double wanted = std::sqrt(p * p + q * q) / length;
        turn = {turn.x * wanted, turn.y * wanted, turn.z * wanted};
      }
      angleX = keptAngleX_ + turn.x;
      angleY = keptAngleY_ + turn.y;
      angleZ = keptAngleZ_ + turn.z;
      break;
    }
    default:
      break;
  }
}

bool BlockCamera::Move(int mode, bool leftHeld, bool shift, int x, int y, int w, int h) {
  if (!leftHeld || (mouseState != kMouseDown && mouseState != kMouseReleasing)) return false;
  if (mode == kMouseZoomWindow) {
    if (!zoomBoxVisible) return false;
    boxX = x;
    boxY = y;
    return true;
  }
  if (mode == kMouseNone) return false;
  drag(mode, shift, x, y, w, h);
  return true;
}

bool BlockCamera::release(int mode, bool shift, int x, int y, int w, int h) {
  if (mouseState == kMouseIdle) return false;
  mouseState = kMouseReleasing;
  bool repaint = false;
  if (mode == kMouseZoomWindow) {
    repaint = zoomBoxVisible;
    zoomBoxVisible = false;
    const int dx = std::abs(x - pressX);
    const int dy = std::abs(y - pressY);
    if (repaint && dx > 0 && dy > 0) {
      const Vec3 move = pixelsToModel(w / 2.0 - (x + pressX) / 2.0, (y + pressY) / 2.0 - h / 2.0);
      pan = {keptPan_.x + move.x, keptPan_.y + move.y, keptPan_.z + move.z};
      zoom = keptZoom_ * std::min(static_cast<double>(w) / dx, static_cast<double>(h) / dy);
    }
  } else if (mode != kMouseNone && leftPressed_) {
    drag(mode, shift, x, y, w, h);
    repaint = true;
  }
  mouseState = kMouseIdle;
  return repaint;
}

}  // namespace tolvane::app
