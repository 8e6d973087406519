#include "number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

FXString fixedText(double v, int decimals) {
  return decimals < 0 ? FXStringVal(static_cast<FXint>(v)) : FXStringFormat("%.*f", decimals, v);
}

bool parseNumber(const FXString& text, bool whole, double& out) {
  const char* begin = text.text();
  char* end = nullptr;
  errno = 0;
  double v;
  if (whole) {
    const long n = std::strtol(begin, &end, 10);
    v = static_cast<double>(n);
  } else {
    v = std::strtod(begin, &end);
  }
  if (end == begin || errno == ERANGE || !std::isfinite(v)) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return false;
  out = v;
  return true;
}
