// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/document/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace classe::document {

std::string WriteFailureReason(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "disco pieno";
    case EFBIG:
      return "spazio esaurito: disco pieno o limite alla dimensione dei file";
    case EACCES:
    case EPERM:
      return "permesso negato";
    case EROFS:
      return "file system in sola lettura";
    case ENOENT:
    case ENOTDIR:
      return "la cartella non esiste";
    case EISDIR:
      return "è una cartella, non un file";
    default:
      return std::strerror(error);
  }
}

namespace {

std::string Reason(int error) {
  return WriteFailureReason(error);
}

// The folder's entry of the renamed file reaches the disk too.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> WriteAtomically(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target(path);
  const std::filesystem::path folder = target.parent_path();
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Reason(errno);
  const auto fail = [&](int error) {
    ::close(fd);
    ::unlink(name.data());
    return Reason(error);
  };
  // A new file gets the usual permissions rather than mkstemp's 0600.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) return fail(errno);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(name.data());
    return Reason(error);
  }
  if (std::rename(name.data(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(name.data());
    return Reason(error);
  }
  SyncFolder(folder);
  return std::nullopt;
}

}  // namespace classe::document
