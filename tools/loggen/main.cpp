// tarvelin-loggen: writes a synthetic datalog of any length for trying out and measuring the
// viewer.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/loggen/log_writer.h"

namespace {

constexpr const char* kUsage = R"(Usage: tarvelin-loggen [options] OUTPUT
Writes a synthetic datalog of a simulated drive to OUTPUT ("-" for standard output).

Options:
  --records N         data records to write (default 1000)
  --wide              wide data lines of 21 tabs (the default)
  --narrow            narrow data lines of 18 tabs, without the duty cycles
  --tabs N            data lines of N tabs: 18, or 21 to 24
  --wideband          a wideband oxygen sensor (0..5 V) from the first record
  --wideband-from N   a narrowband sensor, switching to wideband at record N
  --marks N           N mark lines after random records
  --mark-at R         a mark line after record R (-1: before the first record); repeatable
  --crlf              CR LF line ends instead of LF
  --seed S            seed of the simulation (default 1); equal seeds give equal files
  --help              this text
)";

bool ParseNumber(const char* text, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  tarvelin::loggen::LogOptions options;
  const char* output = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    long long n = 0;
    const auto number = [&](long long min, long long max) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], n) || n < min || n > max) {
        std::fprintf(stderr, "tarvelin-loggen: %s needs a number from %lld to %lld\n", arg.c_str(),
                     min, max);
        std::exit(2);
      }
      ++i;
      return n;
    };
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--records") {
      options.records = number(0, 2000000000);
    } else if (arg == "--wide") {
      options.tabs = 21;
    } else if (arg == "--narrow") {
      options.tabs = 18;
    } else if (arg == "--tabs") {
      options.tabs = static_cast<int>(number(18, 24));
      if (options.tabs == 19 || options.tabs == 20) {
        std::fputs("tarvelin-loggen: --tabs takes 18 or 21 to 24\n", stderr);
        return 2;
      }
    } else if (arg == "--wideband") {
      options.wideband = true;
    } else if (arg == "--wideband-from") {
      options.widebandFrom = number(0, 2000000000);
    } else if (arg == "--marks") {
      options.marks = static_cast<int>(number(0, 1000000));
    } else if (arg == "--mark-at") {
      options.markAt.push_back(number(-1, 2000000000));
    } else if (arg == "--crlf") {
      options.crlf = true;
    } else if (arg == "--seed") {
      options.seed = static_cast<uint64_t>(number(0, INT64_MAX));
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      std::fprintf(stderr, "tarvelin-loggen: unknown option %s (see --help)\n", arg.c_str());
      return 2;
    } else if (output == nullptr) {
      output = argv[i];
    } else {
      std::fputs("tarvelin-loggen: only one output file\n", stderr);
      return 2;
    }
  }
  if (output == nullptr) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::FILE* out = std::strcmp(output, "-") == 0 ? stdout : std::fopen(output, "wb");
  if (out == nullptr) {
    std::perror(output);
    return 1;
  }
  const bool written = tarvelin::loggen::WriteLog(options, out);
  if (out != stdout && std::fclose(out) != 0) return 1;
  if (!written) {
    std::perror(output);
    return 1;
  }
  return 0;
}
