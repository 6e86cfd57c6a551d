// Load time and memory of the datalog reader on generated wide logs of 10,000, 100,000 and
// 1,000,000 records. The logs are written at start by tarvelin-loggen (found beside this
// program's build folder, or named by TARVELIN_LOGGEN) into /tmp.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "log/log_reader.h"
#include "log/status_text.h"

namespace {

std::string LogPath(int64_t records) {
  return "/tmp/tarvelin-load-bench-" + std::to_string(records) + ".xls";
}

std::string GeneratorPath() {
  if (const char* path = std::getenv("TARVELIN_LOGGEN")) return path;
  const auto self = std::filesystem::read_symlink("/proc/self/exe");
  return (self.parent_path().parent_path() / "tools/loggen/tarvelin-loggen").string();
}

bool GenerateLogs() {
  for (int64_t records : {10000, 100000, 1000000}) {
    const std::string command = GeneratorPath() + " --records " + std::to_string(records) +
                                " --wide --marks 20 --seed 1 " + LogPath(records);
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "load_bench: could not run %s\n", command.c_str());
      return false;
    }
  }
  return true;
}

// Peak resident memory of the whole process so far, in KiB.
double PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6));
  return 0;
}

void BM_LoadLog(benchmark::State& state) {
  const int64_t records = state.range(0);
  const tarvelin::LoadOptions options{static_cast<int>(state.range(1)), 4u << 20};
  const std::string path = LogPath(records);
  double heapPerRecord = 0;
  for (auto _ : state) {
    const uint64_t heapBefore = tarvelin::HeapBytesInUse();
    tarvelin::LoadedLog log = tarvelin::LoadLog(path, options);
    heapPerRecord =
        static_cast<double>(tarvelin::HeapBytesInUse() - heapBefore) / log.data.RecordCount;
    benchmark::DoNotOptimize(log.data.RPM.data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  state.counters["records"] = static_cast<double>(records);
  state.counters["heap_B_per_record"] = heapPerRecord;
  state.counters["peak_rss_MiB"] = PeakResidentKiB() / 1024;
}

// Second argument: decoding threads, 0 for one per core.
BENCHMARK(BM_LoadLog)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!GenerateLogs()) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
