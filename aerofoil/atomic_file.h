// Files replaced whole or not at all: the text goes to a temporary file
// beside the target, which is renamed over the target only once every byte
// is on the disk.  A full disk or a killed program leaves the old file as it
// was, never a half-written one that another program would misread.
#pragma once

#include <string>

namespace files {

// Writes text to path.  On failure returns false, leaves path untouched,
// removes the temporary file and says why in a sentence for the user.  A
// new file gets the permissions the umask leaves of 0666, a replaced one
// keeps its own.  A path that exists but is not a regular file (a pipe, a
// terminal, /dev/null) is written into as a stream, not replaced.
bool writeAtomically(const std::string& path, const std::string& text, std::string& why);

// Every byte of text to the open file descriptor fd, retrying after
// interruptions; false with errno set when a write fails.
bool writeAll(int fd, const std::string& text);

}  // namespace files
