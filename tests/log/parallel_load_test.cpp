// The block size and the number of decoding threads change only the speed: every slot, mark
// and failure must come out as on one thread, also across block boundaries.
#include <gtest/gtest.h>

#include <cstdio>

#include "log/decode_pass.h"
#include "log/line_count.h"
#include "log/log_reader.h"
#include "log_fixture.h"
#include "tools/loggen/log_writer.h"

namespace tarvelin {
namespace {

using testing::kHeader;
using testing::TempDir;
using testing::WideLine;
using testing::WideLineWith;

void ExpectSameLog(const LoadedLog& a, const LoadedLog& b) {
  ASSERT_EQ(a.data.RecordCount, b.data.RecordCount);
  EXPECT_EQ(a.data.MarkTable, b.data.MarkTable);
  EXPECT_EQ(a.markLines, b.markLines);
  EXPECT_EQ(a.data.O2Mode, b.data.O2Mode);
  const LogData& x = a.data;
  const LogData& y = b.data;
  for (int32_t s = 0; s < x.TIME.size(); ++s) {
    const bool same =
        x.TIME.at(s) == y.TIME.at(s) && x.ENGINE.at(s) == y.ENGINE.at(s) &&
        x.SECL.at(s) == y.SECL.at(s) && x.RPM.at(s) == y.RPM.at(s) && x.MAP.at(s) == y.MAP.at(s) &&
        x.TPS.at(s) == y.TPS.at(s) && x.O2.at(s) == y.O2.at(s) && x.MAT.at(s) == y.MAT.at(s) &&
        x.CLT.at(s) == y.CLT.at(s) && x.GEGO.at(s) == y.GEGO.at(s) && x.VE1.at(s) == y.VE1.at(s) &&
        x.PW1.at(s) == y.PW1.at(s) && x.VE2.at(s) == y.VE2.at(s) && x.PW2.at(s) == y.PW2.at(s) &&
        x.DC1.at(s) == y.DC1.at(s) && x.DC2.at(s) == y.DC2.at(s) && x.AFR.at(s) == y.AFR.at(s);
    ASSERT_TRUE(same) << "slot " << s;
  }
}

std::string Generate(const TempDir& dir, const loggen::LogOptions& options) {
  const std::string path = dir.Path("gen.xls");
  std::FILE* out = std::fopen(path.c_str(), "wb");
  EXPECT_TRUE(loggen::WriteLog(options, out));
  std::fclose(out);
  return path;
}

TEST(ParallelLoadTest, SmallBlocksAndThreadsGiveTheSameLog) {
  TempDir dir;
  loggen::LogOptions options;
  options.records = 3000;
  options.widebandFrom = 1700;
  options.marks = 7;
  options.markAt = {-1};
  const std::string path = Generate(dir, options);
  const LoadedLog reference = LoadLog(path, {1, 1u << 20});
  EXPECT_EQ(reference.data.O2Mode, 2);
  EXPECT_EQ(reference.data.MarkCount, 8);
  EXPECT_EQ(reference.data.MarkTable[0], -1);
  EXPECT_EQ(reference.data.AFR.at(1000 + 1699), 0.0);
  for (const LoadOptions& options :
       {LoadOptions{2, 200}, LoadOptions{3, 4096}, LoadOptions{1, 333}}) {
    SCOPED_TRACE(options.blockBytes);
    ExpectSameLog(reference, LoadLog(path, options));
  }
}

TEST(ParallelLoadTest, WidebandCarriesAcrossBlocks) {
  // The switch is in an early block; later blocks read below 2 volts and still get AFR.
  TempDir dir;
  std::string content = kHeader + "\n";
  for (int i = 0; i < 300; ++i) content += WideLineWith(5, i == 20 ? "2.5" : "1.0") + "\n";
  const std::string path = dir.Write("w.xls", content);
  const LoadedLog one = LoadLog(path, {1, 1u << 20});
  EXPECT_EQ(one.data.AFR.at(1019), 0.0);
  EXPECT_NEAR(one.data.AFR.at(1020), 146.964848625, 1e-9);
  EXPECT_NEAR(one.data.AFR.at(1299), 89.753496, 1e-9);
  ExpectSameLog(one, LoadLog(path, {2, 500}));
}

TEST(ParallelLoadTest, TheFirstFailureInTheFileIsReported) {
  TempDir dir;
  struct Case {
    int switchAt, overflowAt, badAt;  // data line indexes; -1: none
    std::string message;
    int line;  // physical line of the expected failure: data line i is line i + 3
    std::string field;
  };
  const Case cases[] = {
      // A later block's AFR overflow counts only once an earlier block went wideband.
      {10, 150, 250, "Floating point overflow", 153, "field 5 (AFR)"},
      {-1, 150, 250, "'?' is not a valid integer value", 253, "field 2 (RPM)"},
      {200, 150, 250, "'?' is not a valid integer value", 253, "field 2 (RPM)"},
      {10, 250, 150, "'?' is not a valid integer value", 153, "field 2 (RPM)"},
  };
  for (const Case& c : cases) {
    std::string content = kHeader + "\n\"comment\"\n";
    for (int i = 0; i < 300; ++i) {
      std::string line = WideLine();
      if (i == c.switchAt) line = WideLineWith(5, "3.0");
      if (i == c.overflowAt) line = WideLineWith(5, "-1e200");
      if (i == c.badAt) line = WideLineWith(2, "?");
      if (i == 280) line = WideLineWith(3, "late");  // a failure in the last block too
      content += line + "\n";
    }
    const std::string path = dir.Write("f.xls", content);
    for (const LoadOptions& options :
         {LoadOptions{1, 1u << 20}, LoadOptions{2, 300}, LoadOptions{2, 7000}}) {
      SCOPED_TRACE(std::to_string(c.line) + " / " + std::to_string(options.blockBytes));
      try {
        LoadLog(path, options);
        ADD_FAILURE() << "loaded";
      } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), c.message);
        EXPECT_EQ(failure.place(), path + ", line " + std::to_string(c.line) + ", " + c.field);
      }
    }
  }
}

