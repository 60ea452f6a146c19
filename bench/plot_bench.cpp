// Speed of drawing the largest plot: a design-chart run of 20 diameters x 100 lengths gives
// 2000 capacity curves. Build with -DTOLVANE_BUILD_BENCH=ON and run build/bin/plot_bench.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "plot_layout.h"
#include "plot_painter.h"

namespace {

using tolvane::plot::TGraphPlot;

constexpr int kCurves = 2000;
constexpr int kPointsPerCurve = 100;  // depth rows of a capacity curve
constexpr int kWidth = 1280;
constexpr int kHeight = 900;

// Capacity growing with depth, steeper for the larger diameters.
void fillCapacityCurves(TGraphPlot& plot) {
  plot.XCaption = "Axial Capacity";
  plot.XUnits = "F2";
  plot.YCaption = "Depth";
  plot.YUnits = "L2";
  plot.SetLineCount(kCurves);
  plot.SetCount(kPointsPerCurve);
  for (int c = 0; c < kCurves; ++c) {
    const long double diameter = 2 + c / 100;
    const long double length = 20 + c % 100;
    for (int j = 0; j < kPointsPerCurve; ++j) {
      const long double depth = length * j / (kPointsPerCurve - 1);
      plot.Data(c, j) = {diameter * depth * (1 + std::sqrt(depth) / 10), depth};
    }
  }
}

void drawLargestPlot(benchmark::State& state, tolvane::plot::DrawTarget target) {
  TGraphPlot plot;
  fillCapacityCurves(plot);
  plot.Markers = static_cast<int>(state.range(0));
  const tolvane::plot::TFloatRect bounds = *plot.autoBounds();
  const tolvane::plot::TDrawArea area =
      tolvane::plot::layoutTarget(plot, target, {0, 0, kWidth, kHeight}, {96, 96});
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    tolvane::plot::drawPlot(painter, plot, area, bounds);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * kCurves);
}

void BM_DrawWindow2000Curves(benchmark::State& state) {
  drawLargestPlot(state, tolvane::plot::DrawTarget::kScreen);
}
void BM_DrawImageWithLegend2000Curves(benchmark::State& state) {
  drawLargestPlot(state, tolvane::plot::DrawTarget::kBitmap);
}

// Markers: 0 none, 1 on every point.
BENCHMARK(BM_DrawWindow2000Curves)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawImageWithLegend2000Curves)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int gui_argc = 1;
  QGuiApplication app(gui_argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
