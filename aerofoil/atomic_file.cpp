#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace files {

namespace {

bool failed(std::string& why, const std::string& what, const std::string& path, int err) {
  why = what + " " + path + ": " + std::strerror(err);
  return false;
}

// Permissions of the new file: those of the file it replaces, else what a
// newly created file gets under the current umask.
mode_t newFileMode(const std::string& path) {
  struct stat sb {};
  if (::stat(path.c_str(), &sb) == 0 && S_ISREG(sb.st_mode)) return sb.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool writeAll(int fd, const std::string& text) {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

bool writeAtomically(const std::string& path, const std::string& text, std::string& why) {
  if (path.empty()) {
    why = "No file name given";
    return false;
  }
  struct stat sb {};
  if (::stat(path.c_str(), &sb) == 0 && S_ISDIR(sb.st_mode))
    return failed(why, "Cannot write", path, EISDIR);

  std::vector<char> tmp(path.begin(), path.end());
  for (const char c : std::string(".tmpXXXXXX")) tmp.push_back(c);
  tmp.push_back('\0');
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return failed(why, "Cannot create a file beside", path, errno);
  const std::string tmpPath(tmp.data());
  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(tmpPath.c_str());
    return failed(why, "Cannot write", path, err);
  };

  if (!writeAll(fd, text)) return abandon(errno);
  if (::fchmod(fd, newFileMode(path)) != 0 || ::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmpPath.c_str());
    return failed(why, "Cannot write", path, err);
  }
  if (::rename(tmpPath.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmpPath.c_str());
    return failed(why, "Cannot write", path, err);
  }
  return true;
}

}  // namespace files
