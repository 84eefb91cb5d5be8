// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "cli/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace classe::cli {
namespace {

// The causes a user can act on, in Italian; the system's words otherwise.
std::string Reason(int error) {
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
    default:
      return std::strerror(error);
  }
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  if (path.empty() || target.filename().empty()) return "manca il nome del file.";
  std::error_code code;
  if (fs::is_directory(target, code)) return "è una cartella, non un file.";
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) return "non si può scrivere nella cartella (" + Reason(errno) + ").";
  const auto fail = [&](int error) {
    ::close(fd);
    ::unlink(temp.c_str());
    return "la scrittura non è riuscita (" + Reason(error) + "); il file precedente è intatto.";
  };
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail(errno);
  // mkstemp makes the file private; a written file gets the usual rights.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  if (::close(fd) != 0) {
    ::unlink(temp.c_str());
    return "la scrittura non è riuscita (" + Reason(errno) + "); il file precedente è intatto.";
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return "il file non si può sostituire (" + Reason(error) + "); il file precedente è intatto.";
  }
  return std::nullopt;
}

}  // namespace classe::cli
