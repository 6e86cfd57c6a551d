// Fuzz target of the datalog reader: any file content ends in a loaded log or one of the
// reader's failures, and the result does not depend on the block size or the thread count.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_reader.h"

namespace {

using tarvelin::Failure;
using tarvelin::LoadedLog;
using tarvelin::LoadOptions;
using tarvelin::LogData;

[[noreturn]] void Fault(const std::string& what) {
  std::fprintf(stderr, "log_reader_fuzz: %s\n", what.c_str());
  std::abort();
}

// One file per process, rewritten for every input and removed at exit.
const std::string& InputPath() {
  static const std::string path = [] {
    const char* dir = std::getenv("TARVELIN_FUZZ_TMPDIR");
    if (dir == nullptr || *dir == '\0') dir = std::getenv("TMPDIR");
    std::string p = std::string(dir && *dir ? dir : "/tmp") + "/tarvelin-fuzz-" +
                    std::to_string(getpid()) + ".xls";
    static std::string removeAtExit;
    removeAtExit = p;
    std::atexit([] { ::unlink(removeAtExit.c_str()); });
    return p;
  }();
  return path;
}

void WriteInput(const uint8_t* data, size_t size) {
  const int fd = ::open(InputPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) Fault("cannot write " + InputPath());
  for (size_t done = 0; done < size;) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n <= 0) Fault("cannot write " + InputPath());
    done += static_cast<size_t>(n);
  }
  ::close(fd);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}
bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}
bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The messages the reader may end with; anything else is a fault. (No std::regex: its
// recursion overflows the stack on the long field texts that messages quote.)
bool IsReaderMessage(std::string_view m) {
  for (const char* fixed :
       {tarvelin::kRangeCheckError, tarvelin::kIntegerOverflow, tarvelin::kFloatingPointOverflow,
        tarvelin::kInvalidFloatingPointOperation, tarvelin::kOutOfMemory})
    if (m == fixed) return true;
  if (m == "File is empty: " + InputPath()) return true;
  for (std::string_view quoted :
       {"' is not a valid integer value", "' is not a valid floating point value"})
    if (m.size() >= quoted.size() + 1 && m[0] == '\'' && EndsWith(m, quoted)) return true;
  // "Line N has K tabs; a data line needs 18, or 21 to 24"
  constexpr std::string_view kTabsTail = " tabs; a data line needs 18, or 21 to 24";
  if (StartsWith(m, "Line ") && EndsWith(m, kTabsTail)) {
    const std::string_view middle = m.substr(5, m.size() - 5 - kTabsTail.size());
    const size_t has = middle.find(" has ");
    return has != std::string_view::npos && AllDigits(middle.substr(0, has)) &&
           AllDigits(middle.substr(has + 5));
  }
  return false;
}

// What a load ends in: the log, or the failure's message and place.
struct Outcome {
  std::optional<LoadedLog> log;
  std::string failure;
};

template <class T>
bool SameValues(const tarvelin::Channel<T>& a, const tarvelin::Channel<T>& b) {
  // Bit patterns: -0.0 and 0.0 differ.
  return a.size() == b.size() &&
         std::memcmp(a.data(), b.data(), sizeof(T) * static_cast<size_t>(a.size())) == 0;
}

// Everything a load leaves that must not depend on how it ran (the heap figure aside).
bool SameLog(const LoadedLog& x, const LoadedLog& y) {
  const LogData &a = x.data, &b = y.data;
  if (a.RecordCount != b.RecordCount || a.MarkCount != b.MarkCount || a.O2Mode != b.O2Mode ||
      a.MarkTable != b.MarkTable || x.markLines != y.markLines)
    return false;
  for (auto channel : {&LogData::SECL, &LogData::RPM, &LogData::MAP, &LogData::TPS, &LogData::CLT,
                       &LogData::GEGO, &LogData::VE1, &LogData::VE2})
    if (!SameValues(a.*channel, b.*channel)) return false;
  for (auto channel : {&LogData::O2, &LogData::MAT, &LogData::PW1, &LogData::PW2, &LogData::DC1,
                       &LogData::DC2, &LogData::AFR})
    if (!SameValues(a.*channel, b.*channel)) return false;
  for (auto text : {&LogData::TIME, &LogData::ENGINE})
    for (int32_t s = tarvelin::LeadIn; s < tarvelin::LeadIn + a.RecordCount; ++s)
      if ((a.*text).at(s) != (b.*text).at(s)) return false;
  return true;
}

// The lead slots on either side are never written: zero, or empty text.
template <class T>
bool LeadSlotsEmpty(const tarvelin::Channel<T>& channel, int32_t records) {
  static const std::vector<char> zeros(sizeof(T) * tarvelin::LeadIn);
  const auto* bytes = reinterpret_cast<const char*>(channel.data());
  return std::memcmp(bytes, zeros.data(), zeros.size()) == 0 &&
         std::memcmp(bytes + sizeof(T) * static_cast<size_t>(records + tarvelin::LeadIn),
                     zeros.data(), zeros.size()) == 0;
}

void CheckConsistent(const LoadedLog& log) {
  const LogData& d = log.data;
  const int64_t slots = int64_t{d.RecordCount} + 2000;
  if (d.RecordCount < 0 || !d.LogLoaded || (d.O2Mode != 1 && d.O2Mode != 2))
    Fault("inconsistent counts or mode");
  for (int64_t size :
       {int64_t{d.TIME.size()}, int64_t{d.ENGINE.size()}, int64_t{d.SECL.size()},
        int64_t{d.RPM.size()}, int64_t{d.MAP.size()}, int64_t{d.TPS.size()}, int64_t{d.CLT.size()},
        int64_t{d.GEGO.size()}, int64_t{d.VE1.size()}, int64_t{d.VE2.size()}, int64_t{d.O2.size()},
        int64_t{d.MAT.size()}, int64_t{d.PW1.size()}, int64_t{d.PW2.size()}, int64_t{d.DC1.size()},
        int64_t{d.DC2.size()}, int64_t{d.AFR.size()}})
    if (size != slots) Fault("a channel is not RecordCount + 2000 slots long");
  if (d.MarkCount < 0 || d.MarkTable.size() != static_cast<size_t>(d.MarkCount) ||
      log.markLines.size() != d.MarkTable.size())
    Fault("marks do not agree");
  for (auto channel : {&LogData::SECL, &LogData::RPM, &LogData::MAP, &LogData::TPS, &LogData::CLT,
                       &LogData::GEGO, &LogData::VE1, &LogData::VE2})
    if (!LeadSlotsEmpty(d.*channel, d.RecordCount)) Fault("a lead slot was written");
  for (auto channel : {&LogData::O2, &LogData::MAT, &LogData::PW1, &LogData::PW2, &LogData::DC1,
                       &LogData::DC2, &LogData::AFR})
    if (!LeadSlotsEmpty(d.*channel, d.RecordCount)) Fault("a lead slot was written");
  for (int32_t s : {0, tarvelin::LeadIn - 1, tarvelin::LeadIn + d.RecordCount, d.TIME.size() - 1})
    if (!d.TIME.at(s).empty() || !d.ENGINE.at(s).empty()) Fault("a lead text was written");
  int32_t previous = -1;
  for (int32_t mark : d.MarkTable) {
    if (mark < previous || mark >= d.RecordCount) Fault("mark out of order or range");
    previous = mark;
  }
  for (const std::string& line : log.markLines)
    if (line.compare(0, 5, "\"MARK") != 0) Fault("a mark line without its prefix");
  const std::string head = " Log File: " + InputPath() + "; " + std::to_string(d.RecordCount) +
                           " Records; " + (d.O2Mode == 1 ? "NB" : "WB") + " O2 Sensor Detected; ";
  constexpr std::string_view kTail = " Mem Used ";
  const std::string_view status = log.statusText;
  if (!StartsWith(status, head) || !EndsWith(status, kTail) ||
      !AllDigits(status.substr(head.size(), status.size() - head.size() - kTail.size())))
    Fault("status text: " + log.statusText);
}

Outcome Load(const LoadOptions& options) {
  Outcome outcome;
  try {
    outcome.log = tarvelin::LoadLog(InputPath(), options);
    CheckConsistent(*outcome.log);
  } catch (const Failure& failure) {
    if (!IsReaderMessage(failure.message())) Fault("unexpected message: " + failure.message());
    if (failure.place().compare(0, InputPath().size(), InputPath()) != 0)
      Fault("failure without the file in its place: " + failure.place());
    outcome.failure = failure.message() + " | " + failure.place();
    if (outcome.failure.size() < 2) Fault("empty failure");
  }
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteInput(data, size);
  // All on one thread in one block (inputs are at most 64 KiB), then small blocks across
  // several threads, so that block edges and batch joins fall inside the input.
  const Outcome whole = Load(LoadOptions{1, 1u << 17});
  const Outcome split = Load(LoadOptions{3, 64});
  if (whole.failure != split.failure || whole.log.has_value() != split.log.has_value() ||
      (whole.log && !SameLog(*whole.log, *split.log)))
    Fault("block size or threads changed the result: " + whole.failure + " / " + split.failure);
  return 0;
}
