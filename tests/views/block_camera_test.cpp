// The 3D view's camera: the model-view matrix, the projection of labels to pixels, and the mouse
// arithmetic of panning, zooming, rotating and the zoom window.
#include "block_camera.h"

#include <gtest/gtest.h>

namespace tolvane::app {
namespace {

constexpr int kW = 400;
constexpr int kH = 300;
constexpr double kDmax = 40;  // mid-depth -20 comes to the centre of the control

void expectPixel(const BlockCamera& camera, Vec3 p, double x, double y) {
  const ScreenPoint pixel = projectToPixel(camera.modelView(kDmax), p, kW, kH);
  EXPECT_NEAR(pixel.x, x, 1e-9);
  EXPECT_NEAR(pixel.y, y, 1e-9);
}

TEST(ModelView, FrontViewWithDepthDownTheScreen) {
  BlockCamera camera;
  SCOPED_TRACE("angles 0, zoom 1, fit 1");
  expectPixel(camera, {0, 0, -20}, 200, 150);   // mid-depth at the centre
  expectPixel(camera, {0, 0, 0}, 200, 130);     // the ground 20 units above it
  expectPixel(camera, {10, 0, -20}, 210, 150);  // x to the right
  expectPixel(camera, {0, 50, -20}, 200, 150);  // y into the screen
  camera.zoom = 2;
  camera.fit = 3;
  expectPixel(camera, {10, 0, -20}, 260, 150);  // 10 x 2 x 3
  camera.pan = {5, 0, 0};
  expectPixel(camera, {0, 0, -20}, 230, 150);
}

TEST(ModelView, RotationsAboutTheModelAxes) {
  BlockCamera camera;
  camera.angleZ = 90;  // x turns into y, which points into the screen
  expectPixel(camera, {10, 0, -20}, 200, 150);
  camera.angleZ = 0;
  camera.angleX = 90;  // looking from above: y now points up the screen
  expectPixel(camera, {0, 10, -20}, 200, 140);
}

TEST(BlockCamera, RestartCentresTheSceneAndZoomInOutReturns) {
  BlockCamera camera;
  camera.angleX = 30;
  camera.zoom = 3;
  camera.pan = {1, 2, 3};
  SceneExtents extents;
  extents.centre = {0, 0, -30};
  camera.restart(extents);
  EXPECT_EQ(camera.angleX, 0);
  EXPECT_EQ(camera.zoom, 1);
  EXPECT_EQ(camera.pan.x, 0);
  EXPECT_EQ(camera.pan.z, 0);
  camera.Zooming(kZoomStep);
  EXPECT_DOUBLE_EQ(camera.zoom, 1.4142);
  camera.Zooming(1 / kZoomStep);
  EXPECT_DOUBLE_EQ(camera.zoom, 1);
}

class MouseTest : public testing::Test {
 protected:
  MouseTest() {
    camera_.zoom = 2;
    camera_.fit = 3;
    camera_.updateModelView(kDmax);
  }
  BlockCamera camera_;
};

TEST_F(MouseTest, PanningFollowsThePointer) {
  camera_.press(kMousePanning, true, 100, 100);
  // dx = 30, dy = 100 - 80 = 20 pixels; s = 6: Mᵀ(30, 20, 0)/36 = (5, 0, 20/6) model units.
  EXPECT_TRUE(camera_.Move(kMousePanning, true, false, 130, 80, kW, kH));
  EXPECT_NEAR(camera_.pan.x, 5, 1e-12);
  EXPECT_NEAR(camera_.pan.y, 0, 1e-12);
  EXPECT_NEAR(camera_.pan.z, 20.0 / 6, 1e-12);
  // A model point under the press point is under the pointer now.
  const ScreenPoint ground = projectToPixel(camera_.modelView(kDmax), {0, 0, 0}, kW, kH);
  EXPECT_NEAR(ground.x, 200 + 30, 1e-9);
  EXPECT_NEAR(ground.y, 150 - 20 * 6 - 20, 1e-9);
  // Shift keeps the dominant direction only; equal components keep the vertical one.
  EXPECT_TRUE(camera_.Move(kMousePanning, true, true, 130, 80, kW, kH));
  EXPECT_NEAR(camera_.pan.x, 5, 1e-12);
  EXPECT_NEAR(camera_.pan.z, 0, 1e-12);
  EXPECT_TRUE(camera_.Move(kMousePanning, true, true, 120, 80, kW, kH));
  EXPECT_NEAR(camera_.pan.x, 0, 1e-12);
  EXPECT_NEAR(camera_.pan.z, 20.0 / 6, 1e-12);
  // Without the left button moves do not count.
  EXPECT_FALSE(camera_.Move(kMousePanning, false, false, 300, 300, kW, kH));
  EXPECT_TRUE(camera_.release(kMousePanning, false, 100, 100, kW, kH));  // the last move
  EXPECT_NEAR(camera_.pan.x, 0, 1e-12);
  EXPECT_EQ(camera_.mouseState, kMouseIdle);
}

TEST_F(MouseTest, ZoomingDragUpByTheControlHeightDoubles) {
  camera_.press(kMouseZooming, true, 50, 200);
  camera_.Move(kMouseZooming, true, false, 50, 50, kW, kH);  // up by half the height
  EXPECT_DOUBLE_EQ(camera_.zoom, 2 * 1.5);
  camera_.Move(kMouseZooming, true, false, 50, 200 - kH, kW, kH);
  EXPECT_DOUBLE_EQ(camera_.zoom, 4);
  // Down by the whole height or more would give 0 or less; the factor keeps a share.
  camera_.Move(kMouseZooming, true, false, 50, 200 + 2 * kH, kW, kH);
  EXPECT_DOUBLE_EQ(camera_.zoom, 2 * kLeastDragZoom);
}

TEST_F(MouseTest, RotatingTurnsByNinetyDegreesPerControlSize) {
  camera_.zoom = 1;
  camera_.fit = 1;
  camera_.updateModelView(kDmax);
  camera_.press(kMouseRotating, true, 0, 0);
  // p = 30 x 90/300 = 9, q = 100 x 90/400 = 22.5; Mᵀ(p, q, 0) = (p, 0, q).
  camera_.Move(kMouseRotating, true, false, 100, 30, kW, kH);
  EXPECT_NEAR(camera_.angleX, 9, 1e-12);
  EXPECT_NEAR(camera_.angleY, 0, 1e-12);
  EXPECT_NEAR(camera_.angleZ, 22.5, 1e-12);
}

TEST_F(MouseTest, ShiftRotatesOnlyAboutTheAxisOfTheLargerComponent) {
  // Zoom 2 x fit 3 scales Mᵀ(p, q, 0) by 6; the rescale brings it back to sqrt(p² + q²).
  camera_.press(kMouseRotating, true, 0, 0);
  camera_.Move(kMouseRotating, true, true, 100, 30, kW, kH);
  EXPECT_NEAR(camera_.angleX, 0, 1e-12);
  EXPECT_NEAR(camera_.angleY, 0, 1e-12);
  EXPECT_NEAR(camera_.angleZ, 22.5, 1e-12);
  camera_.Move(kMouseRotating, true, true, 10, 120, kW, kH);  // p = 36 beats q = 2.25
  EXPECT_NEAR(camera_.angleX, 36, 1e-12);
  EXPECT_NEAR(camera_.angleZ, 0, 1e-12);
}

TEST_F(MouseTest, ZoomWindowBringsTheBoxCentreToTheMiddle) {
  // The model point under the box centre (150, 130) before the zoom.
  const Matrix4 before = camera_.modelView(kDmax);
  // Pixel (150, 130) is 50 left of and 20 above the centre: eye (-50, 20) / 6 in model units,
  // Mᵀ turns eye y into model z.
  const Vec3 target{-50.0 / 6, 0, 20.0 / 6 - 20};
  const ScreenPoint check = projectToPixel(before, target, kW, kH);
  ASSERT_NEAR(check.x, 150, 1e-9);
  ASSERT_NEAR(check.y, 130, 1e-9);
  camera_.press(kMouseZoomWindow, true, 100, 100);
  EXPECT_TRUE(camera_.zoomBoxVisible);
  EXPECT_TRUE(camera_.Move(kMouseZoomWindow, true, false, 200, 160, kW, kH));
  EXPECT_EQ(camera_.boxX, 200);
  EXPECT_EQ(camera_.boxY, 160);
  EXPECT_DOUBLE_EQ(camera_.pan.x, 0);  // the box only follows the pointer
  EXPECT_TRUE(camera_.release(kMouseZoomWindow, false, 200, 160, kW, kH));
  EXPECT_FALSE(camera_.zoomBoxVisible);
  EXPECT_DOUBLE_EQ(camera_.zoom, 2 * 4);  // min(400/100, 300/60)
  const ScreenPoint centre = projectToPixel(camera_.modelView(kDmax), target, kW, kH);
  EXPECT_NEAR(centre.x, 200, 1e-9);
  EXPECT_NEAR(centre.y, 150, 1e-9);
}

TEST_F(MouseTest, ZoomWindowWithoutMovementInOneDirectionOnlyHidesTheBox) {
  camera_.press(kMouseZoomWindow, true, 100, 100);
  camera_.Move(kMouseZoomWindow, true, false, 200, 100, kW, kH);
  EXPECT_TRUE(camera_.release(kMouseZoomWindow, false, 200, 100, kW, kH));
  EXPECT_FALSE(camera_.zoomBoxVisible);
  EXPECT_DOUBLE_EQ(camera_.zoom, 2);
  EXPECT_DOUBLE_EQ(camera_.pan.x, 0);
  EXPECT_DOUBLE_EQ(camera_.pan.z, 0);
}

TEST_F(MouseTest, ARightButtonDragDoesNothing) {
  camera_.press(kMousePanning, false, 100, 100);
  EXPECT_FALSE(camera_.Move(kMousePanning, false, false, 150, 150, kW, kH));
  camera_.release(kMousePanning, false, 150, 150, kW, kH);
  EXPECT_DOUBLE_EQ(camera_.pan.x, 0);
  EXPECT_DOUBLE_EQ(camera_.pan.z, 0);
}

}  // namespace
}  // namespace tolvane::app
