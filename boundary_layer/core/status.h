// Outcome of an operation that can fail for reasons a user must hear about.
#pragma once

#include <atomic>
#include <string>
#include <utility>

namespace bl {

// A caller must look at it: every routine that returns one can fail.
struct [[nodiscard]] Status {
  bool ok = true;
  std::string message;     // what went wrong, in words a user can act on
  bool cancelled = false;  // the user stopped it (a raised cancellation flag), nothing went wrong

  static Status failure(std::string why) { return Status{false, std::move(why)}; }
  static Status stopped() { return Status{false, "cancelled", true}; }
};

// A request to stop a computation, raised from another thread (a window's
// Cancel, Ctrl-C on the command line) and looked at by the computation
// between its steps; none: null.
using CancelFlag = std::atomic<bool>;
inline bool raised(const CancelFlag* flag) { return flag != nullptr && flag->load(std::memory_order_relaxed); }

}  // namespace bl
