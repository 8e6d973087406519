// Outcome of an operation that can fail for reasons a user must hear about.
#pragma once

#include <string>
#include <utility>

namespace bl {

// A caller must look at it: every routine that returns one can fail.
struct [[nodiscard]] Status {
  bool ok = true;
  std::string message;  // what went wrong, in words a user can act on

  static Status failure(std::string why) { return Status{false, std::move(why)}; }
};

}  // namespace bl
