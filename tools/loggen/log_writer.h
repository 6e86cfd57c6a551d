#pragma once
// Writes a synthetic datalog: a comment line, a header line, then one data line per sample
// of the drive, with mark lines after chosen records.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace tarvelin::loggen {

struct LogOptions {
  int64_t records = 1000;
  int tabs = 21;                // 18 (narrow) or 21..24 (wide)
  bool wideband = false;        // wideband sensor from the first record
  int64_t widebandFrom = -1;    // or from this record on; -1: never
  int marks = 0;                // marks after random records
  std::vector<int64_t> markAt;  // and after these records (-1: before the first one)
  bool crlf = false;
  uint64_t seed = 1;
};

// Returns false when the output could not be written.
bool WriteLog(const LogOptions& options, std::FILE* out);

}  // namespace tarvelin::loggen
