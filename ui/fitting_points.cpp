#include "fitting_points.h"

#include <cctype>
#include <cstdio>

#include "session/session.h"

bool isCapacityRefusal(const std::string& refusal) {
  return refusal.find("a surface holds at most") != std::string::npos;
}

int largestFittingN(const aerofoil::SectionModel& section, int n, const std::vector<double>& angles) {
  bl::Session scratch;
  scratch.reports().set_enabled(false);
  aerofoil::Joukowski trial;
  const auto fits = [&](double alpha, int m) {
    section.withPoints(m)->solve(alpha, trial);
    return scratch.hand_over_contour(trial.s, trial.v, m).ok;
  };
  // The surfaces' node counts grow with N by about the share of the circle
  // on each side, give or take the node that the stagnation point's place
  // within its panel adds or drops; trying every N downwards finds the
  // largest without relying on that.  Each angle lowers N until it fits;
  // the angles are gone through again until none lowers it, so that the N
  // found fits them all.
  int m = n - 1;
  for (bool lowered = true; lowered && m >= aerofoil::kMinPoints;) {
    lowered = false;
    for (double alpha : angles)
      while (m >= aerofoil::kMinPoints && !fits(alpha, m)) {
        --m;
        lowered = true;
      }
  }
  return m >= aerofoil::kMinPoints ? m : 0;
}

std::string fittingNNote(const aerofoil::SectionModel& section, const aerofoil::Joukowski& af,
                         const std::string& refusal) {
  if (!isCapacityRefusal(refusal)) return "";
  const int n = largestFittingN(section, af.currentN, {af.alphaDeg});
  if (n == 0) return "";
  return "\n\nN = " + std::to_string(n) + " fits this section (the largest N below " +
         std::to_string(af.currentN) + " that does): enter it in N= and press BL Calculation again.";
}

namespace {
// A reason with its numbers taken out: "the upper surface would have 637
// nodes" and "... 697 nodes" are the same reason at two angles.
std::string shortNumber(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

std::string words(const std::string& reason) {
  std::string out;
  for (char c : reason)
    if (!std::isdigit(static_cast<unsigned char>(c))) out += c;
  return out;
}
}  // namespace

std::string polarFailureSummary(const std::vector<polar::Point>& points, const aerofoil::SectionModel& section) {
  int failed = 0;
  bool same = true;
  for (const polar::Point& p : points) {
    if (p.computed) continue;
    same = same && (failed == 0 || words(p.failure) == words(points.front().failure));
    ++failed;
  }
  if (failed == 0) return "";
  const int total = static_cast<int>(points.size());
  if (failed < total || !same)
    return std::to_string(failed) + " of " + std::to_string(total) + " angles failed; their reasons are listed below.";

  const polar::Point& first = points.front();
  std::string text = (total == 1 ? std::string("The angle failed: ") : "All " + std::to_string(total) + " angles failed: ") +
                     first.failure + (total == 1 ? "" : " (at alpha " + shortNumber(first.alpha) + ")");
  if (isCapacityRefusal(first.failure)) {
    std::vector<double> angles;
    for (const polar::Point& p : points) angles.push_back(p.alpha);
    const int n = largestFittingN(section, section.points(), angles);
    if (n > 0)
      text += ". N = " + std::to_string(n) + " fits every angle of this polar: enter it in N= of the aerofoil " +
              "window and open the polar again.";
  }
  return text;
}
