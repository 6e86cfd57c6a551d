#include "log/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "log/failure.h"

namespace tarvelin {

std::string IoErrorText(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case EACCES:
    case EPERM:
      return "File access denied";
    default:
      return "I/O error " + std::to_string(errorNumber);
  }
}

LogFile::LogFile(const std::string& fileName) : name_(fileName) {
  if (fileName.empty()) throw Failure(IoErrorText(ENOENT), fileName);
  fd_ = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) throw Failure(IoErrorText(errno), fileName);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    ::close(fd_);
    throw Failure(IoErrorText(error), fileName);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd_);
    throw Failure("Not a regular file: " + fileName, fileName);
  }
}

LogFile::~LogFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t LogFile::ReadAt(uint64_t offset, char* buffer, size_t size) const {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd_, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Failure(IoErrorText(errno), name_);
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

}  // namespace tarvelin
