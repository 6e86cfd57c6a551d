// The drawing surface under a chart frame's load: fourteen 601-point traces of one-pixel
// lines and the readout-sized texts of a frame.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdint>
#include <vector>

#include "platform/image_surface.h"

namespace tarvelin {
namespace {

constexpr int kTraces = 14;
constexpr int kTexts = 30;

// Rows of a wandering trace within its band, fixed for every run.
std::vector<int> TraceRows(int trace) {
  std::vector<int> rows;
  uint32_t state = 12345u + uint32_t(trace);
  int y = 50 + 25 * trace;
  for (int x = 200; x <= 800; ++x) {
    state = state * 1664525u + 1013904223u;
    y += int(state >> 29) - 4;  // -4 .. +3
    y = y < 0 ? 0 : y > 420 ? 420 : y;
    rows.push_back(y);
  }
  return rows;
}

void DrawTraces(ImageSurface& surface, const std::vector<std::vector<int>>& traces) {
  surface.SetPenWidth(1);
  for (size_t t = 0; t < traces.size(); ++t) {
    surface.SetPenColor(Color(0x00102030 * (t + 1)) & 0x00FFFFFF);
    surface.MoveTo(200, traces[t][0]);
    for (int x = 201; x <= 800; ++x) surface.LineTo(x, traces[t][size_t(x - 200)]);
  }
}

void DrawTexts(ImageSurface& surface) {
  surface.SetFontName("arial");
  for (int i = 0; i < kTexts; ++i) {
    surface.SetFontSize(i % 3 == 0 ? 15 : i % 3 == 1 ? 8 : 10);
    surface.TextOut(5 + (i % 4) * 45, 10 + i * 13, "7500");
  }
}

std::vector<std::vector<int>> AllTraces() {
  std::vector<std::vector<int>> traces;
  for (int t = 0; t < kTraces; ++t) traces.push_back(TraceRows(t));
  return traces;
}

void BM_Traces(benchmark::State& state) {
  ImageSurface surface;
  const auto traces = AllTraces();
  for (auto _ : state) DrawTraces(surface, traces);
  state.SetItemsProcessed(state.iterations() * kTraces * 600);
}
BENCHMARK(BM_Traces)->Unit(benchmark::kMicrosecond);

void BM_Texts(benchmark::State& state) {
  ImageSurface surface;
  surface.SetFontColor(clWhite);
  for (auto _ : state) DrawTexts(surface);
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_Texts)->Unit(benchmark::kMicrosecond);

void BM_Frame(benchmark::State& state) {
  ImageSurface surface;
  surface.SetFontColor(clWhite);
  const auto traces = AllTraces();
  for (auto _ : state) {
    surface.RestrictTo({200, 0, 800, 600});
    surface.FillRect(surface.Restriction());
    DrawTraces(surface, traces);
    DrawTexts(surface);
    surface.ResetRestriction();
  }
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvelin

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
