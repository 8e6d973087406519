#include "report_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fx {

namespace {

// Right-align text in w columns; asterisks when it is wider than the field.
std::string fit(int w, const std::string& text) {
  if (w <= 0) return std::string();
  if (static_cast<int>(text.size()) > w) return stars(w);
  return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
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
  return fit(w, text);
}

}  // namespace

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

std::string X(int n) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), ' '); }

std::string rule(int n, char c) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), c); }

std::string I(int w, long long n) { return fit(w, std::to_string(n)); }

std::string F(int w, int d, double x) {
  if (!std::isfinite(x)) return non_finite(w, x);
  // "%#.*f" rounds the exact binary value to d decimals and keeps the point
  // even for d = 0, as Fw.0 does ("3.").  One conversion into a buffer that
  // holds any number a report field has room for; a huge value (up to 309
  // integer digits) is converted again at its full length.
  char buf[64];
  const int len = std::snprintf(buf, sizeof buf, "%#.*f", d, x);
  if (len < static_cast<int>(sizeof buf)) return fit_optional_zero(w, std::string(buf, static_cast<std::size_t>(len)));
  std::string text(static_cast<std::size_t>(len), '\0');
  std::snprintf(text.data(), text.size() + 1, "%#.*f", d, x);
  return fit_optional_zero(w, text);
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
    // d significant digits, correctly rounded: d.ddd e+p  ->  0.dddd E(p+1).
    // Rounding up across a power of ten (0.99996 -> 1.000e+00) is already
    // reflected in the exponent that printf reports.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%#.*e", d - 1, std::fabs(x));
    const std::string s(buf);
    const std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
      if (s[i] != '.') digits += s[i];
    exponent = std::atoi(s.c_str() + e + 1) + 1;
  }
  const int mag = std::abs(exponent);
  if (mag > 999) return stars(w);
  std::string exp_text = (exponent < 0) ? "-" : "+";
  if (mag <= 99) {
    exp_text = "E" + exp_text + (mag < 10 ? "0" : "") + std::to_string(mag);
  } else {
    exp_text += std::to_string(mag);  // three digits take the letter's place
  }
  return fit_optional_zero(w, std::string(negative ? "-" : "") + "0." + digits + exp_text);
}

}  // namespace fx
