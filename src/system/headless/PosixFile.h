#pragma once
// A file descriptor closed with its owner, and a write that finishes what
// a short write left, for the Linux stand-ins that write files.

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace orvane {

class PosixFileDescriptor {
 public:
  explicit PosixFileDescriptor(int fd) : fd_(fd) {}
  PosixFileDescriptor(const PosixFileDescriptor&) = delete;
  PosixFileDescriptor& operator=(const PosixFileDescriptor&) = delete;
  ~PosixFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Writes every byte, resuming after interruptions and short writes.
inline bool WriteAllToFile(int fd, const void* data, std::size_t size) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t wrote = ::write(fd, next, size);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    next += wrote;
    size -= static_cast<std::size_t>(wrote);
  }
  return true;
}

}  // namespace orvane
