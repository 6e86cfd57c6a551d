#pragma once
// The datalog file as the reader sees it: opened without blocking, refused unless it is a
// regular file, read by position so that both passes read the same open file.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvelin {

class LogFile {
 public:
  // Throws Failure: "File not found", "File access denied", "I/O error %d", or a refusal of
  // anything but a regular file (a directory, FIFO or device could block or never end).
  explicit LogFile(const std::string& fileName);
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // Reads up to `size` bytes at `offset`; fewer only at the end of the file.
  size_t ReadAt(uint64_t offset, char* buffer, size_t size) const;
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  int fd_ = -1;
};

// The message for an operating-system error number, in the platform's wording.
std::string IoErrorText(int errorNumber);

}  // namespace tarvelin
