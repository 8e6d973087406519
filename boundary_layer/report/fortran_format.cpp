// Fortran-style edit descriptors: In, Fw.d, Ew.d, nX, rules and free-form lines.
#include "report/fortran_format.h"

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

// The field of a number whose text is [first, last), then `zeros` further
// zeros, then [tail, tail_end): right-aligned in w columns.  A text one
// column too wide loses its optional zero before the point ("0.5" -> ".5",
// "-0.5" -> "-.5"); a text still too wide gives asterisks.
std::string laid_out(int w, const char* first, const char* last, int zeros, const char* tail = nullptr,
                     const char* tail_end = nullptr) {
  if (w <= 0) return std::string();
  std::size_t len = static_cast<std::size_t>(last - first) + static_cast<std::size_t>(zeros > 0 ? zeros : 0) +
                    static_cast<std::size_t>(tail_end - tail);
  const std::size_t width = static_cast<std::size_t>(w);
  std::size_t skip = std::string::npos;  // position of a dropped zero
  if (len > width) {
    const std::size_t zero = (first[0] == '-') ? 1 : 0;
    if (len > zero + 1 && first + zero + 1 < last && first[zero] == '0' && first[zero + 1] == '.') {
      skip = zero;
      --len;
    }
  }
  if (len > width) return stars(w);
  std::string field(width - len, ' ');
  field.reserve(width);
  for (const char* c = first; c != last; ++c)
    if (static_cast<std::size_t>(c - first) != skip) field += *c;
  if (zeros > 0) field.append(static_cast<std::size_t>(zeros), '0');
  field.append(tail, tail_end);
  return field;
}

// Right-align a text that has no optional zero (an integer, "NaN") in w
// columns; asterisks when it is wider than the field.
std::string fit(int w, const std::string& text) { return laid_out(w, text.data(), text.data() + text.size(), 0); }

// NaN and infinities, which have no digits to lay out.
std::string non_finite(int w, double x) {
  if (std::isnan(x)) return fit(w, "NaN");
  const std::string sign = x < 0 ? "-" : "";
  const std::string full = sign + "Infinity";
  if (static_cast<int>(full.size()) <= w) return fit(w, full);
  return fit(w, sign + "Inf");
}

}  // namespace

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

std::string X(int n) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), ' '); }

std::string rule(int n, char c) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), c); }

std::string I(int w, long long n) { return fit(w, std::to_string(n)); }

std::string F(int w, int d, double x) {
  if (!std::isfinite(x)) return non_finite(w, x);
  // The exact decimal expansion rounded to d decimals, as "%.*f" gives it;
  // Fw.0 keeps the point ("3.").  The buffer holds the longest double (309
  // integer digits) with any decimals a field can show.
  char buf[kLongestFixed];
  const int decimals = std::min(d, kMaxDecimals);
  char* end = std::to_chars(buf, buf + kLongestFixed - 1, x, std::chars_format::fixed, decimals).ptr;
  if (d == 0) *end++ = '.';
  return laid_out(w, buf, end, d - decimals);
}

std::string E(int w, int d, double x) {
  if (!std::isfinite(x)) return non_finite(w, x);
  if (d < 1) return stars(w);  // a mantissa needs at least one digit
  // Layout: sign, "0.", d digits (of which `pad` trailing zeros are not in
  // the buffer), exponent.
  char text[kLongestFixed + 8];
  char* out = text;
  if (std::signbit(x)) *out++ = '-';
  *out++ = '0';
  *out++ = '.';
  int exponent = 0, pad = 0;
  if (x == 0) {
    pad = d;
  } else {
    // d significant digits rounded from the exact binary value, as "%.*e"
    // gives them: d.ddd e+p  ->  0.dddd E(p+1).  Rounding up across a
    // power of ten (0.99996 -> 1.000e+00) is already in the exponent.
    char buf[kLongestFixed];
    const int decimals = std::min(d - 1, kMaxDecimals);
    const char* end = std::to_chars(buf, buf + kLongestFixed, std::fabs(x), std::chars_format::scientific, decimals).ptr;
    const char* e = std::find(static_cast<const char*>(buf), end, 'e');
    for (const char* c = buf; c != e; ++c)
      if (*c != '.') *out++ = *c;
    pad = d - 1 - decimals;
    int p = 0;
    for (const char* c = e + 2; c != end; ++c) p = 10 * p + (*c - '0');
    exponent = (e[1] == '-' ? -p : p) + 1;
  }
  const int mag = std::abs(exponent);
  if (mag > 999) return stars(w);
  // The exponent goes after the padding zeros; write it to its own piece.
  char exp_text[6];
  char* ex = exp_text;
  const char sign = exponent < 0 ? '-' : '+';
  if (mag <= 99) {
    *ex++ = 'E';
    *ex++ = sign;
  } else {
    *ex++ = sign;  // three digits take the letter's place
    *ex++ = static_cast<char>('0' + mag / 100);
  }
  *ex++ = static_cast<char>('0' + mag / 10 % 10);
  *ex++ = static_cast<char>('0' + mag % 10);
  return laid_out(w, text, out, pad, exp_text, ex);
}

}  // namespace fx
