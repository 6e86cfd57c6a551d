// Loads whose memory cannot be had, under a lowered address-space limit in a child process:
// each ends in "Out of memory", and the log loaded before stays whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "log/log_reader.h"
#include "tests/log/log_fixture.h"
#include "tests/reliability/replay_child.h"

namespace tarvelin {
namespace {

using testing::TempDir;
using testing::WideLine;

uint64_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

void LimitAddressSpace(uint64_t bytes) {
  const rlimit limit{bytes, bytes};
  if (::setrlimit(RLIMIT_AS, &limit) != 0) std::perror("setrlimit");
}

// Lines repeated to a file of the given count, written in large pieces.
std::string WriteRepeated(const TempDir& dir, const std::string& name, const std::string& line,
                          int64_t count) {
  std::string piece;
  for (int i = 0; i < 65536; ++i) piece += line;
  std::ofstream out(dir.Path(name), std::ios::binary);
  for (int64_t left = count; left > 0; left -= 65536)
    out.write(piece.data(),
              static_cast<std::streamsize>(line.size() * std::min<int64_t>(left, 65536)));
  return dir.Path(name);
}

std::string WriteSparseLine(const TempDir& dir, const std::string& name, off_t length) {
  const int fd = ::open(dir.Path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::ftruncate(fd, length) != 0) std::perror("sparse file");
  ::close(fd);
  return dir.Path(name);
}

struct ExhaustionCase {
  const char* name;
  std::function<std::string(const TempDir&)> make;
  uint64_t headroom;   // address space allowed beyond what the process holds before the load
  bool loads = false;  // the load needs less than the limit leaves: it completes
};

const ExhaustionCase kExhaustionCases[] = {
    // 17 channels of 20 million slots: about 1.9 GB.
    {"channel arrays",
     [](const TempDir& d) { return WriteRepeated(d, "records.xls", "T\n", 20'000'000); },
     uint64_t{512} << 20},
    // One line of 1 GiB must be held whole to be split into fields.
    {"one huge line",
     [](const TempDir& d) { return WriteSparseLine(d, "line.xls", off_t{1} << 30); },
     uint64_t{512} << 20},
    // 8 million mark lines kept for the mark list.
    {"mark lines",
     [](const TempDir& d) { return WriteRepeated(d, "marks.xls", "\"MARK\n", 8'000'000); },
     uint64_t{256} << 20},
    // Room for a small log's arrays and one read block, not for the decoding threads' stacks:
    // the decoding runs on the calling thread instead.
    {"decoding threads",
     [](const TempDir& d) { return d.Write("small.xls", "TIME\n" + WideLine() + "\n"); },
     uint64_t{6} << 20, true},
};

// In the child: the earlier log, the limit, the load that cannot fit, then the earlier log
// read again. Prints what differs from the expected end; exits 0 only when nothing does.
[[noreturn]] void LoadBeyondTheLimit(const std::string& earlierPath, const std::string& path,
                                     uint64_t headroom, bool loads) {
  // On the calling thread: no thread stacks left cached for the load under the limit.
  const LoadedLog earlier = LoadLog(earlierPath, LoadOptions{1});
  LimitAddressSpace(AddressSpaceInUse() + headroom);
  std::string outcome;
  try {
    const LoadedLog log = LoadLog(path);
    outcome = "loaded " + std::to_string(log.data.RecordCount) + " records";
  } catch (const Failure& failure) {
    outcome = failure.message() + " | " + failure.place();
  } catch (const std::exception& error) {
    outcome = std::string("other exception: ") + error.what();
  }
  const std::string earlierState = std::to_string(earlier.data.RecordCount) + " " +
                                   std::string(earlier.data.TIME.at(LeadIn)) + " " +
                                   std::to_string(earlier.data.RPM.at(LeadIn));
  const std::string expected =
      loads ? std::string("loaded 2 records") : std::string(kOutOfMemory) + " | " + path;
  if (outcome == expected && earlierState == "2 12.250 25") {
    std::fputs("as expected\n", stderr);
    std::_Exit(0);
  }
  std::fprintf(stderr, "load: %s\nearlier log: %s\n", outcome.c_str(), earlierState.c_str());
  std::_Exit(1);
}

// Test names and failure reports show the case by its name.
void PrintTo(const ExhaustionCase& c, std::ostream* out) { *out << c.name; }

class ExhaustionTest : public ::testing::TestWithParam<ExhaustionCase> {};

TEST_P(ExhaustionTest, EndsInOutOfMemoryWithTheEarlierLogIntact) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow memory cannot live under an address-space limit";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const TempDir dir;
  const std::string earlier = dir.Write("earlier.xls", "TIME\n" + WideLine() + "\n");
  const std::string path = GetParam().make(dir);
  EXPECT_EXIT(LoadBeyondTheLimit(earlier, path, GetParam().headroom, GetParam().loads),
              ::testing::ExitedWithCode(0), "as expected");
}

INSTANTIATE_TEST_SUITE_P(Loads, ExhaustionTest, ::testing::ValuesIn(kExhaustionCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (ch == ' ') ch = '_';
                           return name;
                         });

// The same through the window: the error report shows "Out of memory." and the window, its
// state and the log it showed stay as they were.
TEST(ExhaustionInTheWindowTest, TheShownLogStaysAsItWas) {
  const TempDir dir;
  const std::string big = WriteRepeated(dir, "big.xls", "T\n", 40'000'000);  // ~3.8 GB of arrays
  const std::string scriptPath =
      dir.Write("script.txt", std::string("dialog ") + TARVELIN_SAMPLE_LOG +
                                  "\nclick openlog\nclick endbtn\ndump\nrecords 1000 1001\n" +
                                  "dialog " + big + "\nclick openlog\ndump\nrecords 1000 1001\n");
  const auto run = reliability::RunReplayScript(scriptPath, dir.Path(""), uint64_t{2} << 30);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.Starting("error:"), std::vector<std::string>{"error: Out of memory. | " + big});
  const auto dumps = run.Starting("{\"Position\"");
  const auto records = run.Starting("{\"slot\"");
  ASSERT_EQ(dumps.size(), 2u);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_NE(dumps[0].find("\"LogLoaded\":true"), std::string::npos);
  EXPECT_EQ(dumps[1], dumps[0]);
  EXPECT_EQ(records[2], records[0]);
  EXPECT_EQ(records[3], records[1]);
}

}  // namespace
}  // namespace tarvelin
