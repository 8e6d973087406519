#include "axis_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plot {

namespace {

// Fewest decimals that write the step exactly (to a millionth of itself,
// the rounding of a step computed in binary): then any two labels a step
// apart differ in their last written digit.
int decimalsFor(double step) {
  const int first = std::max(0, static_cast<int>(-std::floor(std::log10(step))));
  int d = first;
  for (; d < first + 4 && d < 15; ++d) {
    const double scaled = step * std::pow(10.0, d);
    if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled) break;
  }
  return d;
}

// "-0.0" reads as a fault: a text whose figures are all zero loses its sign.
std::string unsignedZero(std::string s) {
  if (s.empty() || s[0] != '-') return s;
  const std::string mantissa = s.substr(1, s.find('e') - 1);
  if (mantissa.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  return s;
}

}  // namespace

AxisFormat axisFormat(double first, double last, double step) {
  AxisFormat f;
  if (!(step > 0) || !std::isfinite(step)) return f;
  const double largest = std::max(std::fabs(first), std::fabs(last));
  if (!std::isfinite(largest) || largest == 0 || (largest >= 1e-3 && largest < 1e5)) {
    f.decimals = decimalsFor(step);
    return f;
  }
  f.scientific = true;
  f.exponent = static_cast<int>(std::floor(std::log10(largest)));
  f.decimals = decimalsFor(step / std::pow(10.0, f.exponent));
  return f;
}

std::string axisLabel(double value, const AxisFormat& f, double step) {
  if (std::fabs(value) <= 1e-6 * step) {
    if (f.scientific) return "0";
    value = 0.0;
  }
  char buf[64];
  if (f.scientific)
    std::snprintf(buf, sizeof buf, "%.*fe%d", f.decimals, value / std::pow(10.0, f.exponent),
                  f.exponent);
  else
    std::snprintf(buf, sizeof buf, "%.*f", f.decimals, value);
  return unsignedZero(buf);
}

int labelStride(double spacing, int extent) {
  if (!(spacing > 0)) return 1;
  for (int decade = 1; decade <= 1000000; decade *= 10)
    for (int m : {1, 2, 5})
      if (m * decade * spacing >= extent) return m * decade;
  return 1000000;
}

void placeText(Drawing& d, int x, int y, const std::string& s, int w, int h, const char* colour) {
  x = std::max(0, std::min(x, w - textWidth(s)));
  y = std::max(kTextAscent, std::min(y, h - kTextDescent));
  d.push_back({Primitive::Text, colour, false, x, y, 0, 0, s});
}

}  // namespace plot
