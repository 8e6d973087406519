// Ctrl-C on the command line: the computation is cancelled as a window's
// Cancel cancels it, and the program ends in its own time.
//
// Killed by the default action of SIGINT, the program would leave a
// report cut off in the middle of a line and a temporary file beside the
// file it was replacing.  Instead, while a watch lives, SIGINT, SIGTERM and
// SIGHUP are blocked in every thread of the program (the watch is made
// before any other thread, which inherit the mask) and one thread of the
// watch waits for them with sigwait: the first raises the cancellation
// flag, which the computation looks at before every station, so that it
// stops within one station, writes what it owes and the program exits with
// code 1 and "cancelled".  A second one ends the program at once, as the
// default action would, for a user who will not wait.  No handler and no
// global: the flag belongs to whoever made the watch.
#pragma once

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <thread>

#include "core/status.h"

namespace cli {

class InterruptWatch {
 public:
  explicit InterruptWatch(bl::CancelFlag& flag);
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

 private:
  sigset_t signals_{}, before_{};
  std::atomic<bool> ending_{false};  // the watch is going: a signal now only wakes its thread
  std::thread thread_;
};

}  // namespace cli
