// A datalog that changes between the reader's two passes, or while it is read: the load
// ends on a consistent store or with the reader's failure, never in a crash.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "log/decode_pass.h"
#include "log/line_count.h"
#include "log/log_file.h"
#include "log/log_reader.h"
#include "tests/log/log_fixture.h"

namespace tarvelin {
namespace {

using testing::TempDir;
using testing::WideLineWith;

// The store as the reader sizes it from the first pass's counts.
void AllocateFromCounts(LogData& data, const LineCounts& counts) {
  const int32_t slots = counts.records + LeadIn + LeadOut;
  data.RecordCount = counts.records;
  data.MarkCount = counts.marks;
  data.MarkTable.assign(static_cast<size_t>(counts.marks), 0);
  for (TextChannel* text : {&data.TIME, &data.ENGINE}) text->Allocate(slots);
  for (auto* channel :
       {&data.SECL, &data.RPM, &data.MAP, &data.TPS, &data.CLT, &data.GEGO, &data.VE1, &data.VE2})
    channel->Allocate(slots);
  for (auto* channel : {&data.O2, &data.MAT, &data.PW1, &data.PW2, &data.DC1, &data.DC2, &data.AFR})
    channel->Allocate(slots);
  data.O2Mode = 1;
  data.LogLoaded = true;
}

// The invariants a finished load keeps, whatever the file did meanwhile.
void ExpectConsistent(const LogData& d, const std::vector<std::string>& markLines) {
  EXPECT_EQ(d.TIME.size(), d.RecordCount + 2000);
  EXPECT_EQ(d.AFR.size(), d.RecordCount + 2000);
  EXPECT_EQ(d.MarkTable.size(), static_cast<size_t>(d.MarkCount));
  EXPECT_EQ(markLines.size(), d.MarkTable.size());
  for (size_t i = 0; i < d.MarkTable.size(); ++i) {
    EXPECT_GE(d.MarkTable[i], i == 0 ? -1 : d.MarkTable[i - 1]);
    EXPECT_LT(d.MarkTable[i], d.RecordCount);
  }
  EXPECT_TRUE(d.O2Mode == 1 || d.O2Mode == 2);
}

const std::string kLines = "TIME\tSECL\n" + WideLineWith(0, "A") + "\n\"MARK 1\"\n" +
                           WideLineWith(0, "B") + "\n";  // 3 records, 1 mark

void Rewrite(const std::string& path, const std::string& content) {  // same file, new bytes
  std::FILE* f = std::fopen(path.c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(::ftruncate(::fileno(f), 0), 0);
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

struct ChangeCase {
  const char* name;
  std::function<void(const std::string& path)> change;
  const char* failure;             // nullptr: loads
  std::vector<std::string> times;  // TIME of the records stored, from slot 1000
  int32_t marks;
};

const ChangeCase kChanges[] = {
    {"unchanged", [](const std::string&) {}, nullptr, {"A", "B"}, 1},
    {"one more data line: the header's slot takes it",
     [](const std::string& p) { Rewrite(p, kLines + WideLineWith(0, "C") + "\n"); },
     nullptr,
     {"A", "B", "C"},
     1},
    {"two more data lines",
     [](const std::string& p) {
       Rewrite(p, kLines + WideLineWith(0, "C") + "\n" + WideLineWith(0, "D") + "\n");
     },
     kRangeCheckError,
     {},
     0},
    {"one more mark",
     [](const std::string& p) { Rewrite(p, kLines + "\"MARK 2\"\n"); },
     kRangeCheckError,
     {},
     0},
    {"shrunk to whole lines",
     [](const std::string& p) { Rewrite(p, kLines.substr(0, kLines.find("\"MARK"))); },
     nullptr,
     {"A"},
     0},
    {"cut inside a line",
     [](const std::string& p) {
       size_t cut = kLines.rfind("B\t");  // after the fifth tab of the last line
       for (int tab = 0; tab < 5; ++tab) cut = kLines.find('\t', cut) + 1;
       Rewrite(p, kLines.substr(0, cut));
     },
     "Line 4 has 5 tabs; a data line needs 18, or 21 to 24",
     {},
     0},
    {"emptied", [](const std::string& p) { Rewrite(p, ""); }, nullptr, {}, 0},
    {"replaced by another file: the open one is read",
     [](const std::string& p) {
       const std::string other = p + ".new";
       std::ofstream(other) << WideLineWith(0, "X") << "\n";
       std::rename(other.c_str(), p.c_str());
     },
     nullptr,
     {"A", "B"},
     1},
    {"same length, other values",
     [](const std::string& p) {
       std::string changed = kLines;
       changed[changed.find("\"MARK 1\"")] = 'Q';  // the mark becomes a (bad) data line
       Rewrite(p, changed);
     },
     "Line 3 has 0 tabs; a data line needs 18, or 21 to 24",
     {},
     0},
};

// Test names and failure reports show the case by its name.
void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.name; }

class ChangeBetweenPassesTest : public ::testing::TestWithParam<ChangeCase> {};

// The two passes run on one open file, as the reader runs them, with the change in between.
TEST_P(ChangeBetweenPassesTest, EndsConsistentOrWithTheReadersFailure) {
  const ChangeCase& c = GetParam();
  const TempDir dir;
  const std::string path = dir.Write("log.xls", kLines);
  for (const DecodeSettings settings : {DecodeSettings{1, 1 << 20}, DecodeSettings{3, 64}}) {
    Rewrite(path, kLines);
    const LogFile file(path);
    const LineCounts counts = CountLines(file, settings.blockBytes);
    ASSERT_EQ(counts.records, 3);
    c.change(path);
    LogData data;
    AllocateFromCounts(data, counts);
    std::vector<std::string> markLines;
    try {
      DecodePass(file, settings, data, markLines);
      ASSERT_EQ(c.failure, nullptr) << "loaded";
      ExpectConsistent(data, markLines);
      EXPECT_EQ(data.MarkCount, c.marks);
      for (size_t i = 0; i < c.times.size(); ++i)
        EXPECT_EQ(data.TIME.at(LeadIn + static_cast<int32_t>(i)), c.times[i]);
      EXPECT_EQ(data.TIME.at(LeadIn + static_cast<int32_t>(c.times.size())), "");
    } catch (const Failure& failure) {
      ASSERT_NE(c.failure, nullptr) << failure.message();
      EXPECT_EQ(failure.message(), c.failure);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangeBetweenPassesTest, ::testing::ValuesIn(kChanges),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

// Loads while another thread keeps growing, shrinking and cutting the file: every load ends
// in a consistent log or one of the reader's failures.
TEST(ChangingFileTest, LoadsWhileTheFileIsRewritten) {
  const TempDir dir;
  std::string big;
  for (int i = 0; i < 2000; ++i) {
    big += WideLineWith(0, std::to_string(i)) + "\n";
    if (i % 100 == 0) big += "\"MARK " + std::to_string(i) + "\"\n";
  }
  const std::string path = dir.Write("log.xls", big);
  std::atomic<bool> stop = false;
  std::thread writer([&] {
    for (size_t round = 0; !stop; ++round) {
      const int fd = ::open(path.c_str(), O_WRONLY);
      const size_t keep = (round * 7919) % big.size();  // a cut anywhere, mid-line too
      if (::ftruncate(fd, static_cast<off_t>(keep)) != 0 ||
          ::pwrite(fd, big.data() + keep, big.size() - keep, static_cast<off_t>(keep)) < 0)
        ADD_FAILURE() << "cannot rewrite the log";
      ::close(fd);
    }
  });
  int loaded = 0, failed = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < until) {
    try {
      const LoadedLog log = LoadLog(path, LoadOptions{loaded % 2 ? 3 : 1, 4096});
      ExpectConsistent(log.data, log.markLines);
      ++loaded;
    } catch (const Failure& failure) {
      const std::string& m = failure.message();
      const bool known = m == kRangeCheckError || m.starts_with("File is empty") ||
                         m.ends_with("is not a valid integer value") ||
                         m.ends_with("is not a valid floating point value") ||
                         m.ends_with("a data line needs 18, or 21 to 24");
      EXPECT_TRUE(known) << m;
      ++failed;
    }
  }
  stop = true;
  writer.join();
  EXPECT_GT(loaded + failed, 20);
  std::cout << loaded << " loads completed, " << failed << " ended with a failure\n";
}

}  // namespace
}  // namespace tarvelin
