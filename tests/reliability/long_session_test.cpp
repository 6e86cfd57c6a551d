// A whole tuning session through the replay driver: the sample log opened 1,000 times, then
// 10,000 playback ticks. Resident memory, open descriptors, clip regions and the window's
// objects must stay flat.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tests/reliability/replay_child.h"

namespace tarvelin {
namespace {

struct Stats {
  int64_t residentBytes, openFiles, regions, widgets;
};

Stats ParseStats(const std::string& line) {
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
  return {o["residentBytes"].toInteger(-1), o["openFiles"].toInteger(-1),
          o["regions"].toInteger(-1), o["widgets"].toInteger(-1)};
}

constexpr int kOpens = 1000;
constexpr int kWarmUpOpens = 10;  // the first loads settle the heap and the toolkit's caches
constexpr int kTicks = 10000;
constexpr int kTicksPerRun = 500;  // 3,000 records: well inside the sample log
constexpr int kStatsEvery = 100;   // opens between measurements

TEST(LongSessionTest, ThousandOpensAndTenThousandTicksStayFlat) {
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("tarvelin-session-" + std::to_string(::getpid())))
          .string();
  std::filesystem::create_directories(dir);
  const std::string scriptPath = dir + "/script.txt";
  {
    std::ofstream script(scriptPath);
    script << "stats\n";  // before any log: reported, not compared (the first frame adds to it)
    for (int open = 1; open <= kOpens; ++open) {
      script << "dialog " << TARVELIN_SAMPLE_LOG << "\nclick openlog\n";
      if (open == kWarmUpOpens || open % kStatsEvery == 0) script << "stats\n";
    }
    script << "click runbtn\n";
    for (int ticks = 0; ticks < kTicks; ticks += kTicksPerRun) {
      script << "click startbtn\ntick " << kTicksPerRun << "\n";
      if ((ticks + kTicksPerRun) % 2000 == 0) script << "dump\nstats\n";
    }
    script << "click endbtn\nclick runbtn\nstats\n";
  }
  const auto run = reliability::RunReplayScript(scriptPath, dir);
  std::filesystem::remove_all(dir);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(run.Starting("error:").empty()) << run.Starting("error:").front();
  EXPECT_TRUE(run.Starting("refused:").empty()) << run.Starting("refused:").front();

  // Every playback run ended at record 3,000: all its ticks were delivered.
  const auto dumps = run.Starting("{\"Position\"");
  ASSERT_EQ(dumps.size(), size_t{kTicks / 2000});
  for (const std::string& dump : dumps) EXPECT_EQ(dump.rfind("{\"Position\":3000,", 0), 0u);

  std::vector<Stats> stats;
  for (const std::string& line : run.Starting("{\"residentBytes\""))
    stats.push_back(ParseStats(line));
  ASSERT_EQ(stats.size(), size_t{2 + kOpens / kStatsEvery + kTicks / 2000 + 1});
  const Stats start = stats.front();
  stats.erase(stats.begin());
  const Stats& base = stats.front();
  const Stats& opened = stats[kOpens / kStatsEvery];
  const Stats& end = stats.back();
  int64_t peak = 0;
  for (const Stats& s : stats) {
    EXPECT_EQ(s.openFiles, base.openFiles);
    EXPECT_EQ(s.regions, base.regions);
    EXPECT_EQ(s.widgets, base.widgets);
    peak = std::max(peak, s.residentBytes);
  }
  std::cout << "resident bytes: at start " << start.residentBytes << ", after " << kWarmUpOpens
            << " opens " << base.residentBytes << ", after " << kOpens << " opens "
            << opened.residentBytes << ", after " << kTicks << " ticks " << end.residentBytes
            << ", peak " << peak << "; open files " << start.openFiles << ", " << base.openFiles
            << " -> " << end.openFiles << "; regions " << start.regions << ", " << base.regions
            << " -> " << end.regions << "; widgets " << start.widgets << ", " << base.widgets
            << " -> " << end.widgets << std::endl;
  // A leak of one log per open would add ~400 MB; allocator noise is a few MB.
  EXPECT_LT(peak - base.residentBytes, int64_t{16} << 20);
  EXPECT_LT(end.residentBytes - opened.residentBytes, int64_t{8} << 20);
}

}  // namespace
}  // namespace tarvelin
