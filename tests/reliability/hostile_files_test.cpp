// Files that are not datalogs, or not readable, or of extreme shape: each ends in a loaded log
// or a clear refusal, in bounded time, without a crash.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

#include "log/log_reader.h"
#include "tests/log/log_fixture.h"
#include "tests/reliability/bounded_load.h"

namespace tarvelin {
namespace {

using reliability::LoadInChild;
using testing::TempDir;
using testing::WideLine;
using testing::WideLineWith;

// A scratch folder that an unprivileged user may enter.
class Scratch {
 public:
  Scratch() { ::chmod(dir_.Path("").c_str(), 0755); }
  std::string Log(const std::string& name) const {
    return dir_.Write(name, "TIME\tSECL\n" + WideLine() + "\n");
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }

 private:
  TempDir dir_;
};

struct HostileCase {
  const char* name;
  std::function<std::string(const Scratch&)> make;  // returns the path to load
  const char* expected;                             // "{}" stands for the path
  bool unprivileged = false;
};

std::string Fill(std::string text, const std::string& path) {
  for (size_t at; (at = text.find("{}")) != std::string::npos;) text.replace(at, 2, path);
  return text;
}

int heldFifo = -1;  // the writer end that the FIFO case keeps open

const HostileCase kHostileCases[] = {
    {"directory",
     [](const Scratch& s) {
       ::mkdir(s.Path("log.xls").c_str(), 0755);
       return s.Path("log.xls");
     },
     "failure: Not a regular file: {} | {}"},
    {"fifo without a writer",
     [](const Scratch& s) {
       ::mkfifo(s.Path("fifo.xls").c_str(), 0644);
       return s.Path("fifo.xls");
     },
     "failure: Not a regular file: {} | {}"},
    {"fifo whose writer never writes",
     [](const Scratch& s) {
       ::mkfifo(s.Path("held.xls").c_str(), 0644);
       heldFifo = ::open(s.Path("held.xls").c_str(), O_RDWR | O_NONBLOCK);
       return s.Path("held.xls");
     },
     "failure: Not a regular file: {} | {}"},
    {"link to a fifo",
     [](const Scratch& s) {
       ::mkfifo(s.Path("target").c_str(), 0644);
       ::symlink(s.Path("target").c_str(), s.Path("link.xls").c_str());
       return s.Path("link.xls");
     },
     "failure: Not a regular file: {} | {}"},
    {"endless device", [](const Scratch&) { return std::string("/dev/zero"); },
     "failure: Not a regular file: {} | {}"},
    {"empty device", [](const Scratch&) { return std::string("/dev/null"); },
     "failure: Not a regular file: {} | {}"},
    {"socket",
     [](const Scratch& s) {
       sockaddr_un address{};
       address.sun_family = AF_UNIX;
       const std::string path = s.Path("socket.xls");
       path.copy(address.sun_path, sizeof address.sun_path - 1);
       const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
       ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
       ::close(fd);
       return path;
     },
     "failure: I/O error 6 | {}"},  // ENXIO: a socket cannot be opened as a file
    {"readable log, unprivileged", [](const Scratch& s) { return s.Log("ok.xls"); },
     "loaded 2 records, 0 marks", true},
    {"log without read permission, unprivileged",
     [](const Scratch& s) {
       const std::string path = s.Log("secret.xls");
       ::chmod(path.c_str(), 0);
       return path;
     },
     "failure: File access denied | {}", true},
    {"log in a folder without search permission, unprivileged",
     [](const Scratch& s) {
       ::mkdir(s.Path("closed").c_str(), 0700);
       const std::string path = s.Path("closed/log.xls");
       std::ofstream(path) << "TIME\n";
       return path;
     },
     "failure: File access denied | {}", true},
};

// Test names and failure reports show the case by its name.
void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class HostileFileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileFileTest, EndsInALoadOrAClearRefusalWithinSeconds) {
  const HostileCase& c = GetParam();
  const Scratch scratch;
  const std::string path = c.make(scratch);
  // As root every file is readable: the unprivileged cases drop to an ordinary account.
  std::optional<std::string> user;
  if (c.unprivileged && ::geteuid() == 0) user = "nobody";
  const auto load = LoadInChild(path, 10, user);
  if (heldFifo >= 0) ::close(heldFifo), heldFifo = -1;
  if (load.outcome == "cannot switch user") GTEST_SKIP() << "no unprivileged account to run as";
  EXPECT_TRUE(load.finished) << "the load hung or crashed";
  EXPECT_EQ(load.outcome, Fill(c.expected, path));
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFileTest, ::testing::ValuesIn(kHostileCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

// Lines of several megabytes, with small and large read blocks: a long text is kept whole, a
// long number that is not one is refused with its whole text.
TEST(LongLineTest, KeptWholeOrRefusedWithTheWholeField) {
  const TempDir dir;
  const std::string longText(6 << 20, 'x');
  const std::string longDigits = "1" + std::string(5 << 20, '0');
  for (const LoadOptions options : {LoadOptions{}, LoadOptions{2, 4096}}) {
    const LoadedLog log = LoadLog(
        dir.Write("text.xls", WideLine() + "\n" + WideLineWith(0, longText) + "\n" + WideLine()),
        options);
    EXPECT_EQ(log.data.TIME.at(LeadIn + 1), longText);
    EXPECT_EQ(log.data.TIME.at(LeadIn + 2), "12.250");
    EXPECT_EQ(log.data.RPM.at(LeadIn + 2), 25);

    for (const size_t field : {size_t{2}, size_t{6}}) {
      const std::string path = dir.Write("number.xls", WideLineWith(field, longDigits) + "\n");
      try {
        LoadLog(path, options);
        ADD_FAILURE() << "a " << longDigits.size() << "-digit field " << field << " loaded";
      } catch (const Failure& failure) {
        const std::string kind = field == 2 ? "integer" : "floating point";
        // An integer of 5 million digits is no integer; a real of that size overflows.
        EXPECT_EQ(failure.message(), field == 2
                                         ? "'" + longDigits + "' is not a valid " + kind + " value"
                                         : std::string(kFloatingPointOverflow));
      }
    }
  }
}

// NUL bytes are ordinary characters: kept in a text field, refused in a number field with
// the text quoted as it stands.
TEST(NulByteTest, KeptInTextsAndQuotedInRefusals) {
  using namespace std::string_literals;
  const TempDir dir;
  const LoadedLog log =
      LoadLog(dir.Write("nul.xls", WideLineWith(0, "1\0002"s) + "\n" + WideLineWith(8, "\0"s) +
                                       "\n" + WideLineWith(0, "\0"s) + "\n"));
  EXPECT_EQ(log.data.RecordCount, 3);
  EXPECT_EQ(log.data.TIME.at(LeadIn), "1\0002"s);
  EXPECT_EQ(log.data.ENGINE.at(LeadIn + 1), "\0"s);
  EXPECT_EQ(log.data.TIME.at(LeadIn + 2), "\0"s);

  const struct {
    size_t field;
    std::string text, message;
  } refusals[] = {
      {2, "4\0002"s, "'4\0002' is not a valid integer value"s},
      {5, "0.5\0"s, "'0.5\0' is not a valid floating point value"s},
      {7, "\0"s, "'\0' is not a valid floating point value"s},
  };
  for (const auto& r : refusals) {
    try {
      LoadLog(dir.Write("bad.xls", WideLineWith(r.field, r.text) + "\n"));
      ADD_FAILURE() << "field " << r.field << " with a NUL loaded";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.message(), r.message);
    }
  }
}

// A sparse file past 2 GiB: comment lines of NUL bytes between a record at its start and a
// mark and a record at its end. Positions past 2^31 must not wrap. (Past 4 GiB the test would
// take tens of seconds, nearly all of it the kernel reading the holes.)
TEST(HugeFileTest, RecordsPastTwoGibibytesAreReadInPlace) {
  const TempDir dir;
  const std::string path = dir.Path("huge.xls");
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const auto put = [&](off_t at, const std::string& text) {
    ASSERT_EQ(::pwrite(fd, text.data(), text.size(), at), static_cast<ssize_t>(text.size()));
  };
  const std::string head = "TIME\n" + WideLineWith(0, "A") + "\n";
  put(0, head);
  constexpr off_t kLine = off_t{16} << 20;  // comment lines of 16 MiB, NULs but for the ends
  constexpr off_t kEnd = (off_t{1} << 31) + (off_t{64} << 20);
  off_t at = static_cast<off_t>(head.size());
  for (; at + kLine <= kEnd; at += kLine) {
    put(at, "\"");
    put(at + kLine - 1, "\n");
  }
  put(at, "\"MARK far\"\n" + WideLineWith(0, "B") + "\n");
  ::close(fd);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  ASSERT_GT(info.st_size, off_t{1} << 31);
  EXPECT_LT(info.st_blocks * 512, off_t{64} << 20) << "the file should be sparse";

  const LoadedLog log = LoadLog(path);
  EXPECT_EQ(log.data.RecordCount, 3);
  EXPECT_EQ(log.data.MarkTable, std::vector<int32_t>{0});
  EXPECT_EQ(log.markLines, std::vector<std::string>{"\"MARK far\""});
  EXPECT_EQ(log.data.TIME.at(LeadIn), "A");
  EXPECT_EQ(log.data.TIME.at(LeadIn + 1), "B");
  EXPECT_EQ(log.data.RPM.at(LeadIn + 1), 25);
}

}  // namespace
}  // namespace tarvelin
