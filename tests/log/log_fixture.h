#pragma once
// Small datalog files written to a fresh temporary folder, and a well-formed data line whose
// fields a test can change one at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tarvelin::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvelin-log-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }

  std::string Write(const std::string& name, const std::string& content) const {
    const std::string file = (path_ / name).string();
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Fields 0 to 21 of a wide line (21 tabs).
inline std::vector<std::string> WideFields() {
  return {"12.250", "7",   "25",  "60",   "90", "0.450", "21.5", "72.5", "13",   "98",   "100",
          "0",      "104", "101", "13.8", "64", "3.25",  "66",   "3.5",  "27.1", "28.4", "18.0"};
}

inline std::string Join(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
  return line;
}

// A wide line with field `field` replaced by `text`.
inline std::string WideLineWith(size_t field, const std::string& text) {
  auto fields = WideFields();
  fields[field] = text;
  return Join(fields);
}

inline std::string WideLine() { return Join(WideFields()); }

// A narrow line: fields 0 to 18.
inline std::string NarrowLine() {
  auto fields = WideFields();
  fields.resize(19);
  return Join(fields);
}

inline const std::string kHeader = "TIME\tSECL\tRPM";

}  // namespace tarvelin::testing
