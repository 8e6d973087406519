// Files replaced whole or not at all, the one way the program replaces a
// file: the text goes to a temporary file beside the target, which is
// renamed over the target only once every byte is written.  A full disk or
// a killed program leaves the old file as it was, never a half-written one
// that another program would misread.
//
// The temporary's name is the target's with a part no user chooses
// ("Airfoil_3.out.<number>.tmp"), and it is created exclusively (O_EXCL):
// a file of that name that is already there, a user's or another
// program's, is never opened, emptied or removed; another name is tried.
// Only a temporary this call created is ever removed.
#pragma once

#include <string>

namespace files {

// Writes text to path.  On failure returns false, leaves path untouched,
// removes the temporary file and says why in a sentence for the user.  A
// new file gets the permissions the umask leaves of 0666, a replaced one
// keeps its own.  A path that exists but is not a regular file (a pipe, a
// terminal, /dev/null) is written into as a stream, not replaced.  With
// durable, the bytes reach the disk before the rename (a user's result
// survives a power cut); without it (a report rewritten every sweep of a
// computation) only the replacement is whole.
bool writeAtomically(const std::string& path, const std::string& text, std::string& why, bool durable = true);

// Every byte of text to the open file descriptor fd, retrying after
// interruptions; false with errno set when a write fails.
bool writeAll(int fd, const std::string& text);

}  // namespace files
