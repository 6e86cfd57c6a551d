#include "tools/loggen/log_writer.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string>

#include "tools/loggen/drive_model.h"

namespace tarvelin::loggen {
namespace {

constexpr const char* kColumns[] = {"TIME", "SECL",   "RPM",  "MAP",  "TPS", "O2",   "MAT",
                                    "CLT",  "ENGINE", "GEGO", "BARO", "ACC", "WARM", "AIRC",
                                    "BATT", "VE1",    "PW1",  "VE2",  "PW2", "DC1",  "DC2",
                                    "ADV",  "SPR1",   "SPR2", "SPR3"};

class LineBuilder {
 public:
  void Int(long value) {
    Separate();
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    line_.append(buffer, static_cast<size_t>(result.ptr - buffer));
  }
  void Fixed(double value, int decimals) {
    Separate();
    char buffer[48];
    if (value == 0) value = 0;  // no "-0.0"
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    line_.append(buffer, static_cast<size_t>(result.ptr - buffer));
  }
  void Text(const char* text) {
    Separate();
    line_.append(text);
  }
  std::string& line() { return line_; }
  void Clear() {
    line_.clear();
    fields_ = 0;
  }

 private:
  void Separate() {
    if (fields_++ > 0) line_.push_back('\t');
  }
  std::string line_;
  int fields_ = 0;
};

// Records after which marks go, with the number each mark line shows.
std::multimap<int64_t, int> MarkPlan(const LogOptions& options) {
  std::vector<int64_t> at = options.markAt;
  uint64_t state = options.seed ^ 0xA5A5A5A5u;
  for (int i = 0; i < options.marks && options.records > 0; ++i) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    at.push_back(static_cast<int64_t>((state >> 33) % static_cast<uint64_t>(options.records)));
  }
  std::sort(at.begin(), at.end());
  std::multimap<int64_t, int> plan;
  int number = 1;
  for (int64_t record : at) plan.emplace(record, number++);
  return plan;
}

void AppendSample(LineBuilder& b, const Sample& s, int tabs) {
  b.Fixed(s.time, 3);
  b.Int(s.secl);
  b.Int(s.rpm);
  b.Int(s.map);
  b.Int(s.tps);
  b.Fixed(s.o2, 3);
  b.Fixed(s.mat, 1);
  b.Fixed(s.clt, 1);
  b.Int(s.engine);
  b.Int(s.gego);
  b.Int(s.baro);
  b.Int(s.accelEnrich);
  b.Int(s.warmEnrich);
  b.Int(s.airCorr);
  b.Fixed(s.battery, 1);
  b.Int(s.ve1);
  b.Fixed(s.pw1, 1);
  b.Int(s.ve2);
  b.Fixed(s.pw2, 1);
  if (tabs >= 21) {
    b.Fixed(s.dc1, 1);
    b.Fixed(s.dc2, 1);
    b.Fixed(s.advance, 1);
    for (int extra = 22; extra <= tabs; ++extra) b.Int(0);
  }
}

}  // namespace

bool WriteLog(const LogOptions& options, std::FILE* out) {
  const char* eol = options.crlf ? "\r\n" : "\n";
  const int tabs = options.tabs;
  std::string text;
  text.append("\"Synthetic datalog, seed ").append(std::to_string(options.seed)).append("\"");
  text += eol;
  for (int i = 0; i <= tabs; ++i) {
    if (i > 0) text += '\t';
    text += kColumns[i];
  }
  text += eol;

  const auto plan = MarkPlan(options);
  auto nextMark = plan.begin();
  const auto writeMarks = [&](int64_t record) {
    for (; nextMark != plan.end() && nextMark->first <= record; ++nextMark)
      text.append("\"MARK ").append(std::to_string(nextMark->second)).append("\"").append(eol);
  };
  writeMarks(-1);

  DriveModel drive(options.seed, options.wideband);
  LineBuilder line;
  for (int64_t r = 0; r < options.records; ++r) {
    const bool wideband =
        options.wideband || (options.widebandFrom >= 0 && r >= options.widebandFrom);
    line.Clear();
    AppendSample(line, drive.Next(wideband), tabs);
    text += line.line();
    text += eol;
    writeMarks(r);
    if (text.size() > (1u << 20)) {
      if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) return false;
      text.clear();
    }
  }
  writeMarks(INT64_MAX);
  return std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
}

}  // namespace tarvelin::loggen
