// Files replaced whole: the permissions they get, and targets that are
// streams rather than files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "atomic_file.h"

namespace fs = std::filesystem;

TEST(AtomicFile, NewFileFollowsTheUmaskReplacedFileKeepsItsModeNoTemporaryLeft) {
  char tmpl[] = "/tmp/veltaro-atomic-XXXXXX";
  const fs::path dir = ::mkdtemp(tmpl), path = dir / "f.txt";
  std::string why;
  const mode_t old = ::umask(027);
  const bool written = files::writeAtomically(path, "one\n", why);
  ::umask(old);
  ASSERT_TRUE(written) << why;
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));

  fs::permissions(path, fs::perms(0600));
  ASSERT_TRUE(files::writeAtomically(path, "two\n", why)) << why;
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0600));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
  fs::remove_all(dir);
}

TEST(AtomicFile, AStreamIsWrittenIntoNotReplaced) {
  char tmpl[] = "/tmp/veltaro-atomic-XXXXXX";
  const fs::path dir = ::mkdtemp(tmpl), full = dir / "full", null = dir / "null";
  fs::create_symlink("/dev/full", full);
  fs::create_symlink("/dev/null", null);
  std::string why;
  EXPECT_TRUE(files::writeAtomically(null, "text\n", why)) << why;
  EXPECT_FALSE(files::writeAtomically(full, "text\n", why));
  EXPECT_NE(why.find("No space left on device"), std::string::npos) << why;
  EXPECT_TRUE(fs::is_symlink(full) && fs::is_symlink(null)) << "a link was replaced";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2);
  fs::remove_all(dir);
}
