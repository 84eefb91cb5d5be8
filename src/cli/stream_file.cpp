// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "cli/stream_file.h"

#include "engine/document/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

namespace classe::cli {
namespace {

std::string Reason(int error) {
  return document::WriteFailureReason(error);
}

// Sends everything, retrying short writes; false with errno set on failure.
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// A stream buffer onto the file descriptor, in blocks, that remembers the
// first failure.
class FdBuffer : public std::streambuf {
 public:
  explicit FdBuffer(int fd) : fd_(fd), block_(1 << 16) {
    setp(block_.data(), block_.data() + block_.size());
  }
  int error() const { return error_; }
  bool flushAll() { return flushBlock() == 0; }

 protected:
  int_type overflow(int_type c) override {
    if (flushBlock() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return flushBlock(); }

 private:
  int flushBlock() {
    if (error_) return -1;
    const auto size = static_cast<std::size_t>(pptr() - pbase());
    if (!WriteAll(fd_, pbase(), size)) {
      error_ = errno;
      return -1;
    }
    setp(block_.data(), block_.data() + block_.size());
    return 0;
  }
  int fd_;
  std::vector<char> block_;
  int error_ = 0;
};

}  // namespace

std::optional<std::string> StreamFileAtomically(const std::string& path,
                                                const std::function<void(std::ostream&)>& write) {
  const std::filesystem::path target(path);
  std::string temp =
      (target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path()) /
      ("." + target.filename().string() + ".XXXXXX");
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return "il file " + path + " non si può scrivere (" + Reason(errno) + ").";
  // mkstemp makes the file private; a CSV is for reading by others too.
  ::fchmod(fd, 0644);
  FdBuffer buffer(fd);
  std::ostream out(&buffer);
  write(out);
  out.flush();
  int error = buffer.flushAll() ? 0 : buffer.error();
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && std::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    std::remove(temp.c_str());
    return "il file " + path + " non si può scrivere (" + Reason(error) +
           "): il file precedente resta com'era.";
  }
  return std::nullopt;
}

}  // namespace classe::cli
