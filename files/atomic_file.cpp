#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

namespace files {

namespace {

bool failed(std::string& why, const std::string& what, const std::string& path, int err) {
  why = what + " " + path + ": " + std::strerror(err);
  return false;
}

// A fresh temporary beside path, created by this call alone (O_EXCL), with
// the mode 0666 that the kernel narrows by the umask, as for any new file:
// the process-wide umask is never changed to learn it, which would race
// with other threads creating files.  The name mixes the process, the
// thread and the clock, and ends in ".tmp"; a clash (EEXIST) tries another.
int createTemporary(const std::string& path, std::string& tmpPath) {
  const unsigned long long who =
      (static_cast<unsigned long long>(::getpid()) << 32) ^ std::hash<std::thread::id>()(std::this_thread::get_id());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    tmpPath = path + "." + std::to_string(who ^ static_cast<unsigned long long>(now)) + "-" +
              std::to_string(attempt) + ".tmp";
    const int fd = ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// A target that exists and is not a regular file (a pipe, a terminal,
// /dev/null, /dev/stdout) is a stream to write into, not a file to replace:
// renaming over it would swap a device or a pipe for a plain file.
bool writeStream(const std::string& path, const std::string& text, std::string& why) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return failed(why, "Cannot write", path, errno);
  if (!writeAll(fd, text)) {
    const int err = errno;
    ::close(fd);
    return failed(why, "Cannot write", path, err);
  }
  if (::close(fd) != 0) return failed(why, "Cannot write", path, errno);
  return true;
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

bool writeAtomically(const std::string& path, const std::string& text, std::string& why, bool durable) {
  if (path.empty()) {
    why = "No file name given";
    return false;
  }
  struct stat sb {};
  const bool exists = ::stat(path.c_str(), &sb) == 0;
  if (exists && S_ISDIR(sb.st_mode)) return failed(why, "Cannot write", path, EISDIR);
  if (exists && !S_ISREG(sb.st_mode)) return writeStream(path, text, why);

  std::string tmpPath;
  const int fd = createTemporary(path, tmpPath);
  if (fd < 0) return failed(why, "Cannot create a file beside", path, errno);
  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(tmpPath.c_str());
    return failed(why, "Cannot write", path, err);
  };

  if (!writeAll(fd, text)) return abandon(errno);
  // A replaced file keeps its permissions; a new one has those of its
  // creation.
  if (exists && ::fchmod(fd, sb.st_mode & 07777) != 0) return abandon(errno);
  if (durable && ::fsync(fd) != 0) return abandon(errno);
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
