#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "log/log_reader.h"
#include "log_fixture.h"
#include "tools/loggen/drive_model.h"
#include "tools/loggen/log_writer.h"

namespace tarvelin {
namespace {

using testing::TempDir;

std::string Generate(const TempDir& dir, const std::string& name,
                     const loggen::LogOptions& options) {
  const std::string path = dir.Path(name);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  EXPECT_TRUE(loggen::WriteLog(options, out));
  std::fclose(out);
  return path;
}

std::string ReadAll(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

TEST(LoggenTest, WideNarrowbandLogLoadsWithItsMarks) {
  TempDir dir;
  loggen::LogOptions options;
  options.records = 2500;
  options.marks = 4;
  options.markAt = {-1, 2499};
  const LoadedLog log = LoadLog(Generate(dir, "a.xls", options));
  const LogData& d = log.data;
  EXPECT_EQ(d.RecordCount, 2501);  // the header line counts too
  EXPECT_EQ(d.MarkCount, 6);
  EXPECT_EQ(d.MarkTable.front(), -1);
  EXPECT_EQ(d.MarkTable.back(), 2499);
  EXPECT_EQ(log.markLines.front(), "\"MARK 1\"");
  EXPECT_EQ(d.O2Mode, 1);
  // Every channel moves within its plausible range, and the drive leaves idle.
  int maxRpm = 0, maxSecl = 0;
  int engineStates = 0;
  for (int32_t s = 1000; s < 1000 + 2500; ++s) {
    EXPECT_GE(d.RPM.at(s), 0);
    EXPECT_LE(d.RPM.at(s), 70);
    EXPECT_LE(d.O2.at(s), 1.0);
    EXPECT_LE(d.VE1.at(s), 120);
    EXPECT_LE(d.PW1.at(s), 15.0);
    EXPECT_LE(d.DC1.at(s), 100.0);
    EXPECT_GT(d.DC1.at(s) + d.PW1.at(s) + 1, 0.0);
    maxRpm = std::max(maxRpm, d.RPM.at(s));
    maxSecl = std::max(maxSecl, d.SECL.at(s));
    engineStates |= 1 << std::stoi(std::string(d.ENGINE.at(s))) % 32;
  }
  EXPECT_GT(maxRpm, 30);
  EXPECT_GE(maxSecl, 245);  // 2500 records at about 10 a second
  EXPECT_NE(std::stoi(std::string(d.ENGINE.at(1000))) & loggen::kCranking, 0);
  EXPECT_GT(std::popcount(static_cast<unsigned>(engineStates)), 3);
}

TEST(LoggenTest, SecondsCounterWraps) {
  TempDir dir;
  loggen::LogOptions options;
  options.records = 3000;
  const LogData d = LoadLog(Generate(dir, "s.xls", options)).data;
  int wraps = 0;
  for (int32_t s = 1000; s < 1000 + 3000; ++s) {
    const double seconds = std::stod(std::string(d.TIME.at(s)));
    ASSERT_EQ(d.SECL.at(s), static_cast<int>(seconds) % 256) << d.TIME.at(s);
    if (s > 1000 && d.SECL.at(s) < d.SECL.at(s - 1)) ++wraps;
  }
  EXPECT_EQ(wraps, 1);
}

TEST(LoggenTest, NarrowLinesWidebandSwitchAndCrLf) {
  TempDir dir;
  loggen::LogOptions options;
  options.records = 400;
  options.tabs = 18;
  options.widebandFrom = 150;
  options.crlf = true;
  const std::string path = Generate(dir, "n.xls", options);
  EXPECT_NE(ReadAll(path).find("\r\n"), std::string::npos);
  const LogData d = LoadLog(path).data;
  EXPECT_EQ(d.RecordCount, 401);
  EXPECT_EQ(d.O2Mode, 2);
  for (int32_t s = 1000; s < 1400; ++s) {
    EXPECT_EQ(d.DC1.at(s), 0.0);
    EXPECT_EQ(d.TIME.at(s).find('\r'), std::string_view::npos);
    if (s < 1150) {
      EXPECT_EQ(d.AFR.at(s), 0.0);
    }
  }
  EXPECT_NE(d.AFR.at(1399), 0.0);
}

TEST(LoggenTest, EqualSeedsGiveEqualFiles) {
  TempDir dir;
  loggen::LogOptions options;
  options.records = 300;
  options.marks = 2;
  const std::string a = ReadAll(Generate(dir, "a.xls", options));
  EXPECT_EQ(a, ReadAll(Generate(dir, "b.xls", options)));
  options.seed = 2;
  EXPECT_NE(a, ReadAll(Generate(dir, "c.xls", options)));
}

TEST(SampleLogTest, TheShippedSampleLoads) {
  const LoadedLog log = LoadLog(TARVELIN_SAMPLE_LOG);
  EXPECT_GE(log.data.RecordCount, 3000);
  EXPECT_LE(log.data.RecordCount, 5001);
  EXPECT_GE(log.data.MarkCount, 4);
  EXPECT_EQ(log.data.O2Mode, 1);
  EXPECT_NE(log.data.DC1.at(1500), 0.0);
}

}  // namespace
}  // namespace tarvelin
