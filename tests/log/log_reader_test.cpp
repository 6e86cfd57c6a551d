#include "log/log_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>

#include "log/slot_count.h"
#include "log_fixture.h"

namespace tarvelin {
namespace {

using testing::Join;
using testing::kHeader;
using testing::NarrowLine;
using testing::TempDir;
using testing::WideFields;
using testing::WideLine;
using testing::WideLineWith;

void ExpectFailure(const std::string& path, const std::string& message, const std::string& place,
                   const LoadOptions& options = {}) {
  try {
    LoadLog(path, options);
    ADD_FAILURE() << "loaded " << path;
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), message);
    EXPECT_EQ(failure.place(), place);
  }
}

class LogReaderTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(LogReaderTest, LineClassesSlotsMarksAndStatusText) {
  const std::string path =
      dir_.Write("a.xls", kHeader + "\n" + WideLineWith(0, "A") + "\n\"MARK 1\"\n\"a comment\n" +
                              "\"mark 2\"\n\"Mark 3\"\n" + WideLineWith(0, "B") + "\n" +
                              WideLineWith(0, "C") + "\n");
  const LoadedLog log = LoadLog(path);
  const LogData& d = log.data;
  EXPECT_EQ(d.RecordCount, 4);
  EXPECT_EQ(d.MarkCount, 1);
  EXPECT_EQ(d.MarkTable, std::vector<int32_t>{0});
  EXPECT_EQ(log.markLines, std::vector<std::string>{"\"MARK 1\""});
  EXPECT_EQ(d.TIME.size(), 2004);
  EXPECT_EQ(d.AFR.size(), 2004);
  EXPECT_EQ(d.TIME.at(1000), "A");
  EXPECT_EQ(d.TIME.at(1001), "B");
  EXPECT_EQ(d.TIME.at(1002), "C");
  for (int32_t slot : {0, 999, 1003, 2003}) {
    EXPECT_EQ(d.TIME.at(slot), "");
    EXPECT_EQ(d.ENGINE.at(slot), "");
    EXPECT_EQ(d.RPM.at(slot), 0);
    EXPECT_EQ(d.PW1.at(slot), 0.0);
  }
  EXPECT_EQ(d.O2Mode, 1);
  EXPECT_TRUE(d.LogLoaded);
  EXPECT_THROW(d.TIME.at(2004), Failure);
  EXPECT_THROW(d.RPM.at(-1), Failure);
  EXPECT_TRUE(std::regex_match(
      log.statusText,
      std::regex(
          " Log File: " + std::regex_replace(path, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
          "; 4 Records; NB O2 Sensor Detected; [0-9]+ Mem Used ")))
      << log.statusText;
}

TEST_F(LogReaderTest, DecodesEveryFieldOfAWideLine) {
  const LoadedLog log = LoadLog(dir_.Write("w.xls", WideLine() + "\n"));
  const LogData& d = log.data;
  EXPECT_EQ(d.RecordCount, 1);
  EXPECT_EQ(d.TIME.at(1000), "12.250");
  EXPECT_EQ(d.SECL.at(1000), 7);
  EXPECT_EQ(d.RPM.at(1000), 25);
  EXPECT_EQ(d.MAP.at(1000), 60);
  EXPECT_EQ(d.TPS.at(1000), 90);
  EXPECT_EQ(d.O2.at(1000), 0.45);
  EXPECT_EQ(d.MAT.at(1000), 21.5);
  EXPECT_EQ(d.CLT.at(1000), 72);  // 72.5, half to even
  EXPECT_EQ(d.ENGINE.at(1000), "13");
  EXPECT_EQ(d.GEGO.at(1000), 98);
  EXPECT_EQ(d.VE1.at(1000), 64);
  EXPECT_EQ(d.PW1.at(1000), 3.25);
  EXPECT_EQ(d.VE2.at(1000), 66);
  EXPECT_EQ(d.PW2.at(1000), 3.5);
  EXPECT_EQ(d.DC1.at(1000), 27.1);
  EXPECT_EQ(d.DC2.at(1000), 28.4);
  EXPECT_EQ(d.AFR.at(1000), 0.0);
}

TEST_F(LogReaderTest, TabCountsDecideTheLastFields) {
  auto fields = WideFields();
  std::vector<std::string> twentyTabs(fields.begin(), fields.begin() + 21);
  twentyTabs[20] = "5.5";
  std::vector<std::string> twentyFour = fields;
  twentyFour.insert(twentyFour.end(), {"x", "y", "z"});
  const std::string path =
      dir_.Write("t.xls", NarrowLine() + "\n" + Join(twentyTabs) + "\n" + Join(twentyFour) + "\n");
  const LogData d = LoadLog(path).data;
  EXPECT_EQ(d.PW2.at(1000), 3.5);  // narrow: field 18 runs to the end of the line
  EXPECT_EQ(d.DC1.at(1000), 0.0);
  EXPECT_EQ(d.DC2.at(1000), 0.0);
  EXPECT_EQ(d.DC1.at(1001), 27.1);
  EXPECT_EQ(d.DC2.at(1001), 5.5);   // 20 tabs: field 20 runs to the end of the line
  EXPECT_EQ(d.DC2.at(1002), 28.4);  // 24 tabs: the text after tab 21 is ignored
}

TEST_F(LogReaderTest, RoundsField7HalfToEven) {
  std::string content;
  for (const char* clt : {"72.5", "73.5", "-0.5", "71.6", "1e2"})
    content += WideLineWith(7, clt) + "\n";
  const LogData d = LoadLog(dir_.Write("c.xls", content)).data;
  EXPECT_EQ(d.CLT.at(1000), 72);
  EXPECT_EQ(d.CLT.at(1001), 74);
  EXPECT_EQ(d.CLT.at(1002), 0);
  EXPECT_EQ(d.CLT.at(1003), 72);
  EXPECT_EQ(d.CLT.at(1004), 100);
}

TEST_F(LogReaderTest, MarkBeforeTheFirstRecordIsMinusOne) {
  const LoadedLog log =
      LoadLog(dir_.Write("m.xls", "\"MARK\"\n" + kHeader + "\n" + WideLine() + "\n\"MARK 2\"\n"));
  EXPECT_EQ(log.data.MarkTable, (std::vector<int32_t>{-1, 0}));
  EXPECT_EQ(log.markLines, (std::vector<std::string>{"\"MARK\"", "\"MARK 2\""}));
  EXPECT_EQ(log.data.TIME.at(999), "");
}

TEST_F(LogReaderTest, HeaderOnlyFile) {
  const std::string path = dir_.Write("h.xls", kHeader);
  const LoadedLog log = LoadLog(path);
  EXPECT_EQ(log.data.RecordCount, 1);
  EXPECT_EQ(log.data.RPM.size(), 2001);
  EXPECT_EQ(log.data.TIME.at(1000), "");
  EXPECT_EQ(log.statusText.rfind(" Log File: " + path + "; 1 Records; NB O2 Sensor Detected; ", 0),
            0u);
}

TEST_F(LogReaderTest, EmptyLinesAreSkippedButKeepTheirLineNumbers) {
  const std::string path = dir_.Write(
      "e.xls", "\n\n" + kHeader + "\r\n\r\n" + WideLine() + "\n\n" + WideLine() + "\n\n");
  const LoadedLog log = LoadLog(path);
  EXPECT_EQ(log.data.RecordCount, 3);
  EXPECT_EQ(log.data.TIME.at(1001), "12.250");

  const std::string bad =
      dir_.Write("e2.xls", "\n\"note\"\n\n" + WideLine() + "\n\n" + WideLineWith(3, "6O") + "\n");
  ExpectFailure(bad, "'6O' is not a valid integer value", bad + ", line 6, field 3 (MAP)");
}

TEST_F(LogReaderTest, CarriageReturnBeforeTheLineFeedIsNotPartOfTheLine) {
  const std::string path = dir_.Write("crlf.xls", "\"MARK 1\"\r\n" + kHeader + "\r\n" +
                                                      NarrowLine() + "\r\n" + NarrowLine() + "\r");
  const LoadedLog log = LoadLog(path);
  EXPECT_EQ(log.markLines, std::vector<std::string>{"\"MARK 1\""});
  EXPECT_EQ(log.data.PW2.at(1000), 3.5);
  EXPECT_EQ(log.data.PW2.at(1001), 3.5);
}

TEST_F(LogReaderTest, LastLineWithoutLineEndLoads) {
  const LogData d = LoadLog(dir_.Write("n.xls", WideLine() + "\n" + WideLineWith(0, "Z"))).data;
  EXPECT_EQ(d.TIME.at(1001), "Z");
}

TEST_F(LogReaderTest, NulBytesAreOrdinaryBytes) {
  const std::string time(
      "1\0"
      "2",
      3);
  const std::string path =
      dir_.Write("z.xls", std::string("\"no\0te\"\n", 8) + WideLineWith(0, time) + "\n" +
                              WideLineWith(2, std::string("2\0", 2)) + "\n");
  try {
    LoadLog(path);
    ADD_FAILURE();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), std::string("'2\0' is not a valid integer value", 33));
    EXPECT_EQ(failure.place(), path + ", line 3, field 2 (RPM)");
  }
  const LogData d = LoadLog(dir_.Write("z2.xls", WideLineWith(0, time))).data;
  EXPECT_EQ(d.TIME.at(1000), time);
}

