// A full chart frame (all fourteen rows checked, every caption and label written) on the real
// drawing surface, over a generated log.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <array>
#include <cmath>
#include <string>

#include "chart/chart.h"
#include "log/number_format.h"
#include "platform/image_surface.h"

namespace tarvelin {
namespace {

class BenchControls : public ChartControls {
 public:
  bool IsChecked(ChannelBox) const override { return true; }
  void SetCaption(ChannelBox box, const std::string& caption) override {
    captions_[static_cast<size_t>(box)] = caption;
  }
  void SetIndicator(Indicator label, const std::string& caption, Color, Color) override {
    labels_[static_cast<size_t>(label)] = caption;
  }

 private:
  std::array<std::string, kChannelBoxCount> captions_;
  std::array<std::string, kIndicatorCount> labels_;
};

// A wideband log of `records` records with every channel moving.
LogData GeneratedLog(int32_t records) {
  LogData log;
  log.RecordCount = records;
  const int32_t slots = records + LeadIn + LeadOut;
  log.TIME.Allocate(slots);
  log.ENGINE.Allocate(slots);
  for (Channel<int32_t>* c :
       {&log.SECL, &log.RPM, &log.MAP, &log.TPS, &log.CLT, &log.GEGO, &log.VE1, &log.VE2})
    c->Allocate(slots);
  for (Channel<double>* c : {&log.O2, &log.MAT, &log.PW1, &log.PW2, &log.DC1, &log.DC2, &log.AFR})
    c->Allocate(slots);
  for (int32_t r = 0; r < records; ++r) {
    const int32_t s = r + LeadIn;
    const double phase = r * 0.01;
    log.TIME.Append(s, FloatToStrF(r * 0.125, 3));
    log.ENGINE.Append(s, IntToStr(r % 256));
    log.SECL.set(s, r % 256);
    log.RPM.set(s, 8 + r % 60);
    log.MAP.set(s, 30 + r % 70);
    log.TPS.set(s, r % 100);
    log.CLT.set(s, 20 + r % 180);
    log.GEGO.set(s, 90 + r % 21);
    log.VE1.set(s, 40 + r % 80);
    log.VE2.set(s, 45 + r % 80);
    log.O2.set(s, 0.45 + 0.4 * std::sin(phase));
    log.MAT.set(s, 20 + 10 * std::sin(phase));
    log.PW1.set(s, 3 + 2 * std::sin(phase));
    log.PW2.set(s, 3.5 + 2 * std::cos(phase));
    log.DC1.set(s, 40 + 30 * std::sin(phase));
    log.DC2.set(s, 45 + 30 * std::cos(phase));
    log.AFR.set(s, 147 + 30 * std::sin(phase));
  }
  log.O2Mode = 2;
  log.LogLoaded = true;
  return log;
}

void BM_DrawChart(benchmark::State& state) {
  static const LogData log = GeneratedLog(20000);
  int32_t position = 0;
  ImageSurface surface;
  BenchControls controls;
  Chart chart(log, position, surface, controls);
  int32_t p = 0;
  for (auto _ : state) {
    surface.ResetRestriction();  // every window event starts unrestricted
    chart.DrawChart(p);
    p = (p + 6) % log.RecordCount;
  }
  benchmark::DoNotOptimize(surface.image().constBits());
}
BENCHMARK(BM_DrawChart)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DrawLegend(benchmark::State& state) {
  static const LogData log = GeneratedLog(10);
  int32_t position = 0;
  ImageSurface surface;
  BenchControls controls;
  Chart chart(log, position, surface, controls);
  for (auto _ : state) {
    surface.ResetRestriction();
    chart.DrawLegend();
  }
}
BENCHMARK(BM_DrawLegend)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvelin

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  QGuiApplication app(argc, argv);  // text needs it
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