TEST(ParallelLoadTest, LinesLongerThanABlockLoad) {
  TempDir dir;
  const std::string longComment = std::string(1, '"').append(5000, 'c').append(1, '"');
  const std::string longMark = std::string("\"MARK ").append(3000, 'm').append(1, '"');
  const std::string path = dir.Write("l.xls", longComment + "\n" + WideLine() + "\n" + longMark +
                                                  "\n" + WideLineWith(0, std::string(900, '9')));
  const LoadedLog log = LoadLog(path, {2, 64});
  EXPECT_EQ(log.data.RecordCount, 2);
  EXPECT_EQ(log.markLines, std::vector<std::string>{longMark});
  EXPECT_EQ(log.data.TIME.at(1001), std::string(900, '9'));
}

// A file that changed between the counting and the decoding pass.
class ChangedFileTest : public ::testing::Test {
 protected:
  // Counts `before`, then decodes `after` into a store sized from those counts.
  void Decode(const std::string& before, const std::string& after, int threads) {
    counted_ = dir_.Write("before.xls", before);
    changed_ = dir_.Write("after.xls", after);
    const LineCounts counts = CountLines(LogFile(counted_), 1u << 20);
    data_.RecordCount = counts.records;
    data_.MarkCount = counts.marks;
    data_.MarkTable.assign(static_cast<size_t>(counts.marks), 0);
    const int32_t slots = counts.records + 2000;
    data_.TIME.Allocate(slots);
    data_.ENGINE.Allocate(slots);
    for (auto* c : {&data_.SECL, &data_.RPM, &data_.MAP, &data_.TPS, &data_.CLT, &data_.GEGO,
                    &data_.VE1, &data_.VE2})
      c->Allocate(slots);
    for (auto* c :
         {&data_.O2, &data_.MAT, &data_.PW1, &data_.PW2, &data_.DC1, &data_.DC2, &data_.AFR})
      c->Allocate(slots);
    DecodePass(LogFile(changed_), DecodeSettings{threads, 128}, data_, markLines_);
  }

  TempDir dir_;
  std::string counted_, changed_;
  LogData data_;
  std::vector<std::string> markLines_;
};

TEST_F(ChangedFileTest, MoreRecordsThanCountedIsARangeCheckError) {
  for (int threads : {1, 2}) {
    try {
      Decode(kHeader + "\n" + WideLine() + "\n",
             WideLine() + "\n" + WideLine() + "\n" + WideLine() + "\n", threads);
      ADD_FAILURE();
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), "Range check error");
      EXPECT_EQ(failure.place(), changed_ + ", line 3");
    }
  }
}

TEST_F(ChangedFileTest, MoreMarksThanCountedIsARangeCheckError) {
  try {
    Decode("\"MARK 1\"\n" + WideLine() + "\n", "\"MARK 1\"\n\"MARK 2\"\n" + WideLine() + "\n", 2);
    ADD_FAILURE();
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "Range check error");
    EXPECT_EQ(failure.place(), changed_ + ", line 2");
  }
}

TEST_F(ChangedFileTest, FewerMarksAndRecordsLeaveAConsistentStore) {
  Decode("\"MARK 1\"\n\"MARK 2\"\n" + WideLine() + "\n" + WideLine() + "\n",
         WideLineWith(0, "only") + "\n\"MARK 1\"\n", 2);
  EXPECT_EQ(data_.MarkCount, 1);
  EXPECT_EQ(data_.MarkTable, std::vector<int32_t>{0});
  EXPECT_EQ(markLines_, std::vector<std::string>{"\"MARK 1\""});
  EXPECT_EQ(data_.TIME.at(1000), "only");
  EXPECT_EQ(data_.TIME.at(1001), "");
}

}  // namespace
}  // namespace tarvelin
