// Fortran-style edit descriptors for the solver's text reports.
//
// Every report line of the library is assembled from these pieces, so that
// a number is never padded by hand and the column layout of every report
// follows one set of rules:
//
//   I(w, n)     In    integer right-aligned in w columns
//   F(w, d, x)  Fw.d  fixed point with d decimals, right-aligned in w columns
//   E(w, d, x)  Ew.d  exponent form 0.ddddE+ee, right-aligned in w columns
//   X(n)        nX    n spaces
//   rule(n, c)        n copies of c (a line of '-' or '=')
//   ff(items...)      free-form line: one leading space, then the items;
//                     a text item unchanged, an integer item as one space
//                     plus 11 right-aligned columns
//
// Rules shared by I, F and E:
//   - A value that does not fit its field fills the field with asterisks.
//   - Rounding is to nearest on the exact binary value (0.99996 in E10.4 is
//     0.1000E+01); a tie between two decimals, possible only for values
//     exactly representable in binary, goes to the even digit.
//   - F and E write the zero before the decimal point only when the field
//     has room for it (F4.3 of 0.5 is ".500", E10.4 of -0.5 is "-.5000E+00").
//   - A negative value that rounds to zero keeps its minus sign ("-0.000"),
//     as does negative zero itself.
//   - NaN prints as "NaN", an infinity as "Infinity" or, in a narrower
//     field, "Inf", with a leading "-" when negative; right-aligned.
//
// E writes zero as 0.0000E+00.  An exponent beyond two digits
// (|exponent| 100..999) drops the letter E and keeps the sign:
// 0.1000+101, 0.1000-100.
#pragma once

#include <string>

namespace fx {

std::string I(int w, long long n);
std::string F(int w, int d, double x);
std::string E(int w, int d, double x);
std::string X(int n);
std::string rule(int n, char c);

// Field of w asterisks: what a value too wide for its field prints as.
std::string stars(int w);

// One item of a free-form line.
inline std::string ff_item(const std::string& text) { return text; }
inline std::string ff_item(const char* text) { return text; }
inline std::string ff_item(int n) { return " " + I(11, n); }

// A free-form line (without the newline): " " followed by the items.
template <class... Items>
std::string ff(const Items&... items) {
  std::string line = " ";
  (line += ... += ff_item(items));
  return line;
}

}  // namespace fx
