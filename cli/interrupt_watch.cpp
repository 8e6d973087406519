#include "interrupt_watch.h"

namespace cli {

InterruptWatch::InterruptWatch(bl::CancelFlag& flag) {
  sigemptyset(&signals_);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals_, s);
  pthread_sigmask(SIG_BLOCK, &signals_, &before_);
  thread_ = std::thread([this, &flag] {
    for (;;) {
      int sig = 0;
      if (sigwait(&signals_, &sig) != 0 || ending_) return;
      if (!flag.exchange(true)) continue;
      // The second: the default action, now.
      signal(sig, SIG_DFL);
      pthread_sigmask(SIG_UNBLOCK, &signals_, nullptr);
      raise(sig);
    }
  });
}

InterruptWatch::~InterruptWatch() {
  ending_ = true;
  pthread_kill(thread_.native_handle(), SIGINT);  // wakes the watch; it sees ending_ and returns
  thread_.join();
  pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

}  // namespace cli