TEST_F(LogReaderTest, LowercaseTLineIsData) {
  const std::string path = dir_.Write("t.xls", "time\tsecl\n" + WideLine() + "\n");
  // A line that begins with "t" is a data line; with two fields it is refused for its tabs.
  ExpectFailure(path, "Line 1 has 1 tabs; a data line needs 18, or 21 to 24", path + ", line 1");
  const std::string path2 =
      dir_.Write("t2.xls", WideLineWith(0, "time").replace(5, 1, "secl") + "\n");
  ExpectFailure(path2, "'secl' is not a valid integer value", path2 + ", line 1, field 1 (SECL)");
}

TEST_F(LogReaderTest, FailuresNameTheirMessageAndPlace) {
  struct Case {
    std::string line;
    std::string message;
    std::string where;  // after "<file>, line 3"
  };
  auto fields = WideFields();
  std::vector<std::string> nineteen(fields.begin(), fields.begin() + 20);
  std::vector<std::string> twentyFive = fields;
  twentyFive.insert(twentyFive.end(), {"a", "b", "c", "d"});
  std::vector<std::string> few(fields.begin(), fields.begin() + 10);
  const Case cases[] = {
      {WideLineWith(3, "60 "), "'60 ' is not a valid integer value", ", field 3 (MAP)"},
      {WideLineWith(1, ""), "'' is not a valid integer value", ", field 1 (SECL)"},
      {WideLineWith(17, "12.0"), "'12.0' is not a valid integer value", ", field 17 (VE2)"},
      {WideLineWith(6, "21,5"), "'21,5' is not a valid floating point value", ", field 6 (MAT)"},
      {WideLineWith(20, "x"), "'x' is not a valid floating point value", ", field 20 (DC2)"},
      {WideLineWith(16, "1e999"), "Floating point overflow", ", field 16 (PW1)"},
      {WideLineWith(7, "3e9"), "Range check error", ", field 7 (CLT)"},
      {WideLineWith(7, "-1e19"), "Invalid floating point operation", ", field 7 (CLT)"},
      {Join(nineteen), "'3.5\t27.1' is not a valid floating point value", ", field 18 (PW2)"},
      {Join(twentyFive), "Range check error", ""},
      {Join(few), "Line 3 has 9 tabs; a data line needs 18, or 21 to 24", ""},
      {"x", "Line 3 has 0 tabs; a data line needs 18, or 21 to 24", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string path =
        dir_.Write("f.xls", kHeader + "\n" + WideLine() + "\n" + c.line + "\n" + WideLine() + "\n");
    ExpectFailure(path, c.message, path + ", line 3" + c.where);
  }
}

TEST_F(LogReaderTest, FileErrors) {
  ExpectFailure(dir_.Path("missing.xls"), "File not found", dir_.Path("missing.xls"));
  ExpectFailure(dir_.Path("no/such/dir.xls"), "File not found", dir_.Path("no/such/dir.xls"));
  const std::string empty = dir_.Write("empty.xls", "");
  ExpectFailure(empty, "File is empty: " + empty, empty);
  const std::string folder = dir_.Path("");
  ExpectFailure(folder, "Not a regular file: " + folder, folder);
  const std::string fifo = dir_.Path("fifo.xls");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ExpectFailure(fifo, "Not a regular file: " + fifo, fifo);  // must not wait for a writer
  ExpectFailure("/dev/zero", "Not a regular file: /dev/zero", "/dev/zero");
}

TEST_F(LogReaderTest, UnreadableFileIsAccessDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string path = dir_.Write("locked.xls", WideLine());
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  ExpectFailure(path, "File access denied", path);
}

TEST_F(LogReaderTest, OnlyBlankLinesLoadAsAnEmptyLog) {
  const LoadedLog log = LoadLog(dir_.Write("b.xls", "\n\r\n\n"));
  EXPECT_EQ(log.data.RecordCount, 0);
  EXPECT_EQ(log.data.TIME.size(), 2000);
}

TEST_F(LogReaderTest, FailedLoadLeavesTheCurrentLogUntouched) {
  LoadedLog current =
      LoadLog(dir_.Write("good.xls", kHeader + "\n\"MARK 1\"\n" + WideLine() + "\n"));
  const std::string status = current.statusText;
  EXPECT_THROW(current = LoadLog(dir_.Write(
                   "bad.xls", "\"MARK 9\"\n" + WideLine() + "\n" + WideLineWith(2, "?") + "\n")),
               Failure);
  EXPECT_EQ(current.data.RecordCount, 2);
  EXPECT_EQ(current.markLines, std::vector<std::string>{"\"MARK 1\""});
  EXPECT_EQ(current.data.TIME.at(1000), "12.250");
  EXPECT_EQ(current.statusText, status);
}

TEST_F(LogReaderTest, ReloadStartsFromEmptyArrays) {
  std::string longWide;
  for (int i = 0; i < 40; ++i) longWide += WideLineWith(5, "3.0") + "\n";
  LoadedLog log = LoadLog(dir_.Write("long.xls", longWide));
  EXPECT_EQ(log.data.O2Mode, 2);
  EXPECT_NE(log.data.AFR.at(1030), 0.0);

  std::string shortNarrow;
  for (int i = 0; i < 12; ++i) {
    auto fields = WideFields();
    fields.resize(19);
    fields[5] = i == 9 ? "3.0" : "0.5";
    shortNarrow += Join(fields) + "\n";
  }
  log = LoadLog(dir_.Write("short.xls", shortNarrow));
  const LogData& d = log.data;
  EXPECT_EQ(d.RecordCount, 12);
  EXPECT_EQ(d.O2Mode, 2);
  for (int32_t slot = 0; slot < d.AFR.size(); ++slot) {
    SCOPED_TRACE(slot);
    const bool record = slot >= 1000 && slot < 1012;
    EXPECT_EQ(d.DC1.at(slot), 0.0);
    EXPECT_EQ(d.DC2.at(slot), 0.0);
    EXPECT_EQ(d.RPM.at(slot), record ? 25 : 0);
    EXPECT_EQ(d.TIME.at(slot), record ? "12.250" : "");
    if (slot < 1009 || !record) {
      EXPECT_EQ(d.AFR.at(slot), 0.0);
    }
  }
  EXPECT_DOUBLE_EQ(d.AFR.at(1009), 229.138896);
  EXPECT_NEAR(d.AFR.at(1010),
              14.7 * 10 * (((0.033283 * 0.5 - 0.097899) * 0.5 + 0.277658) * 0.5 + 0.397526), 1e-9);
  EXPECT_NE(log.statusText.find("; 12 Records; WB O2 Sensor Detected; "), std::string::npos);
}

TEST_F(LogReaderTest, WidebandSwitchesStrictlyAboveTwoVolts) {
  LoadedLog log =
      LoadLog(dir_.Write("nb.xls", WideLineWith(5, "2.0") + "\n" + WideLineWith(5, "1.0") + "\n"));
  EXPECT_EQ(log.data.O2Mode, 1);
  EXPECT_EQ(log.data.AFR.at(1000), 0.0);
  EXPECT_EQ(log.data.AFR.at(1001), 0.0);
  log = LoadLog(
      dir_.Write("wb.xls", WideLineWith(5, "2.0001") + "\n" + WideLineWith(5, "1.0") + "\n"));
  EXPECT_EQ(log.data.O2Mode, 2);
  EXPECT_NEAR(log.data.AFR.at(1001), 89.753496, 1e-9);
}

TEST_F(LogReaderTest, AfrOverflowFailsOnlyInWidebandMode) {
  const std::string narrow = dir_.Write("o1.xls", WideLineWith(5, "-1e200") + "\n");
  EXPECT_EQ(LoadLog(narrow).data.O2.at(1000), -1e200);
  const std::string wide =
      dir_.Write("o2.xls", WideLineWith(5, "3") + "\n" + WideLineWith(5, "-1e200") + "\n");
  ExpectFailure(wide, "Floating point overflow", wide + ", line 2, field 5 (AFR)");
}

TEST(SlotCountTest, CountsNearTheLimitAreRefusedNotWrapped) {
  EXPECT_EQ(SlotCountFor(3), 2003);
  EXPECT_EQ(SlotCountFor(INT32_MAX - 2000), INT32_MAX);
  try {
    SlotCountFor(INT32_MAX - 1999);
    ADD_FAILURE() << "wrapped";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "Integer overflow");
  }
}

}  // namespace
}  // namespace tarvelin
