#include "report_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace fx {

namespace {

// Decimals worked out exactly; a double has no non-zero digit beyond the
// 1074th decimal, so any further ones are zeros.
constexpr int kMaxDecimals = 1100;
constexpr int kLongestFixed = 310 + 1 + kMaxDecimals + 8;

// Right-align text in w columns; asterisks when it is wider than the field.
std::string fit(int w, std::string text) {
  if (w <= 0) return std::string();
  if (static_cast<int>(text.size()) > w) return stars(w);
  text.insert(0, static_cast<std::size_t>(w) - text.size(), ' ');
  return text;
}

// NaN and infinities, which have no digits to lay out.
std::string non_finite(int w, double x) {
  if (std::isnan(x)) return fit(w, "NaN");
  const std::string sign = x < 0 ? "-" : "";
  const std::string full = sign + "Infinity";
  if (static_cast<int>(full.size()) <= w) return fit(w, full);
  return fit(w, sign + "Inf");
}

// Drop the optional zero before the point ("0.5" -> ".5", "-0.5" -> "-.5")
// when the text is one column too wide for its field.
std::string fit_optional_zero(int w, std::string text) {
  if (static_cast<int>(text.size()) > w) {
    const std::size_t zero = (text[0] == '-') ? 1 : 0;
    if (text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.')
      text.erase(zero, 1);
  }
  return fit(w, std::move(text));
}

}  // namespace

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

std::string X(int n) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), ' '); }

std::string rule(int n, char c) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), c); }

std::string I(int w, long long n) { return fit(w, std::to_string(n)); }

std::string F(int w, int d, double x) {
  if (!std::isfinite(x)) return non_finite(w, x);
  // The shortest exact decimal expansion rounded to d decimals, as "%.*f"
  // gives it; Fw.0 keeps the point ("3.").  The buffer holds the longest
  // double (309 integer digits) with any decimals a field can show.
  char buf[kLongestFixed];
  const int decimals = std::min(d, kMaxDecimals);
  const auto res = std::to_chars(buf, buf + sizeof buf - 1, x, std::chars_format::fixed, decimals);
  char* end = res.ptr;
  if (d == 0) *end++ = '.';
  std::string text(buf, end);
  if (d > decimals) text.append(static_cast<std::size_t>(d - decimals), '0');
  return fit_optional_zero(w, std::move(text));
}

std::string E(int w, int d, double x) {
  if (!std::isfinite(x)) return non_finite(w, x);
  if (d < 1) return stars(w);  // a mantissa needs at least one digit
  const bool negative = std::signbit(x);
  std::string digits;
  int exponent = 0;
  if (x == 0) {
    digits.assign(static_cast<std::size_t>(d), '0');
  } else {
    // d significant digits rounded from the exact binary value, as "%.*e"
    // gives them: d.ddd e+p  ->  0.dddd E(p+1).  Rounding up across a
    // power of ten (0.99996 -> 1.000e+00) is already in the exponent.
    char buf[kLongestFixed];
    const int decimals = std::min(d - 1, kMaxDecimals);
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, decimals);
    const char* e = std::find(buf, res.ptr, 'e');
    for (const char* c = buf; c != e; ++c)
      if (*c != '.') digits += *c;
    if (d - 1 > decimals) digits.append(static_cast<std::size_t>(d - 1 - decimals), '0');
    int p = 0;
    for (const char* c = e + 2; c != res.ptr; ++c) p = 10 * p + (*c - '0');
    exponent = (e[1] == '-' ? -p : p) + 1;
  }
  const int mag = std::abs(exponent);
  if (mag > 999) return stars(w);
  std::string text;
  text.reserve(digits.size() + 8);
  if (negative) text += '-';
  text += "0.";
  text += digits;
  const char sign = exponent < 0 ? '-' : '+';
  if (mag <= 99) {
    text += 'E';
    text += sign;
    text += static_cast<char>('0' + mag / 10);
    text += static_cast<char>('0' + mag % 10);
  } else {
    text += sign;  // three digits take the letter's place
    text += std::to_string(mag);
  }
  return fit_optional_zero(w, std::move(text));
}

}  // namespace fx
