#include "block_renderer.h"

#include <algorithm>

#include "gl_calls.h"
#include "graph_plot.h"

namespace tolvane::app {

namespace {

constexpr int kSceneLists = 3;
constexpr unsigned kEmptyList = 0;  // list 1
constexpr unsigned kShaftList = 1;  // list 2
constexpr unsigned kSoilList = 2;   // list 5
constexpr double kWaterAlpha = 0.75;
constexpr double kMarkerAlpha = 0.5;
constexpr double kLayerFaceAlpha = 0.5;
constexpr double kAxisPixels = 80.0;
constexpr RgbColour kWaterBlue{0.0, 0.0, 1.0};
constexpr RgbColour kXAxisColour{0.0, 0.0, 1.0};
constexpr RgbColour kYAxisColour{0.0, 1.0, 0.0};
constexpr RgbColour kDepthAxisColour{1.0, 0.0, 0.0};
constexpr RgbColour kZoomBoxColour{0.0, 1.0, 0.0};

void colour(RgbColour c, double alpha = 1.0) {
  glColor4d(c.r, c.g, c.b, alpha);
}
void vertex(Vec3 p) {
  glVertex3d(p.x, p.y, p.z);
}

// The six faces of a box, each wound counter-clockwise seen from outside.
void boxFaces(Vec3 lo, Vec3 hi) {
  const double x0 = lo.x, y0 = lo.y, z0 = lo.z, x1 = hi.x, y1 = hi.y, z1 = hi.z;
  glBegin(GL_QUADS);
  for (const Vec3 p : {Vec3{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}) vertex(p);
  for (const Vec3 p : {Vec3{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}}) vertex(p);
  for (const Vec3 p : {Vec3{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}) vertex(p);
  for (const Vec3 p : {Vec3{x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}}) vertex(p);
  for (const Vec3 p : {Vec3{x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}}) vertex(p);
  for (const Vec3 p : {Vec3{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}}) vertex(p);
  glEnd();
}

void boxEdges(Vec3 lo, Vec3 hi) {
  glBegin(GL_LINES);
  for (const double z : {lo.z, hi.z}) {
    for (const Vec3 p : {Vec3{lo.x, lo.y, z},
                         {hi.x, lo.y, z},
                         {hi.x, lo.y, z},
                         {hi.x, hi.y, z},
                         {hi.x, hi.y, z},
                         {lo.x, hi.y, z},
                         {lo.x, hi.y, z},
                         {lo.x, lo.y, z}}) {
      vertex(p);
    }
  }
  for (const Vec3 corner :
       {Vec3{lo.x, lo.y, 0}, {hi.x, lo.y, 0}, {hi.x, hi.y, 0}, {lo.x, hi.y, 0}}) {
    vertex({corner.x, corner.y, lo.z});
    vertex({corner.x, corner.y, hi.z});
  }
  glEnd();
}

// A horizontal rectangle seen from above and from below.
void twoSidedRectangle(const std::vector<Vec3>& corners) {
  glBegin(GL_QUADS);
  for (const Vec3& p : corners) vertex(p);
  for (auto p = corners.rbegin(); p != corners.rend(); ++p) vertex(*p);
  glEnd();
}

void loop(const std::vector<Vec3>& points) {
  glBegin(GL_LINE_LOOP);
  for (const Vec3& p : points) vertex(p);
  glEnd();
}

// An inverted square pyramid: apex down, base of side s at height s above it.
void waterMarker(Vec3 apex, double side) {
  const double h = side / 2;
  const double z = apex.z + side;
  const std::vector<Vec3> base{{apex.x - h, apex.y - h, z},
                               {apex.x + h, apex.y - h, z},
                               {apex.x + h, apex.y + h, z},
                               {apex.x - h, apex.y + h, z}};
  colour(kWaterBlue);
  loop(base);
  glBegin(GL_LINES);
  for (const Vec3& corner : base) {
    vertex(apex);
    vertex(corner);
  }
  glEnd();
  colour(kWaterBlue, kMarkerAlpha);
  glBegin(GL_TRIANGLES);
  for (size_t i = 0; i < base.size(); ++i) {
    vertex(apex);
    vertex(base[(i + 1) % base.size()]);
    vertex(base[i]);
  }
  glEnd();
  glBegin(GL_QUADS);
  for (const Vec3& corner : base) vertex(corner);
  glEnd();
}

void drawShaftPart(const ShaftPart& part) {
  colour(part.colour);
  const std::vector<Vec3> top = circlePoints(part.DTop, part.zTop);
  switch (part.kind) {
    case ShaftPartKind::kRim:
      loop(top);
      break;
    case ShaftPartKind::kDisc:
      glBegin(GL_TRIANGLE_FAN);
      vertex({0, 0, part.zTop});
      if (part.facesUp) {
        for (size_t i = 0; i <= top.size(); ++i) vertex(top[i % top.size()]);
      } else {
        for (size_t i = top.size() + 1; i-- > 0;) vertex(top[i % top.size()]);
      }
      glEnd();
      break;
    case ShaftPartKind::kSide: {
      const std::vector<Vec3> bottom = circlePoints(part.DBottom, part.zBottom);
      glBegin(GL_QUADS);
      for (size_t i = 0; i < top.size(); ++i) {
        const size_t next = (i + 1) % top.size();
        vertex(top[i]);
        vertex(bottom[i]);
        vertex(bottom[next]);
        vertex(top[next]);
      }
      glEnd();
      break;
    }
  }
}

}  // namespace

void BlockRenderer::freeLists() {
  if (listBase_ != 0) glDeleteLists(listBase_, kSceneLists);
  listBase_ = 0;
}

void BlockRenderer::setupRc(const BlockSceneInput& input, int w, int h, int clientW, int clientH,
                            BlockCamera& camera) {
  while (glGetError() != GL_NO_ERROR) {
  }
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double r = orthoDepth(w, h, input.extents);
  glOrtho(-w / 2.0, w / 2.0, -h / 2.0, h / 2.0, -r, r);
  glMatrixMode(GL_MODELVIEW);
  camera.fit = fitScale(clientW, clientH, input.extents);
  freeLists();
  listBase_ = glGenLists(kSceneLists);
  if (listBase_ == 0) return;
  sceneLabels_.clear();
  glNewList(listBase_ + kEmptyList, GL_COMPILE);
  glEndList();
  glNewList(listBase_ + kSoilList, GL_COMPILE);
  compileSoilAndWater(input);
  glEndList();
  glNewList(listBase_ + kShaftList, GL_COMPILE);
  compileShaftAndDiagrams(input);
  glEndList();
}

void BlockRenderer::compileSoilAndWater(const BlockSceneInput& input) {
  const SceneExtents& e = input.extents;
  const ViewProject& p = input.project;
  if (input.flags.ShowWaterLevel) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const double z = -p.WTD;
    const std::vector<Vec3> plane{{e.centre.x - e.x, e.centre.y - e.y, z},
                                  {e.centre.x + e.x, e.centre.y - e.y, z},
                                  {e.centre.x + e.x, e.centre.y + e.y, z},
                                  {e.centre.x - e.x, e.centre.y + e.y, z}};
    colour(kWaterBlue);
    loop(plane);
    colour(kWaterBlue, kWaterAlpha);
    twoSidedRectangle(plane);
    for (const Vec3& apex : waterMarkerApexes(e, p)) waterMarker(apex, p.B / 2);
    glDisable(GL_BLEND);
  }
  if (!input.flags.ShowSoilLayers) return;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (size_t i = 0; i < p.layers.size(); ++i) {
    const ViewLayer& layer = p.layers[i];
    const int row = static_cast<int>(i);
    const Vec3 lo{-e.x, -e.y, -layer.Bottom};
    const Vec3 hi{e.x, e.y, -layer.Top};
    colour(layerColour(row));
    boxEdges(lo, hi);
    colour(layerColour(row), kLayerFaceAlpha);
    boxFaces(lo, hi);
    if (input.flags.ShowSoilLayerDepthLabels) {
      sceneLabels_.push_back({valueLabel(layer.Top), {e.xMin, e.YMin, -layer.Top}});
      if (i + 1 == p.layers.size()) {
        sceneLabels_.push_back({valueLabel(layer.Bottom), {e.xMin, e.YMin, -layer.Bottom}});
      }
    }
    if (input.flags.ShowSoilLayerLabels) {
      sceneLabels_.push_back(
          {blockSoilName(layer.SoilType, row), {e.XMax, e.YMax, -(layer.Top + layer.Bottom) / 2}});
    }
  }
  glDisable(GL_BLEND);
}

void BlockRenderer::compileShaftAndDiagrams(const BlockSceneInput& input) {
  if (!input.flags.ShowShaft) return;
  for (const ShaftPart& part : shaftParts(input.project)) drawShaftPart(part);
  if (!input.flags.ShowUltimateEffects || input.combine == nullptr) return;
  DiagramOptions options;
  options.ShowSkinFriction = input.flags.ShowSkinFriction;
  options.ShowTipResistance = input.flags.ShowTipResistance;
  options.ShowTotalCapacity = input.flags.ShowTotalCapacity;
  options.showValues = input.flags.ShowUltimateEffectsValues;
  options.factor = input.flags.UltimateEffectsFactor;
  for (const Diagram& diagram : capacityDiagrams(*input.combine, input.project, options)) {
    colour(diagram.colour);
    for (const std::vector<Vec3>& strip : diagram.strips) {
      glBegin(GL_LINE_STRIP);
      for (const Vec3& point : strip) vertex(point);
      glEnd();
    }
    if (diagram.hasLabel) sceneLabels_.push_back({diagram.label, diagram.labelAt});
  }
}

void BlockRenderer::DrawFigure(const BlockSceneInput& input, int w, int h, BlockCamera& camera) {
  // Alpha stays 1 where the picture is blended, so that the image is opaque.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glMatrixMode(GL_MODELVIEW);
  const Matrix4& m = camera.updateModelView(input.extents.Dmax);
  glLoadMatrixd(m.data());
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  if (listBase_ != 0) {
    glCallList(listBase_ + kEmptyList);
    glCallList(listBase_ + kShaftList);
    glCallList(listBase_ + kSoilList);
  }
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  frameLabels_ = sceneLabels_;
  if (input.flags.ShowLocalAxes) DrawAxes(camera);
  if (camera.zoomBoxVisible) drawZoomBox(camera, w, h);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void BlockRenderer::DrawAxes(const BlockCamera& camera) {
  const double scale = camera.zoom * camera.fit;
  const double length = scale != 0 ? kAxisPixels / scale : 0.0;
  struct Axis {
    Vec3 end;
    RgbColour colour;
    const char* name;
  };
  const Axis axes[] = {{{length, 0, 0}, kXAxisColour, "X"},
                       {{0, length, 0}, kYAxisColour, "Y"},
                       {{0, 0, -length}, kDepthAxisColour, "D"}};
  glBegin(GL_LINES);
  for (const Axis& axis : axes) {
    colour(axis.colour);
    vertex({0, 0, 0});
    vertex(axis.end);
  }
  glEnd();
  for (const Axis& axis : axes) frameLabels_.push_back({axis.name, axis.end});
}

void BlockRenderer::drawZoomBox(const BlockCamera& camera, int w, int h) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const double x0 = camera.pressX - w / 2.0;
  const double y0 = h / 2.0 - camera.pressY;
  const double x1 = camera.boxX - w / 2.0;
  const double y1 = h / 2.0 - camera.boxY;
  colour(kZoomBoxColour);
  loop({{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}});
  glPopMatrix();
}

}  // namespace tolvane::app
