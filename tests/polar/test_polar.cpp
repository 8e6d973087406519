// Computing a polar on several threads: an exception on any of them reaches
// the caller once every worker has ended, instead of ending the program.
#include <gtest/gtest.h>

#include <stdexcept>

#include "polar.h"

TEST(PolarCompute, ExceptionsReachTheCaller) {
  polar::Settings set;  // the section alone, angles 0..19 on two workers
  set.boundary_layer = false;
  set.jobs = 2;
  for (int k = 0; k < 20; ++k) set.angles.push_back(k);
  int delivered = 0;
  const auto ready = [&](const polar::Point&) {
    if (++delivered == 2) throw std::runtime_error("ready");
  };
  EXPECT_THROW(polar::compute(set, ready), std::runtime_error);
  EXPECT_EQ(delivered, 2);
  // cancelled is asked on the workers' threads.
  const auto asked = []() -> bool { throw std::runtime_error("cancelled"); };
  EXPECT_THROW(polar::compute(set, [](const polar::Point&) {}, asked), std::runtime_error);
}
